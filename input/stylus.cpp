// The stylus: left-button events only, acting on the main menu, in play and
// on the level-complete screen.
#include "input/stylus.h"

#include "core/level.h"
#include "core/state.h"
#include "input/actions.h"
#include "input/flow.h"
#include "input/regions.h"

#include <GL/freeglut.h>

// Set for the whole of one skip, so that an event arriving while its level
// still loads does not skip a second time.
static uint8_t skipGuard;

void SkipLevel()
{
    if (!skipGuard) {
        skipGuard = 1;
        ++currentLevel;
        if (static_cast<uint32_t>(currentLevel) > static_cast<uint32_t>(LevelCount)) {
            currentLevel = 1;
            ScreenState = GameComplete;
        }
        // Unlike AdvanceLevel, facing, levelSolved and the sound flags stay.
        LoadLevel(currentLevel);
    }
    skipGuard = 0;
    glutPostRedisplay();
}

void mouse(int button, int state, int x, int y)
{
    if (button != GLUT_LEFT_BUTTON) return;
    // Press or release, anywhere: a tap that solved the level and is lifted
    // after the next frame goes on at once.
    if (ScreenState == LevelComplete) {
        AdvanceLevel();
        return;
    }
    if (ScreenState != MainMenu && ScreenState != Playing) return;
    // screenWidth and screenHeight are the device's, read at start-up; the
    // size reshape reports is not used.
    const StylusHit hit = StylusHitAt(ScreenState, screenWidth, screenHeight, x, y);
    if (state != GLUT_DOWN) return;
    RunFlowAction(hit.action);
}
