// One game at a time: a second start raises the running window and ends.
#include "tests/e2e/test_game.h"

#include <sys/stat.h>

namespace {

class Instance : public CratewrightTest {};

TEST_F(Instance, ASecondStartRaisesTheRunningGameAndEndsAtOnce)
{
    WriteTestGame();
    LaunchToMenu(240, 320);
    if (HasFatalFailure()) return;
    // Another program's window over the game.
    extraProcesses.push_back(Spawn({"xlogo", "-geometry", "240x320+0+0"}, folder + "/../xlogo.log"));
    ASSERT_TRUE(WaitScreen([&](const Screenshot &s) { return !OnMenu(s); })) << "xlogo did not cover the game";

    // The second start has no data beside it: had it touched a file it would
    // have reported a missing picture and ended with status 1.
    std::string other = folder + "/../other";
    ASSERT_EQ(mkdir(other.c_str(), 0755), 0);
    RunTool({"cp", CW_GAME_EXECUTABLE, other + "/cratewright"});
    int status = -1;
    std::string said = RunTool({other + "/cratewright"}, &status, 5000);
    EXPECT_EQ(status, 0) << said;
    EXPECT_TRUE(WaitMenu(1)) << "the running game was not raised";
    EXPECT_EQ(WindowsTitled("Cratewright").size(), 1u);
    EXPECT_TRUE(WindowsTitled("Error").empty());
    EXPECT_EQ(RunTool({"ls", "-A", other}), "cratewright\n");
    EXPECT_TRUE(Running());

    // Once the first has ended, a new start is a game of its own again.
    Key("Up Return");
    EXPECT_EQ(WaitExit(), 0);
    StartGame();
    EXPECT_NE(WaitWindow("Cratewright").id, 0u) << GameLog();
    EXPECT_TRUE(WaitMenu(1));
}

}  // namespace
