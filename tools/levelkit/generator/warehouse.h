// Warehouse levels for measuring the solver on the shape of the large published
// collections: every site in one goal room behind one or two one-wide doors,
// long one-wide corridors, storage rooms where the crates start. The walls come
// first; then the crates start on their sites and are pulled out by random walks,
// far along the corridors into storage, so the pulls played backwards as pushes
// solve the level. That solution is stored with the level; it is not the shortest.
#pragma once

#include "tools/levelkit/levels/puzzle.h"

#include <vector>

// The shape every warehouse level keeps, text cells with the walls.
constexpr int WarehouseMinWidth = 15, WarehouseMaxWidth = 20;
constexpr int WarehouseMinHeight = 10, WarehouseMaxHeight = 17;
constexpr int WarehouseMinCrates = 10, WarehouseMaxCrates = 34;

struct WarehouseLevel {
    Puzzle puzzle;  // the construction's solution stored, marked not proven fewest
    // The goal room's inside, text rows and columns of the puzzle, both ends
    // included: every site is in it, its wall ring is whole but for the doors.
    int goalTop = 0, goalLeft = 0, goalBottom = 0, goalRight = 0;
    int doors = 0;
};

// count levels from the seed, the same for the same seed; their crates are
// spread evenly over the range, fewest first, except where a level's share
// proves too hard to fill: it then settles for fewer crates.
std::vector<WarehouseLevel> warehouseSet(int count, unsigned seed);
