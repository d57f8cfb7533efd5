// What a stored solution says about its level (pushes, changes of crate,
// turns, crates that never move), and the keys that find a level again when
// it is turned, mirrored or has its keeper elsewhere in its area.
#include "tests/levelkit/levelkit_support.h"
#include "tests/support/test_files.h"
#include "tools/levelkit/levels/level_traits.h"

#include <gtest/gtest.h>

namespace {

Puzzle Solved(const std::string &board, const std::string &solution)
{
    Puzzle p = OnePuzzle(board);
    p.solution = solution;
    return p;
}

TEST(LevelTraits, CountPushesChangesOfCrateTurnsAndIdleCrates)
{
    const std::string twoCrates = "#######\n#.   .#\n# $ $ #\n#  @  #\n#######\n";
    const struct {
        std::string board, solution;
        bool legal;
        long pushes;
        int switches, turns;
        bool everyCrateMoves;
    } cases[] = {
        {"#####\n#@$.#\n#####\n", "R", true, 1, 0, 0, true},
        {twoCrates, "lUruLddrrUluR", true, 4, 1, 2, true},
        {twoCrates, "rUluRddllUruL", true, 4, 1, 2, true},
        {twoCrates, "lUdrrUluRlL", true, 4, 2, 2, true},  // back to the first crate
        {"######\n#@$.*#\n######\n", "R", true, 1, 0, 0, false},
        {"#####\n#@$.#\n#####\n", "L", false, 0, 0, 0, false},   // into the wall
        {"#####\n#@$.#\n#####\n", "r", false, 0, 0, 0, false},   // a walk into a crate
        {"######\n#@$$.#\n######\n", "R", false, 0, 0, 0, false}, // two crates in a row
        {"#####\n#@$.#\n#####\n", "", false, 0, 0, 0, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.board + c.solution);
        LevelTraits t;
        ASSERT_EQ(traitsOf(Solved(c.board, c.solution), t), c.legal);
        if (!c.legal) continue;
        EXPECT_EQ(t.pushes, c.pushes);
        EXPECT_EQ(t.moves, long(c.solution.size()));
        EXPECT_EQ(t.switches, c.switches);
        EXPECT_EQ(t.turns, c.turns);
        EXPECT_EQ(t.everyCrateMoves, c.everyCrateMoves);
        EXPECT_EQ(t.difficulty(), c.pushes + 2 * c.switches + c.turns);
    }
}

TEST(LevelTraits, SameLevelTurnedMirroredOrWithTheKeeperElsewhere)
{
    // Two levels of the set before this one: the second is the first turned and mirrored.
    const std::string pier = "  ####\n###  #\n# $  #\n#.   #\n#   @#\n######\n";
    const std::string cellar = "#####\n# . #\n#  $##\n#    #\n#@   #\n######\n";
    const std::string keeperMoved = "  ####\n###  #\n# $  #\n#.  @#\n#    #\n######\n";
    const std::string mirrored = "####\n#  ###\n#  $ #\n#   .#\n#@   #\n######\n";
    const std::string crateMoved = "  ####\n###  #\n#  $ #\n#.   #\n#   @#\n######\n";
    // A keeper walled off from where it stood is another level.
    const std::string walledIn = "#######\n#@ $ .#\n#######\n";
    const std::string walledOut = "#######\n# @$ .#\n#######\n";
    const std::string walledBehind = "#######\n# $@ .#\n#######\n";
    const std::string key = sameLevelKey(OnePuzzle(pier));
    EXPECT_EQ(sameLevelKey(OnePuzzle(cellar)), key);
    EXPECT_EQ(sameLevelKey(OnePuzzle(keeperMoved)), key);
    EXPECT_EQ(sameLevelKey(OnePuzzle(mirrored)), key);
    EXPECT_NE(sameLevelKey(OnePuzzle(crateMoved)), key);
    EXPECT_EQ(sameLevelKey(OnePuzzle(walledIn)), sameLevelKey(OnePuzzle(walledOut)));
    EXPECT_NE(sameLevelKey(OnePuzzle(walledIn)), sameLevelKey(OnePuzzle(walledBehind)));
}

TEST(LevelTraits, OutlinesIgnoreWallsInsideTheRoomAndWhatStandsInIt)
{
    const std::string box = "######\n#@   #\n# $. #\n#    #\n######\n";
    const std::string boxWithPillar = "######\n#@   #\n#  # #\n# $. #\n#    #\n######\n";
    const std::string tallerBox = "######\n#@   #\n#    #\n# $. #\n#    #\n######\n";
    const std::string turnedBox = "#####\n#   #\n#@$ #\n#  .#\n#   #\n#####\n";
    const std::string cutCorner = "  ####\n###  #\n# $. #\n#@   #\n######\n";
    const std::string key = outlineKey(OnePuzzle(tallerBox));
    EXPECT_EQ(outlineKey(OnePuzzle(boxWithPillar)), key);
    EXPECT_NE(outlineKey(OnePuzzle(box)), key);
    EXPECT_EQ(outlineKey(OnePuzzle(turnedBox)), outlineKey(OnePuzzle(box)));
    EXPECT_NE(outlineKey(OnePuzzle(cutCorner)), outlineKey(OnePuzzle(box)));
}

// levelkit rate on a collection: a line a level, the idle crate named, the
// ten's figures, and a failed status for a level it cannot rate.
TEST(LevelTraits, RateReportsEachLevelAndTheTen)
{
    const std::string dir = MakeTempFolder();
    WriteTextFile(dir + "/set.txt", "; One\n#####\n#@$.#\n#####\n\n"
                                    "; Idle\n######\n#@$.*#\n######\n; solution: R\n\n"
                                    "; Stuck\n#####\n#@.$#\n#####\n");
    ToolRun run = RunLevelkit("rate " + dir + "/set.txt");
    EXPECT_EQ(run.status, 1);
    for (const char *line : {"level 1: 1 crates, 1 pushes, 1 moves, 0 changes of crate, 0 turns, 1 positions, "
                             "difficulty 1\n",
                             "level 2: 2 crates, 1 pushes, 1 moves, 0 changes of crate, 0 turns, 1 positions, "
                             "difficulty 1, a crate never moves\n",
                             "level 3: no solution to rate\n",
                             "levels 1-2: median/max crates 1/2, pushes 1/1, moves 1/1, positions 1/1, difficulty 1/1\n",
                             "2 room outlines among 2 levels\n"})
        EXPECT_NE(run.out.find(line), std::string::npos) << line << "in\n" << run.out;
    RemoveTree(dir);
}

}  // namespace
