#include "tools/levelkit/solver.h"

#include "tools/levelkit/solver_board.h"
#include "tools/levelkit/state_table.h"

#include <algorithm>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;
constexpr uint16_t Unreached = 0xffff;
constexpr unsigned CheckEvery = 256;  // expansions between looks at the clock

enum class Stop { None, Time, Memory };

struct Push {
    int crate;  // index in the parent's sorted crate list
    int from;   // crate cell before the push
    int dir;
    int keeperCell;  // where the keeper stands to push
};

class Expander {
public:
    Expander(const SolverBoard &b, int crates)
        : b_(b), k_(crates), occupied_(b.cellCount, 0), parentReach_(b.cellCount), childReach_(b.cellCount),
          child_(crates + 1)
    {
    }

    const Reach &reach() const { return parentReach_; }

    // Calls f(child, push) for every push from state s that is not a deadlock;
    // child's last cell is the keeper's normalised cell. keeperCell is where
    // the keeper stands in s (the normalised cell will do for the push search).
    template <class F> void forEachPush(const CellId *s, int keeperCell, F f)
    {
        for (int i = 0; i < k_; ++i) occupied_[s[i]] = 1;
        parentReach_.flood(b_, occupied_, keeperCell);
        for (int i = 0; i < k_; ++i) {
            int c = s[i];
            for (int d = 0; d < DirectionCount; ++d) {
                int stand = b_.next[c][opposite(d)], to = b_.next[c][d];
                if (stand == NoCell || to == NoCell || occupied_[to] || !parentReach_.reached(stand)) continue;
                if (b_.everyCrateOnSite && b_.dead[to]) continue;
                occupied_[c] = 0;
                occupied_[to] = 1;
                if (!frozenDeadlock(b_, occupied_, to)) {
                    buildChild(s, i, to);
                    childReach_.flood(b_, occupied_, c);
                    child_[k_] = CellId(childReach_.smallest());
                    f(child_.data(), Push{i, c, d, stand});
                }
                occupied_[to] = 0;
                occupied_[c] = 1;
            }
        }
        for (int i = 0; i < k_; ++i) occupied_[s[i]] = 0;
    }

private:
    void buildChild(const CellId *s, int moved, int to)
    {
        int n = 0;
        bool placed = false;
        for (int i = 0; i < k_; ++i) {
            if (i == moved) continue;
            if (!placed && to < s[i]) {
                child_[n++] = CellId(to);
                placed = true;
            }
            child_[n++] = s[i];
        }
        if (!placed) child_[n++] = CellId(to);
    }

    const SolverBoard &b_;
    int k_;
    std::vector<uint8_t> occupied_;
    Reach parentReach_, childReach_;
    std::vector<CellId> child_;
};

class Solver {
public:
    Solver(const SolverBoard &b, int needed, const SolveLimits &limits)
        : b_(b), k_(int(b.crates.size())), needed_(needed), limits_(limits), start_(Clock::now()),
          pushTable_(k_), expander_(b, k_)
    {
    }

    SolveResult run();

private:
    bool goal(const CellId *s) const
    {
        int on = 0;
        for (int i = 0; i < k_; ++i) on += b_.site[s[i]];
        return on == needed_;
    }
    Stop overLimits(size_t extraBytes)
    {
        size_t bytes = pushTable_.bytes() + parent_.capacity() * 4 + depth_.capacity() * 2 + useful_.capacity() +
                       extraBytes;
        peak_ = std::max(peak_, bytes);
        if (bytes > limits_.memoryBytes) return Stop::Memory;
        if (std::chrono::duration<double>(Clock::now() - start_).count() > limits_.seconds) return Stop::Time;
        return Stop::None;
    }
    Stop searchPushes();
    Stop markUseful();
    Stop fewestMoves(std::string &moves);
    std::string walkPushPath(uint32_t goalNode);
    std::string pushLetters(const CellId *crates, int keeper, const Push &p);

    const SolverBoard &b_;
    int k_, needed_;
    SolveLimits limits_;
    Clock::time_point start_;
    StateTable pushTable_;
    std::vector<uint32_t> parent_;
    std::vector<uint16_t> depth_;
    std::vector<uint8_t> useful_;
    Expander expander_;
    int optimalPushes_ = -1;
    size_t peak_ = 0;
};

Stop Solver::searchPushes()
{
    std::vector<CellId> s(b_.crates.begin(), b_.crates.end());
    std::vector<uint8_t> occupied(b_.cellCount, 0);
    for (CellId c : s) occupied[c] = 1;
    Reach r(b_.cellCount);
    r.flood(b_, occupied, b_.keeper);
    s.push_back(CellId(r.smallest()));
    bool added;
    pushTable_.insert(s.data(), added);
    parent_.push_back(StateTable::Missing);
    depth_.push_back(0);
    if (goal(s.data())) {
        optimalPushes_ = 0;
        return Stop::None;
    }
    for (uint32_t i = 0; i < pushTable_.size(); ++i) {
        if (optimalPushes_ >= 0 && depth_[i] + 1 > optimalPushes_) break;
        if (i % CheckEvery == 0) {
            Stop stop = overLimits(0);
            if (stop != Stop::None) return stop;
        }
        uint16_t childDepth = uint16_t(depth_[i] + 1);
        if (childDepth == Unreached) return Stop::Memory;
        std::vector<CellId> here(pushTable_.at(i), pushTable_.at(i) + k_ + 1);
        expander_.forEachPush(here.data(), here[k_], [&](const CellId *child, const Push &) {
            bool isGoal = goal(child);
            // Once the fewest pushes are known, only the other solutions of that length matter.
            if (optimalPushes_ >= 0 && !isGoal) return;
            bool fresh;
            pushTable_.insert(child, fresh);
            if (!fresh) return;
            parent_.push_back(i);
            depth_.push_back(childDepth);
            if (isGoal) optimalPushes_ = childDepth;
        });
    }
    return Stop::None;
}

Stop Solver::markUseful()
{
    useful_.assign(pushTable_.size(), 0);
    for (uint32_t i = 0; i < pushTable_.size(); ++i)
        if (depth_[i] == optimalPushes_ && goal(pushTable_.at(i))) useful_[i] = 1;
    for (uint32_t i = uint32_t(pushTable_.size()); i-- > 0;) {
        if (depth_[i] >= optimalPushes_) continue;
        if (i % CheckEvery == 0 && overLimits(0) != Stop::None) return Stop::Time;
        std::vector<CellId> here(pushTable_.at(i), pushTable_.at(i) + k_ + 1);
        bool any = false;
        expander_.forEachPush(here.data(), here[k_], [&](const CellId *child, const Push &) {
            if (any) return;
            uint32_t j = pushTable_.find(child);
            if (j != StateTable::Missing && depth_[j] == depth_[i] + 1 && useful_[j]) any = true;
        });
        useful_[i] = any;
    }
    return Stop::None;
}

std::string Solver::pushLetters(const CellId *crates, int keeper, const Push &p)
{
    std::vector<uint8_t> occupied(b_.cellCount, 0);
    for (int i = 0; i < k_; ++i) occupied[crates[i]] = 1;
    Reach r(b_.cellCount);
    r.flood(b_, occupied, keeper);
    return r.pathTo(b_, p.keeperCell) + PushLetters[p.dir];
}

// Exact keeper cells, one push layer at a time, keeping the fewest moves that
// reach each position; only positions on a push-optimal path are visited.
Stop Solver::fewestMoves(std::string &moves)
{
    StateTable exact(k_);
    std::vector<uint32_t> moveCount, from;
    std::vector<Push> via;
    std::vector<CellId> s(b_.crates.begin(), b_.crates.end());
    s.push_back(CellId(b_.keeper));
    bool added;
    exact.insert(s.data(), added);
    moveCount.push_back(0);
    from.push_back(StateTable::Missing);
    via.push_back(Push{});
    size_t layerBegin = 0, layerEnd = 1;
    for (int layer = 0; layer < optimalPushes_; ++layer) {
        for (size_t i = layerBegin; i < layerEnd; ++i) {
            if (i % CheckEvery == 0) {
                Stop stop = overLimits(exact.bytes() + moveCount.capacity() * 8 + via.capacity() * sizeof(Push));
                if (stop != Stop::None) return stop;
            }
            std::vector<CellId> here(exact.at(uint32_t(i)), exact.at(uint32_t(i)) + k_ + 1);
            uint32_t base = moveCount[i];
            expander_.forEachPush(here.data(), here[k_], [&](const CellId *child, const Push &p) {
                uint32_t j = pushTable_.find(child);
                if (j == StateTable::Missing || depth_[j] != layer + 1 || !useful_[j]) return;
                std::vector<CellId> e(child, child + k_ + 1);
                e[k_] = CellId(p.from);
                uint32_t cost = base + uint32_t(expander_.reach().distance(p.keeperCell)) + 1;
                bool fresh;
                uint32_t n = exact.insert(e.data(), fresh);
                if (fresh) {
                    moveCount.push_back(cost);
                    from.push_back(uint32_t(i));
                    via.push_back(p);
                } else if (cost < moveCount[n]) {
                    moveCount[n] = cost;
                    from[n] = uint32_t(i);
                    via[n] = p;
                }
            });
        }
        layerBegin = layerEnd;
        layerEnd = exact.size();
    }
    uint32_t best = StateTable::Missing;
    for (size_t i = layerBegin; i < layerEnd; ++i)
        if (goal(exact.at(uint32_t(i))) && (best == StateTable::Missing || moveCount[i] < moveCount[best]))
            best = uint32_t(i);
    if (best == StateTable::Missing) return Stop::Memory;  // cannot happen when the marks are right
    std::vector<std::string> steps;
    for (uint32_t n = best; from[n] != StateTable::Missing; n = from[n]) {
        const CellId *parent = exact.at(from[n]);
        steps.push_back(pushLetters(parent, parent[k_], via[n]));
    }
    moves.clear();
    for (size_t i = steps.size(); i-- > 0;) moves += steps[i];
    return Stop::None;
}

// One push-optimal solution from the push search's parents, walking the
// shortest way to each push.
std::string Solver::walkPushPath(uint32_t goalNode)
{
    std::vector<uint32_t> chain;
    for (uint32_t n = goalNode; n != StateTable::Missing; n = parent_[n]) chain.push_back(n);
    std::reverse(chain.begin(), chain.end());
    std::string moves;
    int keeper = b_.keeper;
    for (size_t step = 1; step < chain.size(); ++step) {
        const CellId *a = pushTable_.at(chain[step - 1]), *c = pushTable_.at(chain[step]);
        int left = -1, arrived = -1;
        for (int i = 0; i < k_; ++i)
            if (!std::binary_search(c, c + k_, a[i])) left = a[i];
        for (int i = 0; i < k_; ++i)
            if (!std::binary_search(a, a + k_, c[i])) arrived = c[i];
        int dir = 0;
        while (b_.next[left][dir] != arrived) ++dir;
        moves += pushLetters(a, keeper, Push{0, left, dir, b_.next[left][opposite(dir)]});
        keeper = left;
    }
    return moves;
}

SolveResult Solver::run()
{
    SolveResult result;
    Stop stop = searchPushes();
    result.states = pushTable_.size();
    if (stop != Stop::None || optimalPushes_ < 0) {
        result.status = stop == Stop::Time ? SolveResult::Timeout
                        : stop == Stop::Memory ? SolveResult::OutOfMemory
                                               : SolveResult::NoSolution;
    } else {
        result.status = SolveResult::Solved;
        std::string exactMoves;
        if (markUseful() == Stop::None && fewestMoves(exactMoves) == Stop::None) {
            result.moves = exactMoves;
            result.movesOptimal = true;
        } else {
            uint32_t goalNode = 0;
            for (uint32_t i = 0; i < pushTable_.size(); ++i)
                if (depth_[i] == optimalPushes_ && goal(pushTable_.at(i))) goalNode = i;
            result.moves = walkPushPath(goalNode);
        }
        result.pushCount = optimalPushes_;
        result.moveCount = long(result.moves.size());
    }
    result.peakBytes = peak_;
    result.seconds = std::chrono::duration<double>(Clock::now() - start_).count();
    return result;
}

}  // namespace

int cratesNeeded(const Puzzle &p) { return p.siteCount() - (p.keeper >= 0 && p.sites[p.keeper] ? 1 : 0); }

SolveResult solvePuzzle(const Puzzle &p, const SolveLimits &limits)
{
    SolverBoard b(p);
    int needed = cratesNeeded(p);
    SolveResult none;
    if (b.keeper == NoCell || needed < 0 || needed > int(b.crates.size())) return none;
    b.everyCrateOnSite = needed == int(b.crates.size());
    Solver solver(b, needed, limits);
    return solver.run();
}
