#include "tools/levelkit/generator.h"

#include "tools/levelkit/commands.h"
#include "tools/levelkit/map_writer.h"
#include "tools/levelkit/push_bound.h"
#include "tools/levelkit/scatter.h"
#include "tools/levelkit/solver.h"
#include "tools/levelkit/solver_board.h"
#include "tools/levelkit/state_table.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>

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

namespace {

// Breadth-first pulls from every solved position. Returns the positions of
// the deepest finished layer, as indices into the table.
std::vector<uint32_t> pullSearch(const SolverBoard &b, const std::vector<CellId> &goals, const Tier &t,
                                 StateTable &table, int &depthOut)
{
    int k = int(goals.size());
    std::vector<uint8_t> occupied(b.cellCount, 0);
    Reach reach(b.cellCount), childReach(b.cellCount);
    for (CellId g : goals) occupied[g] = 1;
    std::vector<CellId> s(goals);
    s.push_back(0);
    bool added;
    std::vector<uint8_t> regionSeen(b.cellCount, 0);
    for (int c = 0; c < b.cellCount; ++c) {
        if (occupied[c] || regionSeen[c]) continue;
        reach.flood(b, occupied, c);
        for (int x = 0; x < b.cellCount; ++x)
            if (reach.reached(x)) regionSeen[x] = 1;
        s[k] = CellId(reach.smallest());
        table.insert(s.data(), added);
    }
    for (CellId g : goals) occupied[g] = 0;
    size_t layerBegin = 0, layerEnd = table.size();
    int depth = 0;
    std::vector<CellId> child(k + 1);
    while (layerEnd > layerBegin) {
        bool last = (t.maxPulls > 0 && depth >= t.maxPulls) || table.size() > t.stateBudget;
        if (last) break;
        for (size_t i = layerBegin; i < layerEnd; ++i) {
            std::vector<CellId> here(table.at(uint32_t(i)), table.at(uint32_t(i)) + k + 1);
            for (int j = 0; j < k; ++j) occupied[here[j]] = 1;
            reach.flood(b, occupied, here[k]);
            for (int j = 0; j < k; ++j) {
                int c = here[j];
                for (int d = 0; d < DirectionCount; ++d) {
                    int stand = b.next[c][d];
                    if (stand == NoCell || !reach.reached(stand)) continue;
                    int back = b.next[stand][d];
                    if (back == NoCell || occupied[back]) continue;
                    occupied[c] = 0;
                    occupied[stand] = 1;
                    int n = 0;
                    for (int m = 0; m < k; ++m) child[n++] = m == j ? CellId(stand) : here[m];
                    std::sort(child.begin(), child.begin() + k);
                    childReach.flood(b, occupied, back);
                    child[k] = CellId(childReach.smallest());
                    table.insert(child.data(), added);
                    occupied[stand] = 0;
                    occupied[c] = 1;
                }
            }
            for (int j = 0; j < k; ++j) occupied[here[j]] = 0;
        }
        if (table.size() == layerEnd) break;
        layerBegin = layerEnd;
        layerEnd = table.size();
        ++depth;
    }
    depthOut = depth;
    std::vector<uint32_t> deepest;
    for (size_t i = layerBegin; i < layerEnd; ++i) deepest.push_back(uint32_t(i));
    return deepest;
}

}  // namespace

// The solver's limits here. Memory stops a search that cannot finish, so a
// seed makes the same set on any machine; the time only guards against a
// level that would take all night.
constexpr size_t SolverMemory = size_t(512) << 20;
constexpr double SolverSeconds = 900.0;

SolveResult solveExactly(const Puzzle &p)
{
    SolveLimits limits;
    limits.seconds = SolverSeconds;
    limits.memoryBytes = SolverMemory;
    limits.exactShare = 1.0;  // a level is kept only with its proven fewest pushes
    return solvePuzzle(p, limits);
}

namespace {

// Keeps the solved level when it earns its place: every crate moves, and the
// camera shows it at both screen shapes.
bool keep(Puzzle p, const SolveResult &r, GeneratedLevel &out)
{
    if (r.status != SolveResult::Solved || !r.pushesOptimal) return false;
    p = tidyPuzzle(p);
    p.solution = r.moves;
    p.storedMoves = r.moveCount;
    p.storedPushes = r.pushCount;
    LevelTraits traits;
    std::string map, why;
    if (!traitsOf(p, traits) || !traits.everyCrateMoves || !writeMapText(p, map, why)) return false;
    out.puzzle = p;
    out.traits = traits;
    out.positions = r.expanded;
    out.movesProven = r.movesOptimal;
    return true;
}

// Crates from the deepest layer of the pull search.
bool pulledLevel(const Tier &t, std::mt19937 &random, GeneratedLevel &out)
{
    int crates = std::uniform_int_distribution<int>(t.minCrates, t.maxCrates)(random);
    Puzzle room = makeRoom(t, random);
    if (!roomIsGood(room, crates)) return false;
    SolverBoard b(room);
    // Sites where a crate can be pulled off at least one way.
    std::vector<int> candidates;
    for (int c = 0; c < b.cellCount; ++c)
        for (int d = 0; d < DirectionCount; ++d)
            if (b.next[c][d] != NoCell && b.next[b.next[c][d]][d] != NoCell) {
                candidates.push_back(c);
                break;
            }
    if (int(candidates.size()) < crates) return false;
    std::shuffle(candidates.begin(), candidates.end(), random);
    std::vector<CellId> goals(candidates.begin(), candidates.begin() + crates);
    std::sort(goals.begin(), goals.end());
    StateTable table(crates);
    int depth = 0;
    std::vector<uint32_t> deepest = pullSearch(b, goals, t, table, depth);
    if (deepest.empty() || depth == 0) return false;
    // A few of the deepest positions, each with the keeper somewhere in its
    // area; the one with the longest optimal walk wins.
    bool found = false;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const CellId *s = table.at(deepest[std::uniform_int_distribution<size_t>(0, deepest.size() - 1)(random)]);
        Puzzle p = room;
        for (int g : goals) p.sites[b.textIndex[g]] = true;
        p.crates.clear();
        for (int j = 0; j < crates; ++j) p.crates.push_back(b.textIndex[s[j]]);
        std::sort(p.crates.begin(), p.crates.end());
        std::vector<uint8_t> occupied(b.cellCount, 0);
        for (int j = 0; j < crates; ++j) occupied[s[j]] = 1;
        Reach reach(b.cellCount);
        reach.flood(b, occupied, s[crates]);
        std::vector<int> spots;
        for (int c = 0; c < b.cellCount; ++c)
            if (reach.reached(c) && !std::binary_search(goals.begin(), goals.end(), CellId(c))) spots.push_back(c);
        if (spots.empty()) continue;
        int spot = spots[std::uniform_int_distribution<size_t>(0, spots.size() - 1)(random)];
        if (attempt == 2) {
            // Once, the keeper starts as far from every crate as its area allows.
            int best = -1;
            for (int c : spots) {
                int near = 1 << 20, tc = b.textIndex[c];
                for (int j = 0; j < crates; ++j) {
                    int tj = b.textIndex[s[j]];
                    near = std::min(near, std::abs(tc / p.width - tj / p.width) + std::abs(tc % p.width - tj % p.width));
                }
                if (near > best) best = near, spot = c;
            }
        }
        p.keeper = b.textIndex[spot];
        SolveResult r = solveExactly(p);
        if (r.status == SolveResult::Solved && r.pushCount != depth) {
            std::fprintf(stderr, "generator: pull depth %d but solver %ld pushes\n%s; solution: %s\n", depth,
                         r.pushCount, FormatBoard(p).c_str(), r.moves.c_str());
            continue;
        }
        GeneratedLevel g;
        if (!r.movesOptimal || !keep(p, r, g)) continue;
        if (!found || g.puzzle.storedMoves > out.puzzle.storedMoves) {
            out = g;
            out.pulls = depth;
            found = true;
        }
    }
    return found;
}

// Crates spread far from their sites, when they need pushes enough.
bool spreadLevelSolved(const Tier &t, std::mt19937 &random, GeneratedLevel &out)
{
    Puzzle p;
    if (!spreadLevel(t, random, p)) return false;
    SolverBoard b(p);
    PushBound bound(b, int(b.crates.size()));
    if (bound.solve(b.crates.data()) < t.minBound) return false;
    return keep(p, solveExactly(p), out);
}

}  // namespace

bool generateLevel(const Tier &t, std::mt19937 &random, GeneratedLevel &out)
{
    return t.stateBudget > 0 ? pulledLevel(t, random, out) : spreadLevelSolved(t, random, out);
}

