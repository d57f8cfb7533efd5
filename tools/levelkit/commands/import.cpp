// levelkit import: a window of a text collection written as the game's level
// files. A level that cannot be made a level file is reported and skipped, the
// next one takes its number, and every file written is listed with the level
// it holds, so the numbering is never a guess.
#include "tools/levelkit/commands/commands.h"

#include "core/state.h"
#include "tools/levelkit/commands/steps.h"
#include "tools/levelkit/levels/map_writer.h"
#include "tools/levelkit/levels/puzzle.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/stat.h>

namespace {

const char Usage[] = "usage: levelkit import FILE OUTDIR [--first N] [--at K] [--count M]\n";

bool exists(const std::string &path) { return std::ifstream(path).good(); }

bool isFolder(const std::string &path)
{
    struct stat s;
    return stat(path.c_str(), &s) == 0 && S_ISDIR(s.st_mode);
}

// The files after the last one written: the game plays on into them, or
// stops where the first is missing.
void reportTail(const std::string &dir, int next, int lastWritten)
{
    if (next > LevelCount) return;
    int missing = next;
    while (missing <= LevelCount && exists(dir + "/" + levelFileName(missing))) ++missing;
    bool several = missing - 1 > next;
    std::string range = levelFileName(next) + (several ? " to " + levelFileName(missing - 1) : "");
    bool shipped = true;
    for (int n = next; n < missing && shipped; ++n) shipped = isShippedLevel(dir, n);
    if (missing > next)
        std::fprintf(stderr, "%s %s already in %s and left as %s: the game plays %s after %s%s\n", range.c_str(),
                     several ? "were" : "was", dir.c_str(), several ? "they were" : "it was", several ? "them" : "it",
                     levelFileName(lastWritten).c_str(),
                     shipped ? " (the shipped levels, whose solutions check finds itself)" : "");
    if (missing <= LevelCount)
        std::fprintf(stderr,
                     "%s is missing: the game stops with \"This file cant be opened!\" after %s. To fill the numbers "
                     "from %d on from another collection (the shipped data/levels.txt, for one), import it there "
                     "with --first %d --at %d\n",
                     levelFileName(missing).c_str(), levelFileName(missing - 1).c_str(), missing, missing, missing);
}

}  // namespace

std::string levelFileName(int n) { return "Level" + std::to_string(n) + ".Map"; }

std::string levelName(int number, const std::string &title)
{
    return "level " + std::to_string(number) + (title.empty() ? "" : " (" + title + ")");
}

std::string levelRange(int from, int to)
{
    return from == to ? "level " + std::to_string(from) : "levels " + std::to_string(from) + " to " + std::to_string(to);
}

std::string keeperSiteWarning(const Puzzle &p)
{
    if (!p.sites[p.keeper]) return "";
    int sites = p.siteCount();
    return "the keeper starts on a site, which the game counts as covered for the whole level: the level is "
           "complete once crates stand on " + std::to_string(sites - 1) + " of its " + std::to_string(sites) +
           " sites";
}

bool importLevels(const std::vector<Puzzle> &levels, const std::string &dir, const ImportWindow &window,
                  ImportReport &report)
{
    int wanted = window.count ? window.count : LevelCount - window.at + 1;
    for (const Puzzle &p : levels) {
        if (p.number < window.first) continue;
        if (int(report.written.size()) == wanted) {
            report.leftOut = p.number;
            break;
        }
        std::string map, why;
        if (!writeMapText(p, map, why)) {
            report.refused.push_back({p.number, p.title, why});
            continue;
        }
        const std::string name = levelFileName(window.at + int(report.written.size()));
        std::ofstream out(dir + "/" + name, std::ios::binary);
        out << map;
        if (!out) {
            report.error = "cannot write " + dir + "/" + name;
            return false;
        }
        report.written.push_back({name, p});
    }
    return true;
}

int runImport(const Arguments &args)
{
    std::vector<std::string> paths;
    ImportWindow window;
    bool ok = true;
    for (size_t i = 0; i < args.size() && ok; ++i) {
        int *option = args[i] == "--first" ? &window.first
                      : args[i] == "--at"  ? &window.at
                      : args[i] == "--count" ? &window.count
                                             : nullptr;
        if (!option) paths.push_back(args[i]);
        else if (i + 1 < args.size()) *option = std::atoi(args[++i].c_str());
        else ok = false;
    }
    int room = LevelCount - window.at + 1;
    if (!ok || paths.size() != 2 || window.first < 1 || window.at < 1 || window.at > LevelCount || window.count < 0 ||
        window.count > room) {
        std::fprintf(stderr,
                     "%sthe game plays Level1.Map to Level%d.Map: --at from 1 to %d, --count at most %d - K + 1\n",
                     Usage, LevelCount, LevelCount, LevelCount);
        return 2;
    }
    const std::string &dir = paths[1];
    std::vector<Puzzle> levels;
    std::string err;
    int boards = 0;
    if (!readLevels(paths[0], levels, err, &boards)) {
        std::fprintf(stderr, "%s\n", err.c_str());
        return 1;
    }
    std::fputs(err.c_str(), stderr);
    // A folder that is not there yet becomes a game folder of its own, so the
    // collection can be played from it at once, from level 1.
    if (!isFolder(dir)) {
        std::string why;
        if (!fillGameFolder(dir, why)) {
            std::fprintf(stderr, "%s does not exist, and no game folder could be made there: %s\n", dir.c_str(),
                         why.c_str());
            return 1;
        }
        std::fprintf(stderr, "made the game folder %s: the game, its pictures and sounds, the shipped levels and "
                             "fresh progress (level 1)\n", dir.c_str());
    }
    ImportReport report;
    bool written = importLevels(levels, dir, window, report);
    for (const auto &[name, p] : report.written) std::printf("%s: %s\n", name.c_str(), levelName(p.number, p.title).c_str());
    for (const SkippedLevel &r : report.refused)
        std::fprintf(stderr, "%s refused: %s; the next level takes its number\n", levelName(r.number, r.title).c_str(),
                     r.why.c_str());
    if (!written) {
        std::fprintf(stderr, "%s\n", report.error.c_str());
        return 1;
    }
    if (report.leftOut && !window.count)
        std::fprintf(stderr, "%s of the collection %s not written: the game plays %d (import %s into another game "
                             "folder with --first %d)\n",
                     levelRange(report.leftOut, boards).c_str(), report.leftOut == boards ? "was" : "were", LevelCount,
                     report.leftOut == boards ? "it" : "them", report.leftOut);
    for (const auto &[name, p] : report.written) {
        std::string warning = keeperSiteWarning(p);
        if (!warning.empty())
            std::fprintf(stderr, "warning: %s holds %s: %s\n", name.c_str(), levelName(p.number, p.title).c_str(),
                         warning.c_str());
    }
    int count = int(report.written.size()), wanted = window.count ? window.count : room;
    if (count == 0) {
        std::fprintf(stderr, "no level of %s from level %d on could be written\n", paths[0].c_str(), window.first);
        return 1;
    }
    if (count < wanted) {
        std::fprintf(stderr, "the collection ends at level %d: %d level files written\n", boards, count);
        if (window.count) return 1;
        reportTail(dir, window.at + count, window.at + count - 1);
    }
    if (isBuildGameFolder(dir))
        std::fprintf(stderr, "note: the next build copies the shipped levels back into %s; import into a game "
                             "folder of your own (one that does not exist yet) to keep these\n", dir.c_str());
    int level = progressLevel(dir);
    if (window.at == 1 && level > 1)
        std::fprintf(stderr, "note: the progress in %s/config.ini starts the game at level %d; to start at level 1, "
                             "put 0, 1 and 1 on its three lines\n", dir.c_str(), level);
    return 0;
}
