#include "tools/levelkit/solver/deadlocks.h"

#include "tools/levelkit/solver/state_table.h"

#include <algorithm>

namespace {

struct FreezeCheck {
    const CellGraph &b;
    const std::vector<uint8_t> &occupied;
    std::vector<int> onStack;
    std::vector<int> frozenOffSite;  // only what a frozen chain proved stays

    bool wall(int c) const { return c == NoCell; }
    bool crateAt(int c) const { return c != NoCell && occupied[c]; }
    bool visiting(int c) const { return std::find(onStack.begin(), onStack.end(), c) != onStack.end(); }

    // Blocked along one axis (directions a and opposite(a)).
    bool axisBlocked(int c, int a)
    {
        int one = b.next[c][a], two = b.next[c][opposite(a)];
        if (wall(one) || wall(two)) return true;
        if (visiting(one) || visiting(two)) return true;  // a crate under test counts as a wall
        if (b.dead[one] && b.dead[two]) return true;
        if (crateAt(one) && frozen(one)) return true;
        if (crateAt(two) && frozen(two)) return true;
        return false;
    }

    bool frozen(int c)
    {
        size_t mark = frozenOffSite.size();
        onStack.push_back(c);
        bool result = axisBlocked(c, 0) && axisBlocked(c, 1);
        onStack.pop_back();
        // A crate found frozen only while c counted as a wall is free again when c is not frozen.
        if (!result) frozenOffSite.resize(mark);
        else if (!b.site[c]) frozenOffSite.push_back(c);
        return result;
    }
};

}  // namespace

bool frozenDeadlock(const CellGraph &b, const std::vector<uint8_t> &occupied, int c)
{
    if (!b.everyCrateOnSite) return false;
    FreezeCheck check{b, occupied, {}, {}};
    return check.frozen(c) && !check.frozenOffSite.empty();
}

namespace {

constexpr size_t MostCorralCells = 48;   // larger corrals are left to the search
constexpr size_t MostCorralCrates = 8;
constexpr size_t MostPositions = 2000;   // a corral search that grows beyond this is inconclusive
constexpr size_t MostPatterns = 1 << 20;
constexpr size_t PatternBytes = 48;      // a table entry with the map's own overhead

uint64_t mix(uint64_t x)
{
    x = (x ^ (x >> 31)) * 0x7fb5d329728ea185ull;
    x = (x ^ (x >> 27)) * 0x81dadef4bc2dd44dull;
    return x ^ (x >> 33);
}

}  // namespace

bool LearntDeadlocks::lost(const PatternKey &k) const
{
    std::lock_guard<std::mutex> hold(lock_);
    return lost_.count(k) != 0;
}

void LearntDeadlocks::add(const PatternKey &k, const Pattern &p)
{
    std::lock_guard<std::mutex> hold(lock_);
    if (lost_.size() >= most_ || !lost_.insert(k).second) return;
    if (keep_) kept_.push_back(p);
}

std::vector<LearntDeadlocks::Pattern> LearntDeadlocks::patterns() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return kept_;
}

size_t LearntDeadlocks::size() const
{
    std::lock_guard<std::mutex> hold(lock_);
    return lost_.size();
}

CorralTable::CorralTable(const CellGraph &b, Budget *budget, LearntDeadlocks *shared)
    : b_(b), budget_(budget), shared_(shared), inCorral_(b.cellCount, 0), sub_(b.cellCount, 0), reach_(b.cellCount),
      childReach_(b.cellCount)
{
}

CorralTable::~CorralTable()
{
    if (budget_) budget_->release(known_.size() * PatternBytes);
}

bool CorralTable::deadlocked(const std::vector<uint8_t> &occupied, const AreaBits &keeper, int c)
{
    for (int d = 0; d < DirectionCount; ++d) {
        int n = b_.next[c][d];
        if (n == NoCell || occupied[n] || keeper.reached(n)) continue;
        if (!corralHolds(occupied, n)) continue;
        // The corral's crates alone on the board, the keeper where it stands.
        std::vector<CellId> crates;
        for (int x : corral_)
            for (int e = 0; e < DirectionCount; ++e) {
                int y = b_.next[x][e];
                if (y != NoCell && occupied[y] && !sub_[y]) {
                    sub_[y] = 1;
                    crates.push_back(CellId(y));
                }
            }
        for (CellId y : crates) sub_[y] = 0;
        bool lost = crates.size() <= MostCorralCrates;
        if (lost) {
            std::sort(crates.begin(), crates.end());
            bool placed = true;
            for (CellId y : crates) placed = placed && b_.site[y];
            lost = !placed && searchLost(crates, keeper.smallest());
        }
        for (int x : corral_) inCorral_[x] = 0;
        if (lost) return true;
    }
    return false;
}

// Marks the corral that holds cell start; false when it is too large to try.
bool CorralTable::corralHolds(const std::vector<uint8_t> &occupied, int start)
{
    corral_.assign(1, start);
    inCorral_[start] = 1;
    for (size_t i = 0; i < corral_.size(); ++i)
        for (int d = 0; d < DirectionCount; ++d) {
            int y = b_.next[corral_[i]][d];
            if (y == NoCell || occupied[y] || inCorral_[y]) continue;
            inCorral_[y] = 1;
            corral_.push_back(y);
            if (corral_.size() > MostCorralCells) {
                for (int x : corral_) inCorral_[x] = 0;
                return false;
            }
        }
    return true;
}

// Breadth-first over the pushes of the corral's crates alone. Lost only when
// every push sequence is exhausted without opening the corral to the keeper
// and without all of them on sites.
bool CorralTable::searchLost(const std::vector<CellId> &crates, int keeperCell)
{
    int k = int(crates.size());
    for (CellId y : crates) sub_[y] = 1;
    reach_.flood(b_, sub_, keeperCell);
    // The answer depends on the crates, the keeper's area and which corral is meant.
    int corralCell = *std::min_element(corral_.begin(), corral_.end());
    PatternKey key{uint64_t(reach_.smallest()) + 1, uint64_t(corralCell)};
    for (CellId y : crates) {
        key.a = mix(key.a ^ (uint64_t(y) << 20));
        key.b = key.b * 1000003u + y + 1;
    }
    auto known = known_.find(key);
    if (known != known_.end() || (shared_ && shared_->lost(key))) {
        for (CellId y : crates) sub_[y] = 0;
        return known == known_.end() || known->second;
    }
    int keeperArea = reach_.smallest();
    StateTable table(k);
    std::vector<CellId> s(crates), child(k + 1);
    s.push_back(CellId(reach_.smallest()));
    bool added, lost = true;
    table.insert(s.data(), added);
    for (CellId y : crates) sub_[y] = 0;
    for (uint32_t i = 0; i < table.size() && lost; ++i) {
        if (table.size() > MostPositions) {
            lost = false;
            break;
        }
        s.assign(table.at(i), table.at(i) + k + 1);
        for (int j = 0; j < k; ++j) sub_[s[j]] = 1;
        reach_.flood(b_, sub_, s[k]);
        for (int x : corral_)
            if (reach_.reached(x)) lost = false;
        for (int j = 0; j < k && lost; ++j)
            for (int d = 0; d < DirectionCount && lost; ++d) {
                int from = s[j], stand = b_.next[from][opposite(d)], to = b_.next[from][d];
                if (stand == NoCell || to == NoCell || sub_[to] || !reach_.reached(stand) || b_.dead[to]) continue;
                sub_[from] = 0;
                sub_[to] = 1;
                if (!frozenDeadlock(b_, sub_, to)) {
                    int n = 0, placed = 0;
                    for (int m = 0; m < k; ++m) {
                        child[n] = m == j ? CellId(to) : s[m];
                        placed += b_.site[child[n++]];
                    }
                    std::sort(child.begin(), child.begin() + k);
                    childReach_.flood(b_, sub_, from);
                    child[k] = CellId(childReach_.smallest());
                    if (placed == k) lost = false;
                    else table.insert(child.data(), added);
                }
                sub_[to] = 0;
                sub_[from] = 1;
            }
        for (int j = 0; j < k; ++j) sub_[s[j]] = 0;
    }
    if (known_.size() < MostPatterns && (!budget_ || budget_->claim(0, PatternBytes))) {
        known_.emplace(key, lost);
        deadlockedPatterns_ += lost;
    }
    if (lost && shared_) shared_->add(key, LearntDeadlocks::Pattern{crates, keeperArea, corralCell});
    return lost;
}
