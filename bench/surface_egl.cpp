// The pbuffer surface, and the GLUT calls the game makes, answered without a
// window: a swap is eglSwapBuffers on the pbuffer, a redisplay request is
// counted, and start-up's window calls do nothing.
#include "bench/bench_surface.h"

#include "app/desktop.h"
#include "tests/support/egl_context.h"

#include <EGL/egl.h>
#include <GL/freeglut.h>

unsigned long benchRedisplays = 0;

bool OpenBenchSurface(int width, int height) { return MakeEglContext(width, height); }
void CloseBenchSurface() { DestroyEglContext(); }
void PumpBenchSurface() {}
const char *BenchSurfaceName() { return "pbuffer"; }

void glutPostRedisplay() { ++benchRedisplays; }
void glutSwapBuffers() { eglSwapBuffers(eglGetCurrentDisplay(), eglGetCurrentSurface(EGL_DRAW)); }

// GameMain is linked with InitGame but never run by the benchmarks.
void glutInit(int *, char **) {}
void glutInitDisplayMode(unsigned int) {}
void glutInitWindowSize(int, int) {}
int glutCreateWindow(const char *) { return 1; }
void glutDisplayFunc(void (*)()) {}
void glutReshapeFunc(void (*)(int, int)) {}
void glutKeyboardFunc(void (*)(unsigned char, int, int)) {}
void glutMouseFunc(void (*)(int, int, int, int)) {}
void glutSpecialFunc(void (*)(int, int, int)) {}
void glutIdleFunc(void (*)()) {}
void glutMainLoop() {}
void PrepareGameWindow() {}
void WaitForGameEvent(long) {}
void AudioLookForDevice() {}
