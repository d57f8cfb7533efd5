// The twenty textures: load order, filters and wrap as uploaded to a real
// Mesa context, the colours GL receives, failure part way, and deletion.
#include "assets/textures.h"
#include "core/state.h"
#include "tests/assets/bitmap_file.h"
#include "tests/support/egl_context.h"
#include "tests/support/platform_double.h"
#include "tests/support/test_files.h"

#include <GLES/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

namespace {

struct ParameterCall {
    GLint texture;
    GLenum pname;
    GLfloat value;
};
struct UploadCall {
    GLint texture, internalFormat;
    GLsizei width, height;
    GLenum format, type;
    uint8_t first[3];
};
std::vector<ParameterCall> parameterCalls;
std::vector<UploadCall> uploads;
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
    uploads.push_back({boundTexture(), internalFormat, width, height, format, type, {p[0], p[1], p[2]}});
    __real_glTexImage2D(target, level, internalFormat, width, height, border, format, type, pixels);
}
}

namespace {

class TextureSetLoad : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetGameState();
        ResetPlatformDouble();
        parameterCalls.clear();
        uploads.clear();
        deleteCalls.clear();
        ASSERT_TRUE(MakeEglContext(16, 16));
        dir = MakeTempFolder();
        SetGameFolder(dir);
        WriteTestTextureSet(dir);
    }
    void TearDown() override
    {
        DestroyEglContext();
        if (!HasFailure()) RemoveTree(dir);
    }
    int madeTextures() const
    {
        int made = 0;
        while (made < TextureCount && TextureSet[made] != 0 && glIsTexture(TextureSet[made])) ++made;
        return made;
    }
    std::string dir;
};

TEST_F(TextureSetLoad, LoadsAllTwentyInOrderWithTheirFilters)
{
    ASSERT_TRUE(LoadTextureSet());
    EXPECT_TRUE(platformRecord.messages.empty());
    EXPECT_EQ(madeTextures(), TextureCount);
    ASSERT_EQ(platformRecord.opens.size(), size_t(TextureCount));
    ASSERT_EQ(uploads.size(), size_t(TextureCount));
    for (int i = 0; i < TextureCount; ++i) {
        SCOPED_TRACE(TextureFileNames[i]);
        EXPECT_EQ(platformRecord.opens[i].path, dir + "/" + TextureFileNames[i]);
        const UploadCall &up = uploads[i];
        EXPECT_EQ(up.texture, GLint(TextureSet[i]));
        EXPECT_EQ(up.internalFormat, GL_RGB);
        EXPECT_EQ(up.format, GLenum(GL_RGB));
        EXPECT_EQ(up.type, GLenum(GL_UNSIGNED_BYTE));
        EXPECT_EQ(up.width, 8);
        EXPECT_EQ(up.height, 8);
        const Rgb colour = TextureTestColour(i);
        EXPECT_EQ(up.first[0], colour.r);
        EXPECT_EQ(up.first[1], colour.g);
        EXPECT_EQ(up.first[2], colour.b);

        std::vector<ParameterCall> mine;
        for (const ParameterCall &c : parameterCalls)
            if (c.texture == GLint(TextureSet[i])) mine.push_back(c);
        const bool ground = i == GroundTexture;
        ASSERT_EQ(mine.size(), ground ? 4u : 2u);
        EXPECT_EQ(mine[0].pname, GLenum(GL_TEXTURE_MIN_FILTER));
        EXPECT_EQ(mine[0].value, 9729.0f);
        EXPECT_EQ(mine[1].pname, GLenum(GL_TEXTURE_MAG_FILTER));
        EXPECT_EQ(mine[1].value, 9728.0f);
        if (ground) {
            EXPECT_EQ(mine[2].pname, GLenum(GL_TEXTURE_WRAP_S));
            EXPECT_EQ(mine[3].pname, GLenum(GL_TEXTURE_WRAP_T));
            EXPECT_EQ(mine[2].value, 10497.0f);
            EXPECT_EQ(mine[3].value, 10497.0f);
        }
        // What the context now holds for the texture.
        glBindTexture(GL_TEXTURE_2D, TextureSet[i]);
        GLint minFilter = 0, magFilter = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
        EXPECT_EQ(minFilter, GL_LINEAR);
        EXPECT_EQ(magFilter, GL_NEAREST);
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(TextureSetLoad, RedPictureArrivesRedOnScreen)
{
    WriteSolidBitmap(dir + "/Ground.tex", 4, 4, {255, 0, 0});
    ASSERT_TRUE(LoadTextureSet());
    const GLfixed square[8] = {-65536, -65536, 65536, -65536, -65536, 65536, 65536, 65536};
    const GLfixed coords[8] = {0, 0, 65536, 0, 0, 65536, 65536, 65536};
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, TextureSet[GroundTexture]);
    glVertexPointer(2, GL_FIXED, 0, square);
    glTexCoordPointer(2, GL_FIXED, 0, coords);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    const std::vector<Pixel> frame = ReadFrame(16, 16);
    for (const Pixel &p : frame) {
        ASSERT_EQ(p.r, 255);
        ASSERT_EQ(p.g, 0);
        ASSERT_EQ(p.b, 0);
    }
}

TEST_F(TextureSetLoad, StopsAtTheFirstFailureKeepingWhatWasMade)
{
    std::remove((dir + "/Static.tex").c_str());
    EXPECT_FALSE(LoadTextureSet());
    ASSERT_EQ(platformRecord.messages.size(), 1u);
    EXPECT_EQ(platformRecord.messages[0].text, "Can't Find Bitmap");
    EXPECT_EQ(platformRecord.messages[0].title, "Error");
    EXPECT_EQ(madeTextures(), 3);
    for (int i = StaticTexture; i < TextureCount; ++i) EXPECT_EQ(TextureSet[i], 0u) << TextureFileNames[i];
    EXPECT_EQ(platformRecord.opens.size(), 4u);  // nothing after the missing one is tried
    EXPECT_TRUE(deleteCalls.empty());
}

TEST_F(TextureSetLoad, RefusedShapePartWayMakesNoObjectForIt)
{
    BitmapBytes menu = BitmapBytes::Solid(8, 8, {1, 1, 1});
    menu.Put16(BitsField, 32);
    menu.Write(dir + "/Menu.tex");
    EXPECT_FALSE(LoadTextureSet());
    ASSERT_EQ(platformRecord.messages.size(), 1u);
    EXPECT_EQ(platformRecord.messages[0].text, "Incorrect texture type");
    EXPECT_EQ(madeTextures(), int(MenuTexture));
    EXPECT_EQ(uploads.size(), size_t(MenuTexture));
}

TEST_F(TextureSetLoad, DeletesOneNameAtATimeInLoadOrder)
{
    ASSERT_TRUE(LoadTextureSet());
    const std::vector<GLuint> names(TextureSet, TextureSet + TextureCount);
    DeleteTextures();
    ASSERT_EQ(deleteCalls.size(), size_t(TextureCount));
    for (int i = 0; i < TextureCount; ++i) {
        ASSERT_EQ(deleteCalls[i].size(), 1u);
        EXPECT_EQ(deleteCalls[i][0], names[i]);
        EXPECT_FALSE(glIsTexture(names[i]));
    }
}

}  // namespace
