// A collection nobody here wrote, end to end: imported through a window with
// its refused levels reported (one complete as soon as it loads among them)
// and its numbering explained, warned about where the keeper starts on a
// site, imported into a game folder it makes, solved into the format check
// reads (with the fallback search where the exact one runs out of memory),
// and checked through the game's own loader, move rules and solved test.
#include "tests/levelkit/levelkit_support.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

// 1 a sealed room of decoration; 2 and 4 cannot be solved where the keeper
// cannot go; 3 relies on the keeper's site; 5 is solved at load; 6 has more
// positions than its exact search may store in 2 MB. Windows line ends.
const char Levels[] =
    "; Sealed\n########\n#*#  . #\n###    #\n#@ $   #\n#      #\n########\n\n"
    "; Lost crate\n#####\n#@$.#\n#####\n#$.#\n####\n\n"
    "; Keeper on site\n#####\n#+$.#\n#####\n\n"
    "; Lost site\n#######\n#@$.#.#\n#######\n\n"
    "; At load\n#####\n#+* #\n#####\n\n"
    "; Far\n#########\n# .     #####\n#.   $   #  #\n## $ $   $  #\n#.$   $    ##\n#  .*  ##*  #\n"
    "#  $@#    . #\n# .####  ####\n#.$. *   #\n##########\n";

class Collection : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = MakeTempFolder();
        std::string text;
        for (char c : std::string(Levels)) text += c == '\n' ? std::string("\r\n") : std::string(1, c);
        WriteTextFile(dir + "/set.txt", text);
    }
    void TearDown() override { RemoveTree(dir); }
    bool says(const ToolRun &run, const std::string &text) const
    {
        return run.out.find(text) != std::string::npos || run.err.find(text) != std::string::npos;
    }
    std::string dir;
};

TEST_F(Collection, ImportsAWindowAndSaysWhichFileHoldsWhichLevel)
{
    WriteTextFile(dir + "/Level3.Map", "an older level");
    ToolRun run = RunLevelkit("import " + dir + "/set.txt " + dir + " --first 2");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "Level1.Map: level 3 (Keeper on site)\nLevel2.Map: level 6 (Far)\n");
    for (const char *text : {
             "level 2 at line 10 (Lost crate) skipped: a crate off its site lies where the keeper can never go (text "
             "row 4, column 2)",
             "level 4 at line 22 (Lost site) skipped: a site without a crate lies where the keeper can never go (text "
             "row 2, column 6)",
             "level 5 (At load) refused: it is complete as soon as it loads: the keeper starts on a site, which the "
             "game counts as covered, and crates stand on all its other sites; the next level takes its number",
             "warning: Level1.Map holds level 3 (Keeper on site): the keeper starts on a site, which the game counts "
             "as covered for the whole level: the level is complete once crates stand on 1 of its 2 sites",
             "the collection ends at level 6: 2 level files written",
             "Level3.Map was already in", "Level4.Map is missing: the game stops with \"This file cant be opened!\" "
             "after Level3.Map", "import it there with --first 4 --at 4"})
        EXPECT_TRUE(says(run, text)) << text << "\n" << run.err;
    EXPECT_EQ(ReadTextFile(dir + "/Level3.Map"), "an older level");
    // A count the collection cannot fill fails; one it can, at the end of the game's numbers, succeeds.
    EXPECT_EQ(RunLevelkit("import " + dir + "/set.txt " + dir + " --count 4").status, 1);
    ToolRun end = RunLevelkit("import " + dir + "/set.txt " + dir + " --first 3 --at 99 --count 2");
    EXPECT_EQ(end.status, 0) << end.err;
    EXPECT_EQ(end.out, "Level99.Map: level 3 (Keeper on site)\nLevel100.Map: level 6 (Far)\n");
    EXPECT_EQ(RunLevelkit("import " + dir + "/set.txt " + dir + " --at 100 --count 2").status, 2);
    // Without a count, the window ends at the game's last number.
    end = RunLevelkit("import " + dir + "/set.txt " + dir + " --at 99");
    EXPECT_EQ(end.status, 0) << end.err;
    EXPECT_EQ(end.out, "Level99.Map: level 1 (Sealed)\nLevel100.Map: level 3 (Keeper on site)\n");
    EXPECT_TRUE(says(end, "levels 5 to 6 of the collection were not written: the game plays 100 (import them into "
                          "another game folder with --first 5)")) << end.err;
    EXPECT_EQ(ReadTextFile(dir + "/Level101.Map"), "");
}

// A folder that is not there becomes a whole game folder with fresh progress
// and the shipped levels after the collection; one whose progress names
// another level than the first is told how to start at level 1.
TEST_F(Collection, ImportsIntoANewGameFolderAndSpeaksOfTheProgress)
{
    const std::string game = dir + "/new/game";
    ToolRun run = RunLevelkit("import " + dir + "/set.txt " + game);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(says(run, "made the game folder " + game)) << run.err;
    EXPECT_EQ(access((game + "/cratewright").c_str(), X_OK), 0);
    EXPECT_EQ(ReadTextFile(game + "/config.ini"), ReadTextFile(CW_SOURCE_DIR "/data/config.ini"));
    EXPECT_EQ(ReadTextFile(game + "/Ground.tex"), ReadTextFile(CW_SOURCE_DIR "/data/Ground.tex"));
    EXPECT_EQ(ReadTextFile(game + "/Level4.Map"), ReadTextFile(CW_SOURCE_DIR "/data/Level4.Map"));
    EXPECT_TRUE(says(run, "Level3.Map: level 6 (Far)")) << run.out;
    EXPECT_NE(ReadTextFile(game + "/Level3.Map"), ReadTextFile(CW_SOURCE_DIR "/data/Level3.Map"));
    EXPECT_TRUE(says(run, "Level4.Map to Level100.Map were already in")) << run.err;
    EXPECT_FALSE(says(run, "note: the progress")) << run.err;
    WriteTextFile(game + "/config.ini", "0\n7\n1\n");
    run = RunLevelkit("import " + dir + "/set.txt " + game);
    EXPECT_TRUE(says(run, "note: the progress in " + game + "/config.ini starts the game at level 7; to start at "
                          "level 1, put 0, 1 and 1 on its three lines")) << run.err;
    EXPECT_EQ(ReadTextFile(game + "/config.ini"), "0\n7\n1\n");
    EXPECT_FALSE(says(RunLevelkit("import " + dir + "/set.txt " + game + " --at 4"), "note: the progress"));
}

TEST_F(Collection, SolvesIntoTheFormatThatCheckReplaysThroughTheGame)
{
    ASSERT_EQ(RunLevelkit("import " + dir + "/set.txt " + dir).status, 0);
    ToolRun solved = RunLevelkit("solve " + dir + "/set.txt --memory-limit 2 --write-solutions " + dir + "/sol.txt");
    EXPECT_EQ(solved.status, 1);  // two levels are refused, one is complete at load
    for (const char *text : {"; Sealed\nrRRdrUU\n; keys: 6668622\n; length: 7 moves, 4 pushes\n",
                             "level 3: 1 moves, 1 pushes; ", "relies on the keeper's starting site counting as covered",
                             "; At load\ncomplete at load\n; Far\n",
                             "level 5: it is complete as soon as it loads: the keeper starts on a site, which the game "
                             "counts as covered, and crates stand on all its other sites; import refuses it",
                             "; not proven fewest pushes\n", "level 6: ", "the exact search reached its memory limit"})
        EXPECT_TRUE(says(solved, text)) << text << "\n" << solved.out << solved.err;
    const std::string written = ReadTextFile(dir + "/sol.txt");
    for (const char *entry : {"; Sealed\n########\n#*#  . #\n###    #\n#@ $   #\n#      #\n########\n"
                              "; solution: rRRdrUU\n; keys: 6668622\n; length: 7 moves, 4 pushes\n\n",
                              "; At load\n#####\n#+* #\n#####\n\n; Far\n", "; not proven fewest pushes\n\n"})
        EXPECT_NE(written.find(entry), std::string::npos) << entry << "\n" << written;
    ToolRun check = RunLevelkit("check " + dir + " --solutions " + dir + "/sol.txt");
    EXPECT_EQ(check.status, 0) << check.out;
    for (const char *text : {"Level1.Map: ok: 8x6 cells, 2 crates", "Level2.Map: ok", "; level 4 (Far) of",
                             "Level3.Map: ok", "3 levels checked, 0 failed"})
        EXPECT_TRUE(says(check, text)) << text << "\n" << check.out;
    // Memory that runs out before any solution is said as such, not as time.
    ToolRun starved = RunLevelkit("solve " + dir + "/set.txt --memory-limit 0.00001");
    EXPECT_NE(starved.out.find("; Sealed\nout of memory\n"), std::string::npos) << starved.out;
}

}  // namespace
