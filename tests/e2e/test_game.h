// A whole game folder of our own test data (solid-colour pictures, tiny
// levels) and what each screen of it looks like on the X screen.
#pragma once

#include "assets/textures.h"
#include "tests/e2e/harness.h"

#include <string>
#include <vector>

struct Cell {
    int row, col;
};

// A walled yard of rows x cols with the camera of the shipped levels: looking
// down from the low-column side, so rows run left to right on screen and
// columns bottom to top, and each direction key moves the keeper that way.
struct TestLevel {
    int rows = 7, cols = 7;
    Cell keeper{3, 2};
    std::vector<Cell> crates, sites;
};

// Level 1: room to walk, one crate at (3, 4) to push, one open site at (1, 5).
const TestLevel RoomyLevel{7, 7, {3, 2}, {{3, 4}}, {{1, 5}}};
// Solved by one push to the right on screen (the up key).
const TestLevel OnePushLevel{7, 7, {3, 2}, {{3, 3}}, {{3, 4}}};
// Told apart from the others by a crate that starts on its site.
const TestLevel MarkedLevel{7, 7, {3, 3}, {{1, 1}, {4, 4}}, {{1, 1}, {5, 5}}};

// A screen direction in steps; {0, 0} stays put.
struct Way {
    int dx, dy;
};
constexpr Way Left{-1, 0}, Right{1, 0}, Up{0, -1}, Down{0, 1}, Stay{0, 0};

class CratewrightTest : public GameTest {
protected:
    // Pictures, sounds, levels 1, 2, 3 and 100 and config.ini in the folder.
    void WriteTestGame(int level = 1, int sound = 0, int kept = 0);
    void WriteConfig(int kept, int level, int sound);
    void WriteLevel(int number, const TestLevel &level);
    std::string Config() const;

    // Starts the display and the game and waits for the game window.
    void Launch(int width, int height);
    // Launch, then wait for the menu with entry 1 highlighted.
    void LaunchToMenu(int width, int height);
    // Enter on the menu's first entry and wait for the play screen.
    void EnterPlay();

public:
    static constexpr int Tolerance = 14;  // per channel, for the screen's rounding
    static Colour Picture(TextureId id);
    bool Landscape() const { return game.width > game.height; }
    // Screens, each told by its picture at a spot no other picture covers.
    bool Shows(const Screenshot &s, TextureId picture, double fx, double fy) const;
    bool OnMenu(const Screenshot &s) const;
    bool ArrowAt(const Screenshot &s, int entry) const;
    bool OnPlay(const Screenshot &s) const { return Shows(s, DpadTexture, 0.5, 0.97); }
    bool BannerShown(const Screenshot &s) const { return Shows(s, CompTexture, 0.5, 0.97); }
    bool OnOptions(const Screenshot &s) const { return Shows(s, OptionsTexture, 0.45, 0.2); }
    bool OffMarkShown(const Screenshot &s) const { return Shows(s, OffTexture, Landscape() ? 0.70 : 0.78, 0.554); }
    bool OnCredits(const Screenshot &s) const { return Shows(s, CreditsTexture, 0.5, 0.5); }
    bool OnEnd(const Screenshot &s) const { return Shows(s, EndTexture, 0.5, 0.5); }
    bool WaitFor(bool (CratewrightTest::*screen)(const Screenshot &) const)
    {
        return WaitScreen([&](const Screenshot &s) { return (this->*screen)(s); });
    }
    bool WaitMenu(int entry)
    {
        return WaitScreen([&](const Screenshot &s) { return OnMenu(s) && ArrowAt(s, entry); });
    }

    // The keeper's arrow (over the ground) and the crates in the play area.
    // The keeper shows the arrow of the way it last went.
    bool Keeper(const Screenshot &s, Way went, Point *at) const;
    bool Spot(const Screenshot &s, Colour colour, Point *at) const
    {
        return s.count(colour, GameArea(0, 0, 1, 0.8), Tolerance, at) >= 12;
    }
    bool Crate(const Screenshot &s, Point *at) const { return Spot(s, Picture(CrateTexture), at); }
    bool CrateOnSite(const Screenshot &s, Point *at) const { return Spot(s, Picture(SiteCrateTexture), at); }

    // Screen distance of one board step near the middle of the yard.
    double CellPixels() const { return game.height / 12.0; }
    // True when `to` lies one step or more from `from` that way and less
    // than half a step off it sideways.
    bool Moved(Point from, Point to, Way way) const;
    // Screenshots until the keeper shows moved from `from` that way, its arrow
    // that of `went` (by default the way it moved); its position is returned.
    Point ExpectKeeper(Point from, Way way, const char *what, Way went = Stay);
    Point KeeperAtStart();
};
