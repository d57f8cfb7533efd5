// levelkit play: one command from a collection to playing it. It makes the
// collection a game folder of its own (never the build's, never one of the
// player's other folders), imports the collection, solves every level it
// wrote, checks the folder, says in a few lines what came of it, and starts
// the game there. Run again on the same folder it keeps the player's progress
// and the solutions already found, so it is also how to come back to the
// collection, or to give its unsolved levels more time.
#include "tools/levelkit/commands/commands.h"

#include "core/state.h"
#include "tools/levelkit/commands/play_report.h"
#include "tools/levelkit/commands/steps.h"
#include "tools/levelkit/levels/progress.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const char Usage[] = "usage: levelkit play FILE [DIR] [--first N] [--time-limit S]\n";
const char Record[] = "levels.txt";  // the folder's levels in file order, with their solutions
// The record's first line; the collection's path follows on the second.
const char RecordMark[] = "; Made by levelkit play, from level %d on, of";
// CPU seconds a level: the player waits for the whole collection.
constexpr double DefaultSeconds = 10.0;
// What the report offers for the levels not solved: several times the time, a minute at least.
constexpr double RetryFactor = 6.0, RetrySeconds = 60.0;

struct PlayOptions {
    std::string file, dir;
    bool dirGiven = false;
    int first = 1;
    SolveLimits limits;
};

// A word for the shell, quoted when it needs to be.
std::string shellWord(const std::string &w)
{
    if (w.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/._-+=") ==
        std::string::npos)
        return w;
    std::string q = "'";
    for (char c : w) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// The command that runs play again, on this folder or (first given) on the next.
std::string playCommand(const PlayOptions &o, int first, const std::string &more)
{
    std::string c = "levelkit play " + shellWord(o.file);
    if (o.dirGiven) c += " " + shellWord(first == o.first ? o.dir : o.dir + "-" + std::to_string(first));
    if (first > 1) c += " --first " + std::to_string(first);
    return c + more;
}

bool parse(const Arguments &args, PlayOptions &o)
{
    o.limits.seconds = DefaultSeconds;
    std::vector<std::string> paths;
    for (size_t i = 0; i < args.size(); ++i) {
        bool valued = i + 1 < args.size();
        if (args[i] == "--first" && valued) o.first = std::atoi(args[++i].c_str());
        else if (args[i] == "--time-limit" && valued) o.limits.seconds = std::atof(args[++i].c_str());
        else if (args[i].compare(0, 2, "--") != 0) paths.push_back(args[i]);
        else return false;
    }
    if (paths.empty() || paths.size() > 2 || o.first < 1 || o.limits.seconds <= 0) return false;
    o.file = fs::absolute(paths[0]).lexically_normal().string();
    o.dirGiven = paths.size() == 2;
    if (o.dirGiven) {
        o.dir = fs::absolute(paths[1]).lexically_normal().string();
    } else {
        // Beside the player's other things, named after the collection.
        const char *home = std::getenv("HOME");
        std::string name = "cratewright-" + fs::path(o.file).stem().string() +
                           (o.first > 1 ? "-" + std::to_string(o.first) : "");
        o.dir = (home && *home ? fs::path(home) : fs::current_path()) / name;
    }
    while (o.dir.size() > 1 && o.dir.back() == '/') o.dir.pop_back();
    return true;
}

// What the folder's record says made it; false when it has none.
bool readRecord(const std::string &dir, std::string &file, int &first, std::vector<Puzzle> &levels)
{
    std::ifstream in(dir + "/" + Record, std::ios::binary);
    std::string head, path;
    if (!std::getline(in, head) || std::sscanf(head.c_str(), RecordMark, &first) != 1 ||
        !std::getline(in, path) || path.compare(0, 2, "; ") != 0)
        return false;
    file = path.substr(2);
    std::string text, err;
    readWholeFile(dir + "/" + Record, text);
    levels = ParsePuzzles(text, err);
    return true;
}

// Whether play may write into the folder: a new or empty one, or one it made
// before for this collection from the same level on. again: the latter.
bool claimFolder(const PlayOptions &o, bool &again, std::vector<Puzzle> &before, std::string &why)
{
    again = false;
    std::error_code e;
    if (isBuildGameFolder(o.dir) || isShippedData(o.dir)) {
        why = "it holds the shipped levels, which every build copies again: give play a folder of the "
              "collection's own (or leave DIR out: play then makes one in your home folder)";
        return false;
    }
    if (!fs::exists(o.dir, e)) return true;
    if (!fs::is_directory(o.dir, e)) {
        why = "it is not a folder";
        return false;
    }
    if (fs::is_empty(o.dir, e)) return true;
    std::string file;
    int first = 0;
    if (!readRecord(o.dir, file, first, before)) {
        why = "it holds files that levelkit play did not put there (another game folder?), which it leaves "
              "alone: give play a new folder";
        return false;
    }
    if (file != o.file || first != o.first) {
        why = "levelkit play made it for " + file + " from level " + std::to_string(first) +
              " on, and leaves it to that: give play another folder for this collection";
        return false;
    }
    again = true;
    return true;
}

// Solves the levels written, taking a solution found by an earlier run for a
// board that has not changed, and tallies what came of it.
void solveAll(std::vector<std::pair<std::string, Puzzle>> &written, const std::vector<Puzzle> &before,
              const SolveLimits &limits, SolveTally &tally)
{
    std::map<std::string, const Puzzle *> found;
    for (const Puzzle &p : before)
        if (!p.solution.empty()) found[FormatBoard(p)] = &p;
    Progress progress("play: solve");
    auto start = std::chrono::steady_clock::now();
    for (size_t i = 0; i < written.size(); ++i) {
        Puzzle &p = written[i].second;
        progress.show(i + 1, written.size(), size_t(tally.solved), "solved");
        auto known = found.find(FormatBoard(p));
        if (known != found.end()) {
            const Puzzle &k = *known->second;
            p.solution = k.solution;
            p.storedMoves = k.storedMoves;
            p.storedPushes = k.storedPushes;
            p.pushesProven = k.pushesProven;
            p.movesProven = k.movesProven;
            ++tally.kept;
        } else {
            p.solution.clear();
            SolveResult r = solvePuzzle(p, limits);
            tally.cpuSeconds += r.seconds;
            if (r.status == SolveResult::Solved) {
                p.solution = r.moves;
                p.storedMoves = r.moveCount;
                p.storedPushes = r.pushCount;
                p.pushesProven = r.pushesOptimal;
                p.movesProven = r.movesOptimal;
            } else {
                tally.unsolved.push_back(written[i].first + " (" + levelName(p.number, p.title) + "): " +
                                         verdictWord(r.status));
            }
        }
        tally.solved += !p.solution.empty();
        tally.proven += !p.solution.empty() && p.pushesProven;
    }
    progress.clear();
    tally.seconds = secondsSince(start);
}

bool writeRecord(const PlayOptions &o, const std::vector<std::pair<std::string, Puzzle>> &written)
{
    char mark[sizeof RecordMark + 16];
    std::snprintf(mark, sizeof mark, RecordMark, o.first);
    std::string text = std::string(mark) + "\n; " + o.file + "\n; The levels of this game folder, Level1.Map first, "
                       "with the solutions found for them.\n\n";
    for (auto [name, p] : written) {
        // Every level titled, so the head is never taken for a title.
        if (p.title.empty()) p.title = "Level " + std::to_string(p.number);
        text += solvedText(p) + "\n";
    }
    std::ofstream out(o.dir + "/" + Record, std::ios::binary);
    out << text;
    return bool(out);
}

}  // namespace

int runPlay(const Arguments &args)
{
    PlayOptions o;
    if (!parse(args, o)) {
        std::fputs(Usage, stderr);
        return 2;
    }
    auto start = std::chrono::steady_clock::now();
    std::vector<Puzzle> levels, before;
    std::vector<SkippedLevel> skipped;
    std::string err, why;
    int boards = 0;
    if (!readLevels(o.file, levels, err, &boards, &skipped)) {
        std::fprintf(stderr, "%s\n", err.c_str());
        return 1;
    }
    bool again = false;
    if (!claimFolder(o, again, before, why)) {
        std::fprintf(stderr, "levelkit play: not into %s: %s\n", o.dir.c_str(), why.c_str());
        return 1;
    }
    std::printf("levelkit play: %s, %d levels, into %s\n", o.file.c_str(), boards, o.dir.c_str());
    if (!fillGameFolder(o.dir, why)) {
        std::fprintf(stderr, "levelkit play: no game folder in %s: %s\n", o.dir.c_str(), why.c_str());
        return 1;
    }
    auto importStart = std::chrono::steady_clock::now();
    ImportReport report;
    if (!importLevels(levels, o.dir, ImportWindow{o.first, 1, 0}, report)) {
        std::fprintf(stderr, "levelkit play: %s\n", report.error.c_str());
        return 1;
    }
    for (const SkippedLevel &s : skipped)
        if (s.number >= o.first && (!report.leftOut || s.number < report.leftOut)) report.refused.push_back(s);
    printImport(boards, report, secondsSince(importStart), playCommand(o, report.leftOut, ""));
    if (report.written.empty()) return 1;
    SolveTally tally;
    solveAll(report.written, before, o.limits, tally);
    char more[64];
    std::snprintf(more, sizeof more, " --time-limit %g", std::max(RetrySeconds, RetryFactor * o.limits.seconds));
    printSolve(o.limits.seconds, int(report.written.size()), tally, playCommand(o, o.first, more));
    if (!writeRecord(o, report.written)) {
        std::fprintf(stderr, "levelkit play: cannot write %s/%s\n", o.dir.c_str(), Record);
        return 1;
    }
    auto checkStart = std::chrono::steady_clock::now();
    // The folder's own record first; the shipped levels fill the numbers after a shorter collection.
    std::vector<SolutionSet> sets(1);
    SolutionSet shipped;
    std::vector<CheckedFile> files;
    bool read = readSolutionSet(o.dir + "/" + Record, sets[0], err);
    if (shippedSolutions(shipped)) sets.push_back(shipped);
    if (!read || !checkFolder(o.dir, sets, files)) {
        std::fprintf(stderr, "levelkit play: cannot check %s: %s\n", o.dir.c_str(), err.c_str());
        return 1;
    }
    printCheck(files, secondsSince(checkStart));
    printStart(o.dir, again, progressLevel(o.dir), secondsSince(start));
    std::fflush(stdout);
    const std::string game = o.dir + "/cratewright";
    execl(game.c_str(), game.c_str(), static_cast<char *>(nullptr));
    std::fprintf(stderr, "levelkit play: cannot start %s\n", game.c_str());
    return 1;
}
