// Play as seen on screen: the keeper and the crates move the way the key or
// the pad arrow points, restart and resume, solved levels, the last level.
#include "tests/e2e/test_game.h"

#include <cmath>

namespace {

enum class Way { Left, Right, Up, Down, Stay };

class Play : public CratewrightTest {
protected:
    // True when `to` lies one step or more from `from` in that screen
    // direction and less than half a step off it sideways.
    bool Moved(Point from, Point to, Way way) const
    {
        double step = CellPixels() * 0.5, side = CellPixels() * 0.45;
        double dx = to.x - from.x, dy = to.y - from.y;
        switch (way) {
        case Way::Left: return dx < -step && std::fabs(dy) < side;
        case Way::Right: return dx > step && std::fabs(dy) < side;
        case Way::Up: return dy < -step && std::fabs(dx) < side;
        case Way::Down: return dy > step && std::fabs(dx) < side;
        case Way::Stay: return std::fabs(dx) < side && std::fabs(dy) < side;
        }
        return false;
    }

    // Waits for the keeper to show facing this way, moved from `from`.
    Point ExpectKeeper(KeeperFacing facing, Point from, Way way, const char *what)
    {
        Point at{0, 0};
        EXPECT_TRUE(WaitKeeper(facing, [&](Point p) { return Moved(from, p, way); }, &at))
            << what << ": the keeper is not where it should be";
        return at;
    }

    Point KeeperAtStart()
    {
        Point at{0, 0};
        EXPECT_TRUE(WaitKeeper(KeeperFacing::Up, [](Point) { return true; }, &at)) << "no keeper on screen";
        return at;
    }

    Point CrateNow()
    {
        Point at{0, 0};
        EXPECT_TRUE(Crate(lastShot, &at)) << "no crate on screen";
        return at;
    }
};

TEST_F(Play, KeysMoveAndPushTheWayTheyPoint)
{
    WriteTestGame(1, 0, 9);
    LaunchToMenu(240, 320);
    if (HasFatalFailure()) return;
    EnterPlay();
    Point start = KeeperAtStart();
    Point crate = CrateNow();
    Key("Left");
    Point p = ExpectKeeper(KeeperFacing::Up, start, Way::Left, "left");
    Key("Right");
    p = ExpectKeeper(KeeperFacing::Down, p, Way::Right, "right");
    Key("Down");
    p = ExpectKeeper(KeeperFacing::Left, p, Way::Down, "down");
    Key("Up");
    p = ExpectKeeper(KeeperFacing::Right, p, Way::Up, "up");
    EXPECT_TRUE(Moved(start, p, Way::Stay)) << "four steps round did not come back";
    // Two steps up: the second pushes the crate one cell up.
    Key("Up Up");
    Point pushed{0, 0};
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return Crate(s, &pushed) && Moved(crate, pushed, Way::Up); }))
        << "the crate was not pushed up";
    // The crate now has the wall behind it: the digit 2 turns the keeper only.
    Point before{0, 0};
    ASSERT_TRUE(Keeper(lastShot, KeeperFacing::Right, &before));
    Key("4");
    p = ExpectKeeper(KeeperFacing::Up, before, Way::Left, "digit 4");
    Key("6 2");
    p = ExpectKeeper(KeeperFacing::Right, before, Way::Stay, "blocked push");
    Key("8");
    ExpectKeeper(KeeperFacing::Left, p, Way::Down, "digit 8");
    // Enter starts the level again: keeper and crate back, the keeper facing right.
    Key("Return");
    ExpectKeeper(KeeperFacing::Right, start, Way::Stay, "restart");
    Point again{0, 0};
    EXPECT_TRUE(Crate(lastShot, &again) && Moved(crate, again, Way::Stay)) << "the crate is not back";
    // To the menu and back: everything where it was.
    Key("Left 1");
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return OnMenu(s); }));
    Key("Return");
    p = ExpectKeeper(KeeperFacing::Up, start, Way::Left, "resumed");
    Key("F1");
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return OnMenu(s); }));
    Key("Return");
    ExpectKeeper(KeeperFacing::Up, p, Way::Stay, "resumed again");
    EXPECT_EQ(Config(), "9\n1\n0\n") << "nothing is saved while playing";
}

TEST_F(Play, PadArrowsAndBandsSteerOnTheirOwnPixels)
{
    WriteTestGame(2);
    WriteLevel(2, RoomyLevel());
    LaunchToMenu(240, 320);
    if (HasFatalFailure()) return;
    EnterPlay();
    Point p = KeeperAtStart();
    Tap(28, 280);  // the threshold itself: nothing
    Tap(29, 280);  // the pad's left arrow
    p = ExpectKeeper(KeeperFacing::Up, p, Way::Left, "pad left");
    Tap(207, 305);
    p = ExpectKeeper(KeeperFacing::Down, p, Way::Right, "pad right");
    Tap(93, 257);
    p = ExpectKeeper(KeeperFacing::Right, p, Way::Up, "pad top");
    Tap(144, 319);
    p = ExpectKeeper(KeeperFacing::Left, p, Way::Down, "pad bottom");
    Tap(120, 100);  // between the two bands: nothing
    Tap(119, 100, 3);
    Tap(119, 100);
    p = ExpectKeeper(KeeperFacing::Up, p, Way::Left, "left band");
    Tap(121, 175);
    p = ExpectKeeper(KeeperFacing::Down, p, Way::Right, "right band");
    Tap(0, 63);
    p = ExpectKeeper(KeeperFacing::Right, p, Way::Up, "top band");
    Tap(239, 193);
    p = ExpectKeeper(KeeperFacing::Left, p, Way::Down, "lower band");
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

TEST_F(Play, ASolvedLevelShowsItsBannerAndGoesOnToTheNext)
{
    WriteTestGame(2, 1);
    LaunchToMenu(240, 320);
    if (HasFatalFailure()) return;
    EnterPlay();
    Point crate = CrateNow();
    Key("Up");
    Point placed{0, 0};
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) {
        return BannerShown(s) && CrateOnSite(s, &placed) && Moved(crate, placed, Way::Up);
    })) << "no banner over the solved level";
    // Digit keys only redraw here; Enter goes on to level 3.
    Key("4 2");
    Key("Return");
    Point marked{0, 0}, loose{0, 0};
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) {
        return OnPlay(s) && CrateOnSite(s, &marked) && Crate(s, &loose) && Keeper(s, KeeperFacing::Up, &placed);
    })) << "level 3 did not follow";
    EXPECT_TRUE(WindowsTitled("Error").empty()) << "a sound could not be played";
    Key("F3");
    EXPECT_EQ(WaitExit(), 0) << GameLog();
    EXPECT_EQ(Config(), "0\n3\n1\n");
}

TEST_F(Play, TheLastLevelEndsWithTheEndPictureAndSavesLevelOne)
{
    WriteTestGame(100, 0, 5);
    LaunchToMenu(240, 320);
    if (HasFatalFailure()) return;
    EnterPlay();
    // The stylus pushes the crate home and stays down: the banner shows, and
    // lifting it is the stylus event that goes on.
    Xdotool({"mousemove", std::to_string(GameX(0) + 120), std::to_string(GameY(0) + 268), "mousedown", "1"});
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return BannerShown(s); })) << "no banner";
    Xdotool({"mouseup", "1"});
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return OnEnd(s); })) << "no end picture";
    // Taps and direction keys do nothing here; Enter goes back to the menu.
    Tap(120, 160);
    Key("Left Up 4");
    Key("Return");
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return OnMenu(s) && ArrowAt(s, 1); }));
    EXPECT_EQ(Config(), "5\n1\n0\n");
    // Level 1 is the one in play now.
    EnterPlay();
    Point crate{0, 0};
    EXPECT_TRUE(Crate(lastShot, &crate) && !CrateOnSite(lastShot, &crate)) << "level 1 does not show";
}

}  // namespace
