// levelkit solve: every level of a collection through the solver, its
// solution and figures printed, and the collection written back with them.
#include "tools/levelkit/commands/commands.h"

#include "tools/levelkit/commands/steps.h"

#include "tools/levelkit/levels/game_bridge.h"
#include "tools/levelkit/levels/progress.h"
#include "tools/levelkit/levels/puzzle.h"
#include "tools/levelkit/solver/solver.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

int runSolve(const Arguments &args)
{
    SolveLimits limits;
    // Two searches can use two cores; a third thread would have nothing to run.
    limits.threads = std::max(1, std::min(2, int(std::thread::hardware_concurrency())));
    std::string file, solutions;
    bool ok = true;
    for (size_t i = 0; i < args.size() && ok; ++i) {
        bool valued = i + 1 < args.size();
        if (args[i] == "--time-limit" && valued) limits.seconds = std::atof(args[++i].c_str());
        else if (args[i] == "--memory-limit" && valued)
            limits.memoryBytes = size_t(std::atof(args[++i].c_str()) * 1048576.0);
        else if (args[i] == "--exact-share" && valued) limits.exactShare = std::atof(args[++i].c_str());
        else if (args[i] == "--threads" && valued) limits.threads = std::atoi(args[++i].c_str());
        else if (args[i] == "--write-solutions" && valued) solutions = args[++i];
        else if (file.empty() && args[i].compare(0, 2, "--") != 0) file = args[i];
        else ok = false;
    }
    if (!ok || file.empty() || limits.seconds <= 0 || limits.memoryBytes == 0 || limits.exactShare < 0 || limits.threads < 1 ||
        limits.exactShare > 1) {
        std::fprintf(stderr, "usage: levelkit solve FILE [--time-limit SECONDS] [--memory-limit MB] "
                             "[--exact-share FRACTION] [--threads N] [--write-solutions OUT]\n");
        return 2;
    }
    std::vector<Puzzle> levels;
    bool all;
    if (!readLevelsSaying(file, levels, all)) return 1;
    std::string collection;
    Progress progress("solve");
    size_t solved = 0;
    for (size_t i = 0; i < levels.size(); ++i) {
        Puzzle &p = levels[i];
        progress.show(i + 1, levels.size(), solved, "solved");
        // The game shows such a level solved on its first frame, and import refuses it.
        const std::string complete = CompleteAtLoadReason(p);
        SolveResult r = complete.empty() ? solvePuzzle(p, limits) : SolveResult{};
        progress.clear();
        std::printf("; %s\n", p.title.empty() ? ("Level " + std::to_string(p.number)).c_str() : p.title.c_str());
        if (!complete.empty()) {
            std::printf("%s\n", CompleteAtLoadWord);
            all = false;
        } else if (r.status == SolveResult::Solved) {
            std::printf("%s\n; keys: %s\n; length: %ld moves, %ld pushes\n", r.moves.c_str(), keysFor(r.moves).c_str(),
                        r.moveCount, r.pushCount);
            std::fputs(ProofNote(r.pushesOptimal, r.movesOptimal).c_str(), stdout);
            p.solution = r.moves;
            p.storedMoves = r.moveCount;
            p.storedPushes = r.pushCount;
            p.pushesProven = r.pushesOptimal;
            p.movesProven = r.movesOptimal;
            ++solved;
        } else {
            // A solution the collection already stored is kept.
            std::printf("%s\n", verdictWord(r.status));
            all = false;
        }
        std::fflush(stdout);
        std::fprintf(stderr, "level %d: %s\n", p.number,
                     complete.empty() ? solveFigures(r).c_str() : (complete + "; import refuses it").c_str());
        collection += solvedText(p) + "\n";
    }
    if (!solutions.empty()) {
        std::ofstream out(solutions, std::ios::binary);
        out << collection;
        if (!out) {
            std::fprintf(stderr, "cannot write %s\n", solutions.c_str());
            return 1;
        }
    }
    return all ? 0 : 1;
}
