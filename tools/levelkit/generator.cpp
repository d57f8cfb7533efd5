#include "tools/levelkit/generator.h"

#include "tools/levelkit/commands.h"
#include "tools/levelkit/map_writer.h"
#include "tools/levelkit/solver.h"
#include "tools/levelkit/solver_board.h"
#include "tools/levelkit/state_table.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>

Puzzle makeRoom(const Tier &t, std::mt19937 &random)
{
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    int w = pick(t.minWidth, t.maxWidth), h = pick(t.minHeight, t.maxHeight);
    Puzzle p;
    p.width = w + 2;
    p.height = h + 2;
    p.cells.assign(size_t(p.width) * p.height, Cell::Wall);
    p.sites.assign(p.cells.size(), false);
    for (int r = 1; r <= h; ++r)
        for (int c = 1; c <= w; ++c) p.cells[p.index(r, c)] = Cell::Floor;
    if (w >= 5 && h >= 4)
        for (int corner = 0; corner < 4; ++corner) {
            if (pick(0, 2) != 0) continue;
            int cw = pick(1, std::max(1, w / 3)), ch = pick(1, std::max(1, h / 3));
            for (int r = 0; r < ch; ++r)
                for (int c = 0; c < cw; ++c) {
                    int rr = corner & 1 ? h - r : 1 + r, cc = corner & 2 ? w - c : 1 + c;
                    p.cells[p.index(rr, cc)] = Cell::Wall;
                }
        }
    int blocks = w * h * t.wallBlocks / 10;
    for (int b = 0; b < blocks; ++b) {
        int r = pick(1, h), c = pick(1, w);
        p.cells[p.index(r, c)] = Cell::Wall;
        if (pick(0, 1)) {
            int r2 = std::min(h, r + pick(0, 1)), c2 = std::min(w, c + pick(0, 1));
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

bool generateLevel(const Tier &t, std::mt19937 &random, GeneratedLevel &out)
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
        SolveLimits limits;
        limits.seconds = 30.0;
        limits.memoryBytes = size_t(1) << 30;
        limits.exactShare = 1.0;  // a level is kept only with its proven optimum
        SolveResult r = solvePuzzle(p, limits);
        if (r.status != SolveResult::Solved || !r.movesOptimal) continue;
        if (r.pushCount != depth) {
            std::fprintf(stderr, "generator: pull depth %d but solver %ld pushes\n%s; solution: %s\n", depth,
                         r.pushCount, FormatBoard(p).c_str(), r.moves.c_str());
            continue;
        }
        p = tidyPuzzle(p);
        p.solution = r.moves;
        p.storedMoves = r.moveCount;
        p.storedPushes = r.pushCount;
        if (!found || p.storedMoves > out.puzzle.storedMoves) {
            out.puzzle = p;
            out.pulls = depth;
            found = true;
        }
    }
    if (!found) return false;
    std::string map, why;
    return writeMapText(out.puzzle, map, why);
}
