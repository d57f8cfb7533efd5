#include "tests/support/gl_log.h"

std::vector<DrawRecord> drawLog;
std::vector<std::string> glCalls;
std::function<std::string()> glCallNote;

void ClearGlLog()
{
    drawLog.clear();
    glCalls.clear();
    glCallNote = nullptr;
}

// The call's name, the texture bound at the time when asked, and its numbers.
static void note(const char *name, bool withBound, std::initializer_list<long> values)
{
    std::string call = name;
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    if (withBound) call += ' ' + std::to_string(bound);
    for (long v : values) call += ' ' + std::to_string(v);
    glCalls.push_back(glCallNote ? call + glCallNote() : call);
}

extern "C" {
void __real_glDrawArrays(GLenum, GLint, GLsizei);
void __real_glBindTexture(GLenum, GLuint);
void __real_glTexParameterf(GLenum, GLenum, GLfloat);
void __real_glTexImage2D(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const void *);
void __real_glDeleteTextures(GLsizei, const GLuint *);
void __real_glFinish();

void __wrap_glDrawArrays(GLenum mode, GLint first, GLsizei count)
{
    DrawRecord r;
    r.mode = mode, r.first = first, r.count = count;
    std::copy(QuadVertices, QuadVertices + 12, r.vertices.begin());
    std::copy(QuadTexCoords, QuadTexCoords + 8, r.texCoords.begin());
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &r.texture);
    glGetIntegerv(GL_BLEND_SRC, &r.blendSource);
    glGetIntegerv(GL_BLEND_DST, &r.blendDestination);
    r.blend = glIsEnabled(GL_BLEND), r.depthTest = glIsEnabled(GL_DEPTH_TEST);
    drawLog.push_back(r);
    __real_glDrawArrays(mode, first, count);
}
void __wrap_glBindTexture(GLenum target, GLuint texture)
{
    note("bind", false, {long(texture)});
    __real_glBindTexture(target, texture);
}
void __wrap_glTexParameterf(GLenum target, GLenum pname, GLfloat value)
{
    note("parameter", true, {long(target), long(pname), long(value)});
    __real_glTexParameterf(target, pname, value);
}
void __wrap_glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                         GLint border, GLenum format, GLenum type, const void *pixels)
{
    const uint8_t *p = static_cast<const uint8_t *>(pixels);
    note("image", true, {internalFormat, width, height, level, border, long(format), long(type), p[0], p[1], p[2]});
    __real_glTexImage2D(target, level, internalFormat, width, height, border, format, type, pixels);
}
void __wrap_glDeleteTextures(GLsizei n, const GLuint *names)
{
    note("delete", false, {n, n > 0 ? long(names[0]) : 0});
    __real_glDeleteTextures(n, names);
}
void __wrap_glFinish()
{
    note("finish", false, {});
    __real_glFinish();
}
}
