// The rooms the generator fills: their sizes and shapes band by band.
#pragma once

#include "tools/levelkit/levels/puzzle.h"

#include <cstddef>
#include <random>

// How one band of the set is made. A band either searches pulls breadth-first
// (the optimum known by construction) or spreads the crates far from their
// sites, for rooms too large for that search, and lets the solver prove it.
struct Tier {
    int minWidth, maxWidth, minHeight, maxHeight;  // inside size, walls excluded
    int minCrates, maxCrates;
    int wallBlocks;       // inner wall blocks per 10 inside cells
    int maxPulls;         // deepest layer kept (0: as deep as the search goes)
    size_t stateBudget;   // positions the pull search may store; 0: the crates are spread instead
    int wanted;           // levels this band adds to the pool
    int tries;            // rooms it tries
    int minBound = 0;     // spread: pushes the crates need at least, each alone, before the solver tries it
};

// A room of one of several shapes (a box with corners cut, joined rectangles,
// two rooms with doors between, a winding way) with some inner wall blocks;
// only the first shape unless anyShape.
Puzzle makeRoom(const Tier &t, std::mt19937 &random, bool anyShape = true);
// The floor must be one piece with room for the crates; pockets with three
// walls are filled. Puts the keeper on the first floor cell.
bool roomIsGood(Puzzle &p, int crates);
