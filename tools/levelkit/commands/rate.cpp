// levelkit rate: how hard each level of a collection is, ten by ten, by the
// figures the generator chooses the set by.
#include "tools/levelkit/commands/commands.h"

#include "tools/levelkit/generator/generator.h"
#include "tools/levelkit/generator/set_sections.h"
#include "tools/levelkit/levels/progress.h"

#include <cstdio>

int runRate(const Arguments &args)
{
    if (args.size() != 1 || args[0].compare(0, 2, "--") == 0) {
        std::fprintf(stderr, "usage: levelkit rate FILE\n");
        return 2;
    }
    const std::string &file = args[0];
    std::vector<Puzzle> levels;
    bool all;
    if (!readLevelsSaying(file, levels, all)) return 1;
    std::vector<GeneratedLevel> set;
    Progress progress("rate");
    for (size_t i = 0; i < levels.size(); ++i) {
        progress.show(i + 1, levels.size(), set.size(), "rated");
        GeneratedLevel g;
        g.puzzle = levels[i];
        SolveResult r = solveExactly(g.puzzle);  // the positions counted are the generator's
        progress.clear();
        // The stored solution is rated; a level without one, by the solver's.
        if (g.puzzle.solution.empty() && r.status == SolveResult::Solved) g.puzzle.solution = r.moves;
        g.positions = r.expanded;
        g.movesProven = r.movesOptimal;
        if (!traitsOf(g.puzzle, g.traits)) {
            std::printf("level %d: no solution to rate\n", g.puzzle.number);
            all = false;
            continue;
        }
        std::printf("level %d: %d crates, %ld pushes, %ld moves, %d changes of crate, %d turns, %zu positions%s, "
                    "difficulty %ld%s\n",
                    g.puzzle.number, g.traits.crates, g.traits.pushes, g.traits.moves, g.traits.switches,
                    g.traits.turns, g.positions, r.pushesOptimal ? "" : " (not proven)", g.traits.difficulty(),
                    g.traits.everyCrateMoves ? "" : ", a crate never moves");
        std::fflush(stdout);
        set.push_back(g);
    }
    if (!set.empty()) std::fputs(setReport(set).c_str(), stdout);
    return all ? 0 : 1;
}
