// What a level and its stored solution tell about it: how hard the solution
// is to find, whether every crate earns its place, and when two levels are
// the same puzzle or share a room.
#pragma once

#include "tools/levelkit/levels/puzzle.h"

#include <string>

struct LevelTraits {
    int crates = 0;
    long moves = 0, pushes = 0;
    int switches = 0;              // pushes that move another crate than the push before
    int turns = 0;                 // pushes that send a crate another way than its last push
    bool everyCrateMoves = false;  // no crate stands idle through the whole solution

    // The difficulty score: every push, twice every change of crate (the
    // player must plan the order), once every turn (the keeper must walk round).
    long difficulty() const { return pushes + 2L * switches + turns; }
};

// The traits of the level's stored solution; false when it has none or the
// letters are not legal moves from the start.
bool traitsOf(const Puzzle &p, LevelTraits &traits);

// Equal for two levels that are the same up to the eight turns and
// mirrorings, wherever the keeper stands in its area.
std::string sameLevelKey(const Puzzle &p);

// The room's outline: the floor with the walls inside it filled in (only the
// shape of the outer wall counts), up to the eight turns and mirrorings.
std::string outlineKey(const Puzzle &p);
