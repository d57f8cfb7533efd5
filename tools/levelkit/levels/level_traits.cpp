#include "tools/levelkit/levels/level_traits.h"

#include "tools/levelkit/levels/map_writer.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int Symmetries = 8;

// The level turned or mirrored: bit 0 swaps rows and columns, bit 1 turns the
// rows upside down, bit 2 the columns left to right.
Puzzle turned(const Puzzle &in, int symmetry)
{
    bool swap = symmetry & 1;
    Puzzle p = in;
    p.width = swap ? in.height : in.width;
    p.height = swap ? in.width : in.height;
    auto place = [&](int i) {
        int r = i / in.width, c = i % in.width;
        if (swap) std::swap(r, c);
        if (symmetry & 2) r = p.height - 1 - r;
        if (symmetry & 4) c = p.width - 1 - c;
        return p.index(r, c);
    };
    for (size_t i = 0; i < in.cells.size(); ++i) {
        p.cells[place(int(i))] = in.cells[i];
        p.sites[place(int(i))] = in.sites[i];
    }
    for (int &c : p.crates) c = place(c);
    std::sort(p.crates.begin(), p.crates.end());
    p.keeper = place(in.keeper);
    return p;
}

// The first cell, in reading order, of the keeper's area among the crates:
// the keeper can walk there, so it stands for all of the area.
int firstKeeperCell(const Puzzle &p)
{
    std::vector<bool> open(p.cells.size());
    for (size_t i = 0; i < open.size(); ++i) open[i] = p.cells[i] == Cell::Floor;
    for (int c : p.crates) open[c] = false;
    std::vector<bool> area = FloodFrom(p, {p.keeper}, open);
    return int(std::find(area.begin(), area.end(), true) - area.begin());
}

template <class Key> std::string smallestTurn(const Puzzle &p, Key key)
{
    std::string best;
    for (int s = 0; s < Symmetries; ++s) {
        std::string k = key(turned(p, s));
        if (s == 0 || k < best) best = k;
    }
    return best;
}

}  // namespace

bool traitsOf(const Puzzle &p, LevelTraits &t)
{
    t = LevelTraits();
    t.crates = int(p.crates.size());
    if (p.solution.empty() || p.keeper < 0) return false;
    std::vector<int> crateAt(p.cells.size(), -1), lastWay(p.crates.size(), -1);
    std::vector<bool> moved(p.crates.size(), false);
    for (size_t i = 0; i < p.crates.size(); ++i) crateAt[p.crates[i]] = int(i);
    int keeper = p.keeper, lastCrate = -1;
    auto open = [&](int r, int c) {
        return r >= 0 && c >= 0 && r < p.height && c < p.width && p.cells[p.index(r, c)] == Cell::Floor &&
               crateAt[p.index(r, c)] < 0;
    };
    for (char letter : p.solution) {
        int dr, dc;
        if (!LetterStep(letter, dr, dc)) return false;
        int r = keeper / p.width + dr, c = keeper % p.width + dc;
        if (r < 0 || c < 0 || r >= p.height || c >= p.width) return false;
        int ahead = p.index(r, c);
        bool push = letter >= 'A' && letter <= 'Z';
        if (push) {
            int crate = crateAt[ahead];
            if (crate < 0 || !open(r + dr, c + dc)) return false;
            crateAt[ahead] = -1;
            crateAt[p.index(r + dr, c + dc)] = crate;
            t.switches += lastCrate >= 0 && crate != lastCrate;
            t.turns += lastWay[crate] >= 0 && lastWay[crate] != (letter | 0x20);
            lastWay[crate] = letter | 0x20;
            lastCrate = crate;
            moved[crate] = true;
            ++t.pushes;
        } else if (!open(r, c)) {
            return false;
        }
        keeper = ahead;
        ++t.moves;
    }
    t.everyCrateMoves = std::find(moved.begin(), moved.end(), false) == moved.end();
    return true;
}

std::string sameLevelKey(const Puzzle &p)
{
    return smallestTurn(tidyPuzzle(p), [](Puzzle q) {
        q.keeper = firstKeeperCell(q);
        return FormatBoard(q);
    });
}

std::string outlineKey(const Puzzle &p)
{
    Puzzle room = tidyPuzzle(p);
    // Outside the outline: what the border reaches without crossing the floor.
    std::vector<bool> area = KeeperArea(room), open(area.size());
    std::vector<int> border;
    for (size_t i = 0; i < area.size(); ++i) open[i] = !area[i];
    for (int r = 0; r < room.height; ++r)
        for (int c = 0; c < room.width; ++c)
            if ((r == 0 || c == 0 || r == room.height - 1 || c == room.width - 1) && open[room.index(r, c)])
                border.push_back(room.index(r, c));
    std::vector<bool> outside = FloodFrom(room, border, open);
    for (size_t i = 0; i < room.cells.size(); ++i) room.cells[i] = outside[i] ? Cell::Outside : Cell::Wall;
    room.crates.clear();
    room.sites.assign(room.cells.size(), false);
    room.keeper = 0;
    return smallestTurn(room, [](const Puzzle &q) {
        std::string s;
        for (int r = 0; r < q.height; ++r) {
            for (int c = 0; c < q.width; ++c) s += q.cells[q.index(r, c)] == Cell::Wall ? '#' : ' ';
            s += '\n';
        }
        return s;
    });
}
