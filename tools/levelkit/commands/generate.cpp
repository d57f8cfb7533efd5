// levelkit generate: the shipped set, or one of the solver's stress sets.
#include "tools/levelkit/commands/commands.h"

#include "tools/levelkit/generator/generator.h"
#include "tools/levelkit/generator/scatter.h"
#include "tools/levelkit/generator/warehouse.h"
#include "tools/levelkit/levels/puzzle.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

int runGenerate(const Arguments &args)
{
    int count = 100, threads = int(std::max(1u, std::thread::hardware_concurrency()));
    unsigned seed = 1;
    double budget = 3600.0;
    bool stress = false, warehouse = false;
    std::string out;
    bool ok = true;
    for (size_t i = 0; i < args.size() && ok; ++i) {
        bool valued = i + 1 < args.size();
        if (args[i] == "--stress") stress = true;
        else if (args[i] == "--warehouse") warehouse = true;
        else if (args[i] == "--count" && valued) count = std::atoi(args[++i].c_str());
        else if (args[i] == "--seed" && valued) seed = unsigned(std::strtoul(args[++i].c_str(), nullptr, 10));
        else if (args[i] == "--budget" && valued) budget = std::atof(args[++i].c_str());
        else if (args[i] == "--threads" && valued) threads = std::atoi(args[++i].c_str());
        else if (args[i] == "--out" && valued) out = args[++i];
        else ok = false;
    }
    if (!ok || (stress && warehouse) || count < 1 || count > (stress || warehouse ? 1000 : 100) || threads < 1 ||
        threads > 64) {
        std::fprintf(stderr, "usage: levelkit generate [--count N] [--seed S] [--budget SECONDS] [--threads T] "
                             "[--out FILE]\n"
                             "       levelkit generate --stress [--count N] [--seed S] [--out FILE]\n"
                             "       levelkit generate --warehouse [--count N] [--seed S] [--out FILE]\n");
        return 2;
    }
    std::string text;
    size_t made = 0;
    if (warehouse) {
        std::vector<WarehouseLevel> set = warehouseSet(count, seed);
        text = "; Warehouse levels for the solver, made by levelkit generate --warehouse --count " +
               std::to_string(count) + " --seed " + std::to_string(seed) +
               ".\n; Every site in a goal room behind one or two doors; each solution is the construction's, "
               "not the shortest.\n\n";
        for (const WarehouseLevel &w : set) text += FormatPuzzle(w.puzzle) + ProofNote(false, false) + "\n";
        made = set.size();
    } else if (stress) {
        std::vector<Puzzle> set = stressSet(count, seed);
        text = "; The solver's stress set, made by levelkit generate --stress --count " + std::to_string(count) +
               " --seed " + std::to_string(seed) + ".\n; Solvable by construction; no solutions stored.\n\n";
        for (const Puzzle &p : set) text += FormatPuzzle(p) + "\n";
        made = set.size();
    } else {
        std::vector<GeneratedLevel> set = generateSet(count, seed, budget, threads);
        text = "; Cratewright levels, made by levelkit generate --count " + std::to_string(count) + " --seed " +
               std::to_string(seed) + ".\n; Every solution has the fewest pushes, then the fewest moves among them "
               "(unless it says otherwise). Letters: l r u d walk, L R U D push.\n\n";
        for (const GeneratedLevel &g : set) text += FormatPuzzle(g.puzzle) + ProofNote(true, g.movesProven) + "\n";
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
