#include "tools/levelkit/solver/push_bound.h"

#include "tools/levelkit/solver/solver.h"

#include <algorithm>

namespace {

// The cost of an assignment that needs a crate where none can go; any sum of
// real distances stays below it.
constexpr int Blocked = 1 << 20;
constexpr int Huge = INT_MAX / 4;

}  // namespace

PushBound::PushBound(const CellGraph &b, int needed) : cells_(b.cellCount), crates_(int(b.crates.size()))
{
    std::vector<int> siteCells;
    for (int c = 0; c < b.cellCount; ++c)
        if (b.site[c]) siteCells.push_back(c);
    measure(b, siteCells, false, needed);
}

PushBound::PushBound(const CellGraph &b, const std::vector<CellId> &targets)
    : cells_(b.cellCount), crates_(int(b.crates.size()))
{
    measure(b, std::vector<int>(targets.begin(), targets.end()), true, int(targets.size()));
}

void PushBound::measure(const CellGraph &b, const std::vector<int> &targets, bool pulls, int needed)
{
    sites_ = int(targets.size());
    // Rows: the crates, then one stand-in crate for every site that may stay
    // empty; columns: the sites, then one stand-in site for every crate that
    // may stay off them. Stand-ins cost nothing.
    size_ = crates_ + sites_ - std::min(needed, std::min(crates_, sites_));
    dist_.assign(size_t(sites_) * cells_, Unreachable);
    std::vector<int> queue(cells_);
    for (int s = 0; s < sites_; ++s) {
        uint16_t *d = &dist_[size_t(s) * cells_];
        int head = 0, tail = 0;
        d[targets[s]] = 0;
        queue[tail++] = targets[s];
        // Outwards from the target: pushes to it came from x with the keeper
        // beyond x; pulls to it are pushes away from it, the keeper behind.
        while (head < tail) {
            int y = queue[head++];
            for (int dir = 0; dir < DirectionCount; ++dir) {
                int x = b.next[y][opposite(dir)];
                int keeper = pulls ? b.next[y][dir] : x == NoCell ? NoCell : b.next[x][opposite(dir)];
                if (x == NoCell || keeper == NoCell || d[x] != Unreachable) continue;
                d[x] = uint16_t(d[y] + 1);
                queue[tail++] = x;
            }
        }
    }
    rowCell_.assign(crates_, 0);
    for (auto *a : {&u_, &v_, &p_, &su_, &sv_, &sp_, &minv_, &way_}) a->assign(size_ + 1, 0);
    used_.assign(size_ + 1, 0);
}

int PushBound::cost(int row, int col) const
{
    if (row >= crates_ || col >= sites_) return 0;
    uint16_t d = distance(col, rowCell_[row]);
    return d == Unreachable ? Blocked : d;
}

// One row joins the assignment along a shortest augmenting path (the
// potentials keep every reduced cost at zero or above). Rows and columns count
// from 1 here; column 0 is the path's root.
void PushBound::augment(int row, std::vector<int> &u, std::vector<int> &v, std::vector<int> &p)
{
    p[0] = row;
    int j0 = 0;
    std::fill(minv_.begin(), minv_.end(), Huge);
    std::fill(used_.begin(), used_.end(), 0);
    do {
        used_[j0] = 1;
        int i0 = p[j0], delta = Huge, j1 = 0;
        for (int j = 1; j <= size_; ++j) {
            if (used_[j]) continue;
            int cur = cost(i0 - 1, j - 1) - u[i0] - v[j];
            if (cur < minv_[j]) {
                minv_[j] = cur;
                way_[j] = j0;
            }
            if (minv_[j] < delta) {
                delta = minv_[j];
                j1 = j;
            }
        }
        for (int j = 0; j <= size_; ++j) {
            if (used_[j]) {
                u[p[j]] += delta;
                v[j] -= delta;
            } else {
                minv_[j] -= delta;
            }
        }
        j0 = j1;
    } while (p[j0] != 0);
    do {
        int j1 = way_[j0];
        p[j0] = p[j1];
        j0 = j1;
    } while (j0);
}

int PushBound::total(const std::vector<int> &p) const
{
    int sum = 0;
    for (int j = 1; j <= size_; ++j) sum += cost(p[j] - 1, j - 1);
    return sum >= Blocked ? Infinite : sum;
}

int PushBound::solve(const CellId *crates)
{
    for (int r = 0; r < crates_; ++r) rowCell_[r] = crates[r];
    std::fill(u_.begin(), u_.end(), 0);
    std::fill(v_.begin(), v_.end(), 0);
    std::fill(p_.begin(), p_.end(), 0);
    for (int i = 1; i <= size_; ++i) augment(i, u_, v_, p_);
    return total(p_);
}

int PushBound::moved(int row, int cell)
{
    int before = rowCell_[row];
    rowCell_[row] = cell;
    su_ = u_;
    sv_ = v_;
    sp_ = p_;
    int i = row + 1, low = Huge;
    for (int j = 1; j <= size_; ++j) {
        if (sp_[j] == i) sp_[j] = 0;
        low = std::min(low, cost(row, j - 1) - sv_[j]);
    }
    su_[i] = low;
    augment(i, su_, sv_, sp_);
    int bound = total(sp_);
    rowCell_[row] = before;
    return bound;
}

CrateBound::CrateBound(const CellGraph &b, int needed) : bound_(new PushBound(b, needed)) {}
CrateBound::~CrateBound() = default;
int CrateBound::pushes(const CellId *crates) { return bound_->solve(crates); }
