// The fallback search, for levels the exact search cannot finish: two
// best-first searches on the assignment bound, taking turns. One pushes from
// the start towards the sites, running through one-wide tunnels in one step;
// the other pulls from the solved positions back towards the start, which
// unpacks a crowded goal room in an order that works. A solution is found
// when either reaches its end or both reach the same position. Its solutions
// are valid, not the shortest.
#include "tools/levelkit/solver/searches.h"

#include "tools/levelkit/solver/push_bound.h"
#include "tools/levelkit/solver/search_core.h"
#include "tools/levelkit/solver/state_table.h"

#include <algorithm>
#include <memory>

namespace {

constexpr unsigned CheckEvery = 16;   // expansions between looks at the clock
constexpr unsigned TurnLength = 256;  // expansions of one direction before the other's turn
// Positions are taken by Weight x bound + pushes made: the bound leads, and
// the pushes pull the search out of long plateaus of equal bounds.
constexpr int Weight = 8;

// One direction: positions found, each with its parent, open by bound.
class Greedy {
public:
    Greedy(const CellGraph &b, Budget &budget, std::unique_ptr<PushBound> bound, Expander::Options options,
           LearntDeadlocks *learnt)
        : k_(int(b.crates.size())), budget_(budget), bound_(std::move(bound)), corrals_(b, &budget, learnt),
          table_(k_, &budget), expander_(b, bound_.get(), options.pulls ? nullptr : &corrals_, options)
    {
    }
    ~Greedy()
    {
        budget_.drop(parent_);
        budget_.drop(pushes_);
        for (auto &bucket : open_) budget_.drop(bucket);
    }

    // Adds a starting position; false when memory is out.
    bool start(const std::vector<CellId> &s, uint32_t &index);
    // Expands up to n positions; calls arrived(index, bound) for each new one
    // and stops when it returns true. False when memory is out.
    template <class F> bool run(unsigned n, size_t &expanded, F arrived);
    bool exhausted() const { return lowest_ >= open_.size(); }
    const StateTable &table() const { return table_; }
    uint32_t pushes(uint32_t i) const { return pushes_[i]; }
    // The positions from a start to i.
    std::vector<std::vector<CellId>> lineTo(uint32_t i) const;
    size_t patterns() const { return corrals_.patternsFound(); }

private:
    uint32_t add(const CellId *s, uint32_t pushes, int h, uint32_t parent, bool &room);

    int k_;
    Budget &budget_;
    std::unique_ptr<PushBound> bound_;
    CorralTable corrals_;
    StateTable table_;
    Expander expander_;
    std::vector<uint32_t> parent_, pushes_;
    std::vector<std::vector<uint32_t>> open_;  // by Weight x bound + pushes
    size_t lowest_ = 0;
};

uint32_t Greedy::add(const CellId *s, uint32_t pushes, int h, uint32_t parent, bool &room)
{
    size_t rank = size_t(Weight) * size_t(h) + pushes;
    bool fresh;
    room = budget_.roomFor(parent_) && budget_.roomFor(pushes_);
    uint32_t i = room ? table_.insert(s, fresh) : StateTable::Missing;
    if (i == StateTable::Missing) {
        room = false;
        return i;
    }
    if (!fresh) return StateTable::Missing;
    parent_.push_back(parent);
    pushes_.push_back(pushes);
    if (rank >= open_.size()) open_.resize(rank + 1);
    room = budget_.roomFor(open_[rank]);
    if (room) open_[rank].push_back(i);
    lowest_ = std::min(lowest_, rank);
    return i;
}

bool Greedy::start(const std::vector<CellId> &s, uint32_t &index)
{
    int h = bound_->solve(s.data());
    bool room = true;
    index = h == PushBound::Infinite ? StateTable::Missing : add(s.data(), 0, h, StateTable::Missing, room);
    return room;
}

template <class F> bool Greedy::run(unsigned n, size_t &expanded, F arrived)
{
    std::vector<CellId> here;
    bool room = true, done = false;
    for (unsigned step = 0; step < n && room && !done; ++step) {
        while (lowest_ < open_.size() && open_[lowest_].empty()) ++lowest_;
        if (lowest_ >= open_.size()) break;
        uint32_t i = open_[lowest_].back();
        open_[lowest_].pop_back();
        if (expanded++ % CheckEvery == 0 && budget_.timeUp()) break;
        here.assign(table_.at(i), table_.at(i) + k_ + 1);
        uint32_t pushes = pushes_[i];
        expander_.forEachPush(here.data(), [&](const CellId *child, const Push &p, int bound) {
            if (!room || done) return;
            uint32_t j = add(child, pushes + uint32_t(p.count), bound, i, room);
            if (j != StateTable::Missing) done = arrived(j, bound);
        });
    }
    return room;
}

std::vector<std::vector<CellId>> Greedy::lineTo(uint32_t i) const
{
    std::vector<std::vector<CellId>> line;
    for (uint32_t n = i; n != StateTable::Missing; n = parent_[n])
        line.emplace_back(table_.at(n), table_.at(n) + k_ + 1);
    std::reverse(line.begin(), line.end());
    return line;
}

}  // namespace

SearchOutcome fallbackSearch(const CellGraph &b, int needed, double seconds, size_t memoryBytes,
                             LearntDeadlocks *learnt, const std::atomic<bool> *stop)
{
    SearchOutcome out;
    Budget budget(seconds, memoryBytes, stop);
    std::vector<CellId> start = startPosition(b);
    Greedy forward(b, budget, std::make_unique<PushBound>(b, needed), {true, true, false}, learnt);
    // Pulling back from solved positions needs them to be known: every crate on a site.
    std::unique_ptr<Greedy> backward;
    if (b.everyCrateOnSite && int(b.crates.size()) == needed) {
        std::vector<CellId> crates(start.begin(), start.end() - 1);
        backward = std::make_unique<Greedy>(b, budget, std::make_unique<PushBound>(b, crates),
                                            Expander::Options{true, false, true}, nullptr);
    }
    std::vector<std::vector<CellId>> line;
    uint32_t first;
    bool room = forward.start(start, first);
    int placed = 0;
    for (size_t i = 0; i + 1 < start.size(); ++i) placed += b.site[start[i]];
    if (room && first != StateTable::Missing && placed == needed) line = forward.lineTo(first);
    if (backward)
        for (const std::vector<CellId> &solved : solvedPositions(b)) {
            uint32_t i;
            room = room && backward->start(solved, i);
            if (room && i != StateTable::Missing && solved == start) line = backward->lineTo(i);
        }
    // A position the other direction has seen joins the two lines.
    auto meet = [&](const Greedy &here, const Greedy *other, uint32_t i, bool forwards) {
        uint32_t j = other ? other->table().find(here.table().at(i)) : StateTable::Missing;
        if (j == StateTable::Missing) return false;
        std::vector<std::vector<CellId>> a = (forwards ? here : *other).lineTo(forwards ? i : j);
        std::vector<std::vector<CellId>> z = (forwards ? *other : here).lineTo(forwards ? j : i);
        std::reverse(z.begin(), z.end());
        a.insert(a.end(), z.begin() + 1, z.end());
        line = a;
        return true;
    };
    while (room && line.empty() && !budget.timeUp()) {
        bool idle = true;
        if (!forward.exhausted()) {
            idle = false;
            room = forward.run(TurnLength, out.expanded, [&](uint32_t i, int bound) {
                if (bound == 0) line = forward.lineTo(i);
                return bound == 0 || meet(forward, backward.get(), i, true);
            });
        }
        if (room && line.empty() && backward && !backward->exhausted()) {
            idle = false;
            room = backward->run(TurnLength, out.expanded, [&](uint32_t i, int bound) {
                if (bound == 0 && backward->table().at(i)[b.crates.size()] == start.back()) {
                    line = backward->lineTo(i);
                    std::reverse(line.begin(), line.end());
                    return true;
                }
                return meet(*backward, &forward, i, false);
            });
        }
        if (idle) break;
    }
    out.stored = forward.table().size() + (backward ? backward->table().size() : 0);
    out.deadlockPatterns = forward.patterns();
    if (!line.empty()) {
        out.found = true;
        out.moves = lineLetters(b, line);
        for (char c : out.moves) out.pushes += c >= 'A' && c <= 'Z';
    } else {
        out.stop = !room ? Stop::Memory : budget.stop();
    }
    out.peakBytes = budget.peak();
    return out;
}
