// The rooms of the generated levels: a few shapes cut from a rectangle of
// wall, with wall blocks scattered in them.
#include "tools/levelkit/generator/rooms.h"

#include <algorithm>

namespace {

int pick(std::mt19937 &random, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); }

void fill(Puzzle &p, int row, int col, int height, int width, Cell cell)
{
    for (int r = row; r < row + height; ++r)
        for (int c = col; c < col + width; ++c) p.cells[p.index(r, c)] = cell;
}

// The room shapes. Each lays its floor inside rows 1 to h and columns 1 to w.

// A box with some of its corners cut away.
void cutCorners(Puzzle &p, int w, int h, std::mt19937 &random)
{
    fill(p, 1, 1, h, w, Cell::Floor);
    for (int corner = 0; corner < 4; ++corner) {
        if (pick(random, 0, 2) != 0) continue;
        int cw = pick(random, 1, std::max(1, w / 3)), ch = pick(random, 1, std::max(1, h / 3));
        fill(p, corner & 1 ? h - ch + 1 : 1, corner & 2 ? w - cw + 1 : 1, ch, cw, Cell::Wall);
    }
}

// Two to four rectangles, each laid over a cell of the ones before: L, T, U
// and cross shapes, steps and zigzags.
void joinedRectangles(Puzzle &p, int w, int h, std::mt19937 &random)
{
    int count = pick(random, 2, 4);
    int r = pick(random, 1, h), c = pick(random, 1, w);
    for (int i = 0; i < count; ++i) {
        int rh = pick(random, std::max(2, h / 3), std::max(2, h * 2 / 3)), rw = pick(random, std::max(2, w / 3), w);
        if (i % 2) std::swap(rh, rw);  // long the other way
        rh = std::min(rh, h);
        rw = std::min(rw, w);
        int top = pick(random, std::max(1, r - rh + 1), std::min(r, h - rh + 1));
        int left = pick(random, std::max(1, c - rw + 1), std::min(c, w - rw + 1));
        fill(p, top, left, rh, rw, Cell::Floor);
        r = pick(random, top, top + rh - 1);
        c = pick(random, left, left + rw - 1);
    }
}

// A box split by a wall with one or two doors, the wall sometimes stopping short.
void twoRooms(Puzzle &p, int w, int h, std::mt19937 &random)
{
    fill(p, 1, 1, h, w, Cell::Floor);
    bool across = h > w || (h == w && pick(random, 0, 1));
    int length = across ? w : h, at = pick(random, 3, (across ? h : w) - 2);
    int from = 1, to = length;
    if (pick(random, 0, 2) == 0) {
        if (pick(random, 0, 1)) from += length / 3;
        else to -= length / 3;
    }
    for (int i = from; i <= to; ++i) p.cells[across ? p.index(at, i) : p.index(i, at)] = Cell::Wall;
    for (int door = pick(random, 1, 2); door > 0; --door) {
        int i = pick(random, 1, length);
        p.cells[across ? p.index(at, i) : p.index(i, at)] = Cell::Floor;
    }
}

// A box cut by walls from alternate sides into one winding way, two or three wide.
void winding(Puzzle &p, int w, int h, std::mt19937 &random)
{
    fill(p, 1, 1, h, w, Cell::Floor);
    bool across = h > w || (h == w && pick(random, 0, 1));
    int length = across ? w : h, span = across ? h : w, side = pick(random, 0, 1);
    for (int at = 1 + pick(random, 2, 3); at < span - 1; at += 1 + pick(random, 2, 3), side = !side) {
        int gap = pick(random, 2, 3);
        for (int i = 1; i <= length - gap; ++i) {
            int along = side ? i : length + 1 - i;
            p.cells[across ? p.index(at, along) : p.index(along, at)] = Cell::Wall;
        }
    }
}

typedef void (*RoomShape)(Puzzle &, int, int, std::mt19937 &);
const RoomShape RoomShapes[] = {cutCorners, joinedRectangles, twoRooms, winding};
constexpr int ShapeCount = int(sizeof RoomShapes / sizeof RoomShapes[0]);

}  // namespace

Puzzle makeRoom(const Tier &t, std::mt19937 &random, bool anyShape)
{
    int w = pick(random, t.minWidth, t.maxWidth), h = pick(random, t.minHeight, t.maxHeight);
    Puzzle p;
    p.width = w + 2;
    p.height = h + 2;
    p.cells.assign(size_t(p.width) * p.height, Cell::Wall);
    p.sites.assign(p.cells.size(), false);
    // Small rooms are plain boxes; a wall across needs four cells each side of it.
    bool small = w < 5 || h < 4;
    int shape = small || !anyShape ? 0 : pick(random, 0, std::max(w, h) < 7 ? 1 : ShapeCount - 1);
    if (small) fill(p, 1, 1, h, w, Cell::Floor);
    else RoomShapes[shape](p, w, h, random);
    int blocks = w * h * t.wallBlocks / 10;
    for (int b = 0; b < blocks; ++b) {
        int r = pick(random, 1, h), c = pick(random, 1, w);
        p.cells[p.index(r, c)] = Cell::Wall;
        if (pick(random, 0, 1)) {
            int r2 = std::min(h, r + pick(random, 0, 1)), c2 = std::min(w, c + pick(random, 0, 1));
            p.cells[p.index(r2, c2)] = Cell::Wall;
        }
    }
    return p;
}

bool roomIsGood(Puzzle &p, int crates)
{
    std::vector<int> floor;
    for (size_t i = 0; i < p.cells.size(); ++i)
        if (p.cells[i] == Cell::Floor) floor.push_back(int(i));
    if (int(floor.size()) < 3 * crates) return false;
    bool corridor = p.height == 3 || p.width == 3;  // the one-push lesson is a bare corridor
    for (int i : floor) {
        if (corridor) break;
        int walls = 0;
        const int steps[] = {-1, 1, -p.width, p.width};
        for (int s : steps) walls += p.cells[i + s] == Cell::Wall;
        if (walls >= 3) p.cells[i] = Cell::Wall;  // fill pockets rather than throw the room away
    }
    floor.clear();
    for (size_t i = 0; i < p.cells.size(); ++i)
        if (p.cells[i] == Cell::Floor) floor.push_back(int(i));
    if (int(floor.size()) < 3 * crates) return false;
    p.keeper = floor[0];
    std::vector<bool> area = KeeperArea(p);
    for (int i : floor)
        if (!area[i]) return false;
    return true;
}
