#include "render/frame.h"

#include "assets/sound_cues.h"
#include "core/state.h"
#include "render/camera.h"
#include "render/overlays.h"
#include "render/scene.h"

#include <GL/freeglut.h>
#include <GLES/gl.h>

namespace {

// The frame's default view, which every picture and the play scene replace:
// eye (0, 20.5, 3.0), centre (0, 0, 2.5), up (0, 1, 0).
const GLfixed DefaultEye[3] = {0, 1343488, 196608};
const GLfixed DefaultCentre[3] = {0, 0, 163840};
const GLfixed DefaultUp[3] = {0, 65536, 0};

// What each value of ScreenState draws; 2, 6 and any other value draw nothing.
void (*const ScreenDrawings[])() = {
    drawMenuScreen,     // 0 MainMenu
    drawPlayScene,      // 1 Playing
    nullptr,            // 2
    drawPlayScene,      // 3 LevelComplete (the banner follows)
    drawOptionsScreen,  // 4 Options
    drawCreditsScreen,  // 5 Credits
    nullptr,            // 6
    drawEndScreen,      // 7 GameComplete
};
constexpr int32_t ScreenDrawingCount = sizeof ScreenDrawings / sizeof ScreenDrawings[0];

}  // namespace

static void drawScreen()
{
    if (ScreenState < 0 || ScreenState >= ScreenDrawingCount) return;
    if (ScreenDrawings[ScreenState]) ScreenDrawings[ScreenState]();
}

// Counts the pieces on sites, the keeper included: a keeper that starts on a
// site covers it for the whole level. Once solved, the count is frozen until
// a restart or the next level clears levelSolved.
static void testSolved()
{
    if (!levelSolved) {
        uint32_t covered = 0;
        for (uint32_t i = 0; i < pieceCount; ++i)
            if (pieceTable[i].state == OnSite) ++covered;
        uncoveredSites = int32_t(siteCount - covered);
    }
    levelSolved = uncoveredSites == 0;
    if (!levelSolved) return;
    drawCompletionBanner();
    ScreenState = LevelComplete;  // from any screen, the menu included
    glutPostRedisplay();
}

void display()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    lookAtx(DefaultEye[0], DefaultEye[1], DefaultEye[2], DefaultCentre[0], DefaultCentre[1], DefaultCentre[2],
            DefaultUp[0], DefaultUp[1], DefaultUp[2]);
    // The cues see the screen the previous frame and the input left.
    playSoundCues();
    drawScreen();
    testSolved();
    glFlush();
    glutSwapBuffers();
}
