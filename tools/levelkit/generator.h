// Procedural levels with proven solutions. A room is cut from a rectangle with
// a few wall blocks; crates start on their sites and a breadth-first search of
// pulls walks them away. Every position in a finished layer of that search is
// exactly as many pushes from solved as its layer says, so the deepest one is
// a level whose optimal push count is known before the solver confirms it.
#pragma once

#include "tools/levelkit/puzzle.h"

#include <cstddef>
#include <random>
#include <vector>

// How one band of the set is made.
struct Tier {
    int minWidth, maxWidth, minHeight, maxHeight;  // inside size, walls excluded
    int minCrates, maxCrates;
    int wallBlocks;       // inner wall blocks per 10 inside cells
    int maxPulls;         // deepest layer kept (0: as deep as the search goes)
    size_t stateBudget;   // positions the pull search may store
    int wanted;           // levels this band adds to the pool
    int tries;            // rooms it tries
};

struct GeneratedLevel {
    Puzzle puzzle;   // with its solution and length
    int pulls = 0;   // depth of the pull search
    double score() const { return double(puzzle.storedMoves) + 3.0 * double(puzzle.storedPushes); }
};

// A rectangle of floor with walls round it, some inner wall blocks, and the
// corners sometimes cut away so rooms are not all boxes.
Puzzle makeRoom(const Tier &t, std::mt19937 &random);
// The floor must be one piece with room for the crates; pockets with three
// walls are filled. Puts the keeper on the first floor cell.
bool roomIsGood(Puzzle &p, int crates);

// One level of the tier, or false when this room gave nothing worth keeping.
bool generateLevel(const Tier &tier, std::mt19937 &random, GeneratedLevel &out);

// The set: levels from every tier, easiest first, all different, the first
// one a single push. Stops early when the time budget runs out (and only
// then does the set depend on the machine's speed).
std::vector<GeneratedLevel> generateSet(int count, unsigned seed, double budgetSeconds);
