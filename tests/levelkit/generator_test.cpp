// Generated levels: the pull search's depth is the optimal push count, the
// stored solution solves the level through the game, and a seed always makes
// the same level.
#include "tests/levelkit/levelkit_support.h"
#include "tests/support/test_files.h"
#include "tools/levelkit/generator.h"
#include "tools/levelkit/solver.h"

#include <gtest/gtest.h>

namespace {

// width  height  crates  blocks  pulls  budget  wanted  tries
const Tier Lesson = {3, 3, 1, 1, 1, 1, 0, 1, 1000, 1, 0};
const Tier Small = {4, 6, 4, 5, 2, 2, 1, 0, 50000, 1, 1};

TEST(Generator, LessonIsOnePush)
{
    std::mt19937 random(3);
    GeneratedLevel g;
    for (int tries = 0; tries < 50 && !generateLevel(Lesson, random, g); ++tries) {}
    EXPECT_EQ(g.puzzle.storedPushes, 1);
    EXPECT_EQ(g.puzzle.crates.size(), 1u);
    EXPECT_EQ(g.puzzle.solution.size(), size_t(g.puzzle.storedMoves));
}

TEST(Generator, DepthIsTheOptimumAndTheSolutionPlays)
{
    std::mt19937 random(5);
    int made = 0;
    for (int tries = 0; tries < 200 && made < 4; ++tries) {
        GeneratedLevel g;
        if (!generateLevel(Small, random, g)) continue;
        ++made;
        SCOPED_TRACE(FormatBoard(g.puzzle));
        EXPECT_EQ(g.puzzle.storedPushes, g.pulls);
        EXPECT_EQ(g.puzzle.crates.size(), 2u);
        EXPECT_FALSE(g.puzzle.sites[g.puzzle.keeper]);
        // The solver, run afresh on the level as stored, agrees.
        SolveResult r = solvePuzzle(g.puzzle, SolveLimits{});
        EXPECT_EQ(r.pushCount, g.puzzle.storedPushes);
        EXPECT_EQ(r.moveCount, g.puzzle.storedMoves);
        std::string dir = MakeTempFolder();
        ImportAndLoad(g.puzzle, dir);
        EXPECT_EQ(PlayThroughGame(g.puzzle.solution), 0);
        RemoveTree(dir);
    }
    EXPECT_EQ(made, 4);
}

TEST(Generator, SameSeedSameLevel)
{
    std::mt19937 a(9), b(9);
    GeneratedLevel ga, gb;
    bool madeA = false, madeB = false;
    for (int i = 0; i < 50 && !madeA; ++i) madeA = generateLevel(Small, a, ga);
    for (int i = 0; i < 50 && !madeB; ++i) madeB = generateLevel(Small, b, gb);
    ASSERT_TRUE(madeA && madeB);
    EXPECT_EQ(FormatPuzzle(ga.puzzle), FormatPuzzle(gb.puzzle));
}

}  // namespace
