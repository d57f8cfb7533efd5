// The main menu, the options and the credits screens, by keys and by stylus.
#include "tests/e2e/test_game.h"

namespace {

class Menu : public CratewrightTest {};

TEST_F(Menu, KeysWalkTheEntriesOpenEachScreenAndToggleTheSound)
{
    WriteTestGame(2, 1, 7);
    LaunchToMenu(240, 320);
    if (HasFatalFailure()) return;
    // Wrap-around both ways, the digits as arrows.
    const std::pair<const char *, int> walk[] = {{"Up", 4}, {"Down", 1}, {"8", 2}, {"8 8 2", 3}};
    for (auto [keys, entry] : walk) {
        Key(keys);
        EXPECT_TRUE(WaitMenu(entry)) << "after " << keys << " entry " << entry << " is not lit";
    }
    Key("Return");
    EXPECT_TRUE(WaitFor(&Menu::OnCredits)) << "no credits";
    // Enter, right and F1 do nothing here; left goes back with entry 1 lit.
    Key("Return Right F1 Left");
    EXPECT_TRUE(WaitMenu(1));
    Key("Down Return");
    ASSERT_TRUE(WaitFor(&Menu::OnOptions)) << "no options";
    EXPECT_FALSE(OffMarkShown(lastShot)) << "sound is on, yet the off mark shows";
    for (bool off : {true, false, true}) {
        Key("Return");
        EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return OnOptions(s) && OffMarkShown(s) == off; }));
    }
    Key("4");
    EXPECT_TRUE(WaitMenu(1));
    Key("Down Down Down Return");
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
    EXPECT_TRUE(WaitMenu(2));
    Tap(46, 122);
    EXPECT_TRUE(WaitFor(&Menu::OnPlay)) << "no play";
    // Back by the menu corner: the highlight is where the keys left it.
    Tap(1, 305);
    EXPECT_TRUE(WaitMenu(2));
    Tap(193, 159);
    EXPECT_TRUE(WaitFor(&Menu::OnOptions)) << "no options";
    // The stylus cannot leave the options: Enter still toggles there.
    Tap(120, 130);
    Tap(30, 280);
    Key("Return");
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return OnOptions(s) && !OffMarkShown(s); }));
    Key("Left");
    EXPECT_TRUE(WaitMenu(1));
    Tap(100, 178);
    EXPECT_TRUE(WaitFor(&Menu::OnCredits)) << "no credits";
    Key("4");
    EXPECT_TRUE(WaitMenu(1));
    Tap(193, 213);  // the quit entry's bottom-right pixel
    EXPECT_EQ(WaitExit(), 0) << GameLog();
    EXPECT_EQ(Config(), "4\n1\n1\n");
}

}  // namespace
