// levelkit play's folder and what it says, without a display (the game it
// starts at the end then says so and ends with 1): the folder it makes, a
// second run that keeps the progress and the solutions of unchanged boards
// and names the levels it cannot solve with the way out, and the folders it
// will not write into, left as they were.
#include "tests/levelkit/levelkit_support.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

namespace {

const char Levels[] = "; Near\n#####\n#.$@#\n#####\n\n"
                      "; Done at load\n#####\n#*+ #\n#####\n\n"  // refused: the game counts it solved at once
                      "; Far\n#######\n#@ $ .#\n#######\n";

class Play : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = MakeTempFolder();
        home = dir + "/home";
        mkdir(home.c_str(), 0755);
        setenv("HOME", home.c_str(), 1);  // where play makes its folder when given none
        unsetenv("DISPLAY");
        WriteTextFile(dir + "/Set.txt", Levels);
        game = home + "/cratewright-Set";
    }
    void TearDown() override { RemoveTree(dir); }
    ToolRun play(const std::string &more = "") { return RunLevelkit("play " + dir + "/Set.txt" + more); }
    static bool says(const ToolRun &run, const std::string &text) { return run.out.find(text) != std::string::npos; }
    std::string dir, home, game;
};

TEST_F(Play, MakesAFolderOfItsOwnNamesWhatItCouldNotSolveAndKeepsWhatWasFound)
{
    ToolRun run = play();
    EXPECT_EQ(run.status, 1) << run.err;  // the game's: no display
    EXPECT_NE(run.err.find("display"), std::string::npos) << run.err;
    for (const std::string &text : {
             "levelkit play: " + dir + "/Set.txt, 3 levels, into " + game + "\n",
             std::string("  import: 2 level files, Level1.Map to Level2.Map ("),
             std::string("1 refused, the level after each taking its number:\n"
                         "            it is complete as soon as it loads: level 2\n"),
             std::string("Level3.Map to Level100.Map: the shipped levels, which the game plays after yours\n"),
             std::string("  solve:  2 of 2 solved, 2 with the fewest pushes proven"),
             std::string("  check:  100 level files, all pass ("), std::string("  progress: level 1, a new game\n"),
             "starting " + game + "/cratewright\n"})
        EXPECT_TRUE(says(run, text)) << text << "\n" << run.out;
    EXPECT_FALSE(says(run, "not solved")) << run.out;
    EXPECT_EQ(ReadTextFile(game + "/config.ini"), ReadTextFile(CW_SOURCE_DIR "/data/config.ini"));
    EXPECT_EQ(ReadTextFile(game + "/Level3.Map"), ReadTextFile(CW_SOURCE_DIR "/data/Level3.Map"));
    const std::string record = ReadTextFile(game + "/levels.txt");
    EXPECT_NE(record.find("; Near\n#####\n#.$@#\n#####\n; solution: L\n; keys: 4\n; length: 1 moves, 1 pushes\n"),
              std::string::npos) << record;
    EXPECT_NE(record.find("; solution: rRR\n; keys: 666\n"), std::string::npos) << record;

    // Again, with one board changed and no time at all: the solution of the
    // board that stayed is kept, the changed one is not solved, and check
    // names exactly that level with the way out. The progress stays.
    WriteTextFile(game + "/config.ini", "0\n2\n1\n");
    std::string edited = Levels;
    WriteTextFile(dir + "/Set.txt", edited.replace(edited.find("#@ $ .#"), 7, "#@$  .#"));
    run = play(" --time-limit 0.000000001");
    for (const std::string &text : {
             std::string("  solve:  1 of 2 solved, 1 with the fewest pushes proven"),
             std::string("1 of the solutions kept from the last run\n"),
             std::string("not solved: Level2.Map (level 3 (Far)): timeout\n"),
             "to give them more time: levelkit play " + dir + "/Set.txt --time-limit 60\n",
             std::string("  check:  100 level files, 1 failed ("),
             "Level2.Map: FAILED: level 2 (Far) of " + game + "/levels.txt has no solution: solve found none",
             std::string("  progress: level 2, kept from your last game (to start over, put 0, 1 and 1")})
        EXPECT_TRUE(says(run, text)) << text << "\n" << run.out;
    EXPECT_FALSE(says(run, "Level1.Map: FAILED")) << run.out;
    EXPECT_EQ(ReadTextFile(game + "/config.ini"), "0\n2\n1\n");
}

TEST_F(Play, LeavesAloneEveryFolderItDidNotMakeForTheCollection)
{
    const std::string mine = home + "/mine", empty = home + "/empty";
    mkdir(mine.c_str(), 0755);
    mkdir(empty.c_str(), 0755);
    WriteTextFile(mine + "/config.ini", "3\n42\n0\n");
    WriteTextFile(dir + "/Other.txt", Levels);
    ASSERT_EQ(play(" " + empty + " --time-limit 5").out.find("  check:  100 level files, all pass") != std::string::npos,
              true);  // an empty folder is as good as a new one
    const struct { std::string folder, why; } refused[] = {
        {mine, "it holds files that levelkit play did not put there (another game folder?), which it leaves alone"},
        {CW_SOURCE_DIR "/data", "it holds the shipped levels, which every build copies again"},
        {empty + " --first 2", "levelkit play made it for " + dir + "/Set.txt from level 1 on, and leaves it to that"},
    };
    for (const auto &r : refused) {
        ToolRun run = play(" " + r.folder);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find(r.why), std::string::npos) << r.folder << "\n" << run.err;
        EXPECT_EQ(run.out, "");
    }
    ToolRun other = RunLevelkit("play " + dir + "/Other.txt " + empty);
    EXPECT_NE(other.err.find("levelkit play made it for " + dir + "/Set.txt from level 1 on"), std::string::npos);
    EXPECT_EQ(ReadTextFile(mine + "/config.ini"), "3\n42\n0\n");
    EXPECT_EQ(RunLevelkit("play").status, 2);
    EXPECT_EQ(RunLevelkit("play " + dir + "/Set.txt --time-limit 0").status, 2);
}

}  // namespace
