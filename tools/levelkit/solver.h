// The solver. First the exact search: fewest pushes, then fewest moves among
// the solutions with that many pushes, proven. When it cannot finish within
// its share of the time (or memory runs out), a best-first search looks for
// any solution in the rest of the time; such a solution is valid but not
// proven shortest. Time is CPU time, so a busy machine does not cut a level short.
#pragma once

#include "tools/levelkit/puzzle.h"

#include <cstddef>
#include <string>

struct SolveLimits {
    double seconds = 60.0;                  // CPU seconds for the whole level
    size_t memoryBytes = size_t(1) << 30;
    double exactShare = 0.5;                // of the seconds, for the exact push search
};

struct SolveResult {
    enum Status { Solved, NoSolution, Timeout, OutOfMemory } status = NoSolution;
    std::string moves;              // lurd walks, LURD pushes
    long moveCount = 0, pushCount = 0;
    bool pushesOptimal = false;     // proven fewest pushes
    bool movesOptimal = false;      // and, among those, proven fewest moves
    bool keeperSiteCounted = false; // solved with the keeper's starting site counted as covered
    size_t states = 0;              // positions stored, both searches together
    size_t expanded = 0;            // positions expanded
    size_t deadlockPatterns = 0;    // corrals found lost
    size_t peakBytes = 0;           // the larger search's peak
    double seconds = 0.0;           // CPU seconds
    std::string why;                // why the exact search did not prove it, or why nothing was found
};

SolveResult solvePuzzle(const Puzzle &p, const SolveLimits &limits);

// How many crates must stand on sites: the game counts the keeper as covering
// the site it starts on for the whole level, and crates already on sites the
// keeper can never reach stay there.
int cratesNeeded(const Puzzle &p);

// One line of figures for a result: lengths, proof, positions, time, memory.
std::string solveFigures(const SolveResult &r);
