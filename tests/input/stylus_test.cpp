// The stylus: the tap regions at the corners and just outside the edges of
// every region on the six screen sizes, then what a tap does on each screen.
#include "tests/input/rooms.h"

#include "core/moves.h"
#include "input/regions.h"
#include "input/stylus.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <sstream>
#include <vector>

namespace {

struct Size {
    int width, height;
};
const Size sizes[] = {{240, 320}, {480, 640}, {240, 240}, {480, 480}, {320, 240}, {640, 480}};

// Each region's pixel rectangle, inclusive, per size in the order above; the
// four menu entries first, then the play regions. Where play regions overlap
// the earlier row wins.
const char *const pixelRows[] = {
    // 240x320         480x640          240x240          480x480          320x240          640x480
    "46-193,122-136   92-387,244-274   46-193,92-102    92-387,183-205   115-213,91-106   230-426,181-212",  // play
    "46-193,145-159   92-387,289-319   46-193,109-119   92-387,217-239   115-213,108-119  230-426,215-238",  // options
    "46-193,164-178   92-387,327-357   46-193,123-133   92-387,245-267   115-213,124-135  230-426,247-270",  // credits
    "46-193,186-213   92-387,372-427   46-193,140-159   92-387,279-320   115-213,138-159  230-426,275-320",  // quit
    "29-75,267-305    58-152,534-611   29-75,201-229    58-152,401-458   89-123,201-229   177-248,401-458",  // pad left
    "0-119,81-175     0-239,161-351    0-119,61-131     0-239,121-263    0-159,61-131     0-319,121-263",    // left band
    "161-207,267-305  322-416,534-611  161-207,201-229  322-416,401-458  196-223,201-229  391-447,401-458",  // pad right
    "121-239,81-175   241-479,161-351  121-239,61-131   241-479,121-263  161-319,61-131   321-639,121-263",  // right band
    "93-144,257-279   186-289,514-558  93-144,193-209   186-289,386-418  133-184,193-209  266-370,386-418",  // pad top
    "0-239,0-63       0-479,0-127      0-239,0-47       0-479,0-95       0-319,0-47       0-639,0-95",       // top band
    "93-144,298-319   186-289,596-639  93-144,224-239   186-289,447-479  133-184,224-239  266-370,447-479",  // pad bottom
    "0-239,193-255    0-479,385-511    0-239,145-191    0-479,289-383    0-319,145-191    0-639,289-383",    // lower band
    "1-35,305-319     1-70,609-639     1-35,229-239     1-70,457-479     63-91,227-239    125-184,454-479",  // menu corner
    "102-134,284-293  203-269,568-586  102-134,213-219  203-269,426-439  149-172,211-217  297-344,421-435",  // pad centre
    "205-239,305-319  410-479,609-639  205-239,229-239  410-479,457-479  225-255,227-239  449-511,454-479",  // quit corner
};

struct Rect {
    int x0, x1, y0, y1;
};

TEST(StylusRegions, CornersAndTheirOutsideNeighboursOnEverySize)
{
    for (int column = 0; column < 6; ++column) {
        std::vector<Rect> rects;
        for (const char *line : pixelRows) {
            std::istringstream row(line);
            std::string cell;
            for (int c = 0; c <= column; ++c) row >> cell;
            Rect r;
            std::sscanf(cell.c_str(), "%d-%d,%d-%d", &r.x0, &r.x1, &r.y0, &r.y1);
            rects.push_back(r);
        }
        const Size s = sizes[column];
        for (int screen : {int(MainMenu), int(Playing)}) {
            const int first = screen == MainMenu ? 0 : 4, last = screen == MainMenu ? 4 : 15;
            // The first region holding the pixel, as its place in the region list (0: none).
            const auto expected = [&](int x, int y) {
                for (int i = first; i < last; ++i)
                    if (x >= rects[i].x0 && x <= rects[i].x1 && y >= rects[i].y0 && y <= rects[i].y1) return i + 1;
                return 0;
            };
            for (int i = first; i < last; ++i) {
                const Rect &r = rects[i];
                const int probes[][2] = {{r.x0, r.y0}, {r.x1, r.y1}, {r.x0, r.y1}, {r.x1, r.y0}, {(r.x0 + r.x1) / 2, (r.y0 + r.y1) / 2},
                                         {r.x0 - 1, r.y0}, {r.x1 + 1, r.y1}, {r.x0, r.y0 - 1}, {r.x1, r.y1 + 1}};
                for (const auto &p : probes) {
                    if (p[0] < 0 || p[1] < 0 || p[0] >= s.width || p[1] >= s.height) continue;  // off the screen
                    EXPECT_EQ(int(StylusHitAt(screen, s.width, s.height, p[0], p[1]).region), expected(p[0], p[1]))
                        << s.width << "x" << s.height << " region row " << i << " at " << p[0] << ", " << p[1];
                }
            }
        }
    }
    for (const Size s : {Size{800, 480}, Size{320, 320}, Size{241, 320}})  // sizes without a layout
        EXPECT_EQ(StylusHitAt(Playing, s.width, s.height, 10, 10).region, StylusRegion::None) << s.width;
}

class StylusActions : public RoomsTest {
protected:
    void onScreen(int width, int height, int level, int screen)
    {
        StartOn(level, screen);
        screenWidth = width, screenHeight = height;
    }
    static void tap(int x, int y, int button = GLUT_LEFT_BUTTON)
    {
        mouse(button, GLUT_DOWN, x, y);
        mouse(button, GLUT_UP, x, y);
    }
};

// A tap in each region, pressed and released, the right and middle buttons
// after it: one step the way the region's arrow or key points, the screen it
// chooses, or the end with the progress saved. The pad centre skips a level
// in portrait (facing and flags kept) and restarts it in landscape.
TEST_F(StylusActions, EachRegionActsOnce)
{
    constexpr int Ends = -1, Skips = -2, Restarts = -3;  // saves and quits; loads the next; loads this again
    const struct { int width, height, screen, x, y, rowStep, colStep, after; } taps[] = {
        {240, 320, Playing, 52, 286, -1, 0, Playing},   {240, 320, Playing, 60, 128, -1, 0, Playing},   // pad left, band
        {240, 320, Playing, 184, 286, 1, 0, Playing},   {240, 320, Playing, 180, 128, 1, 0, Playing},   // pad right, band
        {240, 320, Playing, 118, 268, 0, 1, Playing},   {240, 320, Playing, 120, 30, 0, 1, Playing},    // pad top, band
        {240, 320, Playing, 118, 308, 0, -1, Playing},  {240, 320, Playing, 120, 224, 0, -1, Playing},  // pad bottom, band
        {240, 320, Playing, 18, 312, 0, 0, MainMenu},   {240, 320, Playing, 222, 312, 0, 0, Ends},      // corners
        {240, 320, Playing, 118, 288, 0, 0, Skips},     {320, 240, Playing, 160, 214, 0, 0, Restarts},  // pad centre
        {240, 320, MainMenu, 120, 129, 0, 0, Playing},  {240, 320, MainMenu, 120, 152, 0, 0, Options},
        {240, 320, MainMenu, 120, 171, 0, 0, Credits},  {640, 480, MainMenu, 328, 298, 0, 0, Ends}};
    for (const auto &t : taps) {
        SCOPED_TRACE(::testing::Message() << t.width << "x" << t.height << " screen " << t.screen << " tap at " << t.x << ", " << t.y);
        WriteTextFile(folder + "/config.ini", "7\n5\n1\n");
        onScreen(t.width, t.height, 5, t.screen);
        MoveRight();  // a step off the start, facing Right, that a restart undoes and a skip leaves
        MoveLeft();
        menuSelection = 3, keptValue = 3, soundOn = 0x101, menuSoundFlag = 1;
        try {
            tap(t.x, t.y);
            tap(t.x, t.y, GLUT_RIGHT_BUTTON);
            tap(t.x, t.y, GLUT_MIDDLE_BUTTON);
        } catch (const ProcessExit &) {
        }
        const bool ends = t.after == Ends, skips = t.after == Skips, restarts = t.after == Restarts;
        EXPECT_EQ(std::make_pair(playerRow - KeeperRow, playerCol - KeeperCol), std::make_pair(t.rowStep, t.colStep));
        EXPECT_EQ(std::make_pair(currentLevel, ScreenState), std::make_pair(skips ? 6 : 5, skips || restarts ? Playing : ends ? t.screen : t.after));
        const int32_t turned = t.rowStep ? (t.rowStep < 0 ? Up : Down) : t.colStep ? (t.colStep < 0 ? Left : Right) : Left;
        EXPECT_EQ(facing, restarts ? Right : turned);
        EXPECT_TRUE(menuSelection == 3 && menuSoundFlag == 1);
        EXPECT_EQ(glutRecord.redisplays, ends ? 0 : 1);
        EXPECT_EQ(platformRecord.exits, ends ? std::vector<int>{0} : std::vector<int>{});
        EXPECT_EQ(ProgressText(), ends ? "3\n5\n1\n" : "7\n5\n1\n");
    }
}

TEST_F(StylusActions, LevelCompleteAdvancesOnAnyLeftButtonEventOtherScreensIgnoreTaps)
{
    // A release alone, anywhere, even on a size without a layout; from level 100 the end.
    for (int level : {12, 100}) {
        onScreen(800, 480, level, LevelComplete);
        levelSolved = true;
        completeSoundFlag = menuSoundFlag = 1;
        mouse(GLUT_LEFT_BUTTON, GLUT_UP, 799, 0);
        EXPECT_EQ(std::make_pair(currentLevel, ScreenState), level == 100 ? std::make_pair(1, int(GameComplete)) : std::make_pair(13, int(Playing)));
        EXPECT_TRUE(facing == Up && !levelSolved && !completeSoundFlag && !menuSoundFlag);
        mouse(GLUT_LEFT_BUTTON, GLUT_UP, 799, 0);  // the same tap's release: no longer on that screen
        EXPECT_EQ(glutRecord.redisplays, 1);
    }
    // Skipping from level 99 plays level 100, past it shows the end picture; it never saves.
    onScreen(240, 320, 99, Playing);
    tap(118, 288);
    EXPECT_EQ(std::make_pair(currentLevel, ScreenState), std::make_pair(100, int(Playing)));
    tap(118, 288);
    EXPECT_EQ(std::make_pair(currentLevel, ScreenState), std::make_pair(1, int(GameComplete)));
    EXPECT_EQ(ProgressText(), "7\n5\n1\n");
    // The key-only screens, and the menu and play on sizes without a layout.
    const struct { int width, height, screen; } still[] = {{240, 320, Options}, {240, 320, Credits},
        {240, 320, GameComplete}, {240, 320, 6}, {800, 480, MainMenu}, {800, 600, Playing}};
    for (const auto &s : still) {
        onScreen(s.width, s.height, 5, s.screen);
        for (int y = 0; y < s.height; y += 9)
            for (int x = 0; x < s.width; x += 9) tap(x, y);
        EXPECT_EQ(std::vector<int>({ScreenState, playerRow, playerCol, glutRecord.redisplays}), std::vector<int>({s.screen, KeeperRow, KeeperCol, 0}))
            << s.width << "x" << s.height << " screen " << s.screen;
    }
}

}  // namespace
