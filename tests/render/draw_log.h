// Every glDrawArrays and glBindTexture the game makes, caught through the
// linker's --wrap, with the quad and the GL state at the moment of the draw.
#pragma once

#include "core/state.h"

#include <GLES/gl.h>
#include <array>
#include <vector>

struct DrawRecord {
    GLenum mode;
    GLint first;
    GLsizei count;
    std::array<GLfixed, 12> vertices;
    std::array<GLfixed, 8> texCoords;
    GLuint texture;
    bool blend, depthTest;
    GLint blendSource, blendDestination;
};

struct DrawLog {
    std::vector<DrawRecord> draws;
    std::vector<GLuint> binds;
    void clear()
    {
        draws.clear();
        binds.clear();
    }
};
extern DrawLog drawLog;
