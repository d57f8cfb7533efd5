#include "tools/levelkit/solver/solver.h"

#include "tools/levelkit/solver/searches.h"
#include "tools/levelkit/board/cell_graph.h"
#include "tools/levelkit/solver/solver_budget.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr double ProbeShare = 0.1;  // of the time, for the first look for any solution

const char *stopText(Stop s) { return s == Stop::Memory ? "memory limit" : "time limit"; }

void take(SolveResult &r, const SearchOutcome &o)
{
    r.states += o.stored;
    r.expanded += o.expanded;
    r.deadlockPatterns += o.deadlockPatterns;
    if (o.peakBytes > r.peakBytes) r.peakBytes = o.peakBytes;
    if (!o.found) return;
    r.status = SolveResult::Solved;
    r.moves = o.moves;
    r.pushCount = o.pushes;
    r.moveCount = long(o.moves.size());
}

}  // namespace

int cratesNeeded(const Puzzle &p)
{
    std::vector<bool> area = KeeperArea(p);
    int sites = 0;
    for (size_t i = 0; i < area.size(); ++i) sites += area[i] && p.sites[i];
    return sites - (p.keeper >= 0 && p.sites[p.keeper] ? 1 : 0);
}

SolveResult solvePuzzle(const Puzzle &p, const SolveLimits &limits)
{
    SolveResult r;
    Budget clock(limits.seconds, limits.memoryBytes);
    if (std::count(p.cells.begin(), p.cells.end(), Cell::Floor) >= 0xffff) {  // cells are two-byte numbers
        r.status = SolveResult::OutOfMemory;
        r.why = "the level has more floor cells than the solver can number";
        return r;
    }
    CellGraph b(p);
    int needed = cratesNeeded(p);
    if (b.keeper == NoCell || needed < 0 || needed > int(b.crates.size())) {
        r.why = "fewer crates than sites to cover";
        return r;
    }
    b.everyCrateOnSite = needed == int(b.crates.size());
    r.keeperSiteCounted = p.sites[p.keeper];
    // A short look for any solution first: if one turns up, the exact search
    // may spend all the rest of the time on the proof.
    double share = std::min(1.0, std::max(0.0, limits.exactShare));
    SolveResult quick;
    if (share > 0 && share < 1) {
        take(quick, fallbackSearch(b, needed, limits.seconds * ProbeShare, limits.memoryBytes));
        r.states = quick.states;
        r.expanded = quick.expanded;
        r.peakBytes = quick.peakBytes;
    }
    Stop stopped = Stop::Time;
    if (share > 0) {
        double pushSeconds = quick.status == SolveResult::Solved ? limits.seconds : limits.seconds * share;
        SearchOutcome exact = exactSearch(b, needed, pushSeconds - clock.seconds(), limits.seconds - clock.seconds(),
                                          limits.memoryBytes);
        take(r, exact);
        if (exact.stop == Stop::None) {
            r.pushesOptimal = exact.found;
            r.movesOptimal = exact.movesOptimal;
            if (!exact.found) r.why = "no solution: every reachable position was searched";
            r.seconds = clock.seconds();
            return r;
        }
        stopped = exact.stop;
        char buf[120];
        std::snprintf(buf, sizeof buf, "the exact search reached its %s after %.1f s", stopText(exact.stop),
                      clock.seconds());
        r.why = buf;
    }
    if (quick.status == SolveResult::Solved) {
        r.status = SolveResult::Solved;
        r.moves = quick.moves;
        r.moveCount = quick.moveCount;
        r.pushCount = quick.pushCount;
    }
    double left = limits.seconds - clock.seconds();
    if (r.status != SolveResult::Solved && left > 0) {
        SearchOutcome fallback = fallbackSearch(b, needed, left, limits.memoryBytes);
        take(r, fallback);
        if (!fallback.found) {
            stopped = fallback.stop == Stop::None ? Stop::Time : fallback.stop;
            r.why += std::string(r.why.empty() ? "" : "; ") +
                     (fallback.stop == Stop::None ? "the fallback search tried every position it allows"
                                                  : std::string("the fallback search reached its ") +
                                                        stopText(fallback.stop));
        }
    }
    if (r.status != SolveResult::Solved)
        r.status = stopped == Stop::Memory ? SolveResult::OutOfMemory : SolveResult::Timeout;
    r.seconds = clock.seconds();
    return r;
}

std::string solveFigures(const SolveResult &r)
{
    char buf[400];
    const char *proof = r.status != SolveResult::Solved ? ""
                        : !r.pushesOptimal              ? " (not proven fewest pushes)"
                        : !r.movesOptimal               ? " (moves not proven fewest)"
                                                        : "";
    std::snprintf(buf, sizeof buf, "%ld moves, %ld pushes%s; %zu positions, %zu expanded, %.3f s, %.1f MB",
                  r.moveCount, r.pushCount, proof, r.states, r.expanded, r.seconds, r.peakBytes / 1048576.0);
    std::string s = buf;
    if (r.status == SolveResult::Solved && r.keeperSiteCounted)
        s += "; relies on the keeper's starting site counting as covered";
    if (!r.why.empty() && !(r.status == SolveResult::Solved && r.pushesOptimal)) s += "; " + r.why;
    return s;
}
