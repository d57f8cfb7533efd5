#include "tests/support/glut_double.h"

#include <GL/freeglut.h>

GlutRecord glutRecord;
std::function<void()> glutCreateWindowAction;

void ResetGlutDouble()
{
    glutRecord = GlutRecord{};
    glutCreateWindowAction = nullptr;
}

static void note(const char *call) { glutRecord.calls.push_back(call); }

void glutPostRedisplay() { ++glutRecord.redisplays; }
void glutSwapBuffers() { ++glutRecord.swaps; }
void glutInit(int *, char **) { note("glutInit"); }
void glutInitDisplayMode(unsigned int mode) { glutRecord.displayMode = int(mode), note("glutInitDisplayMode"); }
void glutInitWindowSize(int width, int height)
{
    glutRecord.windowWidth = width, glutRecord.windowHeight = height;
    note("glutInitWindowSize");
}
int glutCreateWindow(const char *title)
{
    glutRecord.windowTitle = title;
    note("glutCreateWindow");
    if (glutCreateWindowAction) glutCreateWindowAction();
    return 1;
}
void glutDisplayFunc(void (*callback)()) { glutRecord.display = callback, note("glutDisplayFunc"); }
void glutReshapeFunc(void (*callback)(int, int)) { glutRecord.reshape = callback, note("glutReshapeFunc"); }
void glutKeyboardFunc(void (*callback)(unsigned char, int, int)) { glutRecord.keyboard = callback, note("glutKeyboardFunc"); }
void glutMouseFunc(void (*callback)(int, int, int, int)) { glutRecord.mouse = callback, note("glutMouseFunc"); }
void glutSpecialFunc(void (*callback)(int, int, int)) { glutRecord.special = callback, note("glutSpecialFunc"); }
void glutIdleFunc(void (*callback)()) { glutRecord.idle = callback, note("glutIdleFunc"); }
// The real loop never returns; here it hands control back to the test.
void glutMainLoop() { note("glutMainLoop"); }
