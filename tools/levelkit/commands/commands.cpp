#include "tools/levelkit/commands/commands.h"

#include "tools/levelkit/commands/steps.h"

#include "tools/levelkit/levels/game_bridge.h"
#include "tools/levelkit/levels/map_writer.h"
#include "tools/levelkit/levels/puzzle.h"

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

bool readLevels(const std::string &path, std::vector<Puzzle> &levels, std::string &err, int *boards,
                std::vector<SkippedLevel> *skipped)
{
    if (endsWith(path, ".Map")) {
        Puzzle p;
        if (!loadMapFile(path, err) || !puzzleFromGame(p, err)) return false;
        size_t slash = path.find_last_of('/');
        p.title = path.substr(slash == std::string::npos ? 0 : slash + 1);
        p.number = 1;
        if (boards) *boards = 1;
        levels.push_back(p);
        return true;
    }
    std::string text;
    if (!readWholeFile(path, text)) {
        err = "cannot read " + path;
        return false;
    }
    levels = ParsePuzzles(text, err, boards, skipped);
    return true;
}

bool readLevelsSaying(const std::string &path, std::vector<Puzzle> &levels, bool &clean)
{
    std::string err;
    if (!readLevels(path, levels, err)) {
        std::fprintf(stderr, "%s\n", err.c_str());
        return false;
    }
    std::fputs(err.c_str(), stderr);
    clean = err.empty() && !levels.empty();
    return true;
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

namespace {

// status                    what solve prints
const struct {
    SolveResult::Status status;
    const char *word;
} Verdicts[] = {
    {SolveResult::NoSolution,  "no solution"},
    {SolveResult::Timeout,     "timeout"},
    {SolveResult::OutOfMemory, "out of memory"},
};

}  // namespace

const char *verdictWord(SolveResult::Status status)
{
    for (const auto &v : Verdicts)
        if (v.status == status) return v.word;
    return "solved";
}

const char CompleteAtLoadWord[] = "complete at load";

std::string solvedText(const Puzzle &p)
{
    std::string text = FormatPuzzle(p);
    if (p.solution.empty()) return text;
    // The keys go under the letters, as solve prints them: what a player types.
    const std::string letters = "; solution: " + p.solution + "\n";
    size_t after = text.find(letters) + letters.size();
    return text.insert(after, "; keys: " + keysFor(p.solution) + "\n") + ProofNote(p.pushesProven, p.movesProven);
}
