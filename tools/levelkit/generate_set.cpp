// levelkit generate: the shipped set, band by band, easiest first.
#include "tools/levelkit/commands.h"
#include "tools/levelkit/generator.h"
#include "tools/levelkit/progress.h"
#include "tools/levelkit/puzzle.h"
#include "tools/levelkit/scatter.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>

namespace {

using Clock = std::chrono::steady_clock;

// The first band is the one-push lesson; then rooms and crates grow, and the
// later rooms make long walks. Each band tries a fixed number of rooms, so a
// seed always gives the same set; the time budget only cuts a run short.
// width    height   crates  blocks  pulls  budget     wanted  tries
const Tier Tiers[] = {
    {3, 3,   1, 1,   1, 1,   0,      1,     1000,      1,      1},
    {3, 5,   3, 4,   1, 1,   1,      0,     20000,     12,     200},
    {4, 6,   4, 5,   2, 2,   1,      0,     50000,     16,     250},
    {5, 7,   5, 6,   2, 3,   2,      0,     150000,    20,     300},
    {6, 8,   6, 7,   3, 3,   2,      0,     400000,    20,     200},
    {7, 9,   7, 8,   3, 4,   2,      0,     1000000,   20,     80},
    {8, 10,  8, 10,  4, 4,   2,      0,     2000000,   16,     20},
    {9, 11,  8, 11,  4, 5,   2,      0,     2500000,   12,     20},
    {9, 11,  10, 12, 3, 4,   2,      0,     2500000,   12,     20},
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

}  // namespace

std::vector<GeneratedLevel> generateSet(int count, unsigned seed, double budgetSeconds)
{
    std::mt19937 random(seed);
    auto start = Clock::now();
    auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };
    std::vector<GeneratedLevel> pool;
    std::set<std::string> boards;
    GeneratedLevel first;
    int wantedTotal = 0, allTries = 0;
    for (const Tier &t : Tiers) wantedTotal += t.wanted;
    Progress progress("generate");
    for (size_t ti = 0; ti < sizeof Tiers / sizeof Tiers[0]; ++ti) {
        const Tier &t = Tiers[ti];
        // The band's share of the set, rounded up, and a quarter more to choose from.
        int wanted = (t.wanted * (count - 1) + wantedTotal - 2) / (wantedTotal - 1) + t.wanted / 4;
        if (ti == 0) wanted = 1;
        // Rooms are made until the band's time is spent; its hardest levels are kept.
        std::vector<GeneratedLevel> band;
        int tries = 0;
        // The lesson band tries until it has its level.
        while ((tries < t.tries || band.empty()) && tries < 1000 && elapsed() < budgetSeconds) {
            ++tries;
            progress.show(pool.size() + band.size(), size_t(count), size_t(++allTries), "rooms tried");
            GeneratedLevel g;
            if (!generateLevel(t, random, g)) continue;
            if (!boards.insert(FormatBoard(g.puzzle)).second) continue;
            band.push_back(g);
        }
        std::sort(band.begin(), band.end(),
                  [](const GeneratedLevel &a, const GeneratedLevel &b) { return a.score() > b.score(); });
        if (int(band.size()) > wanted) band.resize(wanted);
        if (ti == 0 && !band.empty()) first = band[0];
        else pool.insert(pool.end(), band.begin(), band.end());
        progress.clear();
        std::fprintf(stderr, "band %zu: %zu kept of %d tries, hardest %ld moves %ld pushes (%.0f s)\n", ti,
                     band.size(), tries, band.empty() ? 0 : band[0].puzzle.storedMoves,
                     band.empty() ? 0 : band[0].puzzle.storedPushes, elapsed());
    }
    std::sort(pool.begin(), pool.end(),
              [](const GeneratedLevel &a, const GeneratedLevel &b) { return a.score() < b.score(); });
    // Evenly spread over the sorted pool, so difficulty rises steadily to the hardest.
    std::vector<GeneratedLevel> set{first};
    int rest = count - 1;
    if (int(pool.size()) <= rest) {
        set.insert(set.end(), pool.begin(), pool.end());
    } else {
        for (int i = 0; i < rest; ++i) {
            size_t at = rest == 1 ? pool.size() - 1 : size_t(double(i) * (pool.size() - 1) / (rest - 1) + 0.5);
            set.push_back(pool[at]);
        }
    }
    for (size_t i = 0; i < set.size(); ++i) set[i].puzzle.title = titleFor(int(i) + 1);
    return set;
}

int runGenerate(const Arguments &args)
{
    int count = 100;
    unsigned seed = 1;
    double budget = 240.0;
    bool stress = false;
    std::string out;
    bool ok = true;
    for (size_t i = 0; i < args.size() && ok; ++i) {
        bool valued = i + 1 < args.size();
        if (args[i] == "--stress") stress = true;
        else if (args[i] == "--count" && valued) count = std::atoi(args[++i].c_str());
        else if (args[i] == "--seed" && valued) seed = unsigned(std::strtoul(args[++i].c_str(), nullptr, 10));
        else if (args[i] == "--budget" && valued) budget = std::atof(args[++i].c_str());
        else if (args[i] == "--out" && valued) out = args[++i];
        else ok = false;
    }
    if (!ok || count < 1 || count > (stress ? 1000 : 100)) {
        std::fprintf(stderr, "usage: levelkit generate [--count N] [--seed S] [--budget SECONDS] [--out FILE]\n"
                             "       levelkit generate --stress [--count N] [--seed S] [--out FILE]\n");
        return 2;
    }
    std::string text;
    size_t made = 0;
    if (stress) {
        std::vector<Puzzle> set = stressSet(count, seed);
        text = "; The solver's stress set, made by levelkit generate --stress --count " + std::to_string(count) +
               " --seed " + std::to_string(seed) + ".\n; Solvable by construction; no solutions stored.\n\n";
        for (const Puzzle &p : set) text += FormatPuzzle(p) + "\n";
        made = set.size();
    } else {
        std::vector<GeneratedLevel> set = generateSet(count, seed, budget);
        text = "; Cratewright levels, made by levelkit generate --count " + std::to_string(count) + " --seed " +
               std::to_string(seed) + ".\n; Every solution is optimal: fewest pushes, then fewest moves. Letters: "
               "l r u d walk, L R U D push.\n\n";
        for (const GeneratedLevel &g : set) text += FormatPuzzle(g.puzzle) + "\n";
        made = set.size();
    }
    if (out.empty()) {
        std::fputs(text.c_str(), stdout);
    } else {
        std::ofstream f(out, std::ios::binary);
        f << text;
        if (!f) {
            std::fprintf(stderr, "cannot write %s\n", out.c_str());
            return 1;
        }
    }
    if (int(made) < count) {
        std::fprintf(stderr, "only %zu levels made within the budget\n", made);
        return 1;
    }
    return 0;
}
