// The real game executable under its own Xvfb, driven by xdotool and watched
// through screenshots, window titles, files and its exit status: what a player
// or a script could see, nothing from inside the process.
#pragma once

#include "tests/e2e/processes.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

struct Colour {
    int r, g, b;
};

// Inclusive pixel rectangle.
struct PixelRect {
    int x0, y0, x1, y1;
};

struct Point {
    double x, y;
};

// One picture of the whole X screen, from xwd through ImageMagick as PPM.
struct Screenshot {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;

    bool empty() const { return rgb.empty(); }
    Colour at(int x, int y) const;
    // Pixels of colour (each channel within tolerance) inside the rectangle.
    int count(Colour colour, PixelRect area, int tolerance) const;
    // Mean position of those pixels; false when there are fewer than minimum.
    bool centroid(Colour colour, PixelRect area, int tolerance, Point *mean, int minimum = 12) const;
};

bool SameColour(Colour a, Colour b, int tolerance);
std::string Describe(Colour c);

// Where the game window sits on the X screen.
struct WindowBox {
    unsigned long id = 0;
    int x = 0, y = 0, width = 0, height = 0;
};

class GameTest : public ::testing::Test {
protected:
    void TearDown() override;

    // Starts an Xvfb of this size on a free display of :70 to :99 and points
    // DISPLAY of this process (and so of xdotool and the game) at it.
    void StartDisplay(int width, int height);
    // A fresh game folder with a copy of the real executable and nothing else.
    void MakeGameFolder();
    std::string FilePath(const std::string &name) const { return folder + "/" + name; }

    // Starts the executable of the game folder (or another) with the display.
    pid_t StartGame(const std::string &executable = "");
    // Exit status of the game, or -1 if it is still running after timeoutMs.
    int WaitExit(int timeoutMs = 10000, pid_t pid = 0);
    bool Running();
    // The game's stderr so far.
    std::string GameLog() const;

    // The window titled exactly title, once it is mapped; id 0 on timeout.
    WindowBox WaitWindow(const std::string &title, int timeoutMs = 10000);
    std::vector<unsigned long> WindowsTitled(const std::string &title);
    // Closes a message box the way a player does: pointer on it, Return.
    void DismissBox(const WindowBox &box);
    // Asks the window to close, as a window manager's close button does.
    void SendWindowClose(unsigned long window);

    Screenshot Shot();
    // Screenshots until the test holds; the last one is kept in lastShot.
    bool WaitScreen(const std::function<bool(const Screenshot &)> &test, int timeoutMs = 10000);

    // Real X events through xdotool.
    void Xdotool(const std::vector<std::string> &args);
    void Key(const std::string &keys);  // e.g. "Left" or "Down Down Return"
    // Screen coordinates: a click at x, y of the X screen, not of the window.
    void Click(int x, int y, int button = 1);
    // Window coordinates of the game window.
    void Tap(int x, int y, int button = 1) { Click(game.x + x, game.y + y, button); }

    // A point of the game window given as fractions of its width and height
    // from the top-left corner, in screen pixels.
    int GameX(double fraction) const;
    int GameY(double fraction) const;
    PixelRect GameArea(double fx0, double fy0, double fx1, double fy1) const;

    std::string display;
    std::string folder;
    WindowBox game;
    Screenshot lastShot;
    std::vector<pid_t> extraProcesses;  // killed in TearDown with the game
    std::vector<std::string> immutableFiles;  // chattr -i before the folder goes

private:
    pid_t serverPid = 0;
    pid_t gamePid = 0;
    int gameStatus = -1;
    int timeouts = 0;
};

// The whole X screen of DISPLAY; empty when it cannot be had.
Screenshot TakeScreenshot();
// Viewable top-level windows whose WM_NAME or _NET_WM_NAME is exactly title.
std::vector<WindowBox> ViewableWindowsTitled(const std::string &display, const std::string &title);
// The WM_DELETE_WINDOW message a window manager's close button sends.
void SendDeleteWindow(const std::string &display, unsigned long window);
bool DisplayAnswers(const std::string &display);
