// A game started for real: test pictures and a level written into a temp
// folder, GameMain run with the GLUT stand-in, whose glutCreateWindow makes
// a Mesa pbuffer context of the screen size current.
#pragma once

#include "tests/support/egl_context.h"

#include <gtest/gtest.h>

#include <functional>
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
    struct Tower { int col, row; float top; };  // extra walls
    std::vector<Tower> towers;
};
std::string LevelFileText(const LevelPlan &plan);

class GameFixture : public ::testing::Test {
protected:
    void TearDown() override;
    // Writes the pictures, "config.ini" (level 1) and "Level1.Map", lets edit
    // change the folder, then runs GameMain on a width x height screen and
    // reshapes; false (status holds GameMain's result) when start-up failed.
    bool StartGame(int width, int height, const LevelPlan &plan, int soundOn = 0,
                   const std::function<void()> &edit = {});
    std::vector<Pixel> DrawFrame();  // display, then the pixels
    Pixel At(const std::vector<Pixel> &frame, double fx, double fy) const;  // fractions from bottom-left
    Pixel AtPixel(const std::vector<Pixel> &frame, int x, int y) const;
    // The pixel where the level's camera puts the world point, by a
    // double-precision look-at and perspective of the test's own.
    Pixel Projected(const std::vector<Pixel> &frame, double x, double y, double z) const;

    std::string dir;
    int width = 0, height = 0, status = -1;
    bool contextMade = false;
};

// The pixel is the colour, each channel within tolerance.
::testing::AssertionResult ColourIs(const Pixel &p, int r, int g, int b, int tolerance = 3);
