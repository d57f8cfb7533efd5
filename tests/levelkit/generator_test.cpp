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
const Tier Small = {4, 6, 4, 5, 2, 2, 1, 0, 50000, 1, 1};

bool generate(const Tier &tier, unsigned seed, GeneratedLevel &g)
{
    std::mt19937 random(seed);
    for (int tries = 0; tries < 50; ++tries)
        if (generateLevel(tier, random, g)) return true;
    return false;
}

TEST(Generator, SameSeedSameLevel)
{
    GeneratedLevel a, b;
    ASSERT_TRUE(generate(Small, 9, a) && generate(Small, 9, b));
    EXPECT_EQ(FormatPuzzle(a.puzzle), FormatPuzzle(b.puzzle));
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
        EXPECT_EQ(g.puzzle.solution.size(), size_t(g.puzzle.storedMoves));
        std::string dir = MakeTempFolder();
        ImportAndLoad(g.puzzle, dir);
        EXPECT_EQ(PlayThroughGame(g.puzzle.solution), 0);
        RemoveTree(dir);
    }
    EXPECT_EQ(made, 4);
}

}  // namespace
