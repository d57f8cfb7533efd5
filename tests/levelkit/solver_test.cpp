// The solver on the shipped levels whose lengths were proven when the set was
// made, on levels that cannot be solved, and against its limits (the fewest
// moves on small levels are in fewest_moves_test.cpp).
#include "tests/levelkit/levelkit_support.h"
#include "tests/support/test_files.h"
#include "tools/levelkit/levels/game_bridge.h"
#include "tools/levelkit/solver/solver.h"

#include <gtest/gtest.h>

namespace {

// The first sixty shipped levels solve quickly: the solver finds again the
// lengths their stored solutions were proven to have.
TEST(Solver, FindsTheStoredLengthsOfTheFirstSixtyShippedLevels)
{
    std::string err;
    const std::vector<Puzzle> levels = ParsePuzzles(ReadTextFile(CW_SOURCE_DIR "/data/levels.txt"), err);
    ASSERT_GE(levels.size(), 60u);
    for (size_t i = 0; i < 60; ++i) {
        SolveResult r = solvePuzzle(levels[i], SolveLimits{});
        EXPECT_EQ(std::vector<long>({r.pushCount, r.moveCount}),
                  std::vector<long>({levels[i].storedPushes, levels[i].storedMoves}))
            << "level " << i + 1 << ": " << r.why;
    }
}

TEST(Solver, ProvesDeadlockedLevelsUnsolvableAndStopsAtItsLimits)
{
    for (const char *level : {
             "#####\n#$ .#\n# @ #\n#####\n",                                  // crate in a corner
             "#######\n#  $$ #\n#  @  #\n#..   #\n#######\n",                  // two crates side by side on a wall
             "#######\n#.@$  #\n#######\n",                                    // the site behind the keeper
             "#######\n#     #\n# $$  #\n# $$@ #\n# ... #\n#    .#\n#######\n",  // a square of four
         }) {
        SolveResult r = solvePuzzle(OnePuzzle(level), SolveLimits{});
        EXPECT_EQ(r.status, SolveResult::NoSolution) << level;
        EXPECT_EQ(r.moves, "");
    }
    Puzzle p = OnePuzzle("##########\n#.$  @ $.#\n##########\n");
    SolveLimits noTime, noMemory;
    noTime.seconds = 1e-9;
    noMemory.memoryBytes = 16;
    EXPECT_EQ(solvePuzzle(p, noTime).status, SolveResult::Timeout);
    EXPECT_EQ(solvePuzzle(p, noMemory).status, SolveResult::OutOfMemory);
}

TEST(Solver, SolveCommandPrintsLettersKeysAndVerdicts)
{
    std::string dir = MakeTempFolder();
    WriteTextFile(dir + "/set.txt", "; Easy\n#####\n#@$.#\n#####\n\n; Stuck\n#####\n#$ .#\n# @ #\n#####\n");
    ToolRun run = RunLevelkit("solve " + dir + "/set.txt --time-limit 5");
    EXPECT_EQ(run.status, 1);  // one level has no solution
    EXPECT_EQ(run.out, "; Easy\nR\n; keys: 6\n; length: 1 moves, 1 pushes\n; Stuck\nno solution\n");
    EXPECT_EQ(keysFor("lurdLURD"), "42684268");  // the digits of the keys that make each move
    WriteTextFile(dir + "/one.txt", "#####\n#@$.#\n#####\n");
    EXPECT_EQ(RunLevelkit("solve " + dir + "/one.txt").status, 0);
    RemoveTree(dir);
}

}  // namespace
