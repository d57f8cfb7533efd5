// Start-up as the player sees it: the menu, and each start-up failure with its
// one message box and its exit status.
#include "tests/e2e/test_game.h"
#include "tests/support/test_files.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace {

class StartUp : public CratewrightTest {
protected:
    // The one box with this title appears, is closed with Return, and the
    // game then ends with status.
    void ExpectOneBoxThenExit(const std::string &title, int status)
    {
        WindowBox box = WaitWindow(title);
        ASSERT_NE(box.id, 0u) << "no message box titled \"" << title << "\"; the game said:\n" << GameLog();
        EXPECT_EQ(WindowsTitled(title).size(), 1u);
        EXPECT_EQ(WaitExit(300), -1) << "the game ended before the box was closed";
        DismissBox(box);
        EXPECT_EQ(WaitExit(), status) << GameLog();
        EXPECT_TRUE(WindowsTitled(title).empty());
    }
};

TEST_F(StartUp, ShowsTheMenuWithTheFirstEntryHighlightedOnTheWholeScreen)
{
    WriteTestGame();
    LaunchToMenu(240, 320);
    if (HasFatalFailure()) return;
    EXPECT_EQ(game.x, 0);
    EXPECT_EQ(game.y, 0);
    EXPECT_EQ(game.width, 240);
    EXPECT_EQ(game.height, 320);
    // The menu picture leaves the top and bottom 15 percent in the clear colour.
    for (PixelRect band : {GameArea(0, 0, 1, 0.14), GameArea(0, 0.86, 1, 1)})
        EXPECT_EQ(lastShot.count({0, 0, 0}, band, 8), (band.x1 - band.x0 + 1) * (band.y1 - band.y0 + 1));
    EXPECT_TRUE(Running());
    EXPECT_TRUE(WindowsTitled("Error").empty());
}

TEST_F(StartUp, MissingGroundPictureGivesOneBoxAndStatusOne)
{
    WriteTestGame(1, 0, 7);
    std::remove(FilePath("Ground.tex").c_str());
    Launch(240, 320);
    if (HasFatalFailure()) return;
    ExpectOneBoxThenExit("Error", 1);
    EXPECT_EQ(Config(), "7\n1\n0\n");
}

TEST_F(StartUp, BrokenPictureGivesOneBoxAndStatusOne)
{
    WriteTestGame();
    WriteTextFile(FilePath("Static.tex"), "GIF89a not a bitmap at all");
    Launch(320, 240);
    if (HasFatalFailure()) return;
    ExpectOneBoxThenExit("Error", 1);
}

TEST_F(StartUp, MissingProgressFileGivesOneBoxAndStatusOne)
{
    WriteTestGame();
    std::remove(FilePath("config.ini").c_str());
    Launch(240, 320);
    if (HasFatalFailure()) return;
    ExpectOneBoxThenExit("Error", 1);
    EXPECT_FALSE(std::ifstream(FilePath("config.ini")).good()) << "the game made a progress file of its own";
}

TEST_F(StartUp, MissingLevelFileGivesABoxTitledWithItsNumber)
{
    WriteTestGame(5, 0, 3);
    Launch(240, 320);
    if (HasFatalFailure()) return;
    ExpectOneBoxThenExit("5", 1);
    EXPECT_EQ(Config(), "3\n5\n0\n");
}

TEST_F(StartUp, RefusedLevelFileGivesABoxTitledWithItsNumber)
{
    WriteTestGame(6);
    WriteTextFile(FilePath("Level6.Map"), "1.0\n2.0\n3.0\n4.0\n5.0\n6.0\n7\n7\n0\n9999\n");
    Launch(640, 480);
    if (HasFatalFailure()) return;
    ExpectOneBoxThenExit("6", 1);
}

TEST_F(StartUp, WithoutAnyDisplayThePlayerIsToldAndNothingCrashes)
{
    WriteTestGame();
    unsetenv("DISPLAY");
    StartGame();
    int status = WaitExit();
    EXPECT_EQ(status, 1) << GameLog();
    EXPECT_NE(GameLog().find("display"), std::string::npos) << GameLog();
    EXPECT_EQ(Config(), "0\n1\n0\n");
}

}  // namespace
