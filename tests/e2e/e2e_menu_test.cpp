// The main menu, the options and the credits screens, by keys and by stylus.
#include "tests/e2e/test_game.h"

namespace {

class Menu : public CratewrightTest {
protected:
    void ExpectArrowAt(int entry)
    {
        EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return OnMenu(s) && ArrowAt(s, entry); }))
            << "the menu does not show entry " << entry << " highlighted";
    }
    void ExpectScreen(bool (Menu::*screen)(const Screenshot &) const, const char *name)
    {
        EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return (this->*screen)(s); })) << name << " did not show";
    }
};

TEST_F(Menu, KeysWalkTheEntriesWithWrapAroundAndOpenEachScreen)
{
    WriteTestGame();
    LaunchToMenu(240, 320);
    if (HasFatalFailure()) return;
    Key("Up");
    ExpectArrowAt(4);
    Key("Down");
    ExpectArrowAt(1);
    Key("8");
    ExpectArrowAt(2);
    Key("8 8 2");
    ExpectArrowAt(3);
    Key("Return");
    ExpectScreen(&Menu::OnCredits, "credits");
    // Enter, right and F1 do nothing here; left goes back with entry 1 lit.
    Key("Return Right F1 Left");
    ExpectArrowAt(1);
    Key("Down Return");
    ExpectScreen(&Menu::OnOptions, "options");
    Key("4");
    ExpectArrowAt(1);
    Key("Down Down Down Return");
    EXPECT_EQ(WaitExit(), 0);
    EXPECT_EQ(Config(), "0\n1\n0\n");
}

TEST_F(Menu, OptionsToggleTheSoundAndTheProgressFileKeepsIt)
{
    WriteTestGame(2, 1, 7);
    LaunchToMenu(240, 320);
    if (HasFatalFailure()) return;
    Key("Down Return");
    ExpectScreen(&Menu::OnOptions, "options");
    EXPECT_FALSE(OffMarkShown(lastShot)) << "sound is on, yet the off mark shows";
    Key("Return");
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return OnOptions(s) && OffMarkShown(s); }));
    Key("Return");
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return OnOptions(s) && !OffMarkShown(s); }));
    Key("Return");
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return OnOptions(s) && OffMarkShown(s); }));
    Key("Left");
    ExpectArrowAt(1);
    Key("Up Return");
    EXPECT_EQ(WaitExit(), 0) << GameLog();
    EXPECT_EQ(Config(), "7\n2\n0\n");
    EXPECT_TRUE(WindowsTitled("Error").empty());
}

TEST_F(Menu, TheStylusChoosesEntriesInsideTheirPixelsOnly)
{
    WriteTestGame(1, 0, 4);
    LaunchToMenu(240, 320);
    if (HasFatalFailure()) return;
    // One pixel left of the play entry, then the right and middle buttons
    // inside it: none of them acts, as the key that follows shows.
    Tap(45, 130);
    Tap(100, 130, 3);
    Tap(100, 130, 2);
    Key("Down");
    ExpectArrowAt(2);
    Tap(46, 122);
    ExpectScreen(&Menu::OnPlay, "play");
    // Back by the menu corner: the highlight is where the keys left it.
    Tap(1, 305);
    ExpectArrowAt(2);
    Tap(193, 159);
    ExpectScreen(&Menu::OnOptions, "options");
    // The stylus cannot leave the options: Enter still toggles there.
    Tap(120, 130);
    Tap(30, 280);
    Key("Return");
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return OnOptions(s) && !OffMarkShown(s); }));
    Key("Left");
    ExpectArrowAt(1);
    Tap(100, 178);
    ExpectScreen(&Menu::OnCredits, "credits");
    Key("4");
    ExpectArrowAt(1);
    // Quit entry, at its bottom-right pixel.
    Tap(193, 213);
    EXPECT_EQ(WaitExit(), 0) << GameLog();
    EXPECT_EQ(Config(), "4\n1\n1\n");
}

}  // namespace
