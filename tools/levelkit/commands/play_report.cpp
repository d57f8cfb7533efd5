#include "tools/levelkit/commands/play_report.h"

#include "core/state.h"
#include "tools/levelkit/levels/map_writer.h"

#include <algorithm>
#include <cstdio>

namespace {

const char Indent[] = "          ";  // under the step's name

// The kind of a refusal, for grouping: its words before the particulars.
std::string reasonOf(const std::string &why)
{
    std::string kind = why.substr(0, why.find_first_of("(;:"));
    kind.erase(kind.find_last_not_of(' ') + 1);
    return kind;
}

// "level 5", "levels 5 and 17", "levels 5, 17 and 40".
std::string numbers(const std::vector<int> &n)
{
    std::string s = n.size() == 1 ? "level " : "levels ";
    for (size_t i = 0; i < n.size(); ++i)
        s += (i == 0 ? "" : i + 1 == n.size() ? " and " : ", ") + std::to_string(n[i]);
    return s;
}

std::string files(const std::vector<std::string> &names)
{
    std::string s;
    for (size_t i = 0; i < names.size(); ++i) s += (i == 0 ? "" : i + 1 == names.size() ? " and " : ", ") + names[i];
    return s;
}

void printRefused(std::vector<SkippedLevel> refused)
{
    if (refused.empty()) return;
    std::sort(refused.begin(), refused.end(), [](const SkippedLevel &a, const SkippedLevel &b) { return a.number < b.number; });
    std::printf("%s%zu refused, the level after each taking its number:\n", Indent, refused.size());
    std::vector<std::pair<std::string, std::vector<int>>> groups;
    bool limits = false;
    for (const SkippedLevel &r : refused) {
        std::string kind = reasonOf(r.why);
        auto g = std::find_if(groups.begin(), groups.end(), [&](const auto &x) { return x.first == kind; });
        if (g == groups.end()) g = groups.insert(groups.end(), {kind, {}});
        g->second.push_back(r.number);
        limits = limits || r.why.find(levelLimitsText()) != std::string::npos;
    }
    for (const auto &[kind, which] : groups) std::printf("%s  %s: %s\n", Indent, kind.c_str(), numbers(which).c_str());
    if (limits) std::printf("%s  (%s)\n", Indent, levelLimitsText().c_str());
}

}  // namespace

double secondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void printImport(int boards, const ImportReport &report, double seconds, const std::string &next)
{
    size_t count = report.written.size();
    if (count == 0) {
        std::printf("  import: no level could be made a level file\n");
        printRefused(report.refused);
        return;
    }
    std::printf("  import: %zu level files, %s to %s (%.1f s)\n", count, report.written.front().first.c_str(),
                report.written.back().first.c_str(), seconds);
    printRefused(report.refused);
    std::vector<std::string> keeperOnSite;
    for (const auto &[name, p] : report.written)
        if (p.sites[p.keeper]) keeperOnSite.push_back(name);
    if (!keeperOnSite.empty())
        std::printf("%sthe keeper starts on a site in %s: the game counts that site covered, so the level is "
                    "complete one crate early\n", Indent, files(keeperOnSite).c_str());
    if (count < size_t(LevelCount))
        std::printf("%s%s%s: the shipped %s, which the game plays after yours\n", Indent,
                    levelFileName(int(count) + 1).c_str(),
                    count + 1 < size_t(LevelCount) ? (" to " + levelFileName(LevelCount)).c_str() : "",
                    count + 1 < size_t(LevelCount) ? "levels" : "level");
    if (report.leftOut)
        std::printf("%s%s past the game's %d: to play %s, %s\n", Indent,
                    (levelRange(report.leftOut, boards) + (report.leftOut == boards ? " is" : " are")).c_str(),
                    LevelCount, report.leftOut == boards ? "it" : "them", next.c_str());
}

void printSolve(double secondsALevel, int levels, const SolveTally &tally, const std::string &retry)
{
    std::printf("  solve:  %d of %d solved, %d with the fewest pushes proven (%.1f CPU s, %.1f s; at most %g CPU s "
                "a level)\n", tally.solved, levels, tally.proven, tally.cpuSeconds, tally.seconds, secondsALevel);
    if (tally.kept) std::printf("%s%d of the solutions kept from the last run\n", Indent, tally.kept);
    for (const std::string &u : tally.unsolved) std::printf("%snot solved: %s\n", Indent, u.c_str());
    if (!tally.unsolved.empty()) std::printf("%sto give them more time: %s\n", Indent, retry.c_str());
}

void printCheck(const std::vector<CheckedFile> &files, double seconds)
{
    size_t failed = std::count_if(files.begin(), files.end(), [](const CheckedFile &f) { return !f.ok; });
    if (!failed) std::printf("  check:  %zu level files, all pass (%.1f s)\n", files.size(), seconds);
    else std::printf("  check:  %zu level files, %zu failed (%.1f s):\n", files.size(), failed, seconds);
    for (const CheckedFile &f : files)
        if (!f.ok) std::printf("%s%s: %s\n", Indent, f.name.c_str(), f.line.c_str());
}

void printStart(const std::string &dir, bool again, int level, double seconds)
{
    if (again && level != 1)
        std::printf("  progress: level %d, kept from your last game (to start over, put 0, 1 and 1 on the three "
                    "lines of %s/config.ini)\n", level, dir.c_str());
    else std::printf("  progress: level %d%s\n", level, again ? ", kept from your last game" : ", a new game");
    std::printf("done in %.1f s; starting %s/cratewright\n", seconds, dir.c_str());
}
