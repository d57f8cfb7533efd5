// Where a benchmark draws: an EGL pbuffer with no X server (surface_egl.cpp),
// or a real freeglut window on an X display such as Xvfb (surface_glut.cpp).
// The same benchmark source is linked against either.
#pragma once

// Makes a width x height ES 1.1 context current; false with a reason on stderr.
bool OpenBenchSurface(int width, int height);
void CloseBenchSurface();
// Drains the window's pending events, as the main loop does between frames.
void PumpBenchSurface();
const char *BenchSurfaceName();
// glutPostRedisplay calls the game made (the pbuffer counts them itself).
extern unsigned long benchRedisplays;
