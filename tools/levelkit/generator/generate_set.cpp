// The shipped set, band by band, easiest first.
#include "tools/levelkit/generator/generator.h"

#include "tools/levelkit/generator/set_sections.h"
#include "tools/levelkit/levels/progress.h"
#include "tools/levelkit/levels/puzzle.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <set>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

// Rooms and crates grow band by band. The pull bands know each level's
// optimum by construction; the last bands spread more crates over rooms as
// large as the camera shows, and the solver proves them. Each band tries a
// fixed number of rooms, so a seed always gives the same set; the time budget
// only cuts a run short.
// width    height   crates  blocks  pulls  budget     wanted  tries  bound
const Tier Tiers[] = {
    {3, 5,   3, 4,   1, 1,   1,      0,     20000,     12,     200},
    {4, 6,   4, 5,   2, 2,   1,      0,     50000,     16,     250},
    {5, 7,   5, 6,   2, 3,   2,      0,     150000,    20,     300},
    {6, 8,   6, 7,   3, 3,   2,      0,     400000,    20,     200},
    {7, 9,   7, 8,   3, 4,   2,      0,     1000000,   20,     80},
    {8, 10,  8, 10,  4, 4,   2,      0,     2000000,   16,     20},
    {9, 11,  8, 11,  4, 5,   2,      0,     2500000,   12,     20},
    {10, 12, 10, 12, 5, 6,   1,      0,     0,         14,     60,    40},
    {10, 12, 10, 12, 6, 7,   1,      0,     0,         14,     400,   58},
};

const char *const Adjectives[] = {"Quiet", "Narrow", "Dusty", "Crooked", "Hidden", "Long", "Twin", "Broken",
                                  "Silent", "Old", "Cold", "Bright", "Deep", "Winding", "Square", "Low",
                                  "Empty", "Busy", "Far", "Last"};
const char *const Nouns[] = {"Yard", "Loft", "Dock", "Hall", "Cellar", "Bay", "Shed", "Aisle", "Vault", "Gate",
                             "Store", "Barn", "Ramp", "Corner", "Cross", "Court", "Depot", "Wharf", "Pier", "Row"};

std::string titleFor(int n)
{
    if (n == 1) return "First Push";
    int a = (n * 7) % 20, b = (n * 13 + n / 20) % 20;
    return std::string(Adjectives[a]) + " " + Nouns[b];
}

// The lesson: one crate, one push to the right.
GeneratedLevel lessonLevel()
{
    std::string err;
    GeneratedLevel g;
    g.puzzle = ParsePuzzles("#####\n#@$.#\n#####\n; solution: R\n; length: 1 moves, 1 pushes\n", err)[0];
    traitsOf(g.puzzle, g.traits);
    g.positions = 1;
    g.movesProven = true;
    return g;
}

// The band's tries, on the threads. Try i draws from a random generator of its
// own, seeded with the set's seed, the band and i, so what a try makes does
// not depend on the thread that ran it. Tries left when the time is up are
// skipped.
std::vector<GeneratedLevel> runBand(const Tier &t, unsigned seed, unsigned band, int threads,
                                    const std::function<bool()> &timeLeft, Progress &progress, size_t made,
                                    size_t count)
{
    std::vector<GeneratedLevel> levels(size_t(t.tries));
    std::vector<char> good(size_t(t.tries), 0);
    std::atomic<int> next{0}, done{0}, working{threads};
    auto work = [&] {
        for (int i; (i = next++) < t.tries && timeLeft(); ++done) {
            std::seed_seq seq{seed, band, unsigned(i)};
            std::mt19937 random(seq);
            good[size_t(i)] = generateLevel(t, random, levels[size_t(i)]);
        }
        --working;
    };
    std::vector<std::thread> workers;
    for (int k = 0; k < threads; ++k) workers.emplace_back(work);
    while (working > 0) {
        progress.show(made, count, size_t(done), "rooms tried in this band");
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    for (std::thread &w : workers) w.join();
    progress.clear();
    std::vector<GeneratedLevel> out;
    for (size_t i = 0; i < levels.size(); ++i)
        if (good[i]) out.push_back(std::move(levels[i]));
    return out;
}

}  // namespace

std::vector<GeneratedLevel> generateSet(int count, unsigned seed, double budgetSeconds, int threads)
{
    auto start = Clock::now();
    std::function<bool()> timeLeft = [&] {
        return std::chrono::duration<double>(Clock::now() - start).count() < budgetSeconds;
    };
    std::vector<GeneratedLevel> pool;
    std::set<std::string> seen{sameLevelKey(lessonLevel().puzzle)};
    int wantedTotal = 0;
    for (const Tier &t : Tiers) wantedTotal += t.wanted;
    Progress progress("generate");
    for (size_t ti = 0; ti < sizeof Tiers / sizeof Tiers[0]; ++ti) {
        const Tier &t = Tiers[ti];
        // The band's share of the set, rounded up, and a quarter more to choose from.
        int wanted = (t.wanted * (count - 1) + wantedTotal - 1) / wantedTotal + t.wanted / 4;
        std::vector<GeneratedLevel> band;
        for (GeneratedLevel &g : runBand(t, seed, unsigned(ti), threads, timeLeft, progress, pool.size(), count))
            if (seen.insert(sameLevelKey(g.puzzle)).second) band.push_back(std::move(g));
        size_t made = band.size();
        // The band's hardest levels are kept; the spread bands keep all they
        // make, since the last twenty levels are chosen from them.
        std::stable_sort(band.begin(), band.end(), [](const GeneratedLevel &a, const GeneratedLevel &b) {
            return a.traits.difficulty() > b.traits.difficulty();
        });
        if (t.stateBudget > 0 && int(band.size()) > wanted) band.resize(wanted);
        std::fprintf(stderr, "band %zu: %zu made, %zu kept, hardest %ld pushes %ld moves, difficulty %ld (%.0f s)\n",
                     ti + 1, made, band.size(), band.empty() ? 0 : band[0].traits.pushes,
                     band.empty() ? 0 : band[0].traits.moves, band.empty() ? 0 : band[0].traits.difficulty(),
                     std::chrono::duration<double>(Clock::now() - start).count());
        pool.insert(pool.end(), band.begin(), band.end());
    }
    std::vector<GeneratedLevel> set = chooseSet(lessonLevel(), pool, count);
    for (size_t i = 0; i < set.size(); ++i) set[i].puzzle.title = titleFor(int(i) + 1);
    std::fputs(setReport(set).c_str(), stderr);
    return set;
}
