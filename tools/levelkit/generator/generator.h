// Procedural levels with proven solutions. A room is cut from a rectangle with
// a few wall blocks; crates start on their sites and a breadth-first search of
// pulls walks them away. Every position in a finished layer of that search is
// exactly as many pushes from solved as its layer says, so the deepest one is
// a level whose optimal push count is known before the solver confirms it.
#pragma once

#include "tools/levelkit/generator/rooms.h"
#include "tools/levelkit/levels/level_traits.h"
#include "tools/levelkit/levels/puzzle.h"
#include "tools/levelkit/solver/solver.h"

#include <cstddef>
#include <random>
#include <vector>

struct GeneratedLevel {
    Puzzle puzzle;             // with its solution and length
    LevelTraits traits;        // of that solution
    int pulls = 0;             // depth of the pull search (0 for spread crates)
    size_t positions = 0;      // the solver's exact search expanded
    bool movesProven = false;  // the fewest moves among the fewest pushes (the pushes always are)
};

// The solver as the generator runs it: the exact search alone, within limits
// of memory that make its figures the same on any machine.
SolveResult solveExactly(const Puzzle &p);

// One level of the tier, or false when this room gave nothing worth keeping.
bool generateLevel(const Tier &tier, std::mt19937 &random, GeneratedLevel &out);

// The set: levels from every tier, easiest first, no two the same up to
// turning and mirroring, the first one a single push. The tries run on the
// given number of threads, each from a random generator of its own, so the
// set does not depend on them; it depends on the machine only when the time
// budget cuts the run short.
std::vector<GeneratedLevel> generateSet(int count, unsigned seed, double budgetSeconds, int threads);
