// The real game executable under its own Xvfb, driven by xdotool and watched
// through screenshots, window titles, files and its exit status: what a player
// or a script could see, nothing from inside the process.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

struct Colour {
    int r, g, b;
};

bool SameColour(Colour a, Colour b, int tolerance);

// One picture of the whole X screen, raw RGB from xwd through ImageMagick.
struct Screenshot {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    Colour at(int x, int y) const;
};

struct WindowBox {
    unsigned long id = 0;
    int x = 0, y = 0, width = 0, height = 0;
};

long long nowMs();
void waitMs(int ms);
// Starts a program in a process group of its own (killed with the test
// process), stdout and stderr to log.
pid_t Spawn(const std::vector<std::string> &argv, const std::string &log);
// Runs a program to its end (at most timeoutMs) and returns its stdout; status
// is its exit code, 128 + signal if killed, -1 after a time-out.
std::string RunTool(const std::vector<std::string> &argv, int *status = nullptr, int timeoutMs = 10000);

class GameTest : public ::testing::Test {
protected:
    void TearDown() override;

    // An Xvfb of this size on a free display of :70 to :99; DISPLAY of this
    // process (and so of xdotool and the game) points at it.
    void StartDisplay(int width, int height);
    // A fresh game folder with a copy of the real executable and nothing else.
    void MakeGameFolder();
    std::string FilePath(const std::string &name) const { return folder + "/" + name; }

    // Ends the X server under whatever still runs on it.
    void StopDisplay();

    void StartGame();
    pid_t GameProcess() const { return gamePid; }
    // A command that ends by running the game in its place (levelkit play):
    // its process is the game's, waited for and killed like it.
    void StartGame(const std::vector<std::string> &argv);
    // Exit status of the game, -1 if it still runs after timeoutMs.
    int WaitExit(int timeoutMs = 10000);
    bool Running() { return WaitExit(0) == -1; }
    std::string GameLog() const;

    // The window titled exactly title, once it is mapped; id 0 on timeout.
    WindowBox WaitWindow(const std::string &title, int timeoutMs = 10000);
    std::vector<WindowBox> WindowsTitled(const std::string &title) const;
    // Closes a message box the way a player does: pointer on it, Return.
    void DismissBox(const WindowBox &box);
    // The WM_DELETE_WINDOW message a window manager's close button sends.
    void SendWindowClose(unsigned long window) const;

    Screenshot Shot() const;
    // Screenshots until the test holds; the last one is kept in lastShot.
    bool WaitScreen(const std::function<bool(const Screenshot &)> &test, int timeoutMs = 10000);

    // Real X events through xdotool.
    void Xdotool(const std::vector<std::string> &args);
    void Key(const std::string &keys);  // e.g. "Left" or "Down Down Return"
    // A click at x, y of the game window.
    void Tap(int x, int y, int button = 1);

    // Screen pixels of a point given as fractions of the game window.
    int GameX(double fraction) const { return game.x + static_cast<int>(fraction * game.width); }
    int GameY(double fraction) const { return game.y + static_cast<int>(fraction * game.height); }

    std::string display, folder;
    WindowBox game;
    Screenshot lastShot;
    std::vector<std::string> immutableFiles;  // chattr -i before the folder goes
    std::vector<pid_t> extraProcesses;        // killed in TearDown with the game

private:
    std::string besideFolder(const std::string &name) const;  // a log next to the game folder
    int screenWidth = 0, screenHeight = 0;
    pid_t serverPid = 0, gamePid = 0;
    int gameStatus = -1;
};
