#include "tools/levelkit/generator/warehouse.h"

#include "tools/levelkit/board/cell_graph.h"
#include "tools/levelkit/generator/scatter.h"
#include "tools/levelkit/levels/map_writer.h"
#include "tools/levelkit/solver/solver.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <random>

namespace {

// Text steps in the order of the move letters: l u r d.
const int RowStep[DirectionCount] = {0, -1, 0, 1};
const int ColStep[DirectionCount] = {-1, 0, 1, 0};

constexpr int TurnCost = 6;        // a corridor runs straight unless a turn saves six cells
constexpr int CrowdCost = 5;       // and keeps a wall between itself and other floor
constexpr int TriesPerLevel = 3000;
constexpr int TriesPerCrateLess = 60;
constexpr int PushesPerCrate = 4;  // at least, by the solver's bound, or the level is too easy
constexpr int ParkingTries = 4;    // places to stay a crate's search looks ahead from, furthest first

int pick(std::mt19937 &random, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); }

struct Rect {  // inside cells, both ends included
    int top, left, bottom, right;
    bool holds(int r, int c) const { return r >= top && r <= bottom && c >= left && c <= right; }
    int area() const { return (bottom - top + 1) * (right - left + 1); }
    // Fewer than gap cells of wall between the two.
    bool near(const Rect &o, int gap) const
    {
        return top <= o.bottom + gap && o.top <= bottom + gap && left <= o.right + gap && o.left <= right + gap;
    }
};

struct Design {
    int width = 0, height = 0;
    std::vector<Cell> cells;
    Rect goal{};
    std::vector<Rect> storage;
    int doors = 0;
    std::vector<int> doorCells, doorways;  // in the goal room's ring, and the cells just outside

    int at(int r, int c) const { return r * width + c; }
    bool inside(int r, int c) const { return r >= 1 && c >= 1 && r < height - 1 && c < width - 1; }
    // Where a corridor may run: inside the outer wall, off the goal room and its ring.
    bool open(int r, int c) const
    {
        return inside(r, c) && !Rect{goal.top - 1, goal.left - 1, goal.bottom + 1, goal.right + 1}.holds(r, c);
    }
    void carve(const Rect &r)
    {
        for (int y = r.top; y <= r.bottom; ++y)
            for (int x = r.left; x <= r.right; ++x) cells[at(y, x)] = Cell::Floor;
    }
    bool floorAt(int r, int c) const { return cells[at(r, c)] == Cell::Floor; }
};

// The two cells a turn needs so that a crate can be pushed round it, the
// corridor entered heading h and left heading e: the keeper must get behind the
// crate for its new way. homeward: the crates go against the corridor's
// heading (back to where it was carved from), else along it.
void turnCells(int r, int c, int h, int e, bool homeward, int rows[2], int cols[2])
{
    int k = homeward ? h : opposite(e), j = homeward ? e : opposite(h);
    rows[0] = r + RowStep[k], cols[0] = c + ColStep[k];
    rows[1] = rows[0] + RowStep[j], cols[1] = cols[0] + ColStep[j];
}

// A corridor from the source (a floor cell and the way it leaves it) to the
// nearest target cell, by a cheapest path over cell and heading: straight where
// it can be, through wall only, with a wall between itself and other floor.
// Each turn gets the two cells that let a crate be pushed round it the way
// crates go, so the corridor stays one-wide elsewhere.
bool carveCorridor(Design &d, int source, int heading, const std::vector<uint8_t> &target, bool homeward,
                   std::mt19937 &random)
{
    const int states = int(d.cells.size()) * DirectionCount;
    std::vector<int> cost(states, INT_MAX), from(states, -1), noise(d.cells.size());
    for (int &n : noise) n = pick(random, 0, 3);
    std::vector<std::pair<int, int>> heap{{0, source * DirectionCount + heading}};
    cost[heap[0].second] = 0;
    int end = -1;
    while (!heap.empty() && end < 0) {
        std::pop_heap(heap.begin(), heap.end(), std::greater<>());
        auto [c, s] = heap.back();
        heap.pop_back();
        if (c > cost[s]) continue;
        int r = s / DirectionCount / d.width, col = s / DirectionCount % d.width, h = s % DirectionCount;
        for (int e = 0; e < DirectionCount; ++e) {
            int nr = r + RowStep[e], nc = col + ColStep[e];
            if (e == opposite(h) || !d.inside(nr, nc)) continue;
            int n = d.at(nr, nc);
            if (!target[n] && (!d.open(nr, nc) || d.floorAt(nr, nc))) continue;
            int wr[2], wc[2];
            turnCells(r, col, h, e, homeward, wr, wc);
            if (e != h && !(d.open(wr[0], wc[0]) && d.open(wr[1], wc[1]))) continue;
            int step = 2 + noise[n] + (e != h ? TurnCost : 0);
            for (int k = 0; k < DirectionCount && !target[n]; ++k) {
                int ar = nr + RowStep[k], ac = nc + ColStep[k];
                if ((ar != r || ac != col) && d.floorAt(ar, ac)) step += CrowdCost;
            }
            int ns = n * DirectionCount + e;
            if (c + step >= cost[ns]) continue;
            cost[ns] = c + step;
            from[ns] = s;
            if (target[n]) {
                end = ns;
                break;
            }
            heap.push_back({c + step, ns});
            std::push_heap(heap.begin(), heap.end(), std::greater<>());
        }
    }
    if (end < 0) return false;
    for (int s = end; s >= 0; s = from[s]) {
        int cell = s / DirectionCount, in = s % DirectionCount;
        d.cells[cell] = Cell::Floor;
        int prev = from[s];
        if (prev < 0) continue;
        int pr = prev / DirectionCount / d.width, pc = prev / DirectionCount % d.width, h = prev % DirectionCount;
        if (h == in) continue;
        int wr[2], wc[2];
        turnCells(pr, pc, h, in, homeward, wr, wc);
        for (int k = 0; k < 2; ++k)
            if (d.open(wr[k], wc[k])) d.cells[d.at(wr[k], wc[k])] = Cell::Floor;
    }
    return true;
}

// The floor reached from one cell, crates ignored.
std::vector<uint8_t> floorFrom(const Design &d, int start)
{
    std::vector<uint8_t> seen(d.cells.size(), 0);
    std::vector<int> queue{start};
    seen[start] = 1;
    for (size_t i = 0; i < queue.size(); ++i)
        for (int k = 0; k < DirectionCount; ++k) {
            int r = queue[i] / d.width + RowStep[k], c = queue[i] % d.width + ColStep[k];
            if (r < 0 || c < 0 || r >= d.height || c >= d.width || seen[d.at(r, c)] || !d.floorAt(r, c)) continue;
            seen[d.at(r, c)] = 1;
            queue.push_back(d.at(r, c));
        }
    return seen;
}

// The walls: a goal room against one side, storage rooms elsewhere, one or two
// doors out of the goal room each with a corridor to a storage room, and
// corridors joining every storage room to the rest.
// sites: how many the goal room holds; kept: how many crates storage must take.
bool designWalls(int sites, int kept, std::mt19937 &random, Design &d)
{
    // More crates need more floor: the least size grows with them.
    int range = WarehouseMaxCrates - WarehouseMinCrates, more = std::min(kept - WarehouseMinCrates, range);
    d.width = pick(random, WarehouseMinWidth + (WarehouseMaxWidth - WarehouseMinWidth) * more / range / 2,
                   WarehouseMaxWidth);
    d.height = pick(random, WarehouseMinHeight + (WarehouseMaxHeight - WarehouseMinHeight) * more / range,
                    WarehouseMaxHeight);
    d.cells.assign(size_t(d.width) * d.height, Cell::Wall);
    int area = sites + std::max(4, sites * pick(random, 35, 70) / 100);  // room to turn among the sites
    int gw = pick(random, 3, 8), gh = std::max(3, (area + gw - 1) / gw);
    if (gh > d.height - 2 || gw > d.width - 8) return false;
    int side = pick(random, 0, 3);  // l u r d: the goal room stands against that wall
    int top = side == 1 ? 1 : side == 3 ? d.height - 1 - gh : pick(random, 1, d.height - 1 - gh);
    int left = side == 0 ? 1 : side == 2 ? d.width - 1 - gw : pick(random, 1, d.width - 1 - gw);
    d.goal = {top, left, top + gh - 1, left + gw - 1};
    int stored = 0;
    for (int tries = 0; tries < 300 && stored < kept * 3 / 2 && d.storage.size() < 5; ++tries) {
        int h = pick(random, 3, 6), w = pick(random, 3, 8);
        if (h > d.height - 2 || w > d.width - 2) continue;
        int r = pick(random, 1, d.height - 1 - h), c = pick(random, 1, d.width - 1 - w);
        Rect s{r, c, r + h - 1, c + w - 1};
        bool apart = !s.near(d.goal, 2);  // the ring and a corridor's width between
        for (const Rect &o : d.storage) apart = apart && !s.near(o, 1);
        if (!apart) continue;
        d.storage.push_back(s);
        stored += s.area();
    }
    if (stored < kept * 5 / 4 || d.storage.size() < 2) return false;
    d.carve(d.goal);
    for (const Rect &s : d.storage) d.carve(s);
    // Doors: ring cells with a straight way out for a crate, and a cell of the
    // room on either side of the one inside (a crate along the wall could
    // never be turned into a door at the room's corner).
    std::vector<std::pair<int, int>> doors;  // ring cell, the way out
    for (int r = d.goal.top; r <= d.goal.bottom; ++r)
        for (int c = d.goal.left; c <= d.goal.right; ++c)
            for (int k = 0; k < DirectionCount; ++k) {
                int rr = r + RowStep[k], rc = c + ColStep[k], side = (k + 1) % DirectionCount;
                if (d.goal.holds(rr, rc) || !d.open(rr + RowStep[k], rc + ColStep[k]) ||
                    !d.goal.holds(r + RowStep[side], c + ColStep[side]) ||
                    !d.goal.holds(r - RowStep[side], c - ColStep[side]))
                    continue;
                doors.push_back({d.at(rr, rc), k});
            }
    std::shuffle(doors.begin(), doors.end(), random);
    d.doors = pick(random, 1, 2);
    std::vector<std::pair<int, int>> chosen;
    for (const auto &door : doors) {
        bool apart = true;  // two doors side by side would be one wide opening
        for (const auto &o : chosen)
            apart = apart && std::abs(o.first / d.width - door.first / d.width) +
                                     std::abs(o.first % d.width - door.first % d.width) > 2;
        if (apart && int(chosen.size()) < d.doors) chosen.push_back(door);
    }
    if (int(chosen.size()) < d.doors) return false;
    for (size_t i = 0; i < chosen.size(); ++i) {
        auto [door, out] = chosen[i];
        int outside = door + RowStep[out] * d.width + ColStep[out];
        d.cells[door] = d.cells[outside] = Cell::Floor;
        d.doorCells.push_back(door);
        d.doorways.push_back(outside);
        // The first door leads to the storage room furthest from it, the second to any.
        int target = 0, r = door / d.width, c = door % d.width, far = -1;
        for (size_t k = 0; k < d.storage.size(); ++k) {
            const Rect &s = d.storage[k];
            int apart = std::abs(s.top + s.bottom - 2 * r) + std::abs(s.left + s.right - 2 * c);
            if (apart > far) far = apart, target = int(k);
        }
        if (i > 0) target = pick(random, 0, int(d.storage.size()) - 1);
        std::vector<uint8_t> into(d.cells.size(), 0);
        for (int y = d.storage[target].top; y <= d.storage[target].bottom; ++y)
            for (int x = d.storage[target].left; x <= d.storage[target].right; ++x) into[d.at(y, x)] = 1;
        if (!carveCorridor(d, outside, out, into, true, random)) return false;
    }
    // Every storage room not yet reached gets a corridor to a room that is,
    // which its crates take on their way home: a crate turns in a room, not
    // where a corridor meets another.
    for (size_t k = 0; k < d.storage.size(); ++k) {
        std::vector<uint8_t> reached = floorFrom(d, d.at(d.goal.top, d.goal.left)), into(d.cells.size(), 0);
        const Rect &s = d.storage[k];
        if (reached[d.at(s.top, s.left)]) continue;
        for (const Rect &o : d.storage)
            for (int y = o.top; y <= o.bottom; ++y)
                for (int x = o.left; x <= o.right; ++x) into[d.at(y, x)] = reached[d.at(y, x)];
        int edge = pick(random, 0, DirectionCount - 1);  // leave the room from a cell of one of its sides
        int r = edge == 1 ? s.top : edge == 3 ? s.bottom : pick(random, s.top, s.bottom);
        int c = edge == 0 ? s.left : edge == 2 ? s.right : pick(random, s.left, s.right);
        if (!carveCorridor(d, d.at(r, c), edge, into, false, random)) return false;
    }
    std::vector<uint8_t> reached = floorFrom(d, d.at(d.goal.top, d.goal.left));
    for (size_t i = 0; i < d.cells.size(); ++i)
        if (d.cells[i] == Cell::Floor && !reached[i]) return false;
    return true;
}

// The backward play: crates on their sites, pulled by the keeper; every step
// is written down in the letters of the keeper's moves, a pull as the capital.
struct BackwardPlay {
    const CellGraph &b;
    const std::vector<uint8_t> &inGoal, &inStorage;
    std::vector<int> doors, doorways;
    std::vector<uint8_t> occupied;
    std::vector<int> crates;  // cells
    int keeper;
    std::string moves;
    Reach reach;
    std::vector<int> home;  // steps from the nearest door, less than nothing inside the goal room

    BackwardPlay(const CellGraph &graph, const std::vector<uint8_t> &goal, const std::vector<uint8_t> &storage,
                 const std::vector<int> &doorCells, const std::vector<int> &outside, int keeperCell)
        : b(graph), inGoal(goal), inStorage(storage), doors(doorCells), doorways(outside),
          occupied(graph.cellCount, 0), keeper(keeperCell), reach(graph.cellCount), home(graph.cellCount, -1)
    {
        std::vector<int> queue(doors);
        for (int c : doors) home[c] = 0;
        for (size_t i = 0; i < queue.size(); ++i)
            for (int k = 0; k < DirectionCount; ++k) {
                int n = b.next[queue[i]][k];
                if (n != NoCell && home[n] < 0) home[n] = home[queue[i]] + 1, queue.push_back(n);
            }
        for (int c = 0; c < b.cellCount; ++c)
            if (inGoal[c]) home[c] = -home[c];
    }

    // The ways the keeper, from where it stands, can pull the crate on c now,
    // weighted towards taking it further from the goal room, and inside the
    // room never deeper in (that only packs the room tighter); their sum.
    int pulls(int c, int weights[DirectionCount]) const
    {
        int total = 0;
        for (int k = 0; k < DirectionCount; ++k) {
            int stand = b.next[c][k], back = stand == NoCell ? NoCell : b.next[stand][k];
            bool can = stand != NoCell && reach.reached(stand) && back != NoCell && !occupied[back];
            int gain = can ? home[stand] - home[c] : 0;
            weights[k] = !can ? 0 : gain > 0 ? 8 : inGoal[c] ? 0 : gain == 0 ? 2 : 1;
            total += weights[k];
        }
        return total;
    }

    // A cell a crate may stay on: in a storage room, off the mouth of its
    // corridors (a crate left in a corridor or a room's entrance blocks the way).
    bool parkable(int c) const
    {
        if (!inStorage[c]) return false;
        for (int k = 0; k < DirectionCount; ++k)
            if (b.next[c][k] != NoCell && !inStorage[b.next[c][k]]) return false;
        return true;
    }
    // Whether crate i may stay where it is: on such a cell, the keeper (from
    // `from`) able to walk to the cell outside a door unless the goal room is
    // empty, else no other crate could be pulled out.
    bool settled(int i, int from)
    {
        if (!parkable(crates[i])) return false;
        bool left = false;
        for (int c : crates) left = left || inGoal[c];
        reach.flood(b, occupied, from);
        for (int c : doorways) left = left && !reach.reached(c);
        return !left;
    }

    // The keeper walks to the side of the crate on c and pulls it one cell the way k.
    void pull(int c, int k)
    {
        int stand = b.next[c][k];
        reach.flood(b, occupied, keeper);
        moves += reach.pathTo(b, stand);
        moves += PushLetters[k];
        occupied[c] = 0;
        occupied[stand] = 1;
        keeper = b.next[stand][k];
    }

    // Whether, with the crates as they stand and the keeper walking from
    // `from`, one more crate could be pulled from a door into a place to stay:
    // a crate parked where it shuts storage off would leave the rest in the goal room.
    bool roomForMore(int from)
    {
        bool left = false;
        for (int c : crates) left = left || inGoal[c];
        if (!left) return true;
        for (int door : doors) {
            if (occupied[door]) continue;
            std::vector<int> depth, order = pullTree(b, occupied, door, from, depth);
            for (int s : order)
                if (parkable(s / DirectionCount)) return true;
        }
        return false;
    }

    // Takes crate i out of the goal room into storage as far from the doors as
    // the other crates let it go (a search of its pulls alone) and still leave
    // room for another, so that storage fills from the back; false when they
    // let it reach no such place.
    bool pullOut(int i, std::mt19937 &random)
    {
        int from = crates[i];
        occupied[from] = 0;
        std::vector<int> depth, order = pullTree(b, occupied, from, keeper, depth), ends;
        std::shuffle(order.begin(), order.end(), random);
        std::stable_sort(order.begin(), order.end(),
                         [&](int x, int y) { return home[x / DirectionCount] > home[y / DirectionCount]; });
        int tried = 0;
        for (int s : order) {
            int cell = s / DirectionCount, keeperAt = b.next[cell][s % DirectionCount];
            if (!parkable(cell) || depth[s] == 0 || tried >= ParkingTries) continue;
            occupied[cell] = 1;
            crates[i] = cell;
            if (settled(i, keeperAt) && (++tried, roomForMore(keeperAt))) ends.push_back(s);
            crates[i] = from;
            occupied[cell] = 0;
            if (!ends.empty()) break;
        }
        std::vector<int> path(ends);  // states from the way out back to the first pull
        while (!path.empty() && depth[path.back()] > 1) {
            int cell = path.back() / DirectionCount, before = b.next[cell][opposite(path.back() % DirectionCount)];
            occupied[before] = 1;  // the crate where it stood one pull earlier
            for (int side = 0; side < DirectionCount; ++side) {
                int s = before * DirectionCount + side;
                if (depth[s] != depth[path.back()] - 1) continue;
                reach.flood(b, occupied, b.next[before][side]);
                if (reach.reached(cell)) {
                    path.push_back(s);
                    break;
                }
            }
            occupied[before] = 0;
        }
        occupied[from] = 1;
        if (path.empty()) return false;
        for (auto s = path.rbegin(); s != path.rend(); ++s) {
            pull(crates[i], *s % DirectionCount);
            crates[i] = *s / DirectionCount;
        }
        return true;
    }

    // The position to go back to: the moves made, where crate i and the keeper stood.
    struct Kept {
        size_t moves;
        int crate, keeper;
    };

    // A random walk of pulls of crate i: done after `steps` pulls once the crate
    // stands in storage, or after three times as many. It ends where the crate
    // was last settled no nearer the doors than it started, if that leaves room
    // for more (else at the position given): storage keeps filling from the back.
    void pullWalk(int i, int steps, Kept good, std::mt19937 &random)
    {
        const Kept start = good;
        for (int done = 1; done <= 3 * steps; ++done) {
            int c = crates[i], weights[DirectionCount];
            reach.flood(b, occupied, keeper);
            int total = pulls(c, weights);
            if (total == 0) break;
            int roll = pick(random, 1, total), k = 0;
            while (roll > weights[k]) roll -= weights[k++];
            pull(c, k);
            crates[i] = b.next[c][k];
            if (home[crates[i]] >= home[good.crate] && settled(i, keeper)) good = {moves.size(), crates[i], keeper};
            if (done >= steps && inStorage[crates[i]]) break;
        }
        for (const Kept &back : {good, start}) {
            moves.resize(back.moves);
            occupied[crates[i]] = 0;
            occupied[back.crate] = 1;
            crates[i] = back.crate;
            keeper = back.keeper;
            if (roomForMore(keeper)) break;
        }
    }

    // The keeper walks to any cell it can reach (off the sites when asked).
    void keeperWalk(std::mt19937 &random, bool offSites)
    {
        reach.flood(b, occupied, keeper);
        std::vector<int> spots;
        for (int c = 0; c < b.cellCount; ++c)
            if (reach.reached(c) && !(offSites && b.site[c])) spots.push_back(c);
        if (spots.empty()) return;
        keeper = spots[pick(random, 0, int(spots.size()) - 1)];
        moves += reach.pathTo(b, keeper);
    }

    bool canPull(int c) const
    {
        int weights[DirectionCount];
        return pulls(c, weights) > 0;
    }
};

// The letters of the backward play read from the end, each the other way: the
// pulls become pushes and the level is solved.
std::string forwardOf(const std::string &backward)
{
    std::string forward(backward.rbegin(), backward.rend());
    for (char &m : forward) {
        const char *letters = m >= 'a' ? WalkLetters : PushLetters;
        m = letters[opposite(int(std::find(letters, letters + DirectionCount, m) - letters))];
    }
    return forward;
}

// A level of lo to hi crates, or false when this try gave none.
bool warehouseLevel(int lo, int hi, std::mt19937 &random, WarehouseLevel &out)
{
    int planned = pick(random, lo, hi), crates = planned + pick(random, 0, planned / 3);
    Design d;
    if (!designWalls(crates, planned, random, d)) return false;
    Puzzle p;
    p.width = d.width;
    p.height = d.height;
    p.cells = d.cells;
    p.sites.assign(p.cells.size(), false);
    std::vector<int> room;
    for (int r = d.goal.top; r <= d.goal.bottom; ++r)
        for (int c = d.goal.left; c <= d.goal.right; ++c) room.push_back(d.at(r, c));
    std::shuffle(room.begin(), room.end(), random);
    for (int i = 0; i < crates; ++i) p.sites[room[i]] = true;
    p.keeper = d.at(d.storage[0].top, d.storage[0].left);  // where the keeper starts, pulling, does not matter
    CellGraph b(p);
    std::vector<uint8_t> inGoal(b.cellCount, 0), inStorage(b.cellCount, 0);
    for (int c = 0; c < b.cellCount; ++c) {
        int r = b.textIndex[c] / p.width, col = b.textIndex[c] % p.width;
        inGoal[c] = d.goal.holds(r, col);
        for (const Rect &s : d.storage) inStorage[c] = inStorage[c] || s.holds(r, col);
    }
    std::vector<int> doors, doorways;
    for (int t : d.doorCells) doors.push_back(b.cellOfText[t]);
    for (int t : d.doorways) doorways.push_back(b.cellOfText[t]);
    BackwardPlay play(b, inGoal, inStorage, doors, doorways, b.keeper);
    for (int c = 0; c < b.cellCount; ++c)
        if (b.site[c]) play.crates.push_back(c), play.occupied[c] = 1;
    const std::vector<int> start = play.crates;
    play.keeperWalk(random, false);
    // Empty the goal room, a crate near a door first: each is taken out by a
    // search of its pulls to the furthest place it may stay, then walks on at random. A crate outside is moved on only
    // when none inside can leave; once the room is empty some walks more mix
    // the crates in storage.
    for (int walks = 0; walks < crates * 3; ++walks) {
        std::vector<int> inside, outside;
        play.reach.flood(b, play.occupied, play.keeper);
        for (int i = 0; i < crates; ++i)
            if (inGoal[play.crates[i]]) inside.push_back(i);
            else if (play.canPull(play.crates[i])) outside.push_back(i);
        if (inside.empty() && walks >= crates) break;
        std::shuffle(inside.begin(), inside.end(), random);
        std::stable_sort(inside.begin(), inside.end(),
                         [&](int x, int y) { return play.home[play.crates[x]] > play.home[play.crates[y]]; });
        bool out = false;
        for (int i : inside) {
            if (!play.pullOut(i, random)) continue;
            play.pullWalk(i, pick(random, 6, 24), {play.moves.size(), play.crates[i], play.keeper}, random);
            out = true;
            break;
        }
        if (!out && outside.empty()) break;
        if (!out) {
            int i = outside[pick(random, 0, int(outside.size()) - 1)];
            play.pullWalk(i, pick(random, 6, 24), {play.moves.size(), play.crates[i], play.keeper}, random);
        }
        if (pick(random, 0, 1)) play.keeperWalk(random, false);
    }
    // A crate the others never let out is dropped with its site: it would never
    // move, and the pushes that solve the rest never touch its cell. One moved
    // but still in the goal room would be pushed back home: the level is given up.
    std::vector<int> kept;
    for (int i = 0; i < crates; ++i) {
        int c = play.crates[i];
        if (!inGoal[c]) kept.push_back(c);
        else if (c == start[i]) p.sites[b.textIndex[c]] = false;
        else return false;
    }
    if (int(kept.size()) < lo || int(kept.size()) > hi) return false;
    play.keeperWalk(random, true);
    if (b.site[play.keeper]) return false;  // the game would count the keeper's site covered
    p.keeper = b.textIndex[play.keeper];
    for (int c : kept) p.crates.push_back(b.textIndex[c]);
    std::sort(p.crates.begin(), p.crates.end());
    CellGraph level(p);
    CrateBound bound(level, int(kept.size()));
    if (bound.pushes(level.crates.data()) < PushesPerCrate * int(kept.size())) return false;
    p.solution = forwardOf(play.moves);
    p.storedMoves = long(p.solution.size());
    p.storedPushes = long(std::count_if(p.solution.begin(), p.solution.end(), [](char m) { return m < 'a'; }));
    p.pushesProven = p.movesProven = false;
    Puzzle tidy = tidyPuzzle(p);
    std::string map, why;
    if (tidy.width < WarehouseMinWidth || tidy.width > WarehouseMaxWidth || tidy.height < WarehouseMinHeight ||
        tidy.height > WarehouseMaxHeight || !writeMapText(tidy, map, why, false))
        return false;
    // tidyPuzzle cuts the rectangle to the walls kept: the goal room moves with the keeper.
    int dr = tidy.keeper / tidy.width - p.keeper / p.width, dc = tidy.keeper % tidy.width - p.keeper % p.width;
    out.puzzle = tidy;
    out.goalTop = d.goal.top + dr;
    out.goalBottom = d.goal.bottom + dr;
    out.goalLeft = d.goal.left + dc;
    out.goalRight = d.goal.right + dc;
    out.doors = d.doors;
    return true;
}

}  // namespace

std::vector<WarehouseLevel> warehouseSet(int count, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<WarehouseLevel> set;
    const int span = WarehouseMaxCrates - WarehouseMinCrates + 1;
    for (int n = 0; n < count; ++n) {
        // Level n takes its crates from the n-th of count equal parts of the range.
        int lo = WarehouseMinCrates + span * n / count;
        int hi = std::max(lo, WarehouseMinCrates + span * (n + 1) / count - 1);
        WarehouseLevel level;
        bool made = false;
        // A share the tries cannot fill is lowered a crate at a time.
        for (int tries = 0; tries < TriesPerLevel && !made; ++tries)
            made = warehouseLevel(std::max(WarehouseMinCrates, lo - tries / TriesPerCrateLess), hi, random, level);
        if (!made) break;
        level.puzzle.title = "Warehouse " + std::to_string(n + 1);
        set.push_back(level);
    }
    return set;
}
