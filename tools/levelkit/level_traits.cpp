#include "tools/levelkit/level_traits.h"

#include "tools/levelkit/map_writer.h"

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
    std::vector<bool> seen(p.cells.size(), false);
    for (int c : p.crates) seen[c] = true;
    std::vector<int> stack{p.keeper};
    seen[p.keeper] = true;
    int first = p.keeper;
    const int steps[] = {-1, 1, -p.width, p.width};
    while (!stack.empty()) {
        int i = stack.back();
        stack.pop_back();
        first = std::min(first, i);
        for (int s : steps) {
            int n = i + s;  // a level's inside is walled, so no step leaves the grid
            if (n < 0 || n >= int(p.cells.size()) || seen[n] || p.cells[n] != Cell::Floor) continue;
            seen[n] = true;
            stack.push_back(n);
        }
    }
    return first;
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
    std::vector<bool> area = KeeperArea(room), outside(room.cells.size(), false);
    std::vector<int> stack;
    for (int r = 0; r < room.height; ++r)
        for (int c = 0; c < room.width; ++c)
            if ((r == 0 || c == 0 || r == room.height - 1 || c == room.width - 1) && !area[room.index(r, c)]) {
                outside[room.index(r, c)] = true;
                stack.push_back(room.index(r, c));
            }
    while (!stack.empty()) {
        int i = stack.back();
        stack.pop_back();
        int r = i / room.width, c = i % room.width;
        const int dr[] = {-1, 1, 0, 0}, dc[] = {0, 0, -1, 1};
        for (int d = 0; d < 4; ++d) {
            int nr = r + dr[d], nc = c + dc[d];
            if (nr < 0 || nc < 0 || nr >= room.height || nc >= room.width) continue;
            int n = room.index(nr, nc);
            if (outside[n] || area[n]) continue;
            outside[n] = true;
            stack.push_back(n);
        }
    }
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
