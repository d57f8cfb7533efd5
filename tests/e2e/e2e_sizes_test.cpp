// Every screen the game knows, and desktops it does not: the window it makes,
// the shipped game's menu on it, and the stylus at the edges of its regions.
#include "tests/e2e/test_game.h"
#include "tests/support/test_files.h"

#include <cmath>

namespace {

struct Rect {
    int x0, y0, x1, y1;  // inclusive, window pixels
};

struct SizeCase {
    const char *name;
    int screenWidth, screenHeight;  // the X screen
    int gameWidth, gameHeight;      // the game's window
    Rect playEntry, padTopArrow, padCentre, quitCorner;
};

// The game's regions for each size, in window pixels; an unknown desktop gets
// the regions of the device screen it emulates.
const SizeCase SizeCases[] = {
    // name        screen      game        play entry            pad top arrow         pad centre            quit corner
    {"P240x320", 240, 320, 240, 320, {46, 122, 193, 136}, {93, 257, 144, 279}, {102, 284, 134, 293}, {205, 305, 239, 319}},
    {"P480x640", 480, 640, 480, 640, {92, 244, 387, 274}, {186, 514, 289, 558}, {203, 568, 269, 586}, {410, 609, 479, 639}},
    {"S240x240", 240, 240, 240, 240, {46, 92, 193, 102}, {93, 193, 144, 209}, {102, 213, 134, 219}, {205, 229, 239, 239}},
    {"S480x480", 480, 480, 480, 480, {92, 183, 387, 205}, {186, 386, 289, 418}, {203, 426, 269, 439}, {410, 457, 479, 479}},
    {"L320x240", 320, 240, 320, 240, {115, 91, 213, 106}, {133, 193, 184, 209}, {149, 211, 172, 217}, {225, 227, 255, 239}},
    {"L640x480", 640, 480, 640, 480, {230, 181, 426, 212}, {266, 386, 370, 418}, {297, 421, 344, 435}, {449, 454, 511, 479}},
    {"D800x600", 800, 600, 240, 320, {46, 122, 193, 136}, {93, 257, 144, 279}, {102, 284, 134, 293}, {205, 305, 239, 319}},
    {"D1280x1024", 1280, 1024, 480, 640, {92, 244, 387, 274}, {186, 514, 289, 558}, {203, 568, 269, 586}, {410, 609, 479, 639}},
};

void PrintTo(const SizeCase &size, std::ostream *out) { *out << size.name; }

class Sizes : public CratewrightTest, public ::testing::WithParamInterface<SizeCase> {
protected:
    void LaunchAndCheckWindow()
    {
        const SizeCase &size = GetParam();
        Launch(size.screenWidth, size.screenHeight);
        if (HasFatalFailure()) return;
        EXPECT_EQ(game.width, size.gameWidth);
        EXPECT_EQ(game.height, size.gameHeight);
        bool wholeScreen = size.gameWidth == size.screenWidth && size.gameHeight == size.screenHeight;
        if (wholeScreen) {
            EXPECT_EQ(game.x, 0);
            EXPECT_EQ(game.y, 0);
        } else {
            // An emulated device screen sits whole on the desktop.
            EXPECT_GE(game.x, 0);
            EXPECT_GE(game.y, 0);
            EXPECT_LE(game.x + game.width, size.screenWidth);
            EXPECT_LE(game.y + game.height, size.screenHeight);
        }
    }

    void CopyShippedData()
    {
        if (folder.empty()) MakeGameFolder();
        RunTool({"sh", "-c", "cp '" CW_SOURCE_DIR "'/data/* '" + folder + "'/"});
    }
};

TEST_P(Sizes, TheShippedGameShowsItsMenuAndQuitsFromIt)
{
    CopyShippedData();
    std::string shippedConfig = Config();
    ASSERT_FALSE(shippedConfig.empty()) << "no config.ini in data/";
    LaunchAndCheckWindow();
    if (HasFatalFailure()) return;
    // The menu picture fills the middle; the top rows stay in the clear colour.
    auto menuShown = [&](const Screenshot &s) {
        PixelRect top = GameArea(0, 0, 1, 0.14);
        int blackTop = s.count({0, 0, 0}, top, 6);
        int picture = s.count({0, 0, 0}, GameArea(0.3, 0.3, 0.7, 0.7), 6);
        return blackTop == (top.x1 - top.x0 + 1) * (top.y1 - top.y0 + 1) &&
               picture < (GameX(0.7) - GameX(0.3)) * (GameY(0.7) - GameY(0.3)) / 2;
    };
    ASSERT_TRUE(WaitScreen(menuShown)) << "the shipped menu does not show\n" << GameLog();
    Screenshot first = lastShot;
    // The highlight moves to entry 2: the arrow column changes.
    Key("Down");
    PixelRect arrowColumn = GameArea(Landscape() ? 0.32 : 0.23, 0.38, Landscape() ? 0.40 : 0.32, 0.64);
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) {
        int changed = 0;
        for (int y = arrowColumn.y0; y <= arrowColumn.y1; ++y)
            for (int x = arrowColumn.x0; x <= arrowColumn.x1; ++x)
                if (!SameColour(s.at(x, y), first.at(x, y), 3)) ++changed;
        return changed > 20;
    })) << "the highlight did not move";
    EXPECT_TRUE(WindowsTitled("Error").empty()) << "a message box showed on the shipped data";
    Key("Down Down Return");
    EXPECT_EQ(WaitExit(), 0) << GameLog();
    EXPECT_EQ(Config(), shippedConfig);
}

TEST_P(Sizes, TheStylusActsFromTheFirstPixelOfEachRegion)
{
    const SizeCase &size = GetParam();
    WriteTestGame(1, 0, 1);
    LaunchAndCheckWindow();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(WaitScreen([&](const Screenshot &s) { return OnMenu(s) && ArrowAt(s, 1); }));
    Rect play = size.playEntry, top = size.padTopArrow;
    // Just outside the play entry, then a key whose effect shows that the
    // tap before it was taken and did nothing.
    Tap(play.x0 - 1, play.y0);
    Tap(play.x0, play.y0 - 1);
    Key("Down");
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return OnMenu(s) && ArrowAt(s, 2); }));
    Tap(play.x0, play.y0);
    ASSERT_TRUE(WaitScreen([&](const Screenshot &s) { return OnPlay(s); })) << "the play entry did not act";

    Point start{0, 0}, p{0, 0};
    ASSERT_TRUE(WaitKeeper(KeeperFacing::Up, [](Point) { return true; }, &start));
    Tap(top.x0 - 1, top.y0);
    Tap(top.x0, top.y0 - 1, 1);
    Tap(top.x0, top.y0, 3);
    Key("Right");
    EXPECT_TRUE(WaitKeeper(KeeperFacing::Down, [&](Point q) {
        return q.x > start.x + CellPixels() / 2 && std::abs(q.y - start.y) < CellPixels() / 2;
    }, &p)) << "a tap outside the top arrow moved the keeper";
    Tap(top.x0, top.y0);
    Point moved{0, 0};
    EXPECT_TRUE(WaitKeeper(KeeperFacing::Right, [&](Point q) { return q.y < p.y - CellPixels() / 2; }, &moved))
        << "the top arrow's first pixel did not move the keeper";
    bool landscape = size.gameWidth > size.gameHeight;
    if (landscape) {
        // In the landscape layout the pad centre starts the level again.
        Tap(size.padCentre.x0, size.padCentre.y1);
        EXPECT_TRUE(WaitKeeper(KeeperFacing::Right, [&](Point q) {
            return std::abs(q.x - start.x) < CellPixels() / 2 && std::abs(q.y - start.y) < CellPixels() / 2;
        }, &p)) << "the pad centre did not restart the level";
    }
    Tap(size.quitCorner.x1, size.quitCorner.y1);
    EXPECT_EQ(WaitExit(), 0) << GameLog();
    EXPECT_EQ(Config(), "1\n1\n0\n");
    // The GLES build of freeglut no longer reports its menu stub on each tap.
    EXPECT_EQ(GameLog().find("fgCheckActiveMenu"), std::string::npos) << GameLog();
}

INSTANTIATE_TEST_SUITE_P(Screens, Sizes, ::testing::ValuesIn(SizeCases),
                         [](const ::testing::TestParamInfo<SizeCase> &info) { return std::string(info.param.name); });

}  // namespace
