// The exact solver: fewest pushes first, then fewest moves among the
// solutions with that many pushes. Breadth-first over pushes with the keeper's
// position normalised (the smallest cell it can walk to), dead cells and frozen
// crates pruned; then a second, exact-keeper pass over the states that lie on
// some push-optimal path picks the walk with the fewest moves.
#pragma once

#include "tools/levelkit/puzzle.h"

#include <cstddef>
#include <string>

struct SolveLimits {
    double seconds = 60.0;
    size_t memoryBytes = size_t(1) << 30;
};

struct SolveResult {
    enum Status { Solved, NoSolution, Timeout, OutOfMemory } status = NoSolution;
    std::string moves;           // lurd walks, LURD pushes
    long moveCount = 0, pushCount = 0;
    bool movesOptimal = false;   // false when the second pass ran out of time or memory
    size_t states = 0;           // positions stored by the push search
    size_t peakBytes = 0;
    double seconds = 0.0;
};

SolveResult solvePuzzle(const Puzzle &p, const SolveLimits &limits);

// How many crates must stand on sites: the game counts the keeper as covering
// the site it starts on for the whole level.
int cratesNeeded(const Puzzle &p);
