// The solver on small levels whose optimal solutions were worked out by hand,
// on levels that cannot be solved, and against its limits. Every solution it
// gives is played through the game's own rules.
#include "tests/levelkit/levelkit_support.h"
#include "tests/support/test_files.h"
#include "tools/levelkit/solver.h"

#include <gtest/gtest.h>

namespace {

struct Known {
    const char *name;
    const char *level;
    long pushes, moves;
};

// Worked by hand: the fewest pushes, then the fewest moves with them.
const Known KnownLevels[] = {
    // One push to the right.
    {"single push", "#####\n#@$.#\n#####\n", 1, 1},
    // Two crates, two pushes; the near one first costs a longer walk back:
    // r R then llll L is 7 moves, the left crate first is 8.
    {"order of pushes", "##########\n#.$  @ $.#\n##########\n", 2, 7},
    // Down and right by one each: two pushes, and either order walks 3 steps.
    {"corner turn", "######\n#@   #\n# $  #\n#  . #\n######\n", 2, 5},
    // The keeper starts on a site, which the game counts as covered all level:
    // one crate on the other site is enough.
    {"keeper on a site", "#####\n#+$.#\n#####\n", 1, 1},
    // The crate goes round the wall below it: two pushes aside, two down, two
    // back, with two steps of walking before each pair (rdLLulDDldRR).
    {"around a wall", "#########\n#   @   #\n#   $   #\n#  ###  #\n#   .   #\n#########\n", 6, 12},
};

TEST(Solver, FindsTheKnownOptimum)
{
    for (const Known &k : KnownLevels) {
        SCOPED_TRACE(k.name);
        Puzzle p = OnePuzzle(k.level);
        SolveResult r = solvePuzzle(p, SolveLimits{});
        ASSERT_EQ(r.status, SolveResult::Solved);
        EXPECT_EQ(r.pushCount, k.pushes);
        EXPECT_EQ(r.moveCount, k.moves);
        EXPECT_EQ(long(r.moves.size()), r.moveCount);
        EXPECT_TRUE(r.movesOptimal);
        std::string dir = MakeTempFolder();
        ImportAndLoad(p, dir);
        EXPECT_EQ(PlayThroughGame(r.moves), 0) << r.moves;
        RemoveTree(dir);
    }
}

TEST(Solver, ProvesDeadlockedAndUnreachableLevelsUnsolvable)
{
    const char *const unsolvable[] = {
        // crate in a corner off its site
        "#####\n#$ .#\n# @ #\n#####\n",
        // two crates side by side against a wall
        "#######\n#  $$ #\n#  @  #\n#..   #\n#######\n",
        // the site is behind the keeper and the crate fills the corridor
        "#######\n#.@$  #\n#######\n",
        // a square of four crates, three sites
        "#######\n#     #\n# $$  #\n# $$@ #\n# ... #\n#    .#\n#######\n",
    };
    for (const char *level : unsolvable) {
        SCOPED_TRACE(level);
        SolveResult r = solvePuzzle(OnePuzzle(level), SolveLimits{});
        EXPECT_EQ(r.status, SolveResult::NoSolution);
        EXPECT_EQ(r.moves, "");
    }
}

TEST(Solver, StopsAtItsLimits)
{
    Puzzle p = OnePuzzle("##########\n#.$  @ $.#\n##########\n");
    SolveLimits noTime;
    noTime.seconds = 1e-9;
    EXPECT_EQ(solvePuzzle(p, noTime).status, SolveResult::Timeout);
    SolveLimits noMemory;
    noMemory.memoryBytes = 16;
    EXPECT_EQ(solvePuzzle(p, noMemory).status, SolveResult::OutOfMemory);
}

TEST(Solver, SolveCommandPrintsLettersKeysAndVerdicts)
{
    std::string dir = MakeTempFolder();
    WriteTextFile(dir + "/set.txt", "; Easy\n#####\n#@$.#\n#####\n\n; Stuck\n#####\n#$ .#\n# @ #\n#####\n");
    ToolRun run = RunLevelkit("solve " + dir + "/set.txt --time-limit 5");
    EXPECT_EQ(run.status, 1);  // one level has no solution
    EXPECT_EQ(run.out, "; Easy\nR\n; keys: 6\n; Stuck\nno solution\n");
    WriteTextFile(dir + "/one.txt", "; Turn\n######\n#@   #\n# $  #\n#  . #\n######\n");
    run = RunLevelkit("solve " + dir + "/one.txt");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("; keys: "), std::string::npos);
    RemoveTree(dir);
}

}  // namespace
