// Generated levels, pulled or spread: the pull search's depth is the optimal
// push count, every crate moves, the stored solution solves the level through
// the game, and a seed always makes the same level.
#include "tests/levelkit/levelkit_support.h"
#include "tests/support/test_files.h"
#include "tools/levelkit/generator/generator.h"
#include "tools/levelkit/solver/solver.h"

#include <gtest/gtest.h>

namespace {

// width  height  crates  blocks  pulls  budget  wanted  tries  bound
const Tier Tiers[] = {
    {4, 6, 4, 5, 2, 2, 1, 0, 50000, 1, 1},
    {5, 6, 5, 6, 2, 2, 1, 0, 0, 1, 1, 8},  // spread crates
};

TEST(Generator, DepthIsTheOptimumTheSolutionPlaysAndASeedGivesOneLevel)
{
    for (const Tier &tier : Tiers) {
        SCOPED_TRACE(tier.stateBudget > 0 ? "pulled" : "spread");
        std::mt19937 random(5), again(5);
        int made = 0;
        for (int tries = 0; tries < 200 && made < 4; ++tries) {
            GeneratedLevel g, same;
            const bool ok = generateLevel(tier, random, g);
            EXPECT_EQ(generateLevel(tier, again, same), ok);
            if (!ok) continue;
            ++made;
            SCOPED_TRACE(FormatBoard(g.puzzle));
            EXPECT_EQ(FormatPuzzle(same.puzzle), FormatPuzzle(g.puzzle));
            EXPECT_TRUE(tier.stateBudget == 0 || g.puzzle.storedPushes == g.pulls) << g.pulls << " pulls";
            EXPECT_TRUE(g.traits.everyCrateMoves);
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
}

}  // namespace
