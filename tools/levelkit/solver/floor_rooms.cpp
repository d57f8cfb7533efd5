#include "tools/levelkit/solver/floor_rooms.h"

namespace {

// A cell with walls on both sides across one axis; a site is never one, so a
// link is only ever passed through.
bool corridorCell(const CellGraph &b, int c)
{
    if (b.site[c]) return false;
    for (int d = 0; d < 2; ++d)
        if (b.next[c][d] == NoCell && b.next[c][opposite(d)] == NoCell) return true;
    return false;
}

// Numbers the pieces of the cells for which inside(c) holds, joined through
// their four neighbours; returns how many.
template <class F> int numberPieces(const CellGraph &b, std::vector<int> &id, F inside)
{
    id.assign(b.cellCount, -1);
    std::vector<int> queue;
    int pieces = 0;
    for (int c = 0; c < b.cellCount; ++c) {
        if (id[c] >= 0 || !inside(c)) continue;
        queue.assign(1, c);
        id[c] = pieces;
        for (size_t i = 0; i < queue.size(); ++i)
            for (int d = 0; d < DirectionCount; ++d) {
                int n = b.next[queue[i]][d];
                if (n == NoCell || id[n] >= 0 || !inside(n)) continue;
                id[n] = pieces;
                queue.push_back(n);
            }
        ++pieces;
    }
    return pieces;
}

}  // namespace

FloorRooms::FloorRooms(const CellGraph &b)
{
    std::vector<uint8_t> corridor(b.cellCount);
    for (int c = 0; c < b.cellCount; ++c) corridor[c] = corridorCell(b, c);
    links_ = numberPieces(b, link_, [&](int c) { return corridor[c] != 0; });
    rooms_ = numberPieces(b, room_, [&](int c) { return corridor[c] == 0; });
    mark_.assign(size_t(links_), 0);
}

int FloorRooms::blocked(const CellId *crates, int k) const
{
    int n = 0;
    for (int i = 0; i < k; ++i) {
        int l = link_[crates[i]];
        if (l >= 0 && !mark_[l]) mark_[l] = 1, ++n;
    }
    for (int i = 0; i < k; ++i)
        if (link_[crates[i]] >= 0) mark_[link_[crates[i]]] = 0;
    return n;
}
