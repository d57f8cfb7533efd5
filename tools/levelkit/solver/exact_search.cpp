// The exact search. A* over push positions, keyed by the crates and the
// keeper's smallest reachable cell; every position whose bound allows a
// solution as short as the best is expanded, so every push-optimal line is
// known. A second pass with exact keeper cells then walks only those lines and
// keeps the one with the fewest moves.
#include "tools/levelkit/solver/searches.h"

#include "tools/levelkit/solver/fewest_moves.h"
#include "tools/levelkit/solver/push_bound.h"
#include "tools/levelkit/solver/search_core.h"
#include "tools/levelkit/solver/state_table.h"

#include <algorithm>

namespace {

constexpr unsigned CheckEvery = 16;  // expansions between looks at the clock

class ExactSearch {
public:
    ExactSearch(const CellGraph &b, int needed, double pushSeconds, double allSeconds, size_t memoryBytes,
                LearntDeadlocks *learnt)
        : b_(b), k_(int(b.crates.size())), needed_(needed), allSeconds_(allSeconds), budget_(pushSeconds, memoryBytes),
          bound_(b, needed),
          corrals_(b, &budget_, learnt), table_(k_, &budget_), search_(b, &bound_, &corrals_, {true, false}),
          plain_(b, nullptr, nullptr, {false, false})
    {
    }
    ~ExactSearch()
    {
        budget_.drop(g_);
        budget_.drop(h_);
        budget_.drop(parent_);
        budget_.drop(closed_);
        for (auto &bucket : open_) budget_.drop(bucket);
    }

    SearchOutcome run();

private:
    bool add(const CellId *s, int g, int h, uint32_t parent);
    bool searchPushes();
    bool markUseful(std::vector<uint8_t> &useful);
    std::string parentLine(uint32_t goal);
    bool goal(const CellId *s) const
    {
        int on = 0;
        for (int i = 0; i < k_; ++i) on += b_.site[s[i]];
        return on == needed_;
    }

    const CellGraph &b_;
    int k_, needed_;
    double allSeconds_;
    Budget budget_;
    PushBound bound_;
    CorralTable corrals_;
    StateTable table_;
    Expander search_, plain_;
    std::vector<uint16_t> g_, h_;
    std::vector<uint32_t> parent_;
    std::vector<uint8_t> closed_;
    std::vector<std::vector<uint32_t>> open_;  // by pushes + bound
    int best_ = -1;
    uint32_t goalNode_ = StateTable::Missing;
    size_t expanded_ = 0;
};

// Opens a position, or opens it again on a shorter line; false when memory is out.
bool ExactSearch::add(const CellId *s, int g, int h, uint32_t parent)
{
    bool fresh;
    if (g + h >= 0xffff) {  // beyond what the tables' two-byte counts hold: out of room
        budget_.setStop(Stop::Memory);
        return false;
    }
    if (!budget_.roomFor(g_) || !budget_.roomFor(h_) || !budget_.roomFor(parent_) || !budget_.roomFor(closed_))
        return false;
    uint32_t i = table_.insert(s, fresh);
    if (i == StateTable::Missing) return false;
    if (fresh) {
        g_.push_back(uint16_t(g));
        h_.push_back(uint16_t(h));
        parent_.push_back(parent);
        closed_.push_back(0);
    } else {
        if (closed_[i] || g >= g_[i]) return true;
        g_[i] = uint16_t(g);
        parent_[i] = parent;
    }
    size_t f = size_t(g) + h;
    if (f >= open_.size()) open_.resize(f + 1);
    if (!budget_.roomFor(open_[f])) return false;
    open_[f].push_back(i);
    return true;
}

// True when the search ran to its end (best_ is then the fewest pushes, or -1).
bool ExactSearch::searchPushes()
{
    std::vector<CellId> s = startPosition(b_);
    int h0 = bound_.solve(s.data());
    if (h0 == PushBound::Infinite) return true;
    if (!add(s.data(), 0, h0, StateTable::Missing)) return false;
    std::vector<CellId> here;
    for (size_t f = 0; f < open_.size() && (best_ < 0 || int(f) <= best_);) {
        if (open_[f].empty()) {
            ++f;
            continue;
        }
        uint32_t i = open_[f].back();
        open_[f].pop_back();
        if (closed_[i] || size_t(g_[i]) + h_[i] != f) continue;
        closed_[i] = 1;
        if (h_[i] == 0) {  // the bound is 0 exactly on a solved position
            if (best_ < 0) {
                // The fewest pushes are proven; the rest of the layer serves the
                // fewest moves and may use the whole time.
                best_ = g_[i];
                goalNode_ = i;
                budget_.setLimit(allSeconds_);
            }
            continue;
        }
        if (expanded_++ % CheckEvery == 0 && budget_.timeUp()) return false;
        here.assign(table_.at(i), table_.at(i) + k_ + 1);
        int g = g_[i] + 1;
        bool room = true;
        search_.forEachPush(here.data(), [&](const CellId *child, const Push &, int h) {
            if (room && (best_ < 0 || g + h <= best_)) room = add(child, g, h, i);
        });
        if (!room) return false;
    }
    return true;
}

// Marks the positions that lie on some push-optimal line, the deepest first.
bool ExactSearch::markUseful(std::vector<uint8_t> &useful)
{
    // The marks and the lists by pushes: five bytes a position.
    size_t listBytes = table_.size() * (sizeof(uint32_t) + 1);
    if (!budget_.claim(0, listBytes)) return false;
    useful.assign(table_.size(), 0);
    std::vector<std::vector<uint32_t>> byPushes(size_t(best_) + 1);
    for (uint32_t i = 0; i < table_.size(); ++i)
        if (closed_[i] && g_[i] + h_[i] <= best_) byPushes[g_[i]].push_back(i);
    for (uint32_t i : byPushes[best_])
        if (h_[i] == 0) useful[i] = 1;
    std::vector<CellId> here;
    size_t n = 0;
    for (int g = best_ - 1; g >= 0; --g)
        for (uint32_t i : byPushes[g]) {
            if (++n % CheckEvery == 0 && budget_.timeUp()) return false;
            here.assign(table_.at(i), table_.at(i) + k_ + 1);
            plain_.forEachPush(here.data(), [&](const CellId *child, const Push &, int) {
                uint32_t j = table_.find(child);
                if (j != StateTable::Missing && g_[j] == g + 1 && useful[j]) useful[i] = 1;
            });
        }
    budget_.release(table_.size() * sizeof(uint32_t));
    return true;
}

std::string ExactSearch::parentLine(uint32_t goal)
{
    std::vector<std::vector<CellId>> line;
    for (uint32_t n = goal; n != StateTable::Missing; n = parent_[n])
        line.emplace_back(table_.at(n), table_.at(n) + k_ + 1);
    std::reverse(line.begin(), line.end());
    return lineLetters(b_, line);
}

SearchOutcome ExactSearch::run()
{
    SearchOutcome out;
    bool finished = searchPushes();
    out.stored = table_.size();
    out.expanded = expanded_;
    if (best_ < 0 && !finished) {
        out.stop = budget_.stop() == Stop::None ? Stop::Memory : budget_.stop();
    } else if (best_ >= 0) {
        out.found = true;
        out.pushes = best_;
        std::vector<uint8_t> useful;
        out.moves = parentLine(goalNode_);  // the line the push search found first, should the move pass stop
        if (finished && markUseful(useful)) {
            // The queue, the bounds, the closed marks and the parents have
            // served: their room goes to the move pass.
            for (auto &bucket : open_) budget_.drop(bucket);
            budget_.drop(closed_);
            budget_.drop(h_);
            budget_.drop(parent_);
            std::string fewest;
            if (fewestMoves(b_, PushLines{table_, g_, useful, best_}, budget_, fewest)) {
                out.moves = fewest;
                out.movesOptimal = true;
            }
        }
    }
    out.peakBytes = budget_.peak();
    out.deadlockPatterns = corrals_.patternsFound();
    return out;
}

}  // namespace

SearchOutcome exactSearch(const CellGraph &b, int needed, double pushSeconds, double allSeconds,
                          size_t memoryBytes, LearntDeadlocks *learnt)
{
    ExactSearch search(b, needed, pushSeconds, allSeconds, memoryBytes, learnt);
    return search.run();
}
