// Every screen the game knows, and desktops it does not: the window it makes,
// the shipped game's menu on it, and the stylus at the edges of its regions.
#include "tests/e2e/test_game.h"

namespace {

struct SizeCase {
    const char *name;
    int screenWidth, screenHeight;  // the X screen
    int gameWidth, gameHeight;      // the game's window
    PixelRect playEntry, padTopArrow, padCentre, quitCorner;  // window pixels
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
    // The whole screen at (0, 0) when it is a device's; else an emulated
    // device screen sitting whole on the desktop.
    void LaunchAndCheckWindow()
    {
        const SizeCase &size = GetParam();
        Launch(size.screenWidth, size.screenHeight);
        if (HasFatalFailure()) return;
        EXPECT_EQ(game.width, size.gameWidth);
        EXPECT_EQ(game.height, size.gameHeight);
        bool wholeScreen = size.gameWidth == size.screenWidth && size.gameHeight == size.screenHeight;
        EXPECT_TRUE(wholeScreen ? game.x == 0 && game.y == 0
                                : game.x >= 0 && game.y >= 0 && game.x + game.width <= size.screenWidth &&
                                      game.y + game.height <= size.screenHeight)
            << "window at " << game.x << ", " << game.y;
    }
};

TEST_P(Sizes, TheShippedGameShowsItsMenuAndQuitsFromIt)
{
    MakeGameFolder();
    RunTool({"sh", "-c", "cp '" CW_SOURCE_DIR "'/data/* '" + folder + "'/"});
    std::string shippedConfig = Config();
    ASSERT_FALSE(shippedConfig.empty()) << "no config.ini in data/";
    LaunchAndCheckWindow();
    if (HasFatalFailure()) return;
    // The menu picture fills the middle; the top rows stay in the clear colour.
    auto menuShown = [&](const Screenshot &s) {
        PixelRect top = GameArea(0, 0, 1, 0.14), middle = GameArea(0.3, 0.3, 0.7, 0.7);
        return s.count({0, 0, 0}, top, 6) == (top.x1 - top.x0 + 1) * (top.y1 - top.y0 + 1) &&
               s.count({0, 0, 0}, middle, 6) < (middle.x1 - middle.x0 + 1) * (middle.y1 - middle.y0 + 1) / 2;
    };
    ASSERT_TRUE(WaitScreen(menuShown)) << "the shipped menu does not show\n" << GameLog();
    Screenshot first = lastShot;
    // The highlight moves to entry 2: the arrow column changes.
    Key("Down");
    PixelRect column = GameArea(Landscape() ? 0.32 : 0.23, 0.38, Landscape() ? 0.40 : 0.32, 0.64);
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) {
        int changed = 0;
        for (int y = column.y0; y <= column.y1; ++y)
            for (int x = column.x0; x <= column.x1; ++x) changed += !SameColour(s.at(x, y), first.at(x, y), 3);
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
    ASSERT_TRUE(WaitMenu(1)) << "no menu with entry 1 lit";
    PixelRect play = size.playEntry, top = size.padTopArrow;
    // Just outside the play entry, then a key whose effect shows that the
    // tap before it was taken and did nothing.
    Tap(play.x0 - 1, play.y0);
    Tap(play.x0, play.y0 - 1);
    Key("Down");
    EXPECT_TRUE(WaitMenu(2));
    Tap(play.x0, play.y0);
    ASSERT_TRUE(WaitFor(&Sizes::OnPlay)) << "the play entry did not act";

    Point start = KeeperAtStart();
    Tap(top.x0 - 1, top.y0);
    Tap(top.x0, top.y0 - 1);
    Tap(top.x0, top.y0, 3);
    Key("Right");
    Point p = ExpectKeeper(start, Right, "a tap outside the top arrow moved the keeper");
    Tap(top.x0, top.y0);
    ExpectKeeper(p, Up, "the top arrow's first pixel");
    if (Landscape()) {  // there the pad centre starts the level again
        Tap(size.padCentre.x0, size.padCentre.y1);
        ExpectKeeper(start, Stay, "the pad centre's restart", Up);
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
