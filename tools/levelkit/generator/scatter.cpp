#include "tools/levelkit/generator/scatter.h"

#include "tools/levelkit/board/cell_graph.h"
#include "tools/levelkit/generator/rooms.h"
#include "tools/levelkit/levels/map_writer.h"
#include "tools/levelkit/solver/solver.h"

#include <algorithm>

namespace {

constexpr int SpreadRounds = 3;  // every crate is pulled away this many times

int pick(std::mt19937 &random, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); }

// A cell without a crate, any of them alike; -1 when there is none.
int anyFreeCell(const CellGraph &b, const std::vector<uint8_t> &occupied, std::mt19937 &random)
{
    std::vector<int> free;
    for (int c = 0; c < b.cellCount; ++c)
        if (!occupied[c]) free.push_back(c);
    return free.empty() ? -1 : free[pick(random, 0, int(free.size()) - 1)];
}

struct Box {
    int row, col, height, width;
    bool overlaps(const Box &o) const  // a wall between rooms is kept
    {
        return row <= o.row + o.height && o.row <= row + height && col <= o.col + o.width && o.col <= col + width;
    }
};

// Rooms on a field of wall, joined in a chain by one-wide corridors that turn once.
bool makeRooms(const ScatterShape &shape, std::mt19937 &random, Puzzle &p, Box &goal)
{
    p.width = shape.width;
    p.height = shape.height;
    p.cells.assign(size_t(p.width) * p.height, Cell::Wall);
    p.sites.assign(p.cells.size(), false);
    std::vector<Box> rooms;
    for (int tries = 0; tries < 200 && int(rooms.size()) < shape.rooms; ++tries) {
        int large = p.width >= 16 ? 2 : 0;  // large levels get large rooms
        Box r{0, 0, pick(random, 3, 5 + large), pick(random, 3, 6 + large)};
        if (r.height > p.height - 2 || r.width > p.width - 2) continue;
        r.row = pick(random, 1, p.height - 1 - r.height);
        r.col = pick(random, 1, p.width - 1 - r.width);
        bool free = true;
        for (const Box &o : rooms) free = free && !r.overlaps(o);
        if (free) rooms.push_back(r);
    }
    if (int(rooms.size()) < 2) return false;
    for (const Box &r : rooms)
        for (int y = r.row; y < r.row + r.height; ++y)
            for (int x = r.col; x < r.col + r.width; ++x) p.cells[p.index(y, x)] = Cell::Floor;
    for (size_t i = 1; i < rooms.size(); ++i) {
        const Box &a = rooms[i - 1], &b = rooms[i];
        int y = pick(random, a.row, a.row + a.height - 1), x = pick(random, a.col, a.col + a.width - 1);
        int ty = pick(random, b.row, b.row + b.height - 1), tx = pick(random, b.col, b.col + b.width - 1);
        bool acrossFirst = pick(random, 0, 1);
        for (int leg = 0; leg < 2; ++leg, acrossFirst = !acrossFirst)
            while (acrossFirst ? x != tx : y != ty) {
                (acrossFirst ? x : y) += (acrossFirst ? tx > x : ty > y) ? 1 : -1;
                p.cells[p.index(y, x)] = Cell::Floor;
            }
    }
    goal = rooms[0];
    return true;
}

// Pulls one crate as far as the others let it go: a place from the deepest
// third of its pull tree. Moves the crate and the keeper there.
bool pullAway(const CellGraph &b, std::vector<uint8_t> &occupied, int &crate, int &keeper, std::mt19937 &random)
{
    std::vector<int> depth, order = pullTree(b, occupied, crate, keeper, depth);
    int deepest = order.empty() ? 0 : depth[order.back()];
    if (deepest <= 0) return false;
    std::vector<int> far;
    for (int s : order)
        if (depth[s] * 3 >= deepest * 2) far.push_back(s);
    int chosen = far[pick(random, 0, int(far.size()) - 1)];
    crate = chosen / DirectionCount;
    keeper = b.next[crate][chosen % DirectionCount];
    return true;
}

}  // namespace

std::vector<int> pullTree(const CellGraph &b, std::vector<uint8_t> &occupied, int crate, int keeper,
                          std::vector<int> &depth)
{
    std::vector<int> order;
    depth.assign(size_t(b.cellCount) * DirectionCount, -1);
    Reach reach(b.cellCount);
    occupied[crate] = 1;
    reach.flood(b, occupied, keeper);
    for (int d = 0; d < DirectionCount; ++d) {
        int side = b.next[crate][d];
        if (side != NoCell && reach.reached(side)) {
            depth[crate * DirectionCount + d] = 0;
            order.push_back(crate * DirectionCount + d);
        }
    }
    occupied[crate] = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        int c = order[i] / DirectionCount, s = order[i] % DirectionCount;
        occupied[c] = 1;
        reach.flood(b, occupied, b.next[c][s]);
        occupied[c] = 0;
        for (int d = 0; d < DirectionCount; ++d) {
            int stand = b.next[c][d];
            if (stand == NoCell || !reach.reached(stand)) continue;
            int back = b.next[stand][d];  // the keeper steps back here, the crate follows onto stand
            if (back == NoCell || occupied[back]) continue;
            int state = stand * DirectionCount + d;
            if (depth[state] >= 0) continue;
            depth[state] = depth[order[i]] + 1;
            order.push_back(state);
        }
    }
    return order;
}

bool scatterLevel(const ScatterShape &shape, std::mt19937 &random, Puzzle &out)
{
    int crates = pick(random, shape.minCrates, shape.maxCrates);
    Puzzle p;
    Box goal{1, 1, shape.height - 2, shape.width - 2};
    if (shape.rooms > 1) {
        if (!makeRooms(shape, random, p, goal)) return false;
    } else {
        Tier t{shape.width - 2, shape.width - 2, shape.height - 2, shape.height - 2, crates, crates, 1, 0, 0, 0, 0};
        p = makeRoom(t, random, false);  // boxes, so the seed still makes the stress set it always made
    }
    if (!roomIsGood(p, crates)) return false;
    CellGraph b(p);
    // Sites fill the goal room first, leaving room to turn in it.
    std::vector<int> inGoal, elsewhere;
    for (int c = 0; c < b.cellCount; ++c) {
        int row = b.textIndex[c] / p.width, col = b.textIndex[c] % p.width;
        bool inside = row >= goal.row && row < goal.row + goal.height && col >= goal.col && col < goal.col + goal.width;
        (inside ? inGoal : elsewhere).push_back(c);
    }
    std::shuffle(inGoal.begin(), inGoal.end(), random);
    std::shuffle(elsewhere.begin(), elsewhere.end(), random);
    int fitting = std::min(crates, int(inGoal.size()) * 2 / 3);
    std::vector<int> sites(inGoal.begin(), inGoal.begin() + fitting);
    sites.insert(sites.end(), elsewhere.begin(), elsewhere.begin() + std::min(int(elsewhere.size()), crates - fitting));
    if (int(sites.size()) < crates) return false;
    std::vector<uint8_t> occupied(b.cellCount, 0);
    for (int s : sites) occupied[s] = 1;
    int keeper = anyFreeCell(b, occupied, random);
    if (keeper < 0) return false;
    std::vector<int> cells = sites;
    for (int round = 0; round < 2; ++round) {
        std::vector<int> order(cells.size());
        for (size_t i = 0; i < order.size(); ++i) order[i] = int(i);
        std::shuffle(order.begin(), order.end(), random);
        for (int i : order) {
            occupied[cells[i]] = 0;
            pullAway(b, occupied, cells[i], keeper, random);
            occupied[cells[i]] = 1;
        }
    }
    int stillOn = 0;
    for (int c : cells) stillOn += std::find(sites.begin(), sites.end(), c) != sites.end();
    if (stillOn * 3 > crates) return false;  // most crates must have somewhere to go
    Reach reach(b.cellCount);
    reach.flood(b, occupied, keeper);
    std::vector<int> spots;  // off the sites: a keeper on one would cover it all level
    for (int c = 0; c < b.cellCount; ++c)
        if (reach.reached(c) && std::find(sites.begin(), sites.end(), c) == sites.end()) spots.push_back(c);
    if (spots.empty()) return false;
    keeper = spots[pick(random, 0, int(spots.size()) - 1)];
    for (int s : sites) p.sites[b.textIndex[s]] = true;
    p.crates.clear();
    for (int c : cells) p.crates.push_back(b.textIndex[c]);
    std::sort(p.crates.begin(), p.crates.end());
    p.keeper = b.textIndex[keeper];
    out = tidyPuzzle(p);
    return true;
}

bool spreadLevel(const Tier &t, std::mt19937 &random, Puzzle &out)
{
    int crates = pick(random, t.minCrates, t.maxCrates);
    Puzzle p = makeRoom(t, random);
    if (!roomIsGood(p, crates)) return false;
    CellGraph room(p);
    // The sites: a group of cells a crate can be pulled off, grown from a cell
    // at an end of the room (the furthest from some cell) so the crates have far to go.
    Reach reach(room.cellCount);
    reach.flood(room, std::vector<uint8_t>(room.cellCount, 0), pick(random, 0, room.cellCount - 1));
    int end = 0;
    for (int c = 0; c < room.cellCount; ++c)
        if (reach.distance(c) > reach.distance(end)) end = c;
    std::vector<int> pullable(room.cellCount, 0), order{end}, sites;
    for (int c = 0; c < room.cellCount; ++c)
        for (int d = 0; d < DirectionCount; ++d)
            if (room.next[c][d] != NoCell && room.next[room.next[c][d]][d] != NoCell) pullable[c] = 1;
    std::vector<uint8_t> seen(room.cellCount, 0);
    seen[order[0]] = 1;
    for (size_t i = 0; i < order.size() && int(sites.size()) < crates; ++i) {
        if (pullable[order[i]] && pick(random, 0, 3) != 0) sites.push_back(order[i]);
        std::vector<int> around;
        for (int d = 0; d < DirectionCount; ++d) {
            int n = room.next[order[i]][d];
            if (n != NoCell && !seen[n]) seen[n] = 1, around.push_back(n);
        }
        std::shuffle(around.begin(), around.end(), random);
        order.insert(order.end(), around.begin(), around.end());
    }
    if (int(sites.size()) < crates) return false;
    for (int s : sites) p.sites[room.textIndex[s]] = true;
    CellGraph b(p);
    CrateBound bound(b, crates);
    std::vector<uint8_t> occupied(b.cellCount, 0);
    for (int s : sites) occupied[s] = 1;
    int keeper = anyFreeCell(b, occupied, random);
    if (keeper < 0) return false;
    std::vector<CellId> cells(sites.begin(), sites.end());
    // Each pull goes where the crates need the most pushes home.
    for (int round = 0; round < SpreadRounds; ++round) {
        std::vector<int> turn(cells.size());
        for (size_t i = 0; i < turn.size(); ++i) turn[i] = int(i);
        std::shuffle(turn.begin(), turn.end(), random);
        for (int i : turn) {
            occupied[cells[i]] = 0;
            std::vector<int> depth, ends = pullTree(b, occupied, cells[i], keeper, depth);
            int best = -1, bestEnd = -1, ties = 0;
            CellId was = cells[i];
            for (int e : ends) {
                if (depth[e] == 0) continue;
                cells[i] = CellId(e / DirectionCount);
                int h = bound.pushes(cells.data());
                if (h > best) best = h, bestEnd = e, ties = 1;
                else if (h == best && pick(random, 0, ties++) == 0) bestEnd = e;
            }
            cells[i] = was;
            if (bestEnd >= 0) {
                cells[i] = CellId(bestEnd / DirectionCount);
                keeper = b.next[cells[i]][bestEnd % DirectionCount];
            }
            occupied[cells[i]] = 1;
        }
    }
    reach.flood(b, occupied, keeper);
    std::vector<int> spots;
    for (int c = 0; c < b.cellCount; ++c)
        if (reach.reached(c) && !b.site[c]) spots.push_back(c);
    if (spots.empty()) return false;
    p.keeper = b.textIndex[spots[pick(random, 0, int(spots.size()) - 1)]];
    p.crates.clear();
    for (int c : cells) p.crates.push_back(b.textIndex[c]);
    std::sort(p.crates.begin(), p.crates.end());
    out = tidyPuzzle(p);
    return true;
}

std::vector<Puzzle> stressSet(int count, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<Puzzle> set;
    int side = largestSquareLevel();
    while (int(set.size()) < count) {
        int half = (count + 1) / 2, n = int(set.size());
        bool small = n < half;
        int band = (n - half) % 3 * 7;  // large levels take turns at 10-16, 17-23 and 24-30 crates
        ScatterShape shape = small ? ScatterShape{pick(random, side - 4, side), pick(random, side - 4, side), 6, 12,
                                                  pick(random, 1, 3)}
                                   : ScatterShape{pick(random, 16, 20), pick(random, 16, 20), 10 + band, 16 + band,
                                                  pick(random, 3, 6)};
        Puzzle p;
        if (!scatterLevel(shape, random, p)) continue;
        std::string map, why;
        if (small && !writeMapText(p, map, why)) continue;
        p.title = "Stress " + std::to_string(set.size() + 1);
        set.push_back(p);
    }
    return set;
}
