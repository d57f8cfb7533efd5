// A collection nobody here wrote, end to end: imported through a window with
// its refused levels reported and its numbering explained, warned about where
// the keeper starts on a site, solved into the format check reads (with the
// fallback search where the exact one runs out of memory), and checked
// through the game's own loader, move rules and solved test.
#include "tests/levelkit/levelkit_support.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

namespace {

// 1 a sealed room of decoration; 2 and 4 cannot be solved where the keeper
// cannot go; 3 relies on the keeper's site; 5 is solved at load; 6 has more
// positions than its exact search may store in 2 MB.
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
        WriteTextFile(dir + "/set.txt", Levels);
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
    WriteTextFile(dir + "/Level4.Map", "an older level");
    ToolRun run = RunLevelkit("import " + dir + "/set.txt " + dir + " --first 2");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out,
              "Level1.Map: level 3 (Keeper on site)\nLevel2.Map: level 5 (At load)\nLevel3.Map: level 6 (Far)\n");
    for (const char *text : {
             "level 2 at line 10 (Lost crate) skipped: a crate off its site lies where the keeper can never go (text "
             "row 4, column 2)",
             "level 4 at line 22 (Lost site) skipped: a site without a crate lies where the keeper can never go (text "
             "row 2, column 6)",
             "warning: Level1.Map holds level 3 (Keeper on site): the keeper starts on a site, which the game counts "
             "as covered for the whole level: the level is complete once crates stand on 1 of its 2 sites",
             "warning: Level2.Map holds level 5 (At load): the keeper starts on a site, which the game counts as "
             "covered for the whole level: the level is complete as soon as it loads",
             "the collection ends at level 6: 3 level files written",
             "Level4.Map was already in", "Level5.Map is missing: the game stops with \"This file cant be opened!\" "
             "after Level4.Map", "import it there with --first 5 --at 5"})
        EXPECT_TRUE(says(run, text)) << text << "\n" << run.err;
    EXPECT_EQ(ReadTextFile(dir + "/Level4.Map"), "an older level");
    // A count the collection cannot fill fails; one it can, at the end of the game's numbers, succeeds.
    EXPECT_EQ(RunLevelkit("import " + dir + "/set.txt " + dir + " --count 5").status, 1);
    ToolRun end = RunLevelkit("import " + dir + "/set.txt " + dir + " --first 3 --at 99 --count 2");
    EXPECT_EQ(end.status, 0) << end.err;
    EXPECT_EQ(end.out, "Level99.Map: level 3 (Keeper on site)\nLevel100.Map: level 5 (At load)\n");
    EXPECT_EQ(RunLevelkit("import " + dir + "/set.txt " + dir + " --at 100 --count 2").status, 2);
}

TEST_F(Collection, SolvesIntoTheFormatThatCheckReplaysThroughTheGame)
{
    ASSERT_EQ(RunLevelkit("import " + dir + "/set.txt " + dir).status, 0);
    ToolRun solved = RunLevelkit("solve " + dir + "/set.txt --memory-limit 2 --write-solutions " + dir + "/sol.txt");
    EXPECT_EQ(solved.status, 1);  // two levels are refused
    for (const char *text : {"; Sealed\nrRRdrUU\n; keys: 6668622\n; length: 7 moves, 4 pushes\n",
                             "level 3: 1 moves, 1 pushes; ", "relies on the keeper's starting site counting as covered",
                             "; not proven fewest pushes\n", "level 6: ", "the exact search reached its memory limit"})
        EXPECT_TRUE(says(solved, text)) << text << "\n" << solved.out << solved.err;
    const std::string first = "; Sealed\n########\n#*#  . #\n###    #\n#@ $   #\n#      #\n########\n"
                              "; solution: rRRdrUU\n; length: 7 moves, 4 pushes\n\n";
    EXPECT_EQ(ReadTextFile(dir + "/sol.txt").substr(0, first.size()), first);
    ToolRun check = RunLevelkit("check " + dir + " --solutions " + dir + "/sol.txt");
    EXPECT_EQ(check.status, 1);
    for (const char *text : {"Level1.Map: ok: 8x6 cells, 2 crates", "Level2.Map: ok", "Level4.Map: ok",
                             "Level3.Map: FAILED: the level is solved before the first move",
                             "4 levels checked, 1 failed"})
        EXPECT_TRUE(says(check, text)) << text << "\n" << check.out;
}

}  // namespace
