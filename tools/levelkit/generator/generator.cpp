#include "tools/levelkit/generator/generator.h"

#include "tools/levelkit/board/cell_graph.h"
#include "tools/levelkit/generator/rooms.h"
#include "tools/levelkit/generator/scatter.h"
#include "tools/levelkit/levels/map_writer.h"
#include "tools/levelkit/solver/solver.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>

// The solver's limits here. Memory stops a search that cannot finish, so a
// seed makes the same set on any machine; the time only guards against a
// level that would take all night.
constexpr size_t SolverMemory = size_t(512) << 20;
constexpr double SolverSeconds = 900.0;

SolveResult solveExactly(const Puzzle &p)
{
    SolveLimits limits;
    limits.seconds = SolverSeconds;
    limits.memoryBytes = SolverMemory;
    limits.exactShare = 1.0;  // a level is kept only with its proven fewest pushes
    return solvePuzzle(p, limits);
}

namespace {

// Keeps the solved level when it earns its place: every crate moves, and the
// camera shows it at both screen shapes.
bool keep(Puzzle p, const SolveResult &r, GeneratedLevel &out)
{
    if (r.status != SolveResult::Solved || !r.pushesOptimal) return false;
    p = tidyPuzzle(p);
    p.solution = r.moves;
    p.storedMoves = r.moveCount;
    p.storedPushes = r.pushCount;
    LevelTraits traits;
    std::string map, why;
    if (!traitsOf(p, traits) || !traits.everyCrateMoves || !writeMapText(p, map, why)) return false;
    out.puzzle = p;
    out.traits = traits;
    out.positions = r.expanded;
    out.movesProven = r.movesOptimal;
    return true;
}

// Crates from the deepest layer of the pull search.
bool pulledLevel(const Tier &t, std::mt19937 &random, GeneratedLevel &out)
{
    int crates = std::uniform_int_distribution<int>(t.minCrates, t.maxCrates)(random);
    Puzzle room = makeRoom(t, random);
    if (!roomIsGood(room, crates)) return false;
    CellGraph b(room);
    // Sites where a crate can be pulled off at least one way.
    std::vector<int> candidates;
    for (int c = 0; c < b.cellCount; ++c)
        for (int d = 0; d < DirectionCount; ++d)
            if (b.next[c][d] != NoCell && b.next[b.next[c][d]][d] != NoCell) {
                candidates.push_back(c);
                break;
            }
    if (int(candidates.size()) < crates) return false;
    std::shuffle(candidates.begin(), candidates.end(), random);
    std::vector<CellId> goals(candidates.begin(), candidates.begin() + crates);
    std::sort(goals.begin(), goals.end());
    PullLayer deepest = deepestPulls(b, goals, t.maxPulls, t.stateBudget);
    const int depth = deepest.depth;
    if (deepest.count() == 0 || depth == 0) return false;
    // A few of the deepest positions, each with the keeper somewhere in its
    // area; the one with the longest optimal walk wins.
    bool found = false;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const CellId *s = deepest.at(std::uniform_int_distribution<size_t>(0, deepest.count() - 1)(random));
        Puzzle p = room;
        for (int g : goals) p.sites[b.textIndex[g]] = true;
        p.crates.clear();
        for (int j = 0; j < crates; ++j) p.crates.push_back(b.textIndex[s[j]]);
        std::sort(p.crates.begin(), p.crates.end());
        std::vector<uint8_t> occupied(b.cellCount, 0);
        for (int j = 0; j < crates; ++j) occupied[s[j]] = 1;
        Reach reach(b.cellCount);
        reach.flood(b, occupied, s[crates]);
        std::vector<int> spots;
        for (int c = 0; c < b.cellCount; ++c)
            if (reach.reached(c) && !std::binary_search(goals.begin(), goals.end(), CellId(c))) spots.push_back(c);
        if (spots.empty()) continue;
        int spot = spots[std::uniform_int_distribution<size_t>(0, spots.size() - 1)(random)];
        if (attempt == 2) {
            // Once, the keeper starts as far from every crate as its area allows.
            int best = -1;
            for (int c : spots) {
                int near = 1 << 20, tc = b.textIndex[c];
                for (int j = 0; j < crates; ++j) {
                    int tj = b.textIndex[s[j]];
                    near = std::min(near, std::abs(tc / p.width - tj / p.width) + std::abs(tc % p.width - tj % p.width));
                }
                if (near > best) best = near, spot = c;
            }
        }
        p.keeper = b.textIndex[spot];
        SolveResult r = solveExactly(p);
        if (r.status == SolveResult::Solved && r.pushCount != depth) {
            std::fprintf(stderr, "generator: pull depth %d but solver %ld pushes\n%s; solution: %s\n", depth,
                         r.pushCount, FormatBoard(p).c_str(), r.moves.c_str());
            continue;
        }
        GeneratedLevel g;
        if (!r.movesOptimal || !keep(p, r, g)) continue;
        if (!found || g.puzzle.storedMoves > out.puzzle.storedMoves) {
            out = g;
            out.pulls = depth;
            found = true;
        }
    }
    return found;
}

// Crates spread far from their sites, when they need pushes enough.
bool spreadLevelSolved(const Tier &t, std::mt19937 &random, GeneratedLevel &out)
{
    Puzzle p;
    if (!spreadLevel(t, random, p)) return false;
    CellGraph b(p);
    CrateBound bound(b, int(b.crates.size()));
    if (bound.pushes(b.crates.data()) < t.minBound) return false;
    return keep(p, solveExactly(p), out);
}

}  // namespace

bool generateLevel(const Tier &t, std::mt19937 &random, GeneratedLevel &out)
{
    return t.stateBudget > 0 ? pulledLevel(t, random, out) : spreadLevelSolved(t, random, out);
}

