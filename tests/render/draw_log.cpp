#include "tests/render/draw_log.h"

#include <cstring>

DrawLog drawLog;

extern "C" {
void __real_glDrawArrays(GLenum, GLint, GLsizei);
void __real_glBindTexture(GLenum, GLuint);

void __wrap_glDrawArrays(GLenum mode, GLint first, GLsizei count)
{
    DrawRecord r{};
    r.mode = mode;
    r.first = first;
    r.count = count;
    std::memcpy(r.vertices.data(), QuadVertices, sizeof QuadVertices);
    std::memcpy(r.texCoords.data(), QuadTexCoords, sizeof QuadTexCoords);
    GLint texture = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    r.texture = GLuint(texture);
    r.blend = glIsEnabled(GL_BLEND);
    r.depthTest = glIsEnabled(GL_DEPTH_TEST);
    glGetIntegerv(GL_BLEND_SRC, &r.blendSource);
    glGetIntegerv(GL_BLEND_DST, &r.blendDestination);
    drawLog.draws.push_back(r);
    __real_glDrawArrays(mode, first, count);
}

void __wrap_glBindTexture(GLenum target, GLuint texture)
{
    drawLog.binds.push_back(texture);
    __real_glBindTexture(target, texture);
}
}
