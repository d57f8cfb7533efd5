// A whole game folder of our own test data (solid-colour pictures, tiny
// levels, silent sounds) and what each screen of it looks like on the X screen.
#pragma once

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
    std::vector<Cell> crates;
    std::vector<Cell> sites;
};

std::string LevelText(const TestLevel &level);

// Level 1: room to walk, one crate at (3, 4) to push, one open site at (1, 5).
TestLevel RoomyLevel();
// Solved by one push to the right on screen (the up key).
TestLevel OnePushLevel();
// Told apart from the others by a crate that starts on its site.
TestLevel MarkedLevel();

enum class KeeperFacing { Up, Right, Down, Left };

class CratewrightTest : public GameTest {
protected:
    // Pictures, sounds, levels 1, 2, 3 and 100 and config.ini in the folder.
    void WriteTestGame(int level = 1, int sound = 0, int kept = 0);
    void WriteConfig(int kept, int level, int sound);
    void WriteLevel(int number, const TestLevel &level);
    std::string Config() { return ReadConfig(); }
    std::string ReadConfig();

    // Starts the display and the game and waits for the game window; the
    // window must lie where the game's screen size says.
    void Launch(int width, int height);
    // Launch, then wait for the menu with entry 1 highlighted.
    void LaunchToMenu(int width, int height);
    // Enter on the menu's first entry and wait for the play screen.
    void EnterPlay();

public:
    bool Landscape() const;
    // Screens, each told by its picture at a spot no other picture covers.
    bool OnMenu(const Screenshot &s) const;
    bool ArrowAt(const Screenshot &s, int entry) const;
    bool OnPlay(const Screenshot &s) const;      // the direction pad shows
    bool BannerShown(const Screenshot &s) const;
    bool OnOptions(const Screenshot &s) const;
    bool OffMarkShown(const Screenshot &s) const;
    bool OnCredits(const Screenshot &s) const;
    bool OnEnd(const Screenshot &s) const;

    // The keeper's arrow (over the ground) and the crates in the play area.
    bool Keeper(const Screenshot &s, KeeperFacing facing, Point *at) const;
    bool Crate(const Screenshot &s, Point *at) const;
    bool CrateOnSite(const Screenshot &s, Point *at) const;
    PixelRect PlayArea() const;

    // Screenshots until the keeper shows with this facing and the test holds
    // for its position; the position is returned in *at.
    bool WaitKeeper(KeeperFacing facing, const std::function<bool(Point)> &test, Point *at,
                    int timeoutMs = 10000);
    // Screen distance of one board step near the middle of the yard.
    double CellPixels() const { return game.height / 12.0; }

protected:
};
