// The mouse callback on real levels: what a tap does on each screen, the
// event filter, SkipLevel and the thresholds at their edge pixels.
#include "tests/input/game_folder.h"

#include "core/state.h"
#include "input/stylus.h"
#include "tests/support/test_files.h"

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
    static int keeperRowMoved() { return playerRow - KeeperRow; }
    static int keeperColMoved() { return playerCol - KeeperCol; }
};

TEST_F(StylusActions, ThresholdPixelsOnPortraitPlay)
{
    struct Case {
        int x, y;
        int rowStep, colStep;  // where the keeper must end up
        int screen;            // and the screen afterwards
    };
    const Case cases[] = {
        {28, 280, 0, 0, Playing},    // the threshold itself is outside the left arrow
        {29, 280, -1, 0, Playing},   // left arrow: MoveUp
        {120, 100, 0, 0, Playing},   // between the two bands
        {119, 100, -1, 0, Playing},  // left band: MoveUp
        {121, 100, 1, 0, Playing},   // right band: MoveDown
        {100, 10, 0, 1, Playing},    // top band: MoveRight
        {100, 200, 0, -1, Playing},  // lower band: MoveLeft
        {120, 300, 0, -1, Playing},  // bottom arrow: MoveLeft
        {120, 265, 0, 1, Playing},   // top arrow: MoveRight
        {180, 280, 1, 0, Playing},   // right arrow: MoveDown
        {0, 310, 0, 0, Playing},     // left of the menu corner
        {1, 310, 0, 0, MainMenu},    // menu corner
        {30, 305, -1, 0, Playing},   // the left arrow wins over the menu corner
        {120, 180, 0, 0, Playing},   // between the bands and the lower band
    };
    for (const Case &c : cases) {
        SCOPED_TRACE("tap at (" + std::to_string(c.x) + ", " + std::to_string(c.y) + ")");
        onScreen(240, 320, 5, Playing);
        menuSelection = 3;
        tap(c.x, c.y);
        EXPECT_EQ(keeperRowMoved(), c.rowStep);
        EXPECT_EQ(keeperColMoved(), c.colStep);
        EXPECT_EQ(ScreenState, c.screen);
        EXPECT_EQ(menuSelection, 3);
        const bool acted = c.rowStep != 0 || c.colStep != 0 || c.screen != Playing;
        EXPECT_EQ(glutRecord.redisplays, acted ? 1 : 0);
    }
}

TEST_F(StylusActions, APressAndItsReleaseMoveOnce)
{
    onScreen(240, 320, 5, Playing);
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 50, 280);
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, 50, 280);
    EXPECT_EQ(keeperRowMoved(), -1);
    EXPECT_EQ(facing, Up);
    EXPECT_EQ(glutRecord.redisplays, 1);
    // A release alone does nothing on the pad.
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, 50, 280);
    EXPECT_EQ(keeperRowMoved(), -1);
    EXPECT_EQ(glutRecord.redisplays, 1);
}

TEST_F(StylusActions, MenuEntriesChooseWithoutTouchingTheHighlight)
{
    struct Case {
        int width, height, x, y, screen;
    };
    const Case cases[] = {
        {240, 320, 120, 130, Playing}, {240, 320, 120, 150, Options}, {240, 320, 120, 170, Credits},
        {320, 240, 160, 100, Playing}, {320, 240, 160, 112, Options}, {320, 240, 160, 130, Credits},
        {240, 320, 45, 130, MainMenu},  // left of the entries
        {240, 320, 120, 140, MainMenu}, // between two entries
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height) + " tap at (" + std::to_string(c.x) +
                     ", " + std::to_string(c.y) + ")");
        onScreen(c.width, c.height, 5, MainMenu);
        menuSelection = 1;
        tap(c.x, c.y);
        EXPECT_EQ(ScreenState, c.screen);
        EXPECT_EQ(menuSelection, 1);
        EXPECT_EQ(glutRecord.redisplays, c.screen == MainMenu ? 0 : 1);
        // Choosing play loads nothing: the keeper stays where it was.
        EXPECT_EQ(levelText, std::string("5"));
    }
}

TEST_F(StylusActions, QuitEntryAndQuitCornerSaveAndEnd)
{
    struct Tap {
        int width, height, screen, x, y;
    };
    const Tap taps[] = {{240, 320, MainMenu, 120, 200}, {240, 320, Playing, 220, 312}, {640, 480, Playing, 480, 470},
                        {320, 240, MainMenu, 160, 150}};
    for (const Tap &t : taps) {
        WriteTextFile(folder + "/config.ini", "0\n0\n0\n");
        onScreen(t.width, t.height, 9, t.screen);
        keptValue = 3;
        soundOn = 0x101;
        try {
            mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, t.x, t.y);
            ADD_FAILURE() << "the game went on after the quit tap at " << t.x << "," << t.y;
        } catch (const ProcessExit &exit) {
            EXPECT_EQ(exit.status, 0);
        }
        EXPECT_EQ(ProgressText(), "3\n9\n1\n");
        EXPECT_EQ(glutRecord.redisplays, 0);
    }
}

TEST_F(StylusActions, PadCentreSkipsInPortraitAndRestartsInLandscape)
{
    onScreen(240, 320, 7, Playing);
    tap(50, 280);  // the keeper steps off its start and faces Up
    levelSolved = false;
    menuSoundFlag = completeSoundFlag = 1;
    tap(118, 288);
    EXPECT_EQ(currentLevel, 8);
    EXPECT_EQ(levelText, std::string("8"));
    EXPECT_EQ(ScreenState, Playing);
    EXPECT_EQ(playerRow, KeeperRow);  // level 8 from its file
    EXPECT_EQ(facing, Up);            // skipping leaves the facing and the flags
    EXPECT_EQ(menuSoundFlag, 1);
    EXPECT_EQ(completeSoundFlag, 1);
    EXPECT_EQ(glutRecord.redisplays, 2);

    onScreen(480, 480, 100, Playing);
    tap(236, 432);
    EXPECT_EQ(currentLevel, 1);
    EXPECT_EQ(levelText, std::string("1"));
    EXPECT_EQ(ScreenState, GameComplete);
    EXPECT_EQ(glutRecord.redisplays, 1);
    // Skipping never saves.
    EXPECT_EQ(ProgressText(), "7\n5\n1\n");

    onScreen(320, 240, 7, Playing);
    tap(100, 10);  // MoveRight
    ASSERT_EQ(playerCol, KeeperCol + 1);
    tap(160, 214);
    EXPECT_EQ(currentLevel, 7);
    EXPECT_EQ(playerCol, KeeperCol);
    EXPECT_EQ(facing, Right);
    EXPECT_EQ(ScreenState, Playing);
}

TEST_F(StylusActions, LevelCompleteAdvancesOnAnyLeftButtonEvent)
{
    // A release alone, anywhere, even off every region and on a size without a layout.
    onScreen(800, 480, 12, LevelComplete);
    levelSolved = true;
    completeSoundFlag = menuSoundFlag = 1;
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, 799, 0);
    EXPECT_EQ(currentLevel, 13);
    EXPECT_EQ(levelText, std::string("13"));
    EXPECT_EQ(ScreenState, Playing);
    EXPECT_FALSE(levelSolved);
    EXPECT_EQ(facing, Up);
    EXPECT_EQ(completeSoundFlag, 0);
    EXPECT_EQ(menuSoundFlag, 0);
    EXPECT_EQ(glutRecord.redisplays, 1);
    // The release of that tap then arrives in play and is ignored.
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, 799, 0);
    EXPECT_EQ(currentLevel, 13);

    onScreen(800, 600, 100, LevelComplete);
    mouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 400, 300);
    EXPECT_EQ(currentLevel, 1);
    EXPECT_EQ(levelText, std::string("1"));
    EXPECT_EQ(ScreenState, GameComplete);
}

TEST_F(StylusActions, IgnoredEventsRequestNothing)
{
    const int screens[] = {MainMenu, Playing, LevelComplete, Options, Credits, GameComplete, 2, 6, 9};
    for (int screen : screens)
        for (int button : {GLUT_RIGHT_BUTTON, GLUT_MIDDLE_BUTTON, 3, 4})
            for (int state : {GLUT_DOWN, GLUT_UP}) {
                onScreen(240, 320, 5, screen);
                mouse(button, state, 50, 280);
                EXPECT_EQ(ScreenState, screen);
                EXPECT_EQ(currentLevel, 5);
                EXPECT_EQ(playerRow, KeeperRow);
                EXPECT_EQ(glutRecord.redisplays, 0) << "button " << button << " on screen " << screen;
            }
    // The stylus cannot leave the key-only screens, whatever it taps.
    for (int screen : {int(Options), int(Credits), int(GameComplete), 2, 6, 9})
        for (int y = 0; y < 320; y += 7)
            for (int x = 0; x < 240; x += 7) {
                onScreen(240, 320, 5, screen);
                soundOn = 1;
                tap(x, y);
                ASSERT_EQ(ScreenState, screen);
                ASSERT_EQ(soundOn, 1);
                ASSERT_EQ(glutRecord.redisplays, 0);
            }
    // Sizes without a layout take no taps on the menu or in play.
    for (int height : {480, 600})
        for (int screen : {int(MainMenu), int(Playing)}) {
            onScreen(800, height, 5, screen);
            for (int y = 0; y < height; y += 9)
                for (int x = 0; x < 800; x += 9) tap(x, y);
            EXPECT_EQ(ScreenState, screen);
            EXPECT_EQ(playerRow, KeeperRow);
            EXPECT_EQ(playerCol, KeeperCol);
            EXPECT_EQ(glutRecord.redisplays, 0);
        }
}

}  // namespace
