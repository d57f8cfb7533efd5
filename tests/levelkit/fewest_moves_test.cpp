// The fewest moves among the fewest-push solutions: the solver against a
// plain search over single keeper steps on small levels, and what it claims
// when the move pass has too little memory to finish.
#include "tests/levelkit/levelkit_support.h"
#include "tests/support/test_files.h"
#include "tools/levelkit/solver/solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <queue>
#include <tuple>

namespace {

// Pushes, then moves, of the best solution found by trying every keeper step
// in order of (pushes, moves): no push positions, no bound, no deadlocks.
std::pair<long, long> StepByStep(const Puzzle &p)
{
    typedef std::vector<int> State;  // the crates' text cells, sorted, then the keeper's
    typedef std::tuple<long, long, State> Item;
    std::priority_queue<Item, std::vector<Item>, std::greater<Item>> open;
    std::map<State, std::pair<long, long>> seen;
    State start = p.crates;
    start.push_back(p.keeper);
    open.emplace(0, 0, start);
    const int steps[4] = {-1, -p.width, 1, p.width};
    auto floor = [&](int c) { return c >= 0 && c < int(p.cells.size()) && p.cells[c] == Cell::Floor; };
    while (!open.empty()) {
        auto [pushes, moves, s] = open.top();
        open.pop();
        if (seen.count(s)) continue;
        seen[s] = {pushes, moves};
        const size_t k = s.size() - 1;
        if (std::all_of(s.begin(), s.begin() + k, [&](int c) { return bool(p.sites[c]); })) return {pushes, moves};
        for (int d : steps) {
            State t = s;
            int to = s[k] + d;
            if (!floor(to)) continue;
            auto crate = std::find(t.begin(), t.begin() + k, to);
            bool push = crate != t.begin() + k;
            if (push) {
                if (!floor(to + d) || std::count(t.begin(), t.begin() + k, to + d)) continue;
                *crate = to + d;
                std::sort(t.begin(), t.begin() + k);
            }
            t[k] = to;
            if (!seen.count(t)) open.emplace(pushes + push, moves + 1, t);
        }
    }
    return {-1, -1};
}

SolveLimits ExactOnly(size_t bytes)
{
    SolveLimits limits;
    limits.exactShare = 1.0;  // no first look: what is proven is the exact search's alone
    limits.memoryBytes = bytes;
    return limits;
}

TEST(FewestMoves, AgreesWithEveryKeeperStepTriedAndPlaysThroughTheGame)
{
    const char *levels[] = {
        "#####\n#@$.#\n#####\n",
        // The keeper on a site covers it all level: one crate is enough.
        "#####\n#+$.#\n#####\n",
        "######\n#@   #\n# $  #\n#  . #\n######\n",
        // Two orders of the same pushes: the crate nearer the keeper first walks less.
        "##########\n#.$  @ $.#\n##########\n",
        // Over the wall or round it: the same pushes, and one way round is shorter.
        "#########\n#   @   #\n#   $   #\n#  ###  #\n#   .   #\n#########\n",
        // Pushes up, down, left and right, on a board taller than wide.
        "#####\n# . #\n# $ #\n#@  #\n# $.#\n#   #\n#####\n",
        // Wider than tall, two crates that may go either way round.
        "###########\n#   .   . #\n# $  @  $ #\n#         #\n###########\n",
        // A goal room reached through a door: the order of the crates decides the walk.
        "########\n#..#   #\n#  $ $ #\n#   @  #\n########\n",
        // Windows line ends.
        "#######\r\n#@    #\r\n# $$  #\r\n#  .. #\r\n#######\r\n",
        // Three crates, a pillar to walk round.
        "#######\n#. @  #\n# $#$ #\n#  $  #\n#.  . #\n#######\n",
        // The largest the camera takes, 14 x 14 with the walls: the keeper far from the one crate.
        "##############\n#@           #\n#            #\n#   ###      #\n#     $      #\n#            #\n"
        "#      ##    #\n#            #\n#   #        #\n#            #\n#        .   #\n#            #\n"
        "#            #\n##############\n",
        // 14 wide and 5 high, two crates pushed left and right.
        "##############\n#   .    $   #\n# @   ##  $ .#\n#            #\n##############\n",
    };
    for (const char *text : levels) {
        SCOPED_TRACE(text);
        Puzzle p = OnePuzzle(text);
        const std::pair<long, long> best = StepByStep(p);
        ASSERT_GT(best.first, 0);
        SolveResult r = solvePuzzle(p, ExactOnly(size_t(64) << 20));
        ASSERT_EQ(r.status, SolveResult::Solved);
        EXPECT_TRUE(r.pushesOptimal && r.movesOptimal);
        EXPECT_EQ(std::make_pair(r.pushCount, r.moveCount), best);
        EXPECT_EQ(SitesLeftAfter(p, r.moves), 0) << r.moves;
    }
}

// Level 50 of the shipped set, in every memory limit from too little for the
// push search to enough for everything: the moves are called fewest only
// when they are, the tables never pass the limit, and between the two there
// are limits where the push search finishes and the move pass cannot. There
// the solution is the push search's first line, which walks further.
TEST(FewestMoves, ClaimsTheProofOnlyWhenThePassFinishedWithinItsMemory)
{
    std::string err;
    const std::vector<Puzzle> shipped = ParsePuzzles(ReadTextFile(CW_SOURCE_DIR "/data/levels.txt"), err);
    ASSERT_GE(shipped.size(), 50u);
    const Puzzle &p = shipped[49];
    const SolveResult full = solvePuzzle(p, ExactOnly(size_t(64) << 20));
    ASSERT_TRUE(full.movesOptimal);
    EXPECT_EQ(full.moveCount, p.storedMoves);
    int unproven = 0, proven = 0;
    for (size_t kb = 8; kb <= 160; kb += 4) {
        SCOPED_TRACE(std::to_string(kb) + " KB");
        SolveResult r = solvePuzzle(p, ExactOnly(kb << 10));
        EXPECT_LE(r.peakBytes, kb << 10);
        if (r.status != SolveResult::Solved) continue;
        if (r.movesOptimal) {
            ++proven;
            EXPECT_EQ(r.moves.size(), size_t(full.moveCount));
        } else if (r.pushesOptimal) {
            ++unproven;
            EXPECT_EQ(r.pushCount, full.pushCount);
            EXPECT_GT(r.moveCount, full.moveCount) << "the first line found is not the fewest moves";
        }
    }
    EXPECT_GT(unproven, 0);
    EXPECT_GT(proven, 0);
}

}  // namespace
