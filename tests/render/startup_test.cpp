// GameMain and InitGame for real through the platform and GLUT stand-ins,
// with a Mesa context made current by glutCreateWindow: the window asked
// for, the order of everything, the fixed GL state, the camera defaults to
// the bit, and each way start-up fails.
#include "app/startup.h"
#include "assets/textures.h"
#include "core/state.h"
#include "input/keys.h"
#include "input/stylus.h"
#include "render/camera.h"
#include "render/frame.h"
#include "tests/assets/bitmap_file.h"
#include "tests/render/game_fixture.h"
#include "tests/support/glut_double.h"
#include "tests/support/platform_double.h"

#include <GLES/gl.h>

#include <cstdio>
#include <cstring>

namespace {

uint32_t bits(float f)
{
    uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

class StartUp : public GameFixture {
protected:
    LevelPlan plan() const
    {
        LevelPlan p;
        p.rows = {"#####", "#.$@#", "#####"};
        p.eye[0] = 3.5f;
        return p;
    }
};

TEST_F(StartUp, OpensTheWindowInitialisesAndRegistersInOrder)
{
    // The progress file names level 2; the window is asked for at the screen size.
    ASSERT_TRUE(StartGame(640, 480, plan(), 0, [this] {
        WriteTextFile(dir + "/config.ini", "7\n2\n0\n");
        std::rename((dir + "/Level1.Map").c_str(), (dir + "/Level2.Map").c_str());
    }));
    EXPECT_TRUE(platformRecord.messages.empty());
    EXPECT_TRUE(glutRecord.windowWidth == 640 && glutRecord.windowHeight == 480);
    EXPECT_TRUE(screenWidth == 640 && screenHeight == 480);
    const std::vector<std::string> expected = {
        "glutInit",        "glutInitDisplayMode", "glutInitWindowSize", "glutCreateWindow", "PrepareGameWindow",
        "glutDisplayFunc", "glutReshapeFunc",     "glutKeyboardFunc",   "glutMouseFunc",    "glutSpecialFunc",
        "glutIdleFunc",    "glutMainLoop"};
    EXPECT_EQ(glutRecord.calls, expected);
    EXPECT_EQ(glutRecord.displayMode, 18);
    EXPECT_EQ(glutRecord.windowTitle, "Cratewright");
    EXPECT_TRUE(glutRecord.display == &display && glutRecord.reshape == &reshape);
    EXPECT_TRUE(glutRecord.keyboard == &keyboard && glutRecord.mouse == &mouse && glutRecord.special == &special);
    // A still screen waits for the next event without a time limit; the
    // level-complete screen, which asks for frame after frame, waits at most
    // until its next frame is due.
    ASSERT_NE(glutRecord.idle, nullptr);
    glutRecord.idle();
    EXPECT_EQ(glutRecord.calls.back(), "WaitForGameEvent -1");
    levelSolved = true;
    const size_t waits = glutRecord.calls.size();
    for (int turn = 0; turn < 50 && glutRecord.calls.size() == waits; ++turn) glutRecord.idle();
    ASSERT_EQ(glutRecord.calls.size(), waits + 1) << "frame after frame, and none is waited for";
    const long paced = std::stol(glutRecord.calls.back().substr(glutRecord.calls.back().find(' ')));
    EXPECT_TRUE(paced > 0 && paced <= 16667) << glutRecord.calls.back();
    levelSolved = false;
    EXPECT_EQ(glutRecord.redisplays, 0);

    // Textures, then the progress file, then the level it names.
    for (int i = 0; i < TextureCount; ++i) EXPECT_TRUE(glIsTexture(TextureSet[i])) << TextureFileNames[i];
    ASSERT_EQ(platformRecord.opens.size(), size_t(TextureCount) + 2);
    EXPECT_EQ(platformRecord.opens[TextureCount].path, dir + "/config.ini");
    EXPECT_EQ(platformRecord.opens[TextureCount + 1].path, dir + "/Level2.Map");
    EXPECT_EQ(currentLevel, 2);
    EXPECT_EQ(keptValue, 7);
    EXPECT_EQ(cameraSetup.eyeX, 3.5f);  // the level's camera
    EXPECT_TRUE(bits(cameraSetup.upX) == 0 && bits(cameraSetup.upY) == 0x47800000u && bits(cameraSetup.upZ) == 0);
    EXPECT_TRUE(ScreenState == MainMenu && menuSelection == 1);
}

TEST_F(StartUp, SetsTheFixedGlState)
{
    ASSERT_TRUE(StartGame(240, 320, plan()));
    for (GLenum on : {GL_TEXTURE_2D, GL_CULL_FACE, GL_DEPTH_TEST, GL_VERTEX_ARRAY, GL_TEXTURE_COORD_ARRAY})
        EXPECT_TRUE(glIsEnabled(on)) << on;
    EXPECT_FALSE(glIsEnabled(GL_BLEND) || glIsEnabled(GL_LIGHTING));
    const std::pair<GLenum, GLint> values[] = {
        {GL_SHADE_MODEL, GL_FLAT},           {GL_CULL_FACE_MODE, GL_BACK},
        {GL_DEPTH_FUNC, GL_LEQUAL},          {GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST},
        {GL_VERTEX_ARRAY_SIZE, 3},           {GL_VERTEX_ARRAY_TYPE, GL_FIXED},
        {GL_VERTEX_ARRAY_STRIDE, 0},         {GL_TEXTURE_COORD_ARRAY_SIZE, 2},
        {GL_TEXTURE_COORD_ARRAY_TYPE, GL_FIXED}, {GL_TEXTURE_COORD_ARRAY_STRIDE, 0}};
    for (const auto &[name, expected] : values) {
        GLint value = -1;
        glGetIntegerv(name, &value);
        EXPECT_EQ(value, expected) << name;
    }
    void *vertices = nullptr, *coords = nullptr;
    glGetPointerv(GL_VERTEX_ARRAY_POINTER, &vertices);
    glGetPointerv(GL_TEXTURE_COORD_ARRAY_POINTER, &coords);
    EXPECT_TRUE(vertices == QuadVertices && coords == QuadTexCoords);
    GLfloat clear[5];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    glGetFloatv(GL_DEPTH_CLEAR_VALUE, clear + 4);
    EXPECT_TRUE(clear[0] == 0 && clear[1] == 0 && clear[2] == 0 && clear[4] == 1) << clear[4];
    EXPECT_NEAR(clear[3], 0.5f, 1e-6);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(StartUp, EachFailureShowsOneMessageAndNeverEntersTheLoop)
{
    const struct {
        const char *what, *message;
        int made;
        std::function<void(const std::string &)> edit;
    } cases[] = {
        {"no Ground.tex", "Can't Find Bitmap", 0, [](auto &d) { std::remove((d + "/Ground.tex").c_str()); }},
        {"no Static.tex", "Can't Find Bitmap", 3, [](auto &d) { std::remove((d + "/Static.tex").c_str()); }},
        {"Menu.tex of 32 bits", "Incorrect texture type", MenuTexture, [](auto &d) {
             std::vector<uint8_t> f = SolidBitmapBytes(8, 8, {1, 2, 3});
             PutField(f, BitsField, 32, 2);
             WriteBytes(d + "/Menu.tex", f);
         }},
        {"end.tex compressed", "Incorrect texture type", TextureCount - 1, [](auto &d) {
             std::vector<uint8_t> f = SolidBitmapBytes(8, 8, {1, 2, 3});
             PutField(f, CompressionField, 1);
             WriteBytes(d + "/end.tex", f);
         }},
        {"no config.ini", "File config.ini cant be opened", TextureCount,
         [](auto &d) { std::remove((d + "/config.ini").c_str()); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(StartGame(240, 320, plan(), 0, [&] { c.edit(dir); }));
        EXPECT_EQ(status, 1);
        EXPECT_TRUE(platformRecord.exits.empty());  // GameMain returns; main ends the process
        ASSERT_EQ(platformRecord.messages.size(), 1u);
        EXPECT_EQ(platformRecord.messages[0].text, c.message);
        EXPECT_EQ(platformRecord.messages[0].title, "Error");
        // A failed start registers nothing and never enters the loop.
        const std::vector<std::string> calls = {"glutInit", "glutInitDisplayMode", "glutInitWindowSize",
                                                "glutCreateWindow", "PrepareGameWindow"};
        EXPECT_EQ(glutRecord.calls, calls);
        EXPECT_EQ(glutRecord.display, nullptr);
        // The textures made before the failure are kept; nothing after it is tried.
        for (int i = 0; i < TextureCount; ++i) {
            if (i < c.made) EXPECT_TRUE(glIsTexture(TextureSet[i])) << TextureFileNames[i];
            else EXPECT_EQ(TextureSet[i], 0u) << TextureFileNames[i];
        }
        const size_t tried = c.made == TextureCount ? TextureCount + 1 : c.made + 1;
        EXPECT_EQ(platformRecord.opens.size(), tried);
        for (const RecordedOpen &o : platformRecord.opens) EXPECT_EQ(o.path.find(".Map"), std::string::npos);
    }
    // No level replaced the camera defaults: all nine to the bit.
    const uint32_t expected[9] = {0x47CCCCCD, 0x49F40000, 0x49500000, 0x47CCCCCD, 0x00000000,
                                  0xC8A00000, 0x00000000, 0x47800000, 0x00000000};
    const float got[9] = {cameraSetup.eyeX,    cameraSetup.eyeY, cameraSetup.eyeZ, cameraSetup.centreX,
                          cameraSetup.centreY, cameraSetup.centreZ, cameraSetup.upX, cameraSetup.upY,
                          cameraSetup.upZ};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(bits(got[i]), expected[i]) << "word " << i;
}

}  // namespace
