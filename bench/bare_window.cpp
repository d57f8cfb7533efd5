// The floor under the game's start: a freeglut OpenGL ES window of the X
// screen's size with nothing else in the process, one clear and one swap.
// Run through cw_launch with the probe (CW_PROBE_EXIT_AT_SWAP=1), its launch
// to first swap is what any GLES program on this machine pays before the
// game's own work begins.
#include <GL/freeglut.h>
#include <GLES/gl.h>

static void clearAndSwap()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
}

int main(int argc, char **argv)
{
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(glutGet(GLUT_SCREEN_WIDTH), glutGet(GLUT_SCREEN_HEIGHT));
    glutInitWindowPosition(0, 0);
    glutCreateWindow("Cratewright floor");
    glutDisplayFunc(clearAndSwap);
    glutMainLoop();
    return 0;
}
