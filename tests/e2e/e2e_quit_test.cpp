// Every way out of the game leaves the progress file right: the window's close
// button, and a progress file that cannot be written. (The menu entry, 3, F3
// and the quit corner end the other tests.)
#include "tests/e2e/test_game.h"

#include <cstdio>
#include <sys/stat.h>

namespace {

class Quit : public CratewrightTest {};

TEST_F(Quit, ClosingTheWindowSavesLikeQuitting)
{
    WriteTestGame(3, 0, 6);
    LaunchToMenu(320, 240);
    if (HasFatalFailure()) return;
    // Sound switched on in the options: only a save can put it in the file.
    Key("Down Return");
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return OnOptions(s) && OffMarkShown(s); }));
    Key("Return");
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return OnOptions(s) && !OffMarkShown(s); }));
    Key("Left Return");
    EXPECT_TRUE(WaitFor(&Quit::OnPlay));
    Key("Left");
    // The file is gone once read: only the save at the close brings it back.
    std::remove(FilePath("config.ini").c_str());
    SendWindowClose(game.id);
    EXPECT_EQ(WaitExit(), 0) << GameLog();
    EXPECT_EQ(Config(), "6\n3\n1\n") << "the close did not write the progress file";
    EXPECT_TRUE(WindowsTitled("Error").empty());
}

TEST_F(Quit, AProgressFileThatCannotBeWrittenIsReportedAndTheGameStillEnds)
{
    WriteTestGame(3, 0, 8);
    std::string config = FilePath("config.ini");
    // As root a read-only mode does not stop a write; an immutable file does.
    // Where the file system has no such flag, a directory in the way of the
    // temporary file makes the write fail instead.
    int status = -1;
    RunTool({"chattr", "+i", config}, &status);
    if (status == 0) {
        immutableFiles.push_back(config);
        std::printf("config.ini made immutable with chattr +i\n");
    } else {
        ASSERT_EQ(mkdir((config + ".tmp").c_str(), 0755), 0);
        std::printf("chattr failed here; config.ini.tmp is a directory instead\n");
    }
    LaunchToMenu(240, 320);
    if (HasFatalFailure()) return;
    Key("Down Return Return Left");  // sound switched on, so a save would change the file
    EXPECT_TRUE(WaitMenu(1));
    Key("Up Return");
    WindowBox box = WaitWindow("Error");
    ASSERT_NE(box.id, 0u) << "the failed write was not reported";
    DismissBox(box);
    EXPECT_EQ(WaitExit(), 0) << GameLog();
    EXPECT_EQ(Config(), "8\n3\n0\n");
}

}  // namespace
