// The feature search, for levels the exact search cannot finish. Every
// position is projected onto four features that fall (or, for the packing,
// rise) towards the solved position: the sites filled in the packing plan's
// order, the pieces the crates cut the keeper's floor into, the links between
// rooms that crates block, and the crates standing on sites the plan has yet
// to reach. Each vector of features met so far is a cell of the feature
// space; the search takes the cells in turn and in each expands the position
// with the lowest move weight. A move that an advisor proposes (one that
// improves a feature, or the packing macro that takes a crate straight to the
// plan's next site) costs nothing, any other move one, so the advisors lead
// without ever confining the search. A PI-corral leaves only its edge crates'
// pushes to try. Its solutions are valid, not the shortest.
#include "tools/levelkit/solver/searches.h"

#include "tools/levelkit/solver/crate_paths.h"
#include "tools/levelkit/solver/floor_rooms.h"
#include "tools/levelkit/solver/packing_plan.h"
#include "tools/levelkit/solver/pi_corrals.h"
#include "tools/levelkit/solver/push_bound.h"
#include "tools/levelkit/solver/search_core.h"
#include "tools/levelkit/solver/state_table.h"

#include <algorithm>
#include <functional>
#include <unordered_map>

namespace {

constexpr unsigned CheckEvery = 16;       // expansions between looks at the clock
constexpr size_t MacroCrates = 2;         // crates tried for the packing macro, the nearest first
constexpr size_t MostMacroStates = 1024;  // a macro route longer to find than this is left to single pushes
constexpr uint32_t AdvisedCost = 0, PlainCost = 1;

struct Features {
    int packed, regions, links, outOfPlan;
    uint64_t key() const
    {
        return uint64_t(packed) << 48 | uint64_t(regions) << 32 | uint64_t(links) << 16 | uint64_t(outOfPlan);
    }
    // What an advisor looks for: a move that makes any one feature better.
    bool better(const Features &o) const
    {
        return packed > o.packed || regions < o.regions || links < o.links || outOfPlan < o.outOfPlan;
    }
};

// One cell of the feature space: its positions by move weight, the lightest on top.
struct FeatureCell {
    std::vector<std::pair<uint32_t, uint32_t>> heap;  // (weight, position)
};

class FeatureSearch {
public:
    FeatureSearch(const CellGraph &b, int needed, double seconds, size_t memoryBytes, LearntDeadlocks *learnt,
                  const std::atomic<bool> *stop)
        : b_(b), k_(int(b.crates.size())), needed_(needed), budget_(seconds, memoryBytes, stop), bound_(b, needed),
          macroBound_(b, needed), corrals_(b, &budget_, learnt), table_(k_, &budget_),
          expander_(b, &bound_, &corrals_, {true, true, false}), plan_(makePackingPlan(b, b.keeper)), rooms_(b),
          routes_(b), piCorrals_(b), area_(b.cellCount), edge_(b.cellCount, 0), occupied_(b.cellCount, 0), regionMark_(b.cellCount, 0)
    {
        for (int c = 0; c < b.cellCount; ++c)
            if (b.site[c]) siteIndex_.push_back(c);
    }
    ~FeatureSearch()
    {
        budget_.drop(parent_);
        budget_.drop(weight_);
        for (FeatureCell &c : cells_) budget_.drop(c.heap);
    }

    SearchOutcome run();

private:
    Features features(const CellId *s);
    bool add(const CellId *s, uint32_t parent, uint32_t weight, const Features &f);
    bool expand(uint32_t i);
    bool packingMacro(const CellId *s, const Features &f, uint32_t i);
    bool solved(const CellId *s) const
    {
        int on = 0;
        for (int i = 0; i < k_; ++i) on += b_.site[s[i]];
        return on == needed_;
    }
    std::string lettersTo(uint32_t goal);

    const CellGraph &b_;
    int k_, needed_;
    Budget budget_;
    PushBound bound_, macroBound_;
    CorralTable corrals_;
    StateTable table_;
    Expander expander_;
    PackingPlan plan_;
    FloorRooms rooms_;
    CrateRoutes routes_;
    PiCorrals piCorrals_;
    Reach area_;
    std::vector<uint8_t> edge_;  // the crates a PI-corral leaves to push, when there is one
    bool narrowed_ = false;
    std::vector<int> siteIndex_;  // the sites in cell order, as the bound numbers them
    std::vector<uint8_t> occupied_;
    std::vector<uint32_t> regionMark_, queue_;
    uint32_t regionStamp_ = 0;
    std::vector<uint32_t> parent_, weight_;
    std::unordered_map<uint64_t, uint32_t> cellOf_;
    std::vector<FeatureCell> cells_;
    uint32_t goal_ = StateTable::Missing;
    size_t expanded_ = 0;
};

Features FeatureSearch::features(const CellId *s)
{
    for (int i = 0; i < k_; ++i) occupied_[s[i]] = 1;
    Features f{plan_.packed(occupied_), 0, rooms_.blocked(s, k_), 0};
    for (int i = 0; i < k_; ++i) f.outOfPlan += plan_.rank[s[i]] > f.packed;
    // The pieces of the floor the crates leave, each flooded once.
    if (++regionStamp_ == 0) std::fill(regionMark_.begin(), regionMark_.end(), 0), regionStamp_ = 1;
    for (int c = 0; c < b_.cellCount; ++c) {
        if (occupied_[c] || regionMark_[c] == regionStamp_) continue;
        ++f.regions;
        queue_.assign(1, uint32_t(c));
        regionMark_[c] = regionStamp_;
        for (size_t q = 0; q < queue_.size(); ++q)
            for (int d = 0; d < DirectionCount; ++d) {
                int n = b_.next[queue_[q]][d];
                if (n == NoCell || occupied_[n] || regionMark_[n] == regionStamp_) continue;
                regionMark_[n] = regionStamp_;
                queue_.push_back(uint32_t(n));
            }
    }
    for (int i = 0; i < k_; ++i) occupied_[s[i]] = 0;
    return f;
}

// Keeps a position new to the tree in its feature cell; false when memory is out.
bool FeatureSearch::add(const CellId *s, uint32_t parent, uint32_t weight, const Features &f)
{
    if (!budget_.roomFor(parent_) || !budget_.roomFor(weight_)) return false;
    bool fresh;
    uint32_t i = table_.insert(s, fresh);
    if (i == StateTable::Missing) return false;
    if (!fresh) return true;
    parent_.push_back(parent);
    weight_.push_back(weight);
    if (solved(s)) {
        goal_ = i;
        return true;
    }
    auto cell = cellOf_.emplace(f.key(), uint32_t(cells_.size()));
    if (cell.second) cells_.emplace_back();
    std::vector<std::pair<uint32_t, uint32_t>> &heap = cells_[cell.first->second].heap;
    if (!budget_.roomFor(heap)) return false;
    heap.emplace_back(weight, i);
    std::push_heap(heap.begin(), heap.end(), std::greater<>());
    return true;
}

// The packing advisor's macro: the nearest crates that can reach the plan's
// next empty site, each pushed all the way there in one move.
bool FeatureSearch::packingMacro(const CellId *s, const Features &f, uint32_t i)
{
    if (f.packed >= int(plan_.order.size())) return true;
    int target = plan_.order[f.packed];
    int site = int(std::lower_bound(siteIndex_.begin(), siteIndex_.end(), target) - siteIndex_.begin());
    std::vector<std::pair<int, int>> nearest;  // (lone pushes to the site, row)
    for (int r = 0; r < k_; ++r)
        if (plan_.rank[s[r]] < 0 || plan_.rank[s[r]] >= f.packed) {
            uint16_t d = macroBound_.distance(site, s[r]);
            if (d != PushBound::Unreachable && d > 0) nearest.emplace_back(d, r);
        }
    std::sort(nearest.begin(), nearest.end());
    if (nearest.size() > MacroCrates) nearest.resize(MacroCrates);
    bool pruneDead = b_.everyCrateOnSite;
    std::vector<CrateStep> steps;
    std::vector<CellId> child(size_t(k_) + 1);
    for (const auto &n : nearest) {
        if (narrowed_ && !edge_[s[n.second]]) continue;
        for (int r = 0; r < k_; ++r) occupied_[s[r]] = 1;
        bool found = routes_.route(occupied_, s[n.second], s[k_], false, pruneDead, MostMacroStates,
                                   [&](int cell, const Reach &) { return cell == target; }, steps);
        bool lost = false;
        if (found) {
            occupied_[s[n.second]] = 0;
            occupied_[target] = 1;
            int keeper = steps.back().from;
            lost = pruneDead && frozenDeadlock(b_, occupied_, target);
            for (int r = 0, m = 0; r < k_; ++r) child[m++] = r == n.second ? CellId(target) : s[r];
            std::sort(child.begin(), child.begin() + k_);
            area_.flood(b_, occupied_, keeper);
            child[k_] = CellId(area_.smallest());
            lost = lost || macroBound_.solve(child.data()) == PushBound::Infinite;
            occupied_[target] = 0;
            occupied_[s[n.second]] = 1;
        }
        for (int r = 0; r < k_; ++r) occupied_[s[r]] = 0;
        // features() marks the child's crates itself.
        if (found && !lost && !add(child.data(), i, weight_[i] + AdvisedCost, features(child.data()))) return false;
        if (goal_ != StateTable::Missing) break;
    }
    return true;
}

bool FeatureSearch::expand(uint32_t i)
{
    std::vector<CellId> here(table_.at(i), table_.at(i) + k_ + 1);
    Features f = features(here.data());
    // A PI-corral narrows the moves to its edge crates' pushes.
    for (int r = 0; r < k_; ++r) occupied_[here[r]] = 1;
    area_.flood(b_, occupied_, here[k_]);
    std::fill(edge_.begin(), edge_.end(), 0);
    narrowed_ = piCorrals_.find(occupied_, area_, edge_);
    for (int r = 0; r < k_; ++r) occupied_[here[r]] = 0;
    if (!packingMacro(here.data(), f, i)) return false;
    bool room = true;
    expander_.forEachPush(here.data(), [&](const CellId *child, const Push &p, int) {
        if (!room || goal_ != StateTable::Missing || (narrowed_ && !edge_[p.from])) return;
        Features g = features(child);
        room = add(child, i, weight_[i] + (g.better(f) ? AdvisedCost : PlainCost), g);
    });
    return room;
}

// The move letters from the start to the goal: every step of the tree is one
// crate moved, so its pushes are found again by that crate's own route.
std::string FeatureSearch::lettersTo(uint32_t goal)
{
    std::vector<uint32_t> line;
    for (uint32_t n = goal; n != StateTable::Missing; n = parent_[n]) line.push_back(n);
    std::reverse(line.begin(), line.end());
    std::vector<uint8_t> occupied(b_.cellCount, 0);
    for (CellId c : b_.crates) occupied[c] = 1;
    int keeper = b_.keeper;
    std::string moves;
    std::vector<CrateStep> steps;
    size_t most = size_t(b_.cellCount) * DirectionCount * DirectionCount;
    for (size_t step = 1; step < line.size(); ++step) {
        const CellId *a = table_.at(line[step - 1]), *c = table_.at(line[step]);
        int left = -1, arrived = -1;
        for (int i = 0; i < k_; ++i) {
            if (!std::binary_search(c, c + k_, a[i])) left = a[i];
            if (!std::binary_search(a, a + k_, c[i])) arrived = c[i];
        }
        int keeperCell = c[k_];
        if (!routes_.route(occupied, left, keeper, false, false, most,
                           [&](int cell, const Reach &r) { return cell == arrived && r.reached(keeperCell); }, steps))
            return std::string();
        moves += routes_.letters(occupied, keeper, steps);
    }
    return moves;
}

SearchOutcome FeatureSearch::run()
{
    SearchOutcome out;
    std::vector<CellId> start = startPosition(b_);
    bool room = true;
    if (bound_.solve(start.data()) != PushBound::Infinite)
        room = add(start.data(), StateTable::Missing, 0, features(start.data()));
    size_t turn = 0, idle = 0;
    while (room && goal_ == StateTable::Missing && !cells_.empty() && idle <= cells_.size()) {
        // The cells in turn, each giving up its lightest position.
        FeatureCell &cell = cells_[turn++ % cells_.size()];
        if (cell.heap.empty()) {
            ++idle;
            continue;
        }
        idle = 0;
        if (expanded_++ % CheckEvery == 0 && budget_.timeUp()) break;
        std::pop_heap(cell.heap.begin(), cell.heap.end(), std::greater<>());
        uint32_t i = cell.heap.back().second;
        cell.heap.pop_back();
        room = expand(i);
    }
    out.stored = table_.size();
    out.expanded = expanded_;
    out.deadlockPatterns = corrals_.patternsFound();
    if (goal_ != StateTable::Missing) out.moves = lettersTo(goal_);
    if (!out.moves.empty() || (goal_ != StateTable::Missing && goal_ == 0)) {
        out.found = true;
        for (char c : out.moves) out.pushes += c >= 'A' && c <= 'Z';
    } else {
        out.stop = !room ? Stop::Memory : budget_.stop();
    }
    out.peakBytes = budget_.peak();
    return out;
}

}  // namespace

SearchOutcome featureSearch(const CellGraph &b, int needed, double seconds, size_t memoryBytes,
                            LearntDeadlocks *learnt, const std::atomic<bool> *stop)
{
    FeatureSearch search(b, needed, seconds, memoryBytes, learnt, stop);
    return search.run();
}
