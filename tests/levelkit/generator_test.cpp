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

TEST(Generator, DepthIsTheOptimumTheSolutionPlaysAndASeedGivesOneLevel)
{
    std::mt19937 random(5), again(5);
    int made = 0;
    for (int tries = 0; tries < 200 && made < 4; ++tries) {
        GeneratedLevel g, same;
        const bool ok = generateLevel(Small, random, g);
        EXPECT_EQ(generateLevel(Small, again, same), ok);
        if (!ok) continue;
        ++made;
        SCOPED_TRACE(FormatBoard(g.puzzle));
        EXPECT_EQ(FormatPuzzle(same.puzzle), FormatPuzzle(g.puzzle));
        EXPECT_EQ(g.puzzle.storedPushes, g.pulls);
        EXPECT_EQ(g.puzzle.crates.size(), 2u);
        EXPECT_FALSE(g.puzzle.sites[g.puzzle.keeper]);
        // The solver, run afresh on the level as stored, agrees.
        SolveResult r = solvePuzzle(g.puzzle, SolveLimits{});
        EXPECT_EQ(std::vector<long>({r.pushCount, r.moveCount, long(g.puzzle.solution.size())}),
                  std::vector<long>({g.puzzle.storedPushes, g.puzzle.storedMoves, g.puzzle.storedMoves}));
        std::string dir = MakeTempFolder();
        ImportAndLoad(g.puzzle, dir);
        EXPECT_EQ(PlayThroughGame(g.puzzle.solution), 0);
        RemoveTree(dir);
    }
    EXPECT_EQ(made, 4);
}

}  // namespace
