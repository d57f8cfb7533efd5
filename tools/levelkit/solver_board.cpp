#include "tools/levelkit/solver_board.h"

#include <algorithm>

const char WalkLetters[DirectionCount + 1] = "lurd";
const char PushLetters[DirectionCount + 1] = "LURD";

namespace {
const int RowStep[DirectionCount] = {0, -1, 0, 1};
const int ColStep[DirectionCount] = {-1, 0, 1, 0};
}  // namespace

SolverBoard::SolverBoard(const Puzzle &p)
{
    std::vector<bool> area = KeeperArea(p);
    cellOfText.assign(p.cells.size(), NoCell);
    for (size_t i = 0; i < area.size(); ++i)
        if (area[i]) {
            cellOfText[i] = int(textIndex.size());
            textIndex.push_back(int(i));
        }
    cellCount = int(textIndex.size());
    next.resize(cellCount);
    site.assign(cellCount, 0);
    for (int c = 0; c < cellCount; ++c) {
        int r = textIndex[c] / p.width, col = textIndex[c] % p.width;
        site[c] = p.sites[textIndex[c]];
        for (int d = 0; d < DirectionCount; ++d) {
            int nr = r + RowStep[d], nc = col + ColStep[d];
            bool inside = nr >= 0 && nc >= 0 && nr < p.height && nc < p.width;
            next[c][d] = inside ? cellOfText[p.index(nr, nc)] : NoCell;
        }
    }
    keeper = p.keeper >= 0 ? cellOfText[p.keeper] : NoCell;
    for (int t : p.crates)
        if (cellOfText[t] != NoCell) crates.push_back(CellId(cellOfText[t]));
    std::sort(crates.begin(), crates.end());
    // A crate reaches a site from the cells a pull from some site can bring it to.
    dead.assign(cellCount, 1);
    std::vector<int> stack;
    for (int c = 0; c < cellCount; ++c)
        if (site[c]) {
            dead[c] = 0;
            stack.push_back(c);
        }
    while (!stack.empty()) {
        int x = stack.back();
        stack.pop_back();
        for (int d = 0; d < DirectionCount; ++d) {
            int y = next[x][d];
            if (y == NoCell || !dead[y]) continue;
            int beyond = next[y][d];
            if (beyond == NoCell) continue;
            dead[y] = 0;
            stack.push_back(y);
        }
    }
}

void Reach::flood(const SolverBoard &b, const std::vector<uint8_t> &occupied, int from)
{
    if (++gen_ == 0) {
        std::fill(stamp_.begin(), stamp_.end(), 0);
        gen_ = 1;
    }
    int head = 0, tail = 0;
    queue_[tail++] = from;
    stamp_[from] = gen_;
    dist_[from] = 0;
    smallest_ = from;
    while (head < tail) {
        int x = queue_[head++];
        for (int d = 0; d < DirectionCount; ++d) {
            int y = b.next[x][d];
            if (y == NoCell || occupied[y] || stamp_[y] == gen_) continue;
            stamp_[y] = gen_;
            dist_[y] = dist_[x] + 1;
            via_[y] = uint8_t(d);
            smallest_ = std::min(smallest_, y);
            queue_[tail++] = y;
        }
    }
}

std::string Reach::pathTo(const SolverBoard &b, int c) const
{
    std::string path;
    while (dist_[c] > 0) {
        int d = via_[c];
        path += WalkLetters[d];
        c = b.next[c][opposite(d)];
    }
    std::reverse(path.begin(), path.end());
    return path;
}

namespace {

struct FreezeCheck {
    const SolverBoard &b;
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

bool frozenDeadlock(const SolverBoard &b, const std::vector<uint8_t> &occupied, int c)
{
    if (!b.everyCrateOnSite) return false;
    FreezeCheck check{b, occupied, {}, {}};
    return check.frozen(c) && !check.frozenOffSite.empty();
}
