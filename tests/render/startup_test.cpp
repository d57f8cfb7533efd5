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
#include "tests/support/test_files.h"

#include <GLES/gl.h>

#include <cstdio>
#include <cstring>

namespace {

class StartUp : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetGameState();
        ResetPlatformDouble();
        ResetGlutDouble();
        dir = MakeTempFolder();
        SetGameFolder(dir);
        WriteTestTextureSet(dir);
        WriteTextFile(dir + "/config.ini", "7\n2\n0\n");
        LevelPlan plan;
        plan.rows = {"#####", "#.$@#", "#####"};
        plan.eye[0] = 3.5f;
        WriteTextFile(dir + "/Level2.Map", LevelFileText(plan));
    }
    void TearDown() override
    {
        if (contextMade) DestroyEglContext();
        if (!HasFailure()) RemoveTree(dir);
    }
    int run(int width = 240, int height = 320)
    {
        platformSettings.screenWidth = width;
        platformSettings.screenHeight = height;
        glutCreateWindowAction = [this, width, height] { contextMade = MakeEglContext(width, height); };
        char name[] = "cratewright";
        char *argv[] = {name, nullptr};
        return GameMain(1, argv);
    }
    bool opened(const std::string &name) const
    {
        for (const RecordedOpen &o : platformRecord.opens)
            if (o.path == dir + "/" + name) return true;
        return false;
    }
    void expectOnlyMessage(const char *text)
    {
        ASSERT_EQ(platformRecord.messages.size(), 1u);
        EXPECT_EQ(platformRecord.messages[0].text, text);
        EXPECT_EQ(platformRecord.messages[0].title, "Error");
    }
    // A failed start registers nothing and never enters the loop.
    void expectNoLoop()
    {
        const std::vector<std::string> expected = {"glutInit", "glutInitDisplayMode", "glutInitWindowSize",
                                                   "glutCreateWindow", "PrepareGameWindow"};
        EXPECT_EQ(glutRecord.calls, expected);
        EXPECT_EQ(glutRecord.display, nullptr);
    }
    int madeTextures() const
    {
        int made = 0;
        while (made < TextureCount && TextureSet[made] != 0 && glIsTexture(TextureSet[made])) ++made;
        return made;
    }
    std::string dir;
    bool contextMade = false;
};

uint32_t bits(float f)
{
    uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

TEST_F(StartUp, OpensTheWindowInitialisesAndRegistersInOrder)
{
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(contextMade);
    EXPECT_TRUE(platformRecord.messages.empty());
    const std::vector<std::string> expected = {
        "glutInit",        "glutInitDisplayMode", "glutInitWindowSize", "glutCreateWindow", "PrepareGameWindow",
        "glutDisplayFunc", "glutReshapeFunc",     "glutKeyboardFunc",   "glutMouseFunc",    "glutSpecialFunc",
        "glutIdleFunc",    "glutMainLoop"};
    EXPECT_EQ(glutRecord.calls, expected);
    EXPECT_EQ(glutRecord.displayMode, 18);
    EXPECT_EQ(glutRecord.windowWidth, 240);
    EXPECT_EQ(glutRecord.windowHeight, 320);
    EXPECT_EQ(glutRecord.windowTitle, "Cratewright");
    EXPECT_EQ(screenWidth, 240);
    EXPECT_EQ(screenHeight, 320);
    EXPECT_EQ(glutRecord.display, &display);
    EXPECT_EQ(glutRecord.reshape, &reshape);
    EXPECT_EQ(glutRecord.keyboard, &keyboard);
    EXPECT_EQ(glutRecord.mouse, &mouse);
    EXPECT_EQ(glutRecord.special, &special);
    ASSERT_NE(glutRecord.idle, nullptr);
    glutRecord.idle();  // does nothing: no frame is asked for
    EXPECT_EQ(glutRecord.redisplays, 0);

    // Textures, then the progress file, then the level it names.
    EXPECT_EQ(madeTextures(), TextureCount);
    ASSERT_EQ(platformRecord.opens.size(), size_t(TextureCount) + 2);
    EXPECT_EQ(platformRecord.opens[TextureCount].path, dir + "/config.ini");
    EXPECT_EQ(platformRecord.opens[TextureCount + 1].path, dir + "/Level2.Map");
    EXPECT_EQ(currentLevel, 2);
    EXPECT_EQ(keptValue, 7);
    EXPECT_EQ(cameraSetup.eyeX, 3.5f);  // the level's camera
    EXPECT_EQ(bits(cameraSetup.upX), 0x00000000u);
    EXPECT_EQ(bits(cameraSetup.upY), 0x47800000u);
    EXPECT_EQ(bits(cameraSetup.upZ), 0x00000000u);
    EXPECT_EQ(ScreenState, MainMenu);
    EXPECT_EQ(menuSelection, 1);
}

TEST_F(StartUp, SetsTheFixedGlState)
{
    ASSERT_EQ(run(), 0);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
    GLint value = 0;
    glGetIntegerv(GL_SHADE_MODEL, &value);
    EXPECT_EQ(value, GL_FLAT);
    glGetIntegerv(GL_CULL_FACE_MODE, &value);
    EXPECT_EQ(value, GL_BACK);
    glGetIntegerv(GL_DEPTH_FUNC, &value);
    EXPECT_EQ(value, GL_LEQUAL);
    glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &value);
    EXPECT_EQ(value, GL_NICEST);
    GLfloat clear[4], depth = 0;
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0], 0.0f);
    EXPECT_EQ(clear[1], 0.0f);
    EXPECT_EQ(clear[2], 0.0f);
    EXPECT_NEAR(clear[3], 0.5f, 1e-6);
    glGetFloatv(GL_DEPTH_CLEAR_VALUE, &depth);
    EXPECT_EQ(depth, 1.0f);

    struct Array { GLenum enabled, pointer, size, type, stride; const void *data; GLint components; };
    const Array arrays[] = {
        {GL_VERTEX_ARRAY, GL_VERTEX_ARRAY_POINTER, GL_VERTEX_ARRAY_SIZE, GL_VERTEX_ARRAY_TYPE,
         GL_VERTEX_ARRAY_STRIDE, QuadVertices, 3},
        {GL_TEXTURE_COORD_ARRAY, GL_TEXTURE_COORD_ARRAY_POINTER, GL_TEXTURE_COORD_ARRAY_SIZE,
         GL_TEXTURE_COORD_ARRAY_TYPE, GL_TEXTURE_COORD_ARRAY_STRIDE, QuadTexCoords, 2},
    };
    for (const Array &a : arrays) {
        EXPECT_TRUE(glIsEnabled(a.enabled));
        void *pointer = nullptr;
        glGetPointerv(a.pointer, &pointer);
        EXPECT_EQ(pointer, a.data);
        glGetIntegerv(a.size, &value);
        EXPECT_EQ(value, a.components);
        glGetIntegerv(a.type, &value);
        EXPECT_EQ(value, GL_FIXED);
        glGetIntegerv(a.stride, &value);
        EXPECT_EQ(value, 0);
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(StartUp, WindowIsAskedForAtTheScreenSize)
{
    EXPECT_EQ(run(640, 480), 0);
    EXPECT_EQ(glutRecord.windowWidth, 640);
    EXPECT_EQ(glutRecord.windowHeight, 480);
    EXPECT_EQ(screenWidth, 640);
    EXPECT_EQ(screenHeight, 480);
}

TEST_F(StartUp, MissingGroundStopsBeforeTheProgressFile)
{
    std::remove((dir + "/Ground.tex").c_str());
    EXPECT_EQ(run(), 1);
    expectOnlyMessage("Can't Find Bitmap");
    expectNoLoop();
    EXPECT_FALSE(opened("config.ini"));
    EXPECT_EQ(platformRecord.opens.size(), 1u);
    EXPECT_EQ(madeTextures(), 0);
    EXPECT_TRUE(platformRecord.exits.empty());  // GameMain returns; main ends the process
}

TEST_F(StartUp, MissingStaticKeepsTheFirstThreeTextures)
{
    std::remove((dir + "/Static.tex").c_str());
    EXPECT_EQ(run(), 1);
    expectOnlyMessage("Can't Find Bitmap");
    expectNoLoop();
    EXPECT_EQ(madeTextures(), 3);
    EXPECT_FALSE(opened("config.ini"));
}

TEST_F(StartUp, RefusedPictureFailsTheStart)
{
    BitmapBytes end = BitmapBytes::Solid(8, 8, {1, 2, 3});
    end.Put32(CompressionField, 1);
    end.Write(dir + "/end.tex");
    EXPECT_EQ(run(), 1);
    expectOnlyMessage("Incorrect texture type");
    expectNoLoop();
    EXPECT_EQ(madeTextures(), TextureCount - 1);
}

TEST_F(StartUp, MissingProgressFileOpensNoLevel)
{
    std::remove((dir + "/config.ini").c_str());
    EXPECT_EQ(run(), 1);
    expectOnlyMessage("File config.ini cant be opened");
    expectNoLoop();
    for (const RecordedOpen &o : platformRecord.opens) EXPECT_EQ(o.path.find(".Map"), std::string::npos);
    // No level replaced the camera defaults: all nine to the bit.
    const uint32_t expected[9] = {0x47CCCCCD, 0x49F40000, 0x49500000, 0x47CCCCCD, 0x00000000,
                                  0xC8A00000, 0x00000000, 0x47800000, 0x00000000};
    const float got[9] = {cameraSetup.eyeX,    cameraSetup.eyeY,    cameraSetup.eyeZ,
                          cameraSetup.centreX, cameraSetup.centreY, cameraSetup.centreZ,
                          cameraSetup.upX,     cameraSetup.upY,     cameraSetup.upZ};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(bits(got[i]), expected[i]) << "word " << i;
    EXPECT_EQ(cameraSetup.eyeX, 104857.6f);
    EXPECT_EQ(cameraSetup.centreZ, -327680.0f);
}

}  // namespace
