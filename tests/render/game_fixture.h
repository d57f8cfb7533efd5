// A game started for real: test pictures and a level written into a temp
// folder, GameMain run with the GLUT stand-in, whose glutCreateWindow makes
// a Mesa pbuffer context of the screen size current. Every GL call the game
// draws with is logged (tests/support/gl_log.h).
#pragma once

#include "tests/support/egl_context.h"
#include "tests/support/game_folder.h"
#include "tests/support/gl_log.h"

#include <functional>
#include <string>
#include <vector>

class GameFixture : public GameFolderTest {
protected:
    void TearDown() override;
    // Writes the pictures, "config.ini" (level 1) and "Level1.Map", lets edit
    // change the folder, then runs GameMain on a width x height screen and
    // reshapes; false (status holds GameMain's result) when start-up failed.
    bool StartGame(int width, int height, const std::string &level, int soundOn = 0,
                   const std::function<void()> &edit = {});
    std::vector<Pixel> DrawFrame();  // display, then the pixels
    // The draws of one frame of the screen, each checked to be one strip of
    // four, and the resting state checked after it.
    std::vector<DrawRecord> DrawsOf(int32_t screen);
    Pixel At(const std::vector<Pixel> &frame, double fx, double fy) const;  // fractions from bottom-left
    Pixel AtPixel(const std::vector<Pixel> &frame, int x, int y) const;
    // The pixel where the level's camera puts the world point, by a
    // double-precision look-at and perspective of the test's own.
    Pixel Projected(const std::vector<Pixel> &frame, double x, double y, double z) const;

    int width = 0, height = 0, status = -1;
    bool contextMade = false;
};

// Every drawing step leaves the depth test on, blending off and the modelview
// matrix selected with both stacks at the bottom, and the fixed state of
// start-up untouched.
void ExpectRestingState(const char *after);
// The pixel is the colour, each channel within tolerance.
::testing::AssertionResult ColourIs(const Pixel &p, Rgb colour, int tolerance = 3);
// The colour of a test picture, and of an arrow drawn through its mask over one.
Rgb Colour(int texture);
Rgb Added(int under, int arrow);
