#include "tools/levelkit/board/cell_graph.h"

#include <algorithm>

const char WalkLetters[DirectionCount + 1] = "lurd";
const char PushLetters[DirectionCount + 1] = "LURD";

namespace {
const int RowStep[DirectionCount] = {0, -1, 0, 1};
const int ColStep[DirectionCount] = {-1, 0, 1, 0};
}  // namespace

CellGraph::CellGraph(const Puzzle &p)
{
    std::vector<bool> area = KeeperArea(p);
    cellOfText.assign(p.cells.size(), NoCell);
    for (size_t i = 0; i < area.size(); ++i)
        if (area[i]) {
            cellOfText[i] = int(textIndex.size());
            textIndex.push_back(int(i));
        }
    cellCount = int(textIndex.size());
    textWidth = p.width;
    textCells = int(p.cells.size());
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

void Reach::flood(const CellGraph &b, const std::vector<uint8_t> &occupied, int from)
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

std::string Reach::pathTo(const CellGraph &b, int c) const
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

AreaBits::AreaBits(const CellGraph &b)
    : b_(b), words_((b.textCells + 63) / 64), rowWords_(b.textWidth / 64), rowBits_(b.textWidth % 64),
      inside_(words_, 0), floor_(words_, 0), area_(words_, 0)
{
    for (int c = 0; c < b.cellCount; ++c) inside_[bitOf(c) >> 6] |= uint64_t(1) << (bitOf(c) & 63);
}

void AreaBits::setFloor(const std::vector<uint8_t> &occupied)
{
    floor_ = inside_;
    for (int c = 0; c < b_.cellCount; ++c)
        if (occupied[c]) flip(c);
}

void AreaBits::flood(int from)
{
    std::fill(area_.begin(), area_.end(), 0);
    area_[bitOf(from) >> 6] |= uint64_t(1) << (bitOf(from) & 63);
    // Shifts by one cell and by one text row, across word edges; the inside
    // never touches the text's edges, so nothing wraps into it.
    auto word = [&](int i) { return i >= 0 && i < words_ ? area_[i] : 0; };
    auto shiftedUp = [&](int i, int wordsBack, int bits) {  // the bit n places below, moved here
        uint64_t w = word(i - wordsBack) << bits;
        if (bits) w |= word(i - wordsBack - 1) >> (64 - bits);
        return w;
    };
    auto shiftedDown = [&](int i, int wordsOn, int bits) {  // the bit n places above, moved here
        uint64_t w = word(i + wordsOn) >> bits;
        if (bits) w |= word(i + wordsOn + 1) << (64 - bits);
        return w;
    };
    for (bool grew = true; grew;) {
        grew = false;
        for (int i = 0; i < words_; ++i) {
            uint64_t a = area_[i];
            uint64_t n = a | shiftedUp(i, 0, 1) | shiftedDown(i, 0, 1) | shiftedUp(i, rowWords_, rowBits_) |
                         shiftedDown(i, rowWords_, rowBits_);
            n &= floor_[i];
            if (n != a) {
                area_[i] = n;
                grew = true;
            }
        }
    }
}

int AreaBits::smallest() const
{
    for (int i = 0; i < words_; ++i)
        if (area_[i]) return b_.cellOfText[i * 64 + __builtin_ctzll(area_[i])];
    return NoCell;
}
