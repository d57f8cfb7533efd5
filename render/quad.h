// Internal to render/: the one quad of the program and the orthographic pass.
#pragma once

#include "core/state.h"

// The whole texture over a quad, (0, 0) at its first corner.
extern const GLfixed UnitTexCoords[8];

// QuadVertices = (x0, y0, z), (x1, y0, z), (x0, y1, z), (x1, y1, z).
void writeFlatQuad(GLfixed x0, GLfixed y0, GLfixed x1, GLfixed y1, GLfixed z);
void writeTexCoords(const GLfixed (&coords)[8]);
// One four-vertex strip from QuadVertices and QuadTexCoords.
void drawQuad();

// Depth test off, both matrices pushed and replaced by the unit square over
// the window; endOrthoPass restores them, selects the modelview matrix and
// turns the depth test back on.
void beginOrthoPass();
void endOrthoPass();
