#include "render/quad.h"

#include <GLES/gl.h>
#include <cstring>

const GLfixed UnitTexCoords[8] = {0, 0, FixedOne, 0, 0, FixedOne, FixedOne, FixedOne};

void writeFlatQuad(GLfixed x0, GLfixed y0, GLfixed x1, GLfixed y1, GLfixed z)
{
    const GLfixed corners[12] = {x0, y0, z, x1, y0, z, x0, y1, z, x1, y1, z};
    std::memcpy(QuadVertices, corners, sizeof corners);
}

void writeTexCoords(const GLfixed (&coords)[8]) { std::memcpy(QuadTexCoords, coords, sizeof QuadTexCoords); }

void drawQuad() { glDrawArrays(GL_TRIANGLE_STRIP, 0, 4); }

void beginOrthoPass()
{
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrthox(0, FixedOne, 0, FixedOne, -FixedOne, FixedOne);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void endOrthoPass()
{
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glEnable(GL_DEPTH_TEST);
}
