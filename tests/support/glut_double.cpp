#include "tests/support/glut_double.h"

#include <GL/freeglut.h>

GlutRecord glutRecord;

void ResetGlutDouble() { glutRecord = GlutRecord{}; }

void glutPostRedisplay() { ++glutRecord.redisplays; }
void glutSwapBuffers() { ++glutRecord.swaps; }
