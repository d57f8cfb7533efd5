#include "tests/render/game_fixture.h"

#include "app/desktop.h"
#include "app/startup.h"

#include <algorithm>
#include <array>
#include <cmath>

// The desktop placement is not under test here; start-up must still call it
// right after the window exists.
void PrepareGameWindow() { glutRecord.calls.push_back("PrepareGameWindow"); }
// Sound goes through the platform double; no device is looked for.
void AudioLookForDevice() {}
// The main loop's wait, recorded with its time limit.
void WaitForGameEvent(long timeoutMicroseconds)
{
    glutRecord.calls.push_back("WaitForGameEvent " + std::to_string(timeoutMicroseconds));
}

void GameFixture::TearDown()
{
    if (contextMade) DestroyEglContext();
    contextMade = false;
    GameFolderTest::TearDown();
}

bool GameFixture::StartGame(int w, int h, const std::string &level, int soundOn, const std::function<void()> &edit)
{
    if (contextMade) DestroyEglContext();  // a test may start the game more than once
    contextMade = false;
    width = w, height = h;
    Renew();
    ClearGlLog();
    platformSettings.screenWidth = w, platformSettings.screenHeight = h;
    WriteTestTextureSet(folder);
    WriteTextFile(folder + "/config.ini", "0\n1\n" + std::to_string(soundOn) + "\n");
    WriteTextFile(folder + "/Level1.Map", level);
    WriteTextFile(folder + "/Menu.wav", "");
    WriteTextFile(folder + "/Complete.wav", "");
    if (edit) edit();
    glutCreateWindowAction = [this] { contextMade = MakeEglContext(width, height); };
    char name[] = "cratewright";
    char *argv[] = {name, nullptr};
    status = GameMain(1, argv);
    EXPECT_TRUE(contextMade);
    if (status != 0) return false;
    glutRecord.reshape(w, h);  // GLUT sizes the window before the first frame
    return true;
}

std::vector<Pixel> GameFixture::DrawFrame()
{
    glutRecord.display();
    return ReadFrame(width, height);
}

std::vector<DrawRecord> GameFixture::DrawsOf(int32_t screen)
{
    ScreenState = screen;
    ClearGlLog();
    glutRecord.display();
    ExpectRestingState("display");
    for (const DrawRecord &d : drawLog) EXPECT_TRUE(d.mode == GL_TRIANGLE_STRIP && d.first == 0 && d.count == 4);
    return drawLog;
}

Pixel GameFixture::AtPixel(const std::vector<Pixel> &frame, int x, int y) const
{
    return frame[size_t(std::clamp(y, 0, height - 1)) * width + std::clamp(x, 0, width - 1)];
}

Pixel GameFixture::At(const std::vector<Pixel> &frame, double fx, double fy) const
{
    return AtPixel(frame, int(fx * width), int(fy * height));
}

Pixel GameFixture::Projected(const std::vector<Pixel> &frame, double x, double y, double z) const
{
    using V = std::array<double, 3>;
    auto dot = [](V a, V b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; };
    auto unit = [&](V a) { const double n = std::sqrt(dot(a, a)); return V{a[0] / n, a[1] / n, a[2] / n}; };
    auto cross = [](V a, V b) { return V{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]}; };
    const V eye = {cameraSetup.eyeX, cameraSetup.eyeY, cameraSetup.eyeZ};
    const V f = unit({cameraSetup.centreX - eye[0], cameraSetup.centreY - eye[1], cameraSetup.centreZ - eye[2]});
    const V s = unit(cross(f, {0, 1, 0})), u = cross(s, f), d = {x - eye[0], y - eye[1], z - eye[2]};
    const double cot = 1.0 / std::tan(45.0 * M_PI / 360.0), depth = dot(f, d);
    const double px = (cot * height / width * dot(s, d) / depth + 1) / 2 * width;
    const double py = (cot * dot(u, d) / depth + 1) / 2 * height;
    EXPECT_TRUE(px >= 0 && px < width && py >= 0 && py < height) << "off screen: " << px << ", " << py;
    return AtPixel(frame, int(px), int(py));
}

void ExpectRestingState(const char *after)
{
    SCOPED_TRACE(after);
    GLint mode = 0, modelDepth = 0, projectionDepth = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelDepth);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projectionDepth);
    EXPECT_TRUE(mode == GL_MODELVIEW && modelDepth == 1 && projectionDepth == 1);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST) && !glIsEnabled(GL_BLEND));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D) && glIsEnabled(GL_CULL_FACE));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

::testing::AssertionResult ColourIs(const Pixel &p, Rgb c, int tolerance)
{
    if (std::abs(p.r - c.r) <= tolerance && std::abs(p.g - c.g) <= tolerance && std::abs(p.b - c.b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << int(p.r) << ", " << int(p.g) << ", " << int(p.b)
                                         << ") is not (" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ")";
}

Rgb Colour(int texture) { return TextureTestColour(texture); }

Rgb Added(int under, int arrow) { return ArrowOver(Colour(under), arrow); }
