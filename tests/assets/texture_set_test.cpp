// The twenty textures uploaded to a real Mesa context: load order, the
// colours and formats GL receives, filters and wrap, and deletion.
// Failing part way is driven through start-up (tests/render/startup_test).
#include "assets/textures.h"
#include "core/state.h"
#include "tests/support/egl_context.h"
#include "tests/support/platform_double.h"
#include "tests/support/test_files.h"

#include <GLES/gl.h>
#include <gtest/gtest.h>

#include <vector>

namespace {
struct ParameterCall {
    GLint texture;
    GLenum pname;
    GLfloat value;
};
std::vector<ParameterCall> parameterCalls;
std::vector<std::vector<GLint>> uploads;  // texture, internal format, width, height, format, type, r, g, b
std::vector<std::vector<GLuint>> deleteCalls;

GLint boundTexture()
{
    GLint name = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
    return name;
}
}  // namespace

extern "C" {
void __real_glTexParameterf(GLenum, GLenum, GLfloat);
void __real_glDeleteTextures(GLsizei, const GLuint *);
void __real_glTexImage2D(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const void *);

void __wrap_glTexParameterf(GLenum target, GLenum pname, GLfloat value)
{
    EXPECT_EQ(target, GLenum(GL_TEXTURE_2D));
    parameterCalls.push_back({boundTexture(), pname, value});
    __real_glTexParameterf(target, pname, value);
}
void __wrap_glDeleteTextures(GLsizei n, const GLuint *names)
{
    deleteCalls.emplace_back(names, names + n);
    __real_glDeleteTextures(n, names);
}
void __wrap_glTexImage2D(GLenum target, GLint level, GLint internalFormat, GLsizei width, GLsizei height,
                         GLint border, GLenum format, GLenum type, const void *pixels)
{
    EXPECT_EQ(level, 0);
    EXPECT_EQ(border, 0);
    const uint8_t *p = static_cast<const uint8_t *>(pixels);
    uploads.push_back({boundTexture(), internalFormat, width, height, GLint(format), GLint(type), p[0], p[1], p[2]});
    __real_glTexImage2D(target, level, internalFormat, width, height, border, format, type, pixels);
}
}

namespace {

TEST(TextureSetLoad, LoadsAllTwentyInOrderThenDeletesThemOneByOne)
{
    ResetGameState();
    ResetPlatformDouble();
    ASSERT_TRUE(MakeEglContext(16, 16));
    const std::string dir = MakeTempFolder();
    SetGameFolder(dir);
    WriteTestTextureSet(dir);

    ASSERT_TRUE(LoadTextureSet());
    EXPECT_TRUE(platformRecord.messages.empty());
    ASSERT_EQ(platformRecord.opens.size(), size_t(TextureCount));
    ASSERT_EQ(uploads.size(), size_t(TextureCount));
    for (int i = 0; i < TextureCount; ++i) {
        SCOPED_TRACE(TextureFileNames[i]);
        EXPECT_EQ(platformRecord.opens[i].path, dir + "/" + TextureFileNames[i]);
        EXPECT_TRUE(glIsTexture(TextureSet[i]));
        const Rgb c = TextureTestColour(i);  // blue, green, red in the file
        const std::vector<GLint> upload = {GLint(TextureSet[i]), GL_RGB, 8, 8, GL_RGB, GL_UNSIGNED_BYTE, c.r, c.g, c.b};
        EXPECT_EQ(uploads[i], upload);
        // The filters as floats; repeat wrap for the ground only.
        std::vector<std::pair<GLenum, GLfloat>> mine, expected = {{GL_TEXTURE_MIN_FILTER, 9729.0f},
                                                                  {GL_TEXTURE_MAG_FILTER, 9728.0f}};
        if (i == GroundTexture) expected.insert(expected.end(), {{GL_TEXTURE_WRAP_S, 10497.0f}, {GL_TEXTURE_WRAP_T, 10497.0f}});
        for (const ParameterCall &c : parameterCalls)
            if (c.texture == GLint(TextureSet[i])) mine.push_back({c.pname, c.value});
        EXPECT_EQ(mine, expected);
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));

    const std::vector<GLuint> names(TextureSet, TextureSet + TextureCount);
    DeleteTextures();
    ASSERT_EQ(deleteCalls.size(), size_t(TextureCount));
    for (int i = 0; i < TextureCount; ++i) {
        EXPECT_EQ(deleteCalls[i], std::vector<GLuint>{names[i]});
        EXPECT_FALSE(glIsTexture(names[i]));
    }
    DestroyEglContext();
    if (!HasFailure()) RemoveTree(dir);
}

}  // namespace
