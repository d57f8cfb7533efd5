// The GL calls the game draws and manages its textures with, caught through
// the linker's --wrap (see GL_LOG_WRAPS in tests/CMakeLists.txt) and passed
// on to Mesa.
#pragma once

#include "core/state.h"

#include <GLES/gl.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

// One glDrawArrays, with the quad and the GL state at the moment of the draw.
struct DrawRecord {
    GLenum mode = 0;
    GLint first = 0;
    GLsizei count = 0;
    std::array<GLfixed, 12> vertices{};
    std::array<GLfixed, 8> texCoords{};
    GLint texture = 0, blendSource = 0, blendDestination = 0;
    bool blend = false, depthTest = false;
};
extern std::vector<DrawRecord> drawLog;

// The other calls as text, in order: "bind T", "parameter T TARGET PNAME VALUE",
// "image T INTERNAL W H LEVEL BORDER FORMAT TYPE R G B" (the first pixel), "delete N NAME",
// "finish"; T is the texture bound at the time.
extern std::vector<std::string> glCalls;
// When set, what it returns is added to every entry of glCalls as it is made.
extern std::function<std::string()> glCallNote;

void ClearGlLog();
