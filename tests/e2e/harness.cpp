#include "tests/e2e/harness.h"

#include "tests/e2e/processes.h"
#include "tests/support/test_files.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int FirstDisplay = 70;
constexpr int DisplayRange = 30;  // :70 to :99
constexpr int ServerStartMs = 5000;
constexpr int PollMs = 40;
constexpr int KeyDelayMs = 40;

}  // namespace

void GameTest::TearDown()
{
    for (pid_t pid : extraProcesses) stopGroup(pid, SIGKILL);
    for (pid_t pid : extraProcesses) reap(pid, 2000, nullptr);
    if (gamePid > 0) {
        stopGroup(gamePid, SIGKILL);
        reap(gamePid, 2000, nullptr);
    }
    if (serverPid > 0) {
        stopGroup(serverPid, SIGTERM);
        if (!reap(serverPid, 3000, nullptr)) {
            stopGroup(serverPid, SIGKILL);
            reap(serverPid, 2000, nullptr);
        }
    }
    for (const std::string &path : immutableFiles) RunTool({"chattr", "-i", path});
    if (!folder.empty()) {
        std::string root = folder.substr(0, folder.rfind('/'));
        if (HasFailure()) std::printf("game folder kept for a look: %s\n", root.c_str());
        else RemoveTree(root);
    }
    unsetenv("DISPLAY");
}

void GameTest::MakeGameFolder()
{
    if (folder.empty()) {
        folder = MakeTempFolder() + "/game";
        mkdir(folder.c_str(), 0755);
    }
    std::string target = FilePath("cratewright");
    ASSERT_EQ(RunTool({"cp", CW_GAME_EXECUTABLE, target}).size(), 0u);
    ASSERT_TRUE(fileExists(target)) << "cannot copy " << CW_GAME_EXECUTABLE;
}

void GameTest::StartDisplay(int width, int height)
{
    if (folder.empty()) MakeGameFolder();
    std::string log = folder + "/../xvfb.log";
    std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    int start = getpid() % DisplayRange;
    for (int i = 0; i < DisplayRange; ++i) {
        int number = FirstDisplay + (start + i) % DisplayRange;
        std::string name = ":" + std::to_string(number);
        std::string lock = "/tmp/.X" + std::to_string(number) + "-lock";
        if (fileExists(lock) || fileExists("/tmp/.X11-unix/X" + std::to_string(number))) continue;
        pid_t pid = Spawn({"Xvfb", name, "-screen", "0", screen, "-nolisten", "tcp", "-noreset"}, "", log);
        long long end = nowMs() + ServerStartMs;
        bool died = false;
        while (nowMs() < end) {
            int status;
            if (reap(pid, 0, &status)) {  // another server took the number first
                died = true;
                break;
            }
            // Ours is up when the lock names it and it takes connections.
            if (std::atoi(ReadTextFile(lock).c_str()) == pid) {
                if (DisplayAnswers(name)) {
                    serverPid = pid;
                    display = name;
                    setenv("DISPLAY", name.c_str(), 1);
                    return;
                }
            }
            waitMs(20);
        }
        if (!died) {
            stopGroup(pid, SIGKILL);
            reap(pid, 2000, nullptr);
        }
    }
    FAIL() << "no Xvfb could be started on :70 to :99 (is the xvfb package installed?)";
}

pid_t GameTest::StartGame(const std::string &executable)
{
    std::string path = executable.empty() ? FilePath("cratewright") : executable;
    // Started from elsewhere: the game finds its files beside the executable.
    pid_t pid = Spawn({path}, "/", folder + "/../game.log");
    if (executable.empty()) gamePid = pid;
    else extraProcesses.push_back(pid);
    return pid;
}

int GameTest::WaitExit(int timeoutMs, pid_t pid)
{
    bool ownGame = pid == 0;
    if (ownGame) pid = gamePid;
    if (pid <= 0) return gameStatus;
    int status = -1;
    if (!reap(pid, timeoutMs, &status)) return -1;
    if (ownGame) {
        gamePid = 0;
        gameStatus = status;
    }
    return status;
}

bool GameTest::Running()
{
    WaitExit(0);
    return gamePid > 0;
}

std::string GameTest::GameLog() const { return ReadTextFile(folder + "/../game.log"); }

std::vector<unsigned long> GameTest::WindowsTitled(const std::string &title)
{
    std::vector<unsigned long> ids;
    for (const WindowBox &box : ViewableWindowsTitled(display, title)) ids.push_back(box.id);
    return ids;
}

WindowBox GameTest::WaitWindow(const std::string &title, int timeoutMs)
{
    long long end = nowMs() + timeoutMs;
    do {
        std::vector<WindowBox> boxes = ViewableWindowsTitled(display, title);
        if (!boxes.empty()) {
            if (title == "Cratewright") game = boxes.back();
            return boxes.back();
        }
        waitMs(PollMs);
    } while (nowMs() < end);
    return WindowBox{};
}

void GameTest::DismissBox(const WindowBox &box)
{
    Xdotool({"mousemove", std::to_string(box.x + box.width / 2), std::to_string(box.y + box.height / 2)});
    Xdotool({"windowfocus", std::to_string(box.id)});
    Key("Return");
}

void GameTest::SendWindowClose(unsigned long window) { SendDeleteWindow(display, window); }

Screenshot GameTest::Shot() { return TakeScreenshot(); }


bool GameTest::WaitScreen(const std::function<bool(const Screenshot &)> &test, int timeoutMs)
{
    long long end = nowMs() + timeoutMs;
    do {
        lastShot = Shot();
        if (!lastShot.empty() && test(lastShot)) return true;
        waitMs(PollMs);
    } while (nowMs() < end);
    // Kept with the folder for a look at what the screen showed instead.
    std::ofstream out(folder + "/../timeout-" + std::to_string(++timeouts) + ".ppm", std::ios::binary);
    out << "P6\n" << lastShot.width << ' ' << lastShot.height << "\n255\n";
    out.write(reinterpret_cast<const char *>(lastShot.rgb.data()), lastShot.rgb.size());
    return false;
}

void GameTest::Xdotool(const std::vector<std::string> &args)
{
    std::vector<std::string> argv = {"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    int status = 0;
    RunTool(argv, &status);
    EXPECT_EQ(status, 0) << "xdotool failed: " << args.front();
}

void GameTest::Key(const std::string &keys)
{
    std::vector<std::string> args = {"key", "--delay", std::to_string(KeyDelayMs)};
    std::istringstream names(keys);
    for (std::string name; names >> name;) args.push_back(name);
    Xdotool(args);
}

void GameTest::Click(int x, int y, int button)
{
    Xdotool({"mousemove", std::to_string(x), std::to_string(y), "click", std::to_string(button)});
}

int GameTest::GameX(double fraction) const { return game.x + static_cast<int>(fraction * game.width); }
int GameTest::GameY(double fraction) const { return game.y + static_cast<int>(fraction * game.height); }

PixelRect GameTest::GameArea(double fx0, double fy0, double fx1, double fy1) const
{
    return {GameX(fx0), GameY(fy0), GameX(fx1) - 1, GameY(fy1) - 1};
}
