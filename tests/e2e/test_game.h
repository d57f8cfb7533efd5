// A whole game folder of our own test data (solid-colour pictures, tiny
// levels) and what each screen of it looks like on the X screen.
#pragma once

#include "assets/textures.h"
#include "tests/e2e/harness.h"

#include <string>

// Walled yards of 7 x 7 cells, seen (as the shipped levels are) from the low-
// column side: rows run left to right on the screen and columns bottom to top,
// so each direction key moves the keeper that way on the screen.
// Room to walk, one crate and an open site.
const char RoomyLevel[] = "#######\n#    .#\n#     #\n# @ $ #\n#     #\n#     #\n#######";
// Solved by one push to the right on screen (the up key).
const char OnePushLevel[] = "#######\n#     #\n#     #\n# @$. #\n#     #\n#     #\n#######";
// Told apart from the others by a crate that starts on its site.
const char MarkedLevel[] = "#######\n#*    #\n#     #\n#  @  #\n#   $ #\n#    .#\n#######";

class CratewrightTest : public GameTest {
protected:
    // Pictures, sounds, levels 1, 2, 3 and 100 (roomy, one push, marked, one
    // push) and config.ini in the folder.
    void WriteTestGame(int level = 1, int sound = 0, int kept = 0);
    void WriteLevel(int number, const char *picture);
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
    // The keeper's arrow over the ground shows this arrow picture, and no other.
    bool Facing(const Screenshot &s, TextureId arrow) const;
    bool WaitFor(bool (CratewrightTest::*screen)(const Screenshot &) const)
    {
        return WaitScreen([&](const Screenshot &s) { return (this->*screen)(s); });
    }
    bool WaitMenu(int entry)
    {
        return WaitScreen([&](const Screenshot &s) { return OnMenu(s) && ArrowAt(s, entry); });
    }
    bool WaitOptions(bool off)
    {
        return WaitScreen([&](const Screenshot &s) { return OnOptions(s) && OffMarkShown(s) == off; });
    }
};
