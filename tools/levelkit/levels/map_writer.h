// Import: a text level turned into the game's level file ("Level<n>.Map").
// The text is turned a quarter so that the text's top is the screen's top:
// board row = text column, board column = text height - 1 - text row, and a
// cell's world centre is x = 2 * column, z = 2 * row.
#pragma once

#include "core/state.h"
#include "tools/levelkit/levels/camera_fit.h"
#include "tools/levelkit/levels/puzzle.h"

#include <string>
#include <vector>

// Heights in world units. Walls stop below the crates' tops so that no wall
// hides a crate standing behind it.
constexpr float WallTop = 1.5f;
constexpr int CrateHeight = 2;   // a crate is the 2-unit cube from -1 to 1
constexpr int KeeperHeight = 0;  // its arrow lies on the floor, at y - 1
constexpr int SiteHeight = 0;    // drawn at y - 1, on the floor
constexpr int WallKind = 1;

struct BoardSpot {
    int row, col;
};
BoardSpot boardSpotOf(const Puzzle &p, int textIndex);

// What the camera has to show: wall boxes, and the floor of every inside cell
// up to a crate's top (a crate may stand on any of them).
struct BoardGeometry {
    struct Wall {
        float x, z, top;
    };
    std::vector<Wall> walls;
    std::vector<WorldPoint> insideCells;  // centres, at y 0
    float crateTop = float(CrateHeight);
};
std::vector<WorldPoint> geometryPoints(const BoardGeometry &g);

// The level as its file holds it: only the walls that touch the inside (or a
// crate sealed away on its site) are kept (the rest of the rectangle is empty
// floor nobody reaches), and the rectangle is cut to them.
Puzzle tidyPuzzle(const Puzzle &p);

// The level file's text; false with the reason when a capacity is exceeded,
// the camera cannot show the level or the level is complete as soon as it loads.
// Without needCamera a level too large for the view still gets its file, its
// camera all zeros: for levels meant for the solver, which the game's loader
// and move rules still take but nobody looks at.
bool writeMapText(const Puzzle &p, std::string &mapText, std::string &why, bool needCamera = true);

// The limits a level must keep, for messages.
std::string levelLimitsText();
// The side of the largest square level (text cells, walls included) the view shows.
int largestSquareLevel();
