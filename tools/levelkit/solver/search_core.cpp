#include "tools/levelkit/solver/search_core.h"

#include <algorithm>

Expander::Expander(const CellGraph &b, PushBound *bound, CorralTable *corrals, Options options)
    : b_(b), k_(int(b.crates.size())), bound_(bound), corrals_(corrals), options_(options),
      occupied_(b.cellCount, 0), parentReach_(b.cellCount), childArea_(b), child_(k_ + 1)
{
}

void Expander::begin(const CellId *s)
{
    for (int i = 0; i < k_; ++i) occupied_[s[i]] = 1;
    parentReach_.flood(b_, occupied_, s[k_]);
    childArea_.setFloor(occupied_);
    if (options_.prune && bound_) bound_->solve(s);
}

void Expander::end(const CellId *s)
{
    for (int i = 0; i < k_; ++i) occupied_[s[i]] = 0;
}

// Tries one push; leaves the crate moved (undo() puts it back) and the child
// built when it is worth searching.
bool Expander::tryPush(const CellId *s, int crate, int dir, int &bound)
{
    moved_ = false;
    int from = s[crate], stand = b_.next[from][opposite(dir)], to = b_.next[from][dir];
    if (stand == NoCell || to == NoCell || occupied_[to] || !parentReach_.reached(stand)) return false;
    bool prune = options_.prune && b_.everyCrateOnSite;
    if (prune && b_.dead[to]) return false;
    push_ = Push{crate, from, to, dir, stand, 1};
    if (options_.tunnels) {
        // Walls on both sides of crate and keeper: stopping inside serves nothing.
        auto walled = [&](int c) {
            return b_.next[c][(dir + 1) & 3] == NoCell && b_.next[c][(dir + 3) & 3] == NoCell;
        };
        for (;;) {
            int behind = b_.next[push_.to][opposite(dir)], beyond = b_.next[push_.to][dir];
            if (b_.site[push_.to] || !walled(push_.to) || !walled(behind) || beyond == NoCell || occupied_[beyond] ||
                (prune && b_.dead[beyond]))
                break;
            push_.to = beyond;
            ++push_.count;
        }
    }
    to = push_.to;
    occupied_[from] = 0;
    occupied_[to] = 1;
    childArea_.flip(from);
    childArea_.flip(to);
    moved_ = true;
    if (prune && frozenDeadlock(b_, occupied_, to)) return false;
    if (options_.prune && bound_) {
        bound = bound_->moved(crate, to);
        if (bound == PushBound::Infinite) return false;
    }
    int keeper = push_.count == 1 ? quickKeeper(from, to, dir) : NoCell;
    if (keeper == NoCell) {
        childArea_.flood(b_.next[to][opposite(dir)]);
        if (prune && corrals_ && corrals_->deadlocked(occupied_, childArea_, to)) return false;
        keeper = childArea_.smallest();
    }
    buildChild(s, crate, to, keeper);
    return true;
}

// A pull: the keeper beside the crate steps away in dir and the crate follows.
bool Expander::tryPull(const CellId *s, int crate, int dir, int &bound)
{
    moved_ = false;
    int from = s[crate], to = b_.next[from][dir];
    int back = to == NoCell ? NoCell : b_.next[to][dir];
    if (back == NoCell || occupied_[to] || occupied_[back] || !parentReach_.reached(to)) return false;
    push_ = Push{crate, from, to, dir, to, 1};
    occupied_[from] = 0;
    occupied_[to] = 1;
    childArea_.flip(from);
    childArea_.flip(to);
    moved_ = true;
    if (options_.prune && bound_) {
        bound = bound_->moved(crate, to);
        if (bound == PushBound::Infinite) return false;
    }
    childArea_.flood(back);
    buildChild(s, crate, to, childArea_.smallest());
    return true;
}

void Expander::buildChild(const CellId *s, int crate, int to, int keeper)
{
    int n = 0;
    bool placed = false;
    for (int i = 0; i < k_; ++i) {
        if (i == crate) continue;
        if (!placed && to < s[i]) {
            child_[n++] = CellId(to);
            placed = true;
        }
        child_[n++] = s[i];
    }
    if (!placed) child_[n++] = CellId(to);
    child_[k_] = CellId(keeper);
}

// Most pushes only trade the crate's new cell for its old one in the keeper's
// area: the new cell was reachable, nothing new opens beside the old one, and
// the cells round the new one still join up without it. Then the child's
// smallest cell follows without a flood (and no corral can have formed).
// NoCell when that does not hold.
int Expander::quickKeeper(int from, int to, int dir) const
{
    if (!parentReach_.reached(to) || parentReach_.smallest() == to) return NoCell;
    for (int side : {(dir + 1) & 3, (dir + 3) & 3}) {
        int p = b_.next[from][side];
        if (p != NoCell && !occupied_[p] && !parentReach_.reached(p)) return NoCell;
    }
    // The eight cells round the new one, in turn; straight neighbours at even places.
    bool open[8];
    for (int i = 0; i < DirectionCount; ++i) {
        int straight = b_.next[to][i], turn = (i + 1) & 3, other = b_.next[to][turn];
        int diagonal = straight != NoCell ? b_.next[straight][turn] : NoCell;
        if (diagonal == NoCell && other != NoCell) diagonal = b_.next[other][i];
        open[2 * i] = straight != NoCell && !occupied_[straight];
        open[2 * i + 1] = diagonal != NoCell && !occupied_[diagonal];
    }
    int groups = 0;
    for (int i = 0; i < 8; ++i) {
        if (!open[i] || open[(i + 7) & 7]) continue;  // not the start of a run
        bool straight = false;
        for (int j = i; open[j & 7] && j < i + 8; ++j) straight = straight || (j & 1) == 0;
        groups += straight;
    }
    bool allOpen = true;
    for (bool o : open) allOpen = allOpen && o;
    if (groups > 1 && !allOpen) return NoCell;
    return std::min(parentReach_.smallest(), from);
}

void Expander::undo()
{
    if (!moved_) return;
    occupied_[push_.to] = 0;
    occupied_[push_.from] = 1;
    childArea_.flip(push_.from);
    childArea_.flip(push_.to);
    moved_ = false;
}

std::vector<CellId> startPosition(const CellGraph &b)
{
    std::vector<CellId> s(b.crates.begin(), b.crates.end());
    std::vector<uint8_t> occupied(b.cellCount, 0);
    for (CellId c : s) occupied[c] = 1;
    Reach r(b.cellCount);
    r.flood(b, occupied, b.keeper);
    s.push_back(CellId(r.smallest()));
    return s;
}

std::vector<std::vector<CellId>> solvedPositions(const CellGraph &b)
{
    std::vector<std::vector<CellId>> out;
    std::vector<CellId> crates;
    std::vector<uint8_t> occupied(b.cellCount, 0), seen(b.cellCount, 0);
    for (int c = 0; c < b.cellCount; ++c)
        if (b.site[c]) crates.push_back(CellId(c)), occupied[c] = 1;
    Reach r(b.cellCount);
    for (int c = 0; c < b.cellCount; ++c) {
        if (occupied[c] || seen[c]) continue;
        r.flood(b, occupied, c);
        for (int x = 0; x < b.cellCount; ++x)
            if (r.reached(x)) seen[x] = 1;
        out.push_back(crates);
        out.back().push_back(CellId(r.smallest()));
    }
    return out;
}

std::string lineLetters(const CellGraph &b, const std::vector<std::vector<CellId>> &line)
{
    std::string moves;
    int keeper = b.keeper, k = int(b.crates.size());
    std::vector<uint8_t> occupied(b.cellCount, 0);
    Reach r(b.cellCount);
    for (size_t step = 1; step < line.size(); ++step) {
        const CellId *a = line[step - 1].data(), *c = line[step].data();
        int left = -1, arrived = -1;
        for (int i = 0; i < k; ++i)
            if (!std::binary_search(c, c + k, a[i])) left = a[i];
        for (int i = 0; i < k; ++i)
            if (!std::binary_search(a, a + k, c[i])) arrived = c[i];
        int dir = 0, count = 0;
        for (int d = 0; d < DirectionCount && count == 0; ++d) {
            int n = 0, x = left;
            while (x != NoCell && x != arrived) {
                x = b.next[x][d];
                ++n;
            }
            if (x == arrived) dir = d, count = n;
        }
        for (int i = 0; i < k; ++i) occupied[a[i]] = 1;
        r.flood(b, occupied, keeper);
        moves += r.pathTo(b, b.next[left][opposite(dir)]);
        moves.append(size_t(count), PushLetters[dir]);
        for (int i = 0; i < k; ++i) occupied[a[i]] = 0;
        keeper = b.next[arrived][opposite(dir)];
    }
    return moves;
}
