// A game started for real: test pictures and a level written into a temp
// folder, GameMain run with the GLUT stand-in, whose glutCreateWindow makes
// a Mesa pbuffer context of the screen size current.
#pragma once

#include "tests/support/egl_context.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// A storehouse drawn in characters, one string a row: '#' wall, '.' site,
// '$' crate, '*' crate on a site, '@' keeper, '+' keeper on a site, ' ' floor.
// Cell (row, col) lies at x = 2 col, z = 2 row; walls are wallTop high.
struct LevelPlan {
    std::vector<std::string> rows;
    float eye[3] = {6.0f, 24.0f, 10.0f};
    float centre[3] = {6.0f, 0.0f, 4.0f};
    float wallTop = 2.0f;
    // Extra walls: col, row, top.
    struct Tower { int col, row; float top; };
    std::vector<Tower> towers;
};
std::string LevelFileText(const LevelPlan &plan);

class GameFixture : public ::testing::Test {
protected:
    void TearDown() override;
    // Writes everything and runs GameMain on a width x height screen;
    // false when start-up failed (GameMain returned 1).
    bool StartGame(int width, int height, const LevelPlan &plan, int soundOn = 0);
    // The frame as GLUT would draw it: display, then the pixels.
    std::vector<Pixel> DrawFrame();
    Pixel At(const std::vector<Pixel> &frame, double fx, double fy) const;  // fractions of the screen, from bottom-left
    Pixel AtPixel(const std::vector<Pixel> &frame, int x, int y) const;
    // Where the level's camera puts the world point, in pixels from bottom-left,
    // by a double-precision look-at and perspective of the test's own.
    void Project(double x, double y, double z, double &px, double &py) const;

    std::string dir;
    int width = 0, height = 0;
    bool contextMade = false;
};

// The pixel is the colour, each channel within tolerance.
::testing::AssertionResult ColourIs(const Pixel &p, int r, int g, int b, int tolerance = 3);
