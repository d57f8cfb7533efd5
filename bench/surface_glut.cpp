// A real freeglut window on the X display in DISPLAY (Xvfb for the figures):
// frames are swapped to the window as the game swaps them.
#include "bench/bench_surface.h"

#include "app/desktop.h"
#include "bench/bench_support.h"

#include <GL/freeglut.h>
#include <cstdio>
#include <cstdlib>

unsigned long benchRedisplays = 0;

namespace {
bool glutStarted = false;
bool windowMade = false;
int window = 0;
constexpr int SettleEvents = 200;  // map and expose arrive within these
}  // namespace

// The benchmark calls display itself; GLUT only needs something to call.
static void nothingToDraw() {}

bool OpenBenchSurface(int width, int height)
{
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "bench: no DISPLAY for the window surface\n");
        return false;
    }
    // A second GLES window in one process crashes inside Mesa's EGL (freeglut
    // 3.4, Mesa 22.3); the game makes one, so the bench does too.
    if (windowMade) {
        std::fprintf(stderr, "bench: one window per process; run once per --size\n");
        return false;
    }
    windowMade = true;
    if (!glutStarted) {
        int argc = 1;
        char name[] = "cw_bench";
        char *argv[] = {name, nullptr};
        glutInit(&argc, argv);
        glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_CONTINUE_EXECUTION);
        glutStarted = true;
    }
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(width, height);
    glutInitWindowPosition(0, 0);  // no window manager: place it whole on the screen
    window = glutCreateWindow("Cratewright bench");
    glutDisplayFunc(nothingToDraw);
    for (int i = 0; i < SettleEvents; ++i) glutMainLoopEvent();
    return window != 0;
}

void CloseBenchSurface()
{
    if (window) glutDestroyWindow(window);
    window = 0;
    glutMainLoopEvent();
}

void PumpBenchSurface() { glutMainLoopEvent(); }
const char *BenchSurfaceName() { return "xvfb"; }

void PrepareGameWindow() {}
void WaitForGameEvent(long) {}
void AudioLookForDevice() {}
