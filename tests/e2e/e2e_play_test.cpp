// Play as seen on screen: the keeper and the crates move the way the key or
// the pad arrow points, restart and resume, solved levels, the last level.
#include "tests/e2e/test_game.h"

namespace {

class Play : public CratewrightTest {};

TEST_F(Play, KeysMoveAndPushTheWayTheyPointAndThreeQuits)
{
    WriteTestGame(1, 257, 9);
    LaunchToMenu(240, 320);
    if (HasFatalFailure()) return;
    EnterPlay();
    Point start = KeeperAtStart(), crate{0, 0}, p = start;
    EXPECT_TRUE(Crate(lastShot, &crate)) << "no crate on screen";
    for (auto [key, way] : {std::pair{"Left", Left}, {"Right", Right}, {"Down", Down}, {"Up", Up}}) {
        Key(key);
        p = ExpectKeeper(p, way, key);
    }
    EXPECT_TRUE(Moved(start, p, Stay)) << "four steps round did not come back";
    // Two steps up: the second pushes the crate one cell up.
    Key("Up Up");
    Point pushed{0, 0};
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return Crate(s, &pushed) && Moved(crate, pushed, Up); }))
        << "the crate was not pushed up";
    // The crate now has the wall behind it: the digit 2 turns the keeper only.
    Point before{0, 0};
    ASSERT_TRUE(Keeper(lastShot, Up, &before));
    Key("4");
    ExpectKeeper(before, Left, "digit 4");
    Key("6 2");
    p = ExpectKeeper(before, Stay, "blocked push", Up);
    Key("8");
    ExpectKeeper(p, Down, "digit 8");
    // Enter starts the level again: keeper and crate back, the keeper facing right.
    Key("Return");
    ExpectKeeper(start, Stay, "restart", Up);
    Point again{0, 0};
    EXPECT_TRUE(Crate(lastShot, &again) && Moved(crate, again, Stay)) << "the crate is not back";
    // To the menu (by 1 and by F1) and back: everything where it was.
    Key("Left 1");
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return OnMenu(s); }));
    Key("Return");
    p = ExpectKeeper(start, Left, "resumed");
    Key("F1");
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return OnMenu(s); }));
    Key("Return");
    ExpectKeeper(p, Stay, "resumed again", Left);
    EXPECT_EQ(Config(), "9\n1\n257\n") << "nothing is saved while playing";
    // 3 quits, saving the low byte of the sound switch.
    Key("3");
    EXPECT_EQ(WaitExit(), 0) << GameLog();
    EXPECT_EQ(Config(), "9\n1\n1\n");
    EXPECT_TRUE(WindowsTitled("Cratewright").empty());
}

TEST_F(Play, PadArrowsAndBandsSteerOnTheirOwnPixels)
{
    WriteTestGame(2);
    WriteLevel(2, RoomyLevel);
    LaunchToMenu(240, 320);
    if (HasFatalFailure()) return;
    EnterPlay();
    Point p = KeeperAtStart();
    // Each region from its first pixel, after taps that must do nothing (a
    // threshold pixel, between the bands, the right button).
    Tap(28, 280);
    const struct {
        int x, y;
        Way way;
        const char *what;
    } strokes[] = {{29, 280, Left, "pad left"},   {207, 305, Right, "pad right"},  {93, 257, Up, "pad top"},
                   {144, 319, Down, "pad bottom"}, {119, 100, Left, "left band"}, {121, 175, Right, "right band"},
                   {0, 63, Up, "top band"},        {239, 193, Down, "lower band"}};
    for (const auto &s : strokes) {
        if (s.x == 119) Tap(120, 100), Tap(119, 100, 3);
        Tap(s.x, s.y);
        p = ExpectKeeper(p, s.way, s.what);
    }
    // The middle button and a tap at (0, 310) do nothing; the pad centre skips
    // to level 3, whose first crate stands on its site.
    Tap(120, 288, 2);
    Tap(0, 310);
    Tap(102, 284);
    Point marked{0, 0};
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return OnPlay(s) && CrateOnSite(s, &marked); }))
        << "the pad centre did not skip to the next level";
    Tap(239, 319);  // the quit corner
    EXPECT_EQ(WaitExit(), 0) << GameLog();
    EXPECT_EQ(Config(), "0\n3\n0\n");
}

TEST_F(Play, SolvedLevelsShowTheBannerThenTheNextAndAfterTheLastTheEnd)
{
    WriteTestGame(99, 1, 5);
    // One push solves it; a second crate, already home, tells it from level 100.
    WriteLevel(99, {7, 7, {3, 2}, {{3, 3}, {1, 1}}, {{3, 4}, {1, 1}}});
    LaunchToMenu(240, 320);
    if (HasFatalFailure()) return;
    EnterPlay();
    Point crate{0, 0};
    Key("Up");
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return BannerShown(s) && !Crate(s, &crate); }))
        << "no banner over the solved level";
    // Digit keys only redraw here; Enter goes on to level 100.
    Key("4 2 Return");
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return OnPlay(s) && Crate(s, &crate) && !CrateOnSite(s, &crate); }))
        << "level 100 did not follow";
    // The stylus pushes the crate home and stays down: the banner shows, and
    // lifting it is the stylus event that goes on.
    Xdotool({"mousemove", std::to_string(GameX(0) + 120), std::to_string(GameY(0) + 268), "mousedown", "1"});
    EXPECT_TRUE(WaitFor(&Play::BannerShown)) << "no banner";
    Xdotool({"mouseup", "1"});
    EXPECT_TRUE(WaitFor(&Play::OnEnd)) << "no end picture";
    // Taps and direction keys do nothing here; Enter goes back to the menu.
    Tap(120, 160);
    Key("Left Up 4");
    Key("Return");
    EXPECT_TRUE(WaitMenu(1));
    EXPECT_EQ(Config(), "5\n1\n1\n");
    EXPECT_TRUE(WindowsTitled("Error").empty()) << "a sound could not be played";
    EnterPlay();  // level 1 is the one in play now
    EXPECT_TRUE(Crate(lastShot, &crate) && !CrateOnSite(lastShot, &crate)) << "level 1 does not show";
    Key("F3");
    EXPECT_EQ(WaitExit(), 0) << GameLog();
    EXPECT_EQ(Config(), "5\n1\n1\n");
}

}  // namespace
