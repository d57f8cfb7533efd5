#include "tests/support/glut_double.h"

#include <GL/freeglut.h>

GlutRecord glutRecord;
std::function<void()> glutCreateWindowAction;

void ResetGlutDouble()
{
    glutRecord = GlutRecord{};
    glutCreateWindowAction = nullptr;
}

void glutPostRedisplay() { ++glutRecord.redisplays; }
void glutSwapBuffers() { ++glutRecord.swaps; }

void glutInit(int *, char **) { glutRecord.calls.push_back("glutInit"); }
void glutInitDisplayMode(unsigned int mode)
{
    glutRecord.displayMode = int(mode);
    glutRecord.calls.push_back("glutInitDisplayMode");
}
void glutInitWindowSize(int width, int height)
{
    glutRecord.windowWidth = width;
    glutRecord.windowHeight = height;
    glutRecord.calls.push_back("glutInitWindowSize");
}
int glutCreateWindow(const char *title)
{
    glutRecord.windowTitle = title;
    glutRecord.calls.push_back("glutCreateWindow");
    if (glutCreateWindowAction) glutCreateWindowAction();
    return 1;
}
void glutDisplayFunc(void (*callback)())
{
    glutRecord.display = callback;
    glutRecord.calls.push_back("glutDisplayFunc");
}
void glutReshapeFunc(void (*callback)(int, int))
{
    glutRecord.reshape = callback;
    glutRecord.calls.push_back("glutReshapeFunc");
}
void glutKeyboardFunc(void (*callback)(unsigned char, int, int))
{
    glutRecord.keyboard = callback;
    glutRecord.calls.push_back("glutKeyboardFunc");
}
void glutMouseFunc(void (*callback)(int, int, int, int))
{
    glutRecord.mouse = callback;
    glutRecord.calls.push_back("glutMouseFunc");
}
void glutSpecialFunc(void (*callback)(int, int, int))
{
    glutRecord.special = callback;
    glutRecord.calls.push_back("glutSpecialFunc");
}
void glutIdleFunc(void (*callback)())
{
    glutRecord.idle = callback;
    glutRecord.calls.push_back("glutIdleFunc");
}
// The real loop never returns; here it hands control back to the test.
void glutMainLoop() { glutRecord.calls.push_back("glutMainLoop"); }
