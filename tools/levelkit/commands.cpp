#include "tools/levelkit/commands.h"

#include "tools/levelkit/game_bridge.h"
#include "tools/levelkit/map_writer.h"
#include "tools/levelkit/puzzle.h"
#include "tools/levelkit/solver.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

bool readWholeFile(const std::string &path, std::string &text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return true;
}

static bool endsWith(const std::string &s, const std::string &tail)
{
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool readLevels(const std::string &path, std::vector<Puzzle> &levels, std::string &err)
{
    if (endsWith(path, ".Map")) {
        Puzzle p;
        if (!loadMapFile(path, err) || !puzzleFromGame(p, err)) return false;
        size_t slash = path.find_last_of('/');
        p.title = path.substr(slash == std::string::npos ? 0 : slash + 1);
        levels.push_back(p);
        return true;
    }
    std::string text;
    if (!readWholeFile(path, text)) {
        err = "cannot read " + path;
        return false;
    }
    levels = ParsePuzzles(text, err);
    return true;
}

int runImport(const Arguments &args)
{
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: levelkit import FILE OUTDIR\n");
        return 2;
    }
    std::vector<Puzzle> levels;
    std::string err;
    if (!readLevels(args[0], levels, err)) {
        std::fprintf(stderr, "%s\n", err.c_str());
        return 1;
    }
    int status = err.empty() ? 0 : 1;
    std::fputs(err.c_str(), stderr);
    if (levels.size() > size_t(LevelCount))
        std::fprintf(stderr, "only the first %d of %zu levels are written: the game has %d\n", LevelCount,
                     levels.size(), LevelCount);
    for (size_t i = 0; i < levels.size() && i < size_t(LevelCount); ++i) {
        std::string map, why;
        const std::string name = "Level" + std::to_string(i + 1) + ".Map";
        if (!writeMapText(levels[i], map, why)) {
            std::fprintf(stderr, "level %zu%s refused: %s\n", i + 1,
                         levels[i].title.empty() ? "" : (" (" + levels[i].title + ")").c_str(), why.c_str());
            status = 1;
            continue;
        }
        std::ofstream out(args[1] + "/" + name, std::ios::binary);
        out << map;
        if (!out) {
            std::fprintf(stderr, "cannot write %s/%s\n", args[1].c_str(), name.c_str());
            return 1;
        }
    }
    return status;
}

int runExport(const Arguments &args)
{
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: levelkit export FILE.Map\n");
        return 2;
    }
    std::string why;
    Puzzle p;
    if (!loadMapFile(args[0], why) || !puzzleFromGame(p, why)) {
        std::fprintf(stderr, "%s: %s\n", args[0].c_str(), why.c_str());
        return 1;
    }
    std::fputs(FormatBoard(p).c_str(), stdout);
    return 0;
}

int runSolve(const Arguments &args)
{
    SolveLimits limits;
    std::string file;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--time-limit" && i + 1 < args.size()) limits.seconds = std::atof(args[++i].c_str());
        else if (args[i] == "--memory-limit" && i + 1 < args.size())
            limits.memoryBytes = size_t(std::atof(args[++i].c_str()) * 1048576.0);
        else if (file.empty()) file = args[i];
        else file.clear(), i = args.size();
    }
    if (file.empty() || limits.seconds <= 0) {
        std::fprintf(stderr, "usage: levelkit solve FILE [--time-limit SECONDS] [--memory-limit MB]\n");
        return 2;
    }
    std::vector<Puzzle> levels;
    std::string err;
    if (!readLevels(file, levels, err)) {
        std::fprintf(stderr, "%s\n", err.c_str());
        return 1;
    }
    std::fputs(err.c_str(), stderr);
    bool all = err.empty() && !levels.empty();
    for (size_t i = 0; i < levels.size(); ++i) {
        const Puzzle &p = levels[i];
        SolveResult r = solvePuzzle(p, limits);
        std::printf("; %s\n", p.title.empty() ? ("Level " + std::to_string(i + 1)).c_str() : p.title.c_str());
        switch (r.status) {
        case SolveResult::Solved:
            std::printf("%s\n; keys: %s\n", r.moves.c_str(), keysFor(r.moves).c_str());
            break;
        case SolveResult::NoSolution: std::printf("no solution\n"); break;
        case SolveResult::Timeout:
        case SolveResult::OutOfMemory: std::printf("timeout\n"); break;
        }
        std::fflush(stdout);
        const char *how = r.status == SolveResult::OutOfMemory ? " (memory limit)" : "";
        std::fprintf(stderr, "level %zu: %ld moves, %ld pushes%s; %zu positions, %.3f s, %.1f MB%s\n", i + 1,
                     r.moveCount, r.pushCount, r.status == SolveResult::Solved && !r.movesOptimal
                                                   ? " (moves not proven fewest)" : "",
                     r.states, r.seconds, r.peakBytes / 1048576.0, how);
        if (r.status != SolveResult::Solved) all = false;
    }
    return all ? 0 : 1;
}
