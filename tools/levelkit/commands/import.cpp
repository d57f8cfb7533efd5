// levelkit import: a window of a text collection written as the game's level
// files. A level that cannot be made a level file is reported and skipped, the
// next one takes its number, and every file written is listed with the level
// it holds, so the numbering is never a guess.
#include "tools/levelkit/commands/commands.h"

#include "core/state.h"
#include "tools/levelkit/levels/map_writer.h"
#include "tools/levelkit/levels/puzzle.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

const char Usage[] = "usage: levelkit import FILE OUTDIR [--first N] [--at K] [--count M]\n";

std::string fileName(int n) { return "Level" + std::to_string(n) + ".Map"; }

std::string named(const Puzzle &p)
{
    return "level " + std::to_string(p.number) + (p.title.empty() ? "" : " (" + p.title + ")");
}

bool exists(const std::string &path) { return std::ifstream(path).good(); }

// What the player will see when the level starts with pieces already on sites.
std::string startWarning(const Puzzle &p)
{
    int sites = p.siteCount(), covered = p.cratesOnSites() + (p.sites[p.keeper] ? 1 : 0);
    std::string keeper = p.sites[p.keeper] ? "the keeper starts on a site, which the game counts as covered for "
                                             "the whole level: "
                                           : "";
    if (covered >= sites) return keeper + "the level is complete as soon as it loads";
    if (keeper.empty()) return "";
    return keeper + "the level is complete once crates stand on " + std::to_string(sites - 1) + " of its " +
           std::to_string(sites) + " sites";
}

// The files after the last one written: the game plays on into them, or
// stops where the first is missing.
void reportTail(const std::string &dir, int next, int lastWritten)
{
    if (next > LevelCount) return;
    int missing = next;
    while (missing <= LevelCount && exists(dir + "/" + fileName(missing))) ++missing;
    bool several = missing - 1 > next;
    std::string range = fileName(next) + (several ? " to " + fileName(missing - 1) : "");
    if (missing > next)
        std::fprintf(stderr, "%s %s already in %s and left as %s: the game plays %s after %s\n", range.c_str(),
                     several ? "were" : "was", dir.c_str(), several ? "they were" : "it was", several ? "them" : "it",
                     fileName(lastWritten).c_str());
    if (missing <= LevelCount)
        std::fprintf(stderr,
                     "%s is missing: the game stops with \"This file cant be opened!\" after %s. To fill the numbers "
                     "from %d on from another collection (the shipped data/levels.txt, for one), import it there "
                     "with --first %d --at %d\n",
                     fileName(missing).c_str(), fileName(missing - 1).c_str(), missing, missing, missing);
}

}  // namespace

int runImport(const Arguments &args)
{
    std::vector<std::string> paths;
    int first = 1, at = 1, count = 0;
    bool ok = true;
    for (size_t i = 0; i < args.size() && ok; ++i) {
        int *option = args[i] == "--first" ? &first : args[i] == "--at" ? &at : args[i] == "--count" ? &count : nullptr;
        if (!option) paths.push_back(args[i]);
        else if (i + 1 < args.size()) *option = std::atoi(args[++i].c_str());
        else ok = false;
    }
    int room = LevelCount - at + 1;
    if (!ok || paths.size() != 2 || first < 1 || at < 1 || at > LevelCount || count < 0 || count > room) {
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
    int wanted = count ? count : room, written = 0;
    std::vector<std::string> warnings;
    for (const Puzzle &p : levels) {
        if (p.number < first) continue;
        if (written == wanted) {
            if (!count)
                std::fprintf(stderr, "levels %d to %d of the collection were not written: the game plays %d "
                                     "(import them into another game folder with --first %d)\n",
                             p.number, boards, LevelCount, p.number);
            break;
        }
        std::string map, why;
        if (!writeMapText(p, map, why)) {
            std::fprintf(stderr, "%s refused: %s; the next level takes its number\n", named(p).c_str(), why.c_str());
            continue;
        }
        const std::string name = fileName(at + written);
        std::ofstream out(dir + "/" + name, std::ios::binary);
        out << map;
        if (!out) {
            std::fprintf(stderr, "cannot write %s/%s\n", dir.c_str(), name.c_str());
            return 1;
        }
        std::printf("%s: %s\n", name.c_str(), named(p).c_str());
        std::string warning = startWarning(p);
        if (!warning.empty()) warnings.push_back(name + " holds " + named(p) + ": " + warning);
        ++written;
    }
    for (const std::string &w : warnings) std::fprintf(stderr, "warning: %s\n", w.c_str());
    if (written == 0) {
        std::fprintf(stderr, "no level of %s from level %d on could be written\n", paths[0].c_str(), first);
        return 1;
    }
    if (written < wanted) {
        std::fprintf(stderr, "the collection ends at level %d: %d level files written\n", boards, written);
        if (count) return 1;
        reportTail(dir, at + written, at + written - 1);
    }
    // Every build copies the shipped levels into the build's game folder.
    if (dir.find("build/cratewright") != std::string::npos)
        std::fprintf(stderr, "note: the next build copies the shipped levels back into %s; import into a game "
                             "folder of your own (a copy of it) to keep these\n", dir.c_str());
    return 0;
}
