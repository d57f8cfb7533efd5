// The mouse callback on real levels: what a tap does on each screen, the
// event filter, SkipLevel and the thresholds at their edge pixels.
#include "tests/input/game_folder.h"

#include "input/stylus.h"

#include <GL/freeglut.h>

namespace {

class StylusActions : public GameFolderTest {
protected:
    void onScreen(int width, int height, int level, int screen)
    {
        StartOn(level, screen);
        screenWidth = width;
        screenHeight = height;
    }
    static void tap(int x, int y)
    {
        mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, x, y);
        mouse(GLUT_LEFT_BUTTON, GLUT_UP, x, y);
    }
};

constexpr int Ends = -1;  // the tap saves and quits

TEST_F(StylusActions, TapsMoveChooseOrQuitOnceAtTheThresholds)
{
    const struct { int width, height, screen, x, y, rowStep, colStep, after; } taps[] = {
        {240, 320, Playing, 28, 280, 0, 0, Playing},    // the threshold itself is outside the left arrow
        {240, 320, Playing, 29, 280, -1, 0, Playing},   // left arrow: MoveUp
        {240, 320, Playing, 120, 100, 0, 0, Playing},   // between the two bands
        {240, 320, Playing, 119, 100, -1, 0, Playing},  // left band: MoveUp
        {240, 320, Playing, 121, 100, 1, 0, Playing},   // right band: MoveDown
        {240, 320, Playing, 100, 10, 0, 1, Playing},    // top band: MoveRight
        {240, 320, Playing, 100, 200, 0, -1, Playing},  // lower band: MoveLeft
        {240, 320, Playing, 120, 300, 0, -1, Playing},  // bottom arrow: MoveLeft
        {240, 320, Playing, 120, 265, 0, 1, Playing},   // top arrow: MoveRight
        {240, 320, Playing, 180, 280, 1, 0, Playing},   // right arrow: MoveDown
        {240, 320, Playing, 0, 310, 0, 0, Playing},     // left of the menu corner
        {240, 320, Playing, 1, 310, 0, 0, MainMenu},    // menu corner
        {240, 320, Playing, 30, 305, -1, 0, Playing},   // the left arrow wins over the menu corner
        {240, 320, Playing, 220, 312, 0, 0, Ends},      // quit corner
        {640, 480, Playing, 480, 470, 0, 0, Ends},
        // Landscape play: bands, arrows and the menu corner.
        {320, 240, Playing, 50, 100, -1, 0, Playing}, {320, 240, Playing, 200, 100, 1, 0, Playing},
        {320, 240, Playing, 50, 170, 0, -1, Playing}, {320, 240, Playing, 150, 200, 0, 1, Playing},
        {320, 240, Playing, 150, 230, 0, -1, Playing}, {320, 240, Playing, 100, 215, -1, 0, Playing},
        {320, 240, Playing, 210, 215, 1, 0, Playing}, {320, 240, Playing, 70, 235, 0, 0, MainMenu},
        // Menu entries choose without touching the highlight and load nothing.
        {240, 320, MainMenu, 120, 130, 0, 0, Playing}, {240, 320, MainMenu, 120, 150, 0, 0, Options},
        {240, 320, MainMenu, 120, 170, 0, 0, Credits}, {240, 320, MainMenu, 120, 200, 0, 0, Ends},
        {320, 240, MainMenu, 160, 100, 0, 0, Playing}, {320, 240, MainMenu, 160, 112, 0, 0, Options},
        {320, 240, MainMenu, 160, 130, 0, 0, Credits}, {320, 240, MainMenu, 160, 150, 0, 0, Ends},
        {240, 320, MainMenu, 45, 130, 0, 0, MainMenu},   // left of the entries
        {240, 320, MainMenu, 120, 140, 0, 0, MainMenu},  // between two entries
    };
    for (const auto &t : taps) {
        SCOPED_TRACE(std::to_string(t.width) + "x" + std::to_string(t.height) + " screen " +
                     std::to_string(t.screen) + " tap at (" + std::to_string(t.x) + ", " + std::to_string(t.y) + ")");
        WriteTextFile(folder + "/config.ini", "7\n5\n1\n");
        onScreen(t.width, t.height, 5, t.screen);
        menuSelection = 3;
        keptValue = 3;
        soundOn = 0x101;
        try {
            tap(t.x, t.y);  // press and release: one step only
        } catch (const ProcessExit &) {
        }
        const bool ends = t.after == Ends;
        const int after = ends ? t.screen : t.after;
        EXPECT_EQ(playerRow - KeeperRow, t.rowStep);
        EXPECT_EQ(playerCol - KeeperCol, t.colStep);
        EXPECT_EQ(ScreenState, after);
        EXPECT_EQ(menuSelection, 3);
        EXPECT_EQ(glutRecord.redisplays, t.rowStep || t.colStep || t.screen != after ? 1 : 0);
        EXPECT_EQ(platformRecord.exits, ends ? std::vector<int>{0} : std::vector<int>{});
        EXPECT_EQ(platformRecord.opens.empty(), !ends);  // only quitting opens a file: the progress file
        EXPECT_EQ(ProgressText(), ends ? "3\n5\n1\n" : "7\n5\n1\n");
    }
}

TEST_F(StylusActions, PadCentreSkipsInPortraitAndRestartsInLandscape)
{
    onScreen(240, 320, 7, Playing);
    tap(180, 280);  // the keeper steps off its start and faces Down
    menuSoundFlag = completeSoundFlag = 1;
    levelSolved = true;
    tap(118, 288);
    EXPECT_EQ(levelText, std::string("8"));
    EXPECT_EQ(ScreenState, Playing);
    EXPECT_EQ(playerRow, KeeperRow);  // level 8 from its file
    EXPECT_EQ(facing, Down);          // skipping leaves the facing and the flags
    EXPECT_EQ(menuSoundFlag + completeSoundFlag, 2);
    EXPECT_TRUE(levelSolved);
    EXPECT_EQ(glutRecord.redisplays, 2);

    onScreen(480, 480, 99, Playing);
    tap(236, 432);
    EXPECT_EQ(currentLevel, 100);
    EXPECT_EQ(ScreenState, Playing);
    tap(236, 432);
    EXPECT_EQ(currentLevel, 1);
    EXPECT_EQ(ScreenState, GameComplete);
    EXPECT_EQ(ProgressText(), "7\n5\n1\n");  // skipping never saves

    onScreen(320, 240, 7, Playing);
    tap(100, 10);  // MoveRight
    ASSERT_EQ(playerCol, KeeperCol + 1);
    tap(160, 214);
    EXPECT_EQ(currentLevel, 7);
    EXPECT_EQ(playerCol, KeeperCol);
    EXPECT_EQ(facing, Right);
}

TEST_F(StylusActions, LevelCompleteAdvancesOnAnyLeftButtonEvent)
{
    // A release alone, anywhere, even off every region and on a size without a layout.
    onScreen(800, 480, 12, LevelComplete);
    levelSolved = true;
    completeSoundFlag = menuSoundFlag = 1;
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, 799, 0);
    EXPECT_EQ(levelText, std::string("13"));
    EXPECT_EQ(ScreenState, Playing);
    EXPECT_FALSE(levelSolved);
    EXPECT_EQ(facing, Up);
    EXPECT_EQ(completeSoundFlag + menuSoundFlag, 0);
    // The release of that tap then arrives in play and is ignored.
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, 799, 0);
    EXPECT_EQ(currentLevel, 13);
    EXPECT_EQ(glutRecord.redisplays, 1);

    onScreen(800, 600, 100, LevelComplete);
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 400, 300);
    EXPECT_EQ(currentLevel, 1);
    EXPECT_EQ(ScreenState, GameComplete);
}

TEST_F(StylusActions, IgnoredEventsRequestNothing)
{
    // Other buttons on every screen; then left taps all over the key-only
    // screens, and over the menu and play on sizes without a layout.
    const struct { int width, height, step; std::vector<int> screens; std::vector<int> buttons; } sweeps[] = {
        {240, 320, 70, {MainMenu, Playing, LevelComplete, Options, Credits, GameComplete, 2, 6, 9},
         {GLUT_RIGHT_BUTTON, GLUT_MIDDLE_BUTTON, 3, 4}},
        {240, 320, 7, {Options, Credits, GameComplete, 2, 6, 9}, {GLUT_LEFT_BUTTON}},
        {800, 480, 9, {MainMenu, Playing}, {GLUT_LEFT_BUTTON}},
        {800, 600, 9, {MainMenu, Playing}, {GLUT_LEFT_BUTTON}},
    };
    for (const auto &sweep : sweeps)
        for (int screen : sweep.screens)
            for (int button : sweep.buttons) {
                onScreen(sweep.width, sweep.height, 5, screen);
                soundOn = 1;
                for (int y = 0; y < sweep.height; y += sweep.step)
                    for (int x = 0; x < sweep.width; x += sweep.step) {
                        mouse(button, GLUT_DOWN, x, y);
                        mouse(button, GLUT_UP, x, y);
                    }
                EXPECT_EQ(ScreenState, screen) << "button " << button;
                EXPECT_EQ(currentLevel, 5);
                EXPECT_EQ(soundOn, 1);
                EXPECT_EQ(playerRow * 100 + playerCol, KeeperRow * 100 + KeeperCol);
                EXPECT_EQ(glutRecord.redisplays, 0) << sweep.width << "x" << sweep.height << " screen " << screen
                                                    << " button " << button;
            }
}

}  // namespace
