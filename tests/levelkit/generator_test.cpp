// Generated levels, pulled, spread or in warehouses: the pull search's depth is
// the optimal push count, every crate moves, the stored solution solves the
// level through the game, and a seed always makes the same level.
#include "tests/levelkit/levelkit_support.h"
#include "tests/support/test_files.h"
#include "tools/levelkit/board/cell_graph.h"
#include "tools/levelkit/generator/generator.h"
#include "tools/levelkit/generator/warehouse.h"
#include "tools/levelkit/solver/solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <iterator>

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
            EXPECT_EQ(SitesLeftAfter(g.puzzle, g.puzzle.solution), 0);
        }
        EXPECT_EQ(made, 4);
    }
}

// Warehouse levels, checked from their text alone: the shape, the goal room
// with every site and its doors, crates that can reach a site and none on one,
// and the stored solution (the pulls of the construction played back) solving
// the level through the game's own loader and move rules.
TEST(Warehouse, EachSeedGivesItsOwnLevelsOfTheShapeThatTheirSolutionSolves)
{
    struct Bound {
        const char *what;
        int low, high;
    };
    std::vector<std::string> texts;
    for (unsigned seed : {3u, 5u}) {
        std::vector<WarehouseLevel> set = warehouseSet(2, seed);
        ASSERT_EQ(set.size(), 2u) << "seed " << seed;
        std::string text;
        for (const WarehouseLevel &w : set) text += FormatPuzzle(w.puzzle);
        texts.push_back(text);
        for (size_t n = 0; n < set.size(); ++n) {
            const WarehouseLevel &w = set[n];
            const Puzzle &p = w.puzzle;
            SCOPED_TRACE("seed " + std::to_string(seed) + "\n" + FormatBoard(p));
            // Two levels share the range of crates out, fewer first.
            const int crates = int(p.crates.size());
            const Bound bounds[] = {
                {"columns", 15, 20},
                {"rows", 10, 17},
                {"crates", n == 0 ? 10 : 22, n == 0 ? 21 : 34},
                {"sites", crates, crates},
                {"doors", 1, 2},
            };
            const int figures[] = {p.width, p.height, crates, p.siteCount(), w.doors};
            for (size_t i = 0; i < std::size(bounds); ++i) {
                EXPECT_GE(figures[i], bounds[i].low) << bounds[i].what;
                EXPECT_LE(figures[i], bounds[i].high) << bounds[i].what;
            }
            // The goal room: all floor with every site, its ring wall but for the doors (never its corners).
            int openings = 0;
            for (int r = w.goalTop - 1; r <= w.goalBottom + 1; ++r)
                for (int c = w.goalLeft - 1; c <= w.goalRight + 1; ++c) {
                    const bool inside = r >= w.goalTop && r <= w.goalBottom && c >= w.goalLeft && c <= w.goalRight;
                    const bool corner = (r < w.goalTop || r > w.goalBottom) && (c < w.goalLeft || c > w.goalRight);
                    const bool floor = p.cells[p.index(r, c)] == Cell::Floor;
                    EXPECT_TRUE(!inside || floor) << r << "," << c;
                    EXPECT_FALSE(corner && floor) << r << "," << c;
                    openings += !inside && floor;
                }
            EXPECT_EQ(openings, w.doors);
            for (int i = 0; i < int(p.sites.size()); ++i)
                if (p.sites[i]) {
                    const int r = i / p.width, c = i % p.width;
                    EXPECT_TRUE(r >= w.goalTop && r <= w.goalBottom && c >= w.goalLeft && c <= w.goalRight) << i;
                }
            CellGraph g(p);
            for (CellId c : g.crates) EXPECT_FALSE(g.dead[c] || g.site[c]) << "crate on cell " << c;
            EXPECT_EQ(g.crates.size(), p.crates.size());  // every crate in the keeper's area
            EXPECT_FALSE(p.sites[p.keeper]);
            EXPECT_FALSE(p.pushesProven);
            EXPECT_EQ(p.storedPushes, std::count_if(p.solution.begin(), p.solution.end(), ::isupper));
            EXPECT_GE(p.storedPushes, 4 * crates);
            EXPECT_EQ(SitesLeftAfter(p, p.solution, false), 0);
        }
    }
    EXPECT_NE(texts[0], texts[1]);
    // The command writes the same levels for the same seed, every time, and reads back as they were.
    ToolRun run = RunLevelkit("generate --warehouse --count 2 --seed 5");
    EXPECT_EQ(run.status, 0) << run.err;
    std::string err;
    std::vector<Puzzle> back = ParsePuzzles(run.out, err);
    EXPECT_EQ(err, "");
    std::string again;
    for (const Puzzle &p : back) again += FormatPuzzle(p);
    EXPECT_EQ(again, texts[1]);
    EXPECT_NE(run.out.find("--warehouse --count 2 --seed 5"), std::string::npos);
    // A command line it cannot follow gets the usage, with the warehouse line, and status 2.
    for (const char *wrong : {"--warehouse --stress", "--warehouse --count 0", "--warehouse --count 1001",
                              "--warehouse --seed"}) {
        run = RunLevelkit(std::string("generate ") + wrong);
        EXPECT_EQ(run.status, 2) << wrong;
        EXPECT_NE(run.err.find("levelkit generate --warehouse [--count N] [--seed S] [--out FILE]"),
                  std::string::npos) << wrong;
    }
}

}  // namespace
