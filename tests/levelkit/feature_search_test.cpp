// The searches beside the exact one, where a slip would hide behind a
// solution found some other way: the packing plan's order, the PI-corral cut,
// the lost patterns the searches learn and share, two threads against one, and
// the memory limit. Every solution is played through the game's own rules.
#include "tests/levelkit/levelkit_support.h"
#include "tests/support/test_files.h"
#include "tools/levelkit/solver/solver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

namespace {

// The level text turned a quarter clockwise, so a case runs in all four directions.
std::string Turned(const std::string &text)
{
    std::vector<std::string> rows;
    size_t width = 0;
    for (size_t at = 0, end; at < text.size(); at = end + 1) {
        end = text.find('\n', at);
        rows.push_back(text.substr(at, end - at));
        width = std::max(width, rows.back().size());
    }
    std::string out;
    for (size_t c = 0; c < width; ++c) {
        for (size_t r = rows.size(); r-- > 0;) out += c < rows[r].size() ? rows[r][c] : ' ';
        while (!out.empty() && out.back() == ' ') out.pop_back();
        out += '\n';
    }
    return out;
}

// The level with crates on the first `filled` sites of the order, one more
// crate at the cell `entrance` (text index), and only the first filled + 1 sites.
Puzzle NextSiteLevel(const Puzzle &p, const std::vector<int> &order, size_t filled, int entrance)
{
    Puzzle q = p;
    q.solution.clear();
    q.sites.assign(p.sites.size(), false);
    q.crates.assign(order.begin(), order.begin() + long(filled));
    q.crates.push_back(entrance);
    std::sort(q.crates.begin(), q.crates.end());
    for (size_t i = 0; i <= filled; ++i) q.sites[order[i]] = true;
    return q;
}

void ExpectReplays(const Puzzle &p, const SolveResult &r)
{
    ASSERT_EQ(r.status, SolveResult::Solved) << r.why;
    EXPECT_EQ(SitesLeftAfter(p, r.moves), 0) << r.moves;
}

// The cells marked 'E' in a level text, as (row, column).
std::vector<std::pair<int, int>> Marks(const std::string &text)
{
    std::vector<std::pair<int, int>> marks;
    int row = 0, col = 0;
    for (char c : text) {
        if (c == 'E') marks.push_back({row, col});
        if (c == '\n') ++row, col = 0;
        else ++col;
    }
    return marks;
}

// A goal room behind one door and a row of sites between two. 'E' marks a
// door's outside, where a crate comes in. Behind one door the far sites are
// filled first; through either, the last site is one beside a door, and no
// site is ever sealed off before its crate is in: with the sites before it
// filled, a crate from some door still reaches it.
TEST(PackingPlan, FillsTheFarSitesFirstAndNeverSealsOne)
{
    const struct {
        const char *level;
        bool farFirst;
    } rooms[] = {
        {"##########\n"
         "#....E$  #\n"
         "######   #\n"
         "#   $ $$ #\n"
         "#  @     #\n"
         "##########\n", true},
        {"###########\n"
         "#  E...E  #\n"
         "#  $ $ $  #\n"
         "#    @    #\n"
         "###########\n", false},
    };
    for (const auto &room : rooms) {
        std::string text = room.level;
        for (int turn = 0; turn < 4; ++turn, text = Turned(text)) {
            SCOPED_TRACE(text);
            std::string board = text;
            std::replace(board.begin(), board.end(), 'E', ' ');
            Puzzle p = OnePuzzle(board);
            std::vector<std::pair<int, int>> doors = Marks(text);
            auto toDoor = [&](int cell) {
                int best = 1 << 20;
                for (auto d : doors) best = std::min(best, std::abs(cell / p.width - d.first) + std::abs(cell % p.width - d.second));
                return best;
            };
            std::vector<int> order = packingOrder(p);
            ASSERT_EQ(order.size(), size_t(p.siteCount()));
            EXPECT_EQ(std::set<int>(order.begin(), order.end()).size(), order.size());
            int far = 0, near = 1 << 20;
            for (int s : order) far = std::max(far, toDoor(s)), near = std::min(near, toDoor(s));
            if (room.farFirst) {
                EXPECT_EQ(toDoor(order.front()), far);
            }
            EXPECT_EQ(toDoor(order.back()), near);
            for (size_t i = 0; i < order.size(); ++i) {
                bool reachable = false;
                for (auto d : doors) {
                    SolveLimits exact;
                    exact.seconds = 5;
                    exact.exactShare = 1;
                    Puzzle next = NextSiteLevel(p, order, i, p.index(d.first, d.second));
                    reachable = reachable || solvePuzzle(next, exact).status == SolveResult::Solved;
                }
                EXPECT_TRUE(reachable) << "site " << i << " of the order is sealed";
            }
        }
    }
}

// Corrals that are no PI-corrals, each in a level whose solutions all begin
// with a crate off the corral's edge: a search that kept only the edge crates'
// pushes would find none. In the first an edge crate can also be pushed
// sideways out of the way; in the second the keeper cannot yet reach the side
// from which an edge crate goes into the corral.
TEST(PiCorrals, KeepThePushesOfOtherCratesUnlessEveryEdgePushGoesInAndCanBeMade)
{
    const char *levels[] = {
        "#########\n"
        "###  # ##\n"
        "#@    . #\n"
        "# $.$$  #\n"
        "## ## #.#\n"
        "####    #\n"
        "#########\n",
        "#######\n"
        "## $..#\n"
        "# $ $ #\n"
        "#    ##\n"
        "# .@###\n"
        "#######\n",
    };
    SolveLimits feature;
    feature.seconds = 20;
    feature.exactShare = 0;  // the feature search alone: it gives up only when it has tried every position
    for (const char *text : levels) {
        std::string level = text;
        for (int turn = 0; turn < 4; ++turn, level = Turned(level)) {
            SCOPED_TRACE(level);
            Puzzle p = OnePuzzle(level);
            ExpectReplays(p, solvePuzzle(p, feature));
        }
    }
}

// The keeper's area among the crates, from cell from (text indices).
std::vector<bool> Walk(const Puzzle &p, const std::set<int> &crates, int from)
{
    std::vector<bool> open(p.cells.size());
    for (size_t i = 0; i < open.size(); ++i) open[i] = p.cells[i] == Cell::Floor && !crates.count(int(i));
    return FloodFrom(p, {from}, open);
}

const int Steps[4][2] = {{0, -1}, {-1, 0}, {0, 1}, {1, 0}};  // (row, column) of l u r d

int StepFrom(const Puzzle &p, int cell, int d)
{
    int row = cell / p.width + Steps[d][0], col = cell % p.width + Steps[d][1];
    if (row < 0 || col < 0 || row >= p.height || col >= p.width) return -1;
    int n = p.index(row, col);
    return p.cells[n] == Cell::Floor ? n : -1;
}

// Cells from which a crate alone on the board reaches no site.
std::vector<bool> DeadCells(const Puzzle &p)
{
    std::vector<bool> dead(p.cells.size(), true);
    for (size_t c = 0; c < p.cells.size(); ++c) {
        if (p.cells[c] != Cell::Floor) continue;
        std::vector<int> queue{int(c)};
        std::set<int> seen{int(c)};
        for (size_t i = 0; i < queue.size() && dead[c]; ++i) {
            if (p.sites[queue[i]]) dead[c] = false;
            for (int d = 0; d < 4; ++d) {
                int to = StepFrom(p, queue[i], d), stand = StepFrom(p, queue[i], (d + 2) % 4);
                if (to >= 0 && stand >= 0 && seen.insert(to).second) queue.push_back(to);
            }
        }
    }
    return dead;
}

// Every push of the pattern's crates alone, onto cells from which a site can
// still be reached: lost when none ever lets the keeper into the corral or
// puts them all on sites.
bool LostByEverySearch(const LostPattern &lost)
{
    const Puzzle &p = lost.position;
    std::vector<bool> dead = DeadCells(p);
    typedef std::pair<std::set<int>, int> Position;  // crates, the keeper's smallest cell
    auto smallest = [&](const std::vector<bool> &area) {
        return int(std::find(area.begin(), area.end(), true) - area.begin());
    };
    std::set<int> start(p.crates.begin(), p.crates.end());
    std::set<Position> seen{{start, smallest(Walk(p, start, p.keeper))}};
    std::vector<Position> queue(seen.begin(), seen.end());
    for (size_t i = 0; i < queue.size(); ++i) {
        const std::set<int> crates = queue[i].first;
        std::vector<bool> area = Walk(p, crates, queue[i].second);
        bool placed = std::all_of(crates.begin(), crates.end(), [&](int c) { return p.sites[c]; });
        if (area[lost.corral] || placed) return false;
        for (int c : crates)
            for (int d = 0; d < 4; ++d) {
                int to = StepFrom(p, c, d), stand = StepFrom(p, c, (d + 2) % 4);
                if (to < 0 || stand < 0 || !area[stand] || crates.count(to) || dead[to]) continue;
                std::set<int> next = crates;
                next.erase(c);
                next.insert(to);
                Position child{next, smallest(Walk(p, next, c))};
                if (seen.insert(child).second) queue.push_back(child);
            }
    }
    return true;
}

TEST(LearntDeadlocks, EveryPatternSharedIsLostWhateverTheCratesDo)
{
    std::string err;
    std::vector<Puzzle> stress = ParsePuzzles(ReadTextFile(CW_SOURCE_DIR "/bench/stress-levels.txt"), err);
    ASSERT_GE(stress.size(), 14u) << err;
    size_t checked = 0;
    for (int level : {2, 9, 14}) {
        SCOPED_TRACE("stress level " + std::to_string(level));
        SolveLimits limits;
        limits.seconds = 2;
        for (const LostPattern &lost : learntDeadlocks(stress[level - 1], limits)) {
            EXPECT_FALSE(lost.position.crates.empty());
            EXPECT_TRUE(LostByEverySearch(lost)) << FormatBoard(lost.position) << "corral at " << lost.corral;
            ++checked;
        }
    }
    EXPECT_GT(checked, 0u);  // the levels have corrals to learn from
}

// Two threads give what one gives: a solution that plays through the game,
// and the same proof when the exact search settles the level.
TEST(Threads, GiveAValidSolutionAndTheSameProofsAsOne)
{
    std::string err;
    std::vector<Puzzle> levels = ParsePuzzles(ReadTextFile(CW_SOURCE_DIR "/data/levels.txt"), err);
    std::vector<Puzzle> stress = ParsePuzzles(ReadTextFile(CW_SOURCE_DIR "/bench/stress-levels.txt"), err);
    ASSERT_GE(levels.size(), 100u);
    ASSERT_GE(stress.size(), 14u);
    // Shipped levels the exact search proves, and a stress level it cannot finish in the time.
    for (const Puzzle &p : {levels[0], levels[56], stress[13], stress[1]}) {
        SCOPED_TRACE(FormatBoard(p));
        SolveLimits one, two;
        one.seconds = two.seconds = 2;
        two.threads = 2;
        SolveResult a = solvePuzzle(p, one), b = solvePuzzle(p, two);
        ExpectReplays(p, a);
        ExpectReplays(p, b);
        // The exact search has the whole time on a thread of its own, so what
        // one thread proves two prove too (on a busy machine a proof near the
        // limit may come in time on two threads only).
        if (a.pushesOptimal) {
            EXPECT_TRUE(b.pushesOptimal);
            EXPECT_EQ(b.pushCount, a.pushCount);
        }
        if (a.movesOptimal && b.movesOptimal) {
            EXPECT_EQ(b.moveCount, a.moveCount);
        }
    }
}

// A memory limit far too small ends every search cleanly, on one thread or
// two, with the verdict out of memory; a file with Windows line ends reads the same.
TEST(Threads, KeepToTheMemoryLimit)
{
    std::string err;
    std::vector<Puzzle> stress = ParsePuzzles(ReadTextFile(CW_SOURCE_DIR "/bench/stress-levels.txt"), err);
    ASSERT_GE(stress.size(), 22u);
    std::string text = FormatPuzzle(stress[21]), crlf;
    for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    std::string dir = MakeTempFolder();
    WriteTextFile(dir + "/big.txt", crlf);
    for (const char *threads : {"1", "2"}) {
        SCOPED_TRACE(threads);
        ToolRun run = RunLevelkit("solve " + dir + "/big.txt --time-limit 20 --memory-limit 2 --threads " + threads);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.out.find("\nout of memory\n"), std::string::npos) << run.out << run.err;
    }
    EXPECT_EQ(RunLevelkit("solve " + dir + "/big.txt --threads 0").status, 2);  // refused with the usage line
    RemoveTree(dir);
    // Two searches side by side share the limit: together they stay within it.
    for (size_t megabytes : {8, 24}) {
        SolveLimits limits;
        limits.seconds = 20;
        limits.memoryBytes = megabytes << 20;
        limits.threads = 2;
        SolveResult r = solvePuzzle(stress[21], limits);
        EXPECT_LE(r.peakBytes, limits.memoryBytes) << megabytes << " MB: " << solveFigures(r);
    }
}

}  // namespace
