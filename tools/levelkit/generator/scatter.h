// Levels too large for the pull search of the generator: crates start on
// their sites and are pulled, one at a time, along the longest pull paths the
// room allows. Playing the pulls backwards solves the level, so every level
// made here is solvable; its optimum is not known. Large rooms are joined by
// one-wide corridors, with the sites packed into one of them, the goal room.
#pragma once

#include "tools/levelkit/board/cell_graph.h"
#include "tools/levelkit/generator/rooms.h"
#include "tools/levelkit/levels/puzzle.h"

#include <random>
#include <vector>

struct ScatterShape {
    int width, height;           // text cells, walls included
    int minCrates, maxCrates;
    int rooms;                   // 1: one room with wall blocks; more: rooms and corridors
};

// The places one crate can be pulled to, the others staying put: breadth-first
// over the crate's cell and the side the keeper stands on (cell *
// DirectionCount + side), nearest first, with their pull counts in depth.
// occupied holds the other crates (the crate's own cell is cleared).
std::vector<int> pullTree(const CellGraph &b, std::vector<uint8_t> &occupied, int crate, int keeper,
                          std::vector<int> &depth);

// One level of the shape, or false when this try gave none.
bool scatterLevel(const ScatterShape &shape, std::mt19937 &random, Puzzle &out);

// A level for the hard end of the set: the sites in a group, the crates
// pulled away from them, each pull chosen so the crates need the most pushes
// home.
bool spreadLevel(const Tier &tier, std::mt19937 &random, Puzzle &out);

// The stress set of the solver: the first half within the camera's view with
// 6 to 12 crates, the rest up to 20 x 20 with 10 to 30 crates.
std::vector<Puzzle> stressSet(int count, unsigned seed);
