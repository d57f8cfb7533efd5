#include "tests/render/game_fixture.h"

#include "app/desktop.h"
#include "app/startup.h"
#include "core/state.h"
#include "tests/support/glut_double.h"
#include "tests/support/platform_double.h"
#include "tests/support/test_files.h"

#include <cmath>
#include <sstream>

// The desktop placement is not under test here; start-up must still call it
// right after the window exists.
void PrepareGameWindow() { glutRecord.calls.push_back("PrepareGameWindow"); }

std::string LevelFileText(const LevelPlan &plan)
{
    std::ostringstream walls, sites, crates, keeper;
    int wallCount = 0, siteCount = 0, crateCount = 0, keepers = 0;
    for (size_t r = 0; r < plan.rows.size(); ++r)
        for (size_t c = 0; c < plan.rows[r].size(); ++c) {
            const char ch = plan.rows[r][c];
            const int x = int(2 * c), z = int(2 * r);
            if (ch == '#') {
                walls << x << ' ' << plan.wallTop << ' ' << z << " 1 " << r << ' ' << c << '\n';
                ++wallCount;
            }
            if (ch == '.' || ch == '*' || ch == '+') {
                sites << x << " 0 " << z << " 2 " << r << ' ' << c << '\n';
                ++siteCount;
            }
            if (ch == '$' || ch == '*') {
                crates << x << " 2 " << z << " 0 " << r << ' ' << c << '\n';
                ++crateCount;
            }
            if (ch == '@' || ch == '+') {
                keeper << x << " 0 " << z << " 0 " << r << ' ' << c << '\n';
                ++keepers;
            }
        }
    for (const LevelPlan::Tower &t : plan.towers) {
        walls << 2 * t.col << ' ' << t.top << ' ' << 2 * t.row << " 1 " << t.row << ' ' << t.col << '\n';
        ++wallCount;
    }
    std::ostringstream text;
    for (float v : plan.eye) text << v << '\n';
    for (float v : plan.centre) text << v << '\n';
    size_t cols = 0;
    for (const std::string &row : plan.rows) cols = std::max(cols, row.size());
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

bool GameFixture::StartGame(int w, int h, const LevelPlan &plan, int soundOn)
{
    // A test may start the game more than once.
    if (contextMade) DestroyEglContext();
    contextMade = false;
    if (!dir.empty()) RemoveTree(dir);
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
    glutCreateWindowAction = [this] { contextMade = MakeEglContext(width, height); };
    char name[] = "cratewright";
    char *argv[] = {name, nullptr};
    const int status = GameMain(1, argv);
    EXPECT_TRUE(contextMade);
    if (status != 0) return false;
    // GLUT sizes the window before the first frame.
    glutRecord.reshape(w, h);
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

void GameFixture::Project(double x, double y, double z, double &px, double &py) const
{
    const double eye[3] = {cameraSetup.eyeX, cameraSetup.eyeY, cameraSetup.eyeZ};
    const double centre[3] = {cameraSetup.centreX, cameraSetup.centreY, cameraSetup.centreZ};
    double f[3] = {centre[0] - eye[0], centre[1] - eye[1], centre[2] - eye[2]};
    const double up[3] = {0, 1, 0};
    auto normalise = [](double *v) {
        const double n = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        for (int i = 0; i < 3; ++i) v[i] /= n;
    };
    auto cross = [](const double *a, const double *b, double *o) {
        o[0] = a[1] * b[2] - a[2] * b[1];
        o[1] = a[2] * b[0] - a[0] * b[2];
        o[2] = a[0] * b[1] - a[1] * b[0];
    };
    normalise(f);
    double s[3], u[3];
    cross(f, up, s);
    normalise(s);
    cross(s, f, u);
    const double d[3] = {x - eye[0], y - eye[1], z - eye[2]};
    const double view[3] = {s[0] * d[0] + s[1] * d[1] + s[2] * d[2], u[0] * d[0] + u[1] * d[1] + u[2] * d[2],
                            -(f[0] * d[0] + f[1] * d[1] + f[2] * d[2])};
    const double cot = 1.0 / std::tan(45.0 * M_PI / 360.0);
    const double aspect = double(width) / height;
    const double ndcX = (cot / aspect) * view[0] / -view[2];
    const double ndcY = cot * view[1] / -view[2];
    px = (ndcX + 1) / 2 * width;
    py = (ndcY + 1) / 2 * height;
}

::testing::AssertionResult ColourIs(const Pixel &p, int r, int g, int b, int tolerance)
{
    if (std::abs(p.r - r) <= tolerance && std::abs(p.g - g) <= tolerance && std::abs(p.b - b) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << int(p.r) << ", " << int(p.g) << ", " << int(p.b)
                                         << ") is not (" << r << ", " << g << ", " << b << ")";
}
