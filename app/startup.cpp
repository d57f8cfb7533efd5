#include "app/startup.h"

#include "app/audio.h"
#include "app/desktop.h"
#include "app/platform.h"  // ScreenSize
#include "assets/textures.h"
#include "core/level.h"
#include "core/progress.h"
#include "core/state.h"
#include "input/keys.h"
#include "input/stylus.h"
#include "render/camera.h"
#include "render/frame.h"

#include <GL/freeglut.h>
#include <GLES/gl.h>
#include <chrono>
#include <cstring>

namespace {

const char WindowTitle[] = "Cratewright";

// The camera before a level places it, as exact bit patterns: 65536 times
// eye (1.6, 30.5, 13.0), centre (1.6, 0, -5.0), up (0, 1, 0). Only up survives
// the level load.
const uint32_t CameraDefaultBits[9] = {
    0x47CCCCCD, 0x49F40000, 0x49500000,  // eye
    0x47CCCCCD, 0x00000000, 0xC8A00000,  // centre
    0x00000000, 0x47800000, 0x00000000,  // up
};

constexpr GLfixed ClearAlpha = 0x8000;  // black at half alpha
constexpr GLfixed ClearDepth = 0x10000;
constexpr int VertexComponents = 3;
constexpr int TexCoordComponents = 2;

using Clock = std::chrono::steady_clock;
// The hand-held's panel shows 60 frames a second; drawing more is heat.
constexpr auto FramePeriod = std::chrono::microseconds(16667);
constexpr long NoTimeLimit = -1;
// When the level-complete screen may draw its next frame.
Clock::time_point nextFrameDue;

}  // namespace

static void setCameraDefaults()
{
    float values[9];
    static_assert(sizeof values == sizeof CameraDefaultBits, "nine 32-bit floats");
    std::memcpy(values, CameraDefaultBits, sizeof values);
    cameraSetup = {values[0], values[1], values[2], values[3], values[4], values[5], values[6], values[7], values[8]};
}

// The state every frame relies on, once for the whole run.
static void setFixedState()
{
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_FLAT);
    glClearColorx(0, 0, 0, ClearAlpha);
    glClearDepthx(ClearDepth);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glVertexPointer(VertexComponents, GL_FIXED, 0, QuadVertices);
    glEnableClientState(GL_VERTEX_ARRAY);
    glTexCoordPointer(TexCoordComponents, GL_FIXED, 0, QuadTexCoords);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
}

bool InitGame()
{
    if (!LoadTextureSet()) return false;  // the textures made so far are left to the exit
    setFixedState();
    setCameraDefaults();
    if (!ReadProgressFile()) return false;
    LoadLevel(currentLevel);  // a missing level ends the program inside the loader
    return true;
}

// Only the level-complete screen asks for frame after frame (the solved test
// requests the next one while levelSolved holds); it gets them at the panel's
// rate, on time even when a frame comes late, never faster. A key or a tap
// ends the wait at once.
static void paceFrames()
{
    const Clock::time_point now = Clock::now();
    if (now < nextFrameDue)
        WaitForGameEvent(std::chrono::duration_cast<std::chrono::microseconds>(nextFrameDue - now).count());
    const Clock::time_point start = Clock::now();
    const bool onTime = start >= nextFrameDue && start - nextFrameDue < FramePeriod;
    nextFrameDue = (onTime ? nextFrameDue : start) + FramePeriod;
}

// GLUT calls this after every turn of its loop, once the events are handled
// and the frame asked for is drawn. A still picture then waits for the
// player's next event: the loop must not keep a core busy while the player
// thinks.
static void idle()
{
    // The frame just drawn may have started a sound that waits for its
    // device: looking for it now keeps the look out of every frame.
    AudioLookForDevice();
    if (levelSolved) paceFrames();
    else WaitForGameEvent(NoTimeLimit);
}

int GameMain(int argc, char **argv)
{
    ScreenSize(&screenWidth, &screenHeight);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(screenWidth, screenHeight);
    glutCreateWindow(WindowTitle);
    PrepareGameWindow();
    if (!InitGame()) return 1;
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard);
    glutMouseFunc(mouse);
    glutSpecialFunc(special);
    glutIdleFunc(idle);
    glutMainLoop();
    return 0;
}
