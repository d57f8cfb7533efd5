// GameMain and InitGame for real through the platform and GLUT stand-ins,
// with a Mesa context made current by glutCreateWindow: the window asked
// for, the order of everything, the fixed GL state, the camera defaults to
// the bit, each way start-up fails, and quitting what it set up.
#include "app/startup.h"
#include "assets/textures.h"
#include "input/actions.h"
#include "input/keys.h"
#include "input/stylus.h"
#include "render/camera.h"
#include "render/frame.h"
#include "tests/assets/bitmap_file.h"
#include "tests/render/game_fixture.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <cstring>
#include <sys/stat.h>

namespace {

uint32_t bits(float f)
{
    uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

const char Corridor[] = "#####\n#.$@#\n#####";
using StartUp = GameFixture;

TEST_F(StartUp, OpensTheWindowLoadsEverythingInOrderAndSetsTheFixedState)
{
    // The progress file names level 2; the window is asked for at the screen size.
    ASSERT_TRUE(StartGame(640, 480, LevelText(Corridor, "3.5 24 10 6 0 4"), 0, [this] {
        WriteTextFile(folder + "/config.ini", "7\n2\n0\n");
        std::rename((folder + "/Level1.Map").c_str(), (folder + "/Level2.Map").c_str());
    }));
    EXPECT_TRUE(platformRecord.messages.empty());
    EXPECT_TRUE(glutRecord.windowWidth == 640 && glutRecord.windowHeight == 480 && screenWidth == 640 && screenHeight == 480);
    const std::vector<std::string> calls = {
        "glutInit",        "glutInitDisplayMode", "glutInitWindowSize", "glutCreateWindow", "PrepareGameWindow",
        "glutDisplayFunc", "glutReshapeFunc",     "glutKeyboardFunc",   "glutMouseFunc",    "glutSpecialFunc",
        "glutIdleFunc",    "glutMainLoop"};
    EXPECT_EQ(glutRecord.calls, calls);
    EXPECT_EQ(glutRecord.displayMode, GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    EXPECT_EQ(glutRecord.windowTitle, "Cratewright");
    EXPECT_TRUE(glutRecord.display == &display && glutRecord.reshape == &reshape && glutRecord.keyboard == &keyboard &&
                glutRecord.mouse == &mouse && glutRecord.special == &special);
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
    // The twenty textures in order, each with its filters (as floats; only the
    // ground asks to repeat), then the progress file, then the level it names.
    std::vector<std::string> want;
    const auto number = [](long n) { return " " + std::to_string(n); };
    for (int i = 0; i < TextureCount; ++i) {
        const std::string t = number(TextureSet[i]), set = "parameter" + t + number(GL_TEXTURE_2D);
        const Rgb c = Colour(i);  // blue, green, red in the file
        want.push_back("bind" + t);
        want.push_back(set + number(GL_TEXTURE_MIN_FILTER) + number(GL_LINEAR));
        want.push_back(set + number(GL_TEXTURE_MAG_FILTER) + number(GL_NEAREST));
        for (GLenum wrap : {GL_TEXTURE_WRAP_S, GL_TEXTURE_WRAP_T})
            if (i == GroundTexture) want.push_back(set + number(wrap) + number(GL_REPEAT));
        want.push_back("image" + t + number(GL_RGB) + " 8 4 0 0" + number(GL_RGB) + number(GL_UNSIGNED_BYTE) + number(c.r) +
                       number(c.g) + number(c.b));
        EXPECT_EQ(platformRecord.opens.at(i).path, folder + "/" + TextureFileNames[i]);
    }
    EXPECT_EQ(glCalls, want);
    ASSERT_EQ(platformRecord.opens.size(), size_t(TextureCount) + 2);
    EXPECT_EQ(platformRecord.opens[TextureCount].path + platformRecord.opens[TextureCount + 1].path,
              folder + "/config.ini" + folder + "/Level2.Map");
    EXPECT_TRUE(currentLevel == 2 && keptValue == 7);
    EXPECT_EQ(cameraSetup.eyeX, 3.5f);  // the level's camera, start-up's up vector
    EXPECT_TRUE(bits(cameraSetup.upX) == 0 && bits(cameraSetup.upY) == 0x47800000u && bits(cameraSetup.upZ) == 0);
    EXPECT_TRUE(ScreenState == MainMenu && menuSelection == 1);
    const std::pair<GLenum, GLint> state[] = {
        {GL_TEXTURE_2D, 1},            {GL_CULL_FACE, 1},                   {GL_DEPTH_TEST, 1},
        {GL_VERTEX_ARRAY, 1},          {GL_TEXTURE_COORD_ARRAY, 1},         {GL_BLEND, 0},
        {GL_SHADE_MODEL, GL_FLAT},     {GL_CULL_FACE_MODE, GL_BACK},        {GL_DEPTH_FUNC, GL_LEQUAL},
        {GL_VERTEX_ARRAY_SIZE, 3},     {GL_TEXTURE_COORD_ARRAY_SIZE, 2},    {GL_VERTEX_ARRAY_TYPE, GL_FIXED},
        {GL_TEXTURE_COORD_ARRAY_TYPE, GL_FIXED}, {GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST}};
    for (const auto &[name, expected] : state) {
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
    EXPECT_EQ(std::vector<GLfloat>(clear, clear + 5), std::vector<GLfloat>({0, 0, 0, 0.5f, 1}));
}

TEST_F(StartUp, EachFailureShowsOneMessageAndNeverEntersTheLoop)
{
    const auto badBitmap = [](const std::string &path, size_t field, uint32_t value, int bytes) {
        WriteTextFile(path, Patched(SolidBitmap(8, 8, {1, 2, 3}), field, value, bytes));
    };
    const struct { const char *what, *message; int made; std::function<void(const std::string &)> edit; } cases[] = {
        {"no Ground.tex", "Can't Find Bitmap", 0, [](auto &d) { std::remove((d + "/Ground.tex").c_str()); }},
        {"no Static.tex", "Can't Find Bitmap", 3, [](auto &d) { std::remove((d + "/Static.tex").c_str()); }},
        {"Menu.tex of 32 bits", "Incorrect texture type", MenuTexture, [&](auto &d) { badBitmap(d + "/Menu.tex", BitsField, 32, 2); }},
        {"end.tex compressed", "Incorrect texture type", EndTexture, [&](auto &d) { badBitmap(d + "/end.tex", CompressionField, 1, 4); }},
        {"no config.ini", "File config.ini cant be opened", TextureCount, [](auto &d) { std::remove((d + "/config.ini").c_str()); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(StartGame(240, 320, LevelText(Corridor), 0, [&] { c.edit(folder); }));
        EXPECT_EQ(status, 1);
        EXPECT_TRUE(platformRecord.exits.empty());  // GameMain returns; main ends the process
        ASSERT_EQ(platformRecord.messages.size(), 1u);
        EXPECT_EQ(platformRecord.messages[0].text + "|" + platformRecord.messages[0].title, std::string(c.message) + "|Error");
        EXPECT_EQ(glutRecord.calls.back(), "PrepareGameWindow");  // nothing registered, no loop
        // The textures made before the failure are kept; nothing after it is tried.
        for (int i = 0; i < TextureCount; ++i) EXPECT_EQ(glIsTexture(TextureSet[i]), i < c.made) << TextureFileNames[i];
        EXPECT_EQ(platformRecord.opens.size(), c.made == TextureCount ? TextureCount + 1u : c.made + 1u);
    }
    // No level replaced the camera defaults: all nine to the bit.
    const uint32_t expected[9] = {0x47CCCCCD, 0x49F40000, 0x49500000, 0x47CCCCCD, 0x00000000,
                                  0xC8A00000, 0x00000000, 0x47800000, 0x00000000};
    const float got[9] = {cameraSetup.eyeX,    cameraSetup.eyeY,    cameraSetup.eyeZ, cameraSetup.centreX, cameraSetup.centreY,
                          cameraSetup.centreZ, cameraSetup.upX,     cameraSetup.upY,  cameraSetup.upZ};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(bits(got[i]), expected[i]) << "word " << i;
}

// Quitting saves first, then deletes the textures one name per call in load
// order, then purges the sound, waits for GL and ends with 0; a progress
// file that cannot be written is reported and the game still ends.
TEST_F(StartUp, QuittingSavesReleasesTheTexturesSilencesAndEnds)
{
    for (bool writable : {true, false}) {
        SCOPED_TRACE(writable ? "writable" : "config.ini is a folder");
        ASSERT_TRUE(StartGame(240, 320, LevelText(Corridor)));
        keptValue = -4, currentLevel = 42, soundOn = 300;  // low byte 44
        ClearGlLog();
        glCallNote = [] {
            return " opens " + std::to_string(platformRecord.opens.size()) + " sounds " +
                   std::to_string(platformRecord.sounds.size());
        };
        if (!writable) std::remove((folder + "/config.ini").c_str()), mkdir((folder + "/config.ini").c_str(), 0755);
        const size_t opens = platformRecord.opens.size() + 2;  // config.ini appended to, config.ini.tmp written
        std::vector<std::string> want;
        for (int i = 0; i < TextureCount; ++i)
            want.push_back("delete 1 " + std::to_string(TextureSet[i]) + " opens " + std::to_string(opens - !writable) + " sounds 0");
        want.push_back("finish opens " + std::to_string(opens - !writable) + " sounds 1");
        ScreenState = Playing;
        EXPECT_THROW(writable ? QuitGame() : keyboard('3', 0, 0), ProcessExit);
        EXPECT_EQ(glCalls, want);
        for (int i = 0; i < TextureCount; ++i) EXPECT_FALSE(glIsTexture(TextureSet[i])) << TextureFileNames[i];
        ASSERT_EQ(platformRecord.sounds.size(), 1u);
        EXPECT_EQ(platformRecord.sounds[0].kind, RecordedSound::StopPurge);
        EXPECT_EQ(platformRecord.exits, std::vector<int>{0});
        EXPECT_EQ(platformRecord.messages.size(), writable ? 0u : 1u);
        if (writable) EXPECT_EQ(ReadTextFile(folder + "/config.ini"), "-4\n42\n44\n");
        else EXPECT_EQ(platformRecord.messages[0].text, "Config.ini file cant be opened");
    }
}

}  // namespace
