#include "tools/levelkit/generator/set_sections.h"


#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <set>

namespace {

struct Section {
    int first, last;     // level numbers
    bool hardest;        // its levels are the hardest that reach the marks, else spread evenly over them
    int crates;          // the marks: at least so many crates,
    long pushes, moves;  // pushes and moves in the solution,
    size_t positions;    // positions the solver expands
    long difficulty;     // and difficulty
};

// The last ten are the part players talk about. Each of the ten before them
// reaches the largest figures of the set before this one (5 crates, 52
// pushes, 172 moves, 82,214 positions, difficulty 97), and the climb up to
// them is steady.
// levels     hardest  crates  pushes  moves  positions  difficulty
const Section Sections[] = {
    {91, 100,  true,    6,      60,     200,   100000,    0},
    {81, 90,   false,   5,      52,     172,   82214,     97},
    {2, 80,    false,   0,      0,      0,     0,         0},
};

bool reaches(const Section &s, const GeneratedLevel &g)
{
    return g.traits.crates >= s.crates && g.traits.pushes >= s.pushes && g.traits.moves >= s.moves &&
           g.positions >= s.positions && g.traits.difficulty() >= s.difficulty;
}

const Section *sectionOf(int level)
{
    for (const Section &s : Sections)
        if (level >= s.first && level <= s.last) return &s;
    return nullptr;
}

template <class T> T median(std::vector<T> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? T() : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

}  // namespace

std::vector<GeneratedLevel> chooseSet(const GeneratedLevel &lesson, std::vector<GeneratedLevel> pool, int count)
{
    std::stable_sort(pool.begin(), pool.end(), [](const GeneratedLevel &a, const GeneratedLevel &b) {
        return a.traits.difficulty() < b.traits.difficulty();
    });
    std::vector<bool> used(pool.size(), false);
    std::vector<GeneratedLevel> set{lesson};
    std::vector<std::vector<size_t>> parts;
    long ceiling = LONG_MAX;  // no level may be harder than the easiest of the section after it
    for (const Section &s : Sections) {
        int first = std::max(2, s.first), last = std::min(count, s.last);
        if (first > last) continue;
        size_t n = size_t(last - first + 1);
        std::vector<size_t> fit, others;
        for (size_t i = 0; i < pool.size(); ++i)
            if (!used[i] && pool[i].traits.difficulty() <= ceiling) (reaches(s, pool[i]) ? fit : others).push_back(i);
        while (fit.size() < n && !others.empty()) {
            fit.push_back(others.back());
            others.pop_back();
        }
        std::sort(fit.begin(), fit.end());
        std::vector<size_t> chosen;
        for (size_t k = 0; k < n && k < fit.size(); ++k) {
            size_t at = s.hardest || fit.size() <= n ? fit.size() - std::min(n, fit.size()) + k
                        : n == 1                    ? fit.size() - 1
                                                    : size_t(double(k) * double(fit.size() - 1) / double(n - 1) + 0.5);
            chosen.push_back(fit[at]);
            used[fit[at]] = true;
        }
        if (!chosen.empty()) ceiling = pool[chosen.front()].traits.difficulty();
        parts.push_back(chosen);
    }
    for (size_t p = parts.size(); p-- > 0;)
        for (size_t i : parts[p]) set.push_back(pool[i]);
    return set;
}

std::string setReport(const std::vector<GeneratedLevel> &set)
{
    std::string out;
    char line[300];
    long lastMedian = -1;
    std::set<std::string> outlines;
    for (size_t from = 0; from < set.size(); from += 10) {
        std::vector<long> crates, pushes, moves, difficulty;
        std::vector<size_t> positions;
        for (size_t i = from; i < std::min(set.size(), from + 10); ++i) {
            const GeneratedLevel &g = set[i];
            crates.push_back(g.traits.crates);
            pushes.push_back(g.traits.pushes);
            moves.push_back(g.traits.moves);
            difficulty.push_back(g.traits.difficulty());
            positions.push_back(g.positions);
        }
        std::snprintf(line, sizeof line,
                      "levels %zu-%zu: median/max crates %ld/%ld, pushes %ld/%ld, moves %ld/%ld, positions %zu/%zu, "
                      "difficulty %ld/%ld\n",
                      from + 1, from + crates.size(), median(crates), *std::max_element(crates.begin(), crates.end()),
                      median(pushes), *std::max_element(pushes.begin(), pushes.end()), median(moves),
                      *std::max_element(moves.begin(), moves.end()), median(positions),
                      *std::max_element(positions.begin(), positions.end()), median(difficulty),
                      *std::max_element(difficulty.begin(), difficulty.end()));
        out += line;
        if (median(difficulty) <= lastMedian) out += "  its median difficulty is not above the ten before\n";
        lastMedian = median(difficulty);
    }
    for (size_t i = 0; i < set.size(); ++i) {
        const GeneratedLevel &g = set[i];
        outlines.insert(outlineKey(g.puzzle));
        const Section *s = sectionOf(int(i) + 1);
        if (i > 0 && s && !reaches(*s, g)) {
            std::snprintf(line, sizeof line,
                          "level %zu falls short of its marks: %d crates, %ld pushes, %ld moves, %zu positions\n", i + 1,
                          g.traits.crates, g.traits.pushes, g.traits.moves, g.positions);
            out += line;
        }
        if (i + 10 < set.size() && g.traits.difficulty() > set[i + 10].traits.difficulty())
            out += "level " + std::to_string(i + 1) + " is harder than level " + std::to_string(i + 11) + "\n";
        if (!g.movesProven) out += "level " + std::to_string(i + 1) + ": its fewest moves are not proven\n";
    }
    out += std::to_string(outlines.size()) + " room outlines among " + std::to_string(set.size()) + " levels\n";
    return out;
}
