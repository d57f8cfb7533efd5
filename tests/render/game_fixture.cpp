#include "tests/render/game_fixture.h"

#include "app/desktop.h"
#include "app/startup.h"
#include "core/state.h"
#include "tests/support/glut_double.h"
#include "tests/support/platform_double.h"
#include "tests/support/test_files.h"

#include <array>
#include <cmath>
#include <sstream>

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

std::string LevelFileText(const LevelPlan &plan)
{
    std::ostringstream walls, sites, crates, keeper;
    int wallCount = 0, siteCount = 0, crateCount = 0, keepers = 0;
    size_t cols = 0;
    for (size_t r = 0; r < plan.rows.size(); ++r) {
        cols = std::max(cols, plan.rows[r].size());
        for (size_t c = 0; c < plan.rows[r].size(); ++c) {
            const std::string ch(1, plan.rows[r][c]);
            const std::string at = std::to_string(2 * c) + ' ', cell = std::to_string(r) + ' ' + std::to_string(c);
            const std::string z = ' ' + std::to_string(2 * r);
            if (ch == "#") walls << at << plan.wallTop << z << " 1 " << cell << '\n', ++wallCount;
            if (ch == "." || ch == "*" || ch == "+") sites << at << 0 << z << " 2 " << cell << '\n', ++siteCount;
            if (ch == "$" || ch == "*") crates << at << 2 << z << " 0 " << cell << '\n', ++crateCount;
            if (ch == "@" || ch == "+") keeper << at << 0 << z << " 0 " << cell << '\n', ++keepers;
        }
    }
    for (const LevelPlan::Tower &t : plan.towers)
        walls << 2 * t.col << ' ' << t.top << ' ' << 2 * t.row << " 1 " << t.row << ' ' << t.col << '\n', ++wallCount;
    std::ostringstream text;
    for (float v : plan.eye) text << v << '\n';
    for (float v : plan.centre) text << v << '\n';
    text << plan.rows.size() << '\n' << cols << '\n' << "0\n";
    text << wallCount << '\n' << walls.str() << siteCount << '\n' << sites.str();
    text << crateCount + keepers << '\n' << crates.str() << keeper.str();
    return text.str();
}

void GameFixture::TearDown()
{
    if (contextMade) DestroyEglContext();
    if (!dir.empty() && !HasFailure()) RemoveTree(dir);
}

bool GameFixture::StartGame(int w, int h, const LevelPlan &plan, int soundOn, const std::function<void()> &edit)
{
    TearDown();  // a test may start the game more than once
    contextMade = false;
    width = w;
    height = h;
    ResetGameState();
    ResetPlatformDouble();
    ResetGlutDouble();
    dir = MakeTempFolder();
    SetGameFolder(dir);
    platformSettings.screenWidth = w;
    platformSettings.screenHeight = h;
    WriteTestTextureSet(dir);
    WriteTextFile(dir + "/config.ini", "0\n1\n" + std::to_string(soundOn) + "\n");
    WriteTextFile(dir + "/Level1.Map", LevelFileText(plan));
    WriteTextFile(dir + "/Menu.wav", "");
    WriteTextFile(dir + "/Complete.wav", "");
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

Pixel GameFixture::AtPixel(const std::vector<Pixel> &frame, int x, int y) const
{
    x = std::min(std::max(x, 0), width - 1);
    y = std::min(std::max(y, 0), height - 1);
    return frame[size_t(y) * width + x];
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

::testing::AssertionResult ColourIs(const Pixel &p, int r, int g, int b, int tolerance)
{
    if (std::abs(p.r - r) <= tolerance && std::abs(p.g - g) <= tolerance && std::abs(p.b - b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << int(p.r) << ", " << int(p.g) << ", " << int(p.b)
                                         << ") is not (" << r << ", " << g << ", " << b << ")";
}
