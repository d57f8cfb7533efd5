#include "tools/levelkit/solver/solver.h"

#include "tools/levelkit/solver/packing_plan.h"
#include "tools/levelkit/solver/searches.h"
#include "tools/levelkit/board/cell_graph.h"
#include "tools/levelkit/solver/solver_budget.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>

namespace {

constexpr double ProbeShare = 0.1;    // of the time, for the first look for any solution
constexpr double FeatureShare = 0.5;  // of the time after the exact search, for the feature search
constexpr size_t MostSharedBytes = size_t(16) << 20;  // for the lost patterns the searches share

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

// What every search of one level is given: the board, the crates needed, its
// memory and the table of lost patterns the searches share.
struct Level {
    const CellGraph &b;
    int needed;
    size_t memory;
    LearntDeadlocks *learnt;
};

// Adds the counts of an earlier search of the same thread to o.
void countIn(SearchOutcome &o, const SearchOutcome &earlier)
{
    o.stored += earlier.stored;
    o.expanded += earlier.expanded;
    o.deadlockPatterns += earlier.deadlockPatterns;
    o.peakBytes = std::max(o.peakBytes, earlier.peakBytes);
}

// The searches for any solution, after the exact one or beside it: the
// feature search first, for levels with a goal room to fill in order and
// crates parked in corridors, then the fallback, which is far quicker on open
// levels whose crates go to their sites nearly one by one.
SearchOutcome lookFor(const Level &l, double seconds, const std::atomic<bool> *stop = nullptr)
{
    Budget clock(seconds, l.memory);
    SearchOutcome feature = featureSearch(l.b, l.needed, seconds * FeatureShare, l.memory, l.learnt, stop);
    if (feature.found || feature.stop == Stop::None || (stop && *stop)) return feature;
    SearchOutcome fallback = fallbackSearch(l.b, l.needed, seconds - clock.seconds(), l.memory, l.learnt, stop);
    countIn(fallback, feature);
    return fallback;
}

std::string exactStopped(Stop s, double seconds)
{
    char buf[120];
    std::snprintf(buf, sizeof buf, "the exact search reached its %s after %.1f s", stopText(s), seconds);
    return buf;
}

std::string lookStopped(Stop s)
{
    return s == Stop::None ? "the feature and the fallback search tried every position they allow"
                           : std::string("the fallback search reached its ") + stopText(s);
}

// The exact search's verdict in r; true when it settles the level.
bool exactVerdict(SolveResult &r, const SearchOutcome &exact, double seconds)
{
    take(r, exact);
    if (exact.stop != Stop::None) {
        r.why = exactStopped(exact.stop, seconds);
        return false;
    }
    r.pushesOptimal = exact.found;
    r.movesOptimal = exact.movesOptimal;
    if (!exact.found) r.why = "no solution: every reachable position was searched";
    return true;
}

// Two threads, the exact search on this one, on the other the first look and
// the searches for any solution, each with the whole time on its own CPU clock
// and half the memory. The exact search ends the other when it settles the level; a
// solution the other finds does not end the exact search, which may still
// prove the fewest pushes.
void sideBySide(SolveResult &r, const Level &l, const SolveLimits &limits)
{
    std::atomic<bool> exactDone{false};
    SearchOutcome look;
    double lookSeconds = 0;
    std::thread other([&] {
        Budget clock(limits.seconds, l.memory);
        look = fallbackSearch(l.b, l.needed, limits.seconds * ProbeShare, l.memory, l.learnt, &exactDone);
        if (!look.found && !exactDone) {
            SearchOutcome probe = look;
            look = lookFor(l, limits.seconds - clock.seconds(), &exactDone);
            countIn(look, probe);
        }
        lookSeconds = clock.seconds();
    });
    Budget clock(limits.seconds, l.memory);
    SearchOutcome exact = exactSearch(l.b, l.needed, limits.seconds, limits.seconds, l.memory, l.learnt);
    // Only a settled level ends the other search: stopped by memory, the
    // exact search leaves it its chance.
    exactDone = exact.stop == Stop::None;
    other.join();
    bool settled = exactVerdict(r, exact, clock.seconds());
    size_t exactPeak = r.peakBytes;
    if (exact.found) {  // proven fewest pushes: the other's solution is not wanted
        r.states += look.stored;
        r.expanded += look.expanded;
    } else {
        take(r, look);
    }
    r.peakBytes = exactPeak + look.peakBytes;
    if (r.status != SolveResult::Solved && !settled) {
        r.why += "; " + lookStopped(look.stop);
        Stop last = look.stop == Stop::None ? exact.stop : look.stop;
        r.status = last == Stop::Memory ? SolveResult::OutOfMemory : SolveResult::Timeout;
    }
    r.seconds = std::max(clock.seconds(), lookSeconds);
}

// One thread: a short first look for any solution (if one turns up, the exact
// search may spend all the rest of the time on the proof), the exact search
// for its share, then the searches for any solution for the rest.
void oneAfterAnother(SolveResult &r, const Level &l, const SolveLimits &limits, double share)
{
    Budget clock(limits.seconds, l.memory);
    SolveResult quick;
    if (share > 0 && share < 1) {
        take(quick, fallbackSearch(l.b, l.needed, limits.seconds * ProbeShare, l.memory, l.learnt));
        r.states = quick.states;
        r.expanded = quick.expanded;
        r.peakBytes = quick.peakBytes;
    }
    Stop stopped = Stop::Time;
    if (share > 0) {
        double pushSeconds = quick.status == SolveResult::Solved ? limits.seconds : limits.seconds * share;
        SearchOutcome exact = exactSearch(l.b, l.needed, pushSeconds - clock.seconds(),
                                          limits.seconds - clock.seconds(), l.memory, l.learnt);
        if (exactVerdict(r, exact, clock.seconds())) {
            r.seconds = clock.seconds();
            return;
        }
        stopped = exact.stop;
    }
    if (quick.status == SolveResult::Solved) {
        r.status = SolveResult::Solved;
        r.moves = quick.moves;
        r.moveCount = quick.moveCount;
        r.pushCount = quick.pushCount;
    }
    double left = limits.seconds - clock.seconds();
    if (r.status != SolveResult::Solved && left > 0) {
        SearchOutcome rest = lookFor(l, left);
        take(r, rest);
        if (!rest.found) {
            stopped = rest.stop == Stop::None ? Stop::Time : rest.stop;
            r.why += (r.why.empty() ? "" : "; ") + lookStopped(rest.stop);
        }
    }
    if (r.status != SolveResult::Solved)
        r.status = stopped == Stop::Memory ? SolveResult::OutOfMemory : SolveResult::Timeout;
    r.seconds = clock.seconds();
}

SolveResult solveWith(const Puzzle &p, const SolveLimits &limits, bool keepPatterns,
                      std::vector<LearntDeadlocks::Pattern> *patterns, std::vector<int> *textOfCell)
{
    SolveResult r;
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
    double share = std::min(1.0, std::max(0.0, limits.exactShare));
    bool two = limits.threads > 1 && share > 0 && share < 1;
    // The exact search alone shares with nobody: it keeps all the memory.
    size_t sharedBytes = share > 0 && share < 1 ? std::min(MostSharedBytes, limits.memoryBytes / 16) : 0;
    LearntDeadlocks learnt(sharedBytes);
    if (keepPatterns) learnt.keepPatterns();
    size_t memory = limits.memoryBytes - sharedBytes;
    Level level{b, needed, two ? memory / 2 : memory, sharedBytes ? &learnt : nullptr};
    if (two) sideBySide(r, level, limits);
    else oneAfterAnother(r, level, limits, share);
    if (patterns) *patterns = learnt.patterns();
    if (textOfCell) *textOfCell = b.textIndex;
    return r;
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
    return solveWith(p, limits, false, nullptr, nullptr);
}

std::vector<int> packingOrder(const Puzzle &p)
{
    CellGraph b(p);
    std::vector<int> order;
    for (int c : makePackingPlan(b, b.keeper).order) order.push_back(b.textIndex[c]);
    return order;
}

std::vector<LostPattern> learntDeadlocks(const Puzzle &p, const SolveLimits &limits)
{
    std::vector<LearntDeadlocks::Pattern> found;
    std::vector<int> textOf;
    solveWith(p, limits, true, &found, &textOf);
    std::vector<LostPattern> out;
    for (const LearntDeadlocks::Pattern &f : found) {
        LostPattern lp{p, textOf[f.corral]};
        lp.position.crates.clear();
        for (CellId c : f.crates) lp.position.crates.push_back(textOf[c]);
        std::sort(lp.position.crates.begin(), lp.position.crates.end());
        lp.position.keeper = textOf[f.keeper];
        lp.position.solution.clear();
        out.push_back(lp);
    }
    return out;
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
