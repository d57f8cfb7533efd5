// The GL entry points the game calls, seen through the linker's --wrap: every
// reference from the game's own objects to glX reaches __wrap_glX here first.
// Mesa's own calls are not seen; the counts are the game's alone.
#include "bench/bench_support.h"

#include <GLES/gl.h>

GlCounts glCounts;
bool benchSkipRepeatedState = false;

namespace {
GLuint boundTexture = 0;
// The fixed state start-up leaves: depth test on, blending off; the rest are
// tracked from their first change.
struct Toggle { GLenum cap; int state; };  // state -1: not known yet
Toggle toggles[] = {
    // capability        state
    {GL_DEPTH_TEST,      -1},
    {GL_BLEND,           -1},
    {GL_TEXTURE_2D,      -1},
    {GL_CULL_FACE,       -1},
};
}  // namespace

void ResetGlTracking()
{
    boundTexture = 0;
    for (Toggle &t : toggles) t.state = -1;
}

extern "C" {
void __real_glDrawArrays(GLenum mode, GLint first, GLsizei count);
void __real_glBindTexture(GLenum target, GLuint texture);
void __real_glEnable(GLenum cap);
void __real_glDisable(GLenum cap);
void __real_glBlendFunc(GLenum s, GLenum d);
void __real_glMatrixMode(GLenum mode);
void __real_glPushMatrix();
void __real_glPopMatrix();
void __real_glLoadIdentity();
void __real_glMultMatrixf(const GLfloat *m);
void __real_glMultMatrixx(const GLfixed *m);
void __real_glTranslatef(GLfloat x, GLfloat y, GLfloat z);
void __real_glTranslatex(GLfixed x, GLfixed y, GLfixed z);
void __real_glOrthox(GLfixed l, GLfixed r, GLfixed b, GLfixed t, GLfixed n, GLfixed f);
void __real_glClear(GLbitfield mask);
void __real_glFlush();
void __real_glTexImage2D(GLenum target, GLint level, GLint internal, GLsizei width, GLsizei height, GLint border,
                         GLenum format, GLenum type, const void *pixels);

void __wrap_glDrawArrays(GLenum mode, GLint first, GLsizei count)
{
    ++glCounts.draws;
    __real_glDrawArrays(mode, first, count);
}

void __wrap_glBindTexture(GLenum target, GLuint texture)
{
    ++glCounts.binds;
    const bool repeated = texture == boundTexture;
    if (repeated) ++glCounts.repeatedBinds;
    boundTexture = texture;
    if (repeated && benchSkipRepeatedState) return;
    __real_glBindTexture(target, texture);
}

static bool noteToggle(GLenum cap, int state)
{
    ++glCounts.toggles;
    for (Toggle &t : toggles) {
        if (t.cap != cap) continue;
        const bool repeated = t.state == state;
        t.state = state;
        if (repeated) ++glCounts.repeatedToggles;
        return repeated;
    }
    return false;
}

void __wrap_glEnable(GLenum cap)
{
    if (noteToggle(cap, 1) && benchSkipRepeatedState) return;
    __real_glEnable(cap);
}

void __wrap_glDisable(GLenum cap)
{
    if (noteToggle(cap, 0) && benchSkipRepeatedState) return;
    __real_glDisable(cap);
}

void __wrap_glBlendFunc(GLenum s, GLenum d)
{
    ++glCounts.blendFuncs;
    __real_glBlendFunc(s, d);
}

void __wrap_glMatrixMode(GLenum mode) { ++glCounts.matrixCalls; __real_glMatrixMode(mode); }
void __wrap_glPushMatrix() { ++glCounts.matrixCalls; __real_glPushMatrix(); }
void __wrap_glPopMatrix() { ++glCounts.matrixCalls; __real_glPopMatrix(); }
void __wrap_glLoadIdentity() { ++glCounts.matrixCalls; __real_glLoadIdentity(); }
void __wrap_glMultMatrixf(const GLfloat *m) { ++glCounts.matrixCalls; __real_glMultMatrixf(m); }
void __wrap_glMultMatrixx(const GLfixed *m) { ++glCounts.matrixCalls; __real_glMultMatrixx(m); }
void __wrap_glTranslatef(GLfloat x, GLfloat y, GLfloat z) { ++glCounts.matrixCalls; __real_glTranslatef(x, y, z); }
void __wrap_glTranslatex(GLfixed x, GLfixed y, GLfixed z) { ++glCounts.matrixCalls; __real_glTranslatex(x, y, z); }
void __wrap_glOrthox(GLfixed l, GLfixed r, GLfixed b, GLfixed t, GLfixed n, GLfixed f)
{
    ++glCounts.matrixCalls;
    __real_glOrthox(l, r, b, t, n, f);
}
void __wrap_glClear(GLbitfield mask) { ++glCounts.clears; __real_glClear(mask); }
void __wrap_glFlush() { ++glCounts.flushes; __real_glFlush(); }

void __wrap_glTexImage2D(GLenum target, GLint level, GLint internal, GLsizei width, GLsizei height, GLint border,
                         GLenum format, GLenum type, const void *pixels)
{
    const uint64_t start = benchNowNs();
    __real_glTexImage2D(target, level, internal, width, height, border, format, type, pixels);
    glCounts.textureUploadNs += benchNowNs() - start;
    ++glCounts.textureUploads;
    // Bytes the game hands over (RGB, rows padded to four); Mesa keeps its own copy.
    glCounts.textureBytes += uint64_t((uint64_t(width) * 3 + 3) & ~uint64_t(3)) * uint64_t(height);
}
}
