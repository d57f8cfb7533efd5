#include "tests/e2e/harness.h"

#include "tests/support/test_files.h"

#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <sstream>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int FirstDisplay = 70, DisplayRange = 30;  // :70 to :99
constexpr int PollMs = 40;

// Waits for a child to end; false when it still runs after timeoutMs.
bool reap(pid_t pid, int timeoutMs, int *status)
{
    for (long long end = nowMs() + timeoutMs;; waitMs(10)) {
        int raw = 0;
        pid_t done = waitpid(pid, &raw, WNOHANG);
        if (done == pid && status) *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
        if (done != 0) return true;  // ended, or not ours any more
        if (nowMs() >= end) return false;
    }
}

void killGroup(pid_t pid, int signal = SIGKILL)
{
    if (pid <= 0) return;
    kill(-pid, signal);
    if (!reap(pid, 3000, nullptr)) kill(-pid, SIGKILL), reap(pid, 2000, nullptr);
}

Display *openDisplay(const std::string &name)
{
    // A window may vanish between the listing and the look at it.
    XSetErrorHandler([](Display *, XErrorEvent *) { return 0; });
    return XOpenDisplay(name.c_str());
}

// WM_NAME or _NET_WM_NAME read as raw bytes: SDL's message boxes name
// WM_NAME's type "UTF-8", which xdotool cannot decode, so it never finds them.
bool titled(Display *d, Window w, const std::string &title)
{
    bool same = false;
    for (const char *property : {"WM_NAME", "_NET_WM_NAME"}) {
        Atom type;
        int format;
        unsigned long count, after;
        unsigned char *data = nullptr;
        same = same || (XGetWindowProperty(d, w, XInternAtom(d, property, False), 0, 256, False, AnyPropertyType, &type,
                                           &format, &count, &after, &data) == Success &&
                        data && format == 8 && std::string(reinterpret_cast<char *>(data), count) == title);
        if (data) XFree(data);
    }
    return same;
}

}  // namespace

long long nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void waitMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

pid_t Spawn(const std::vector<std::string> &argv, const std::string &log)
{
    pid_t pid = fork();
    if (pid == 0) {
        setpgid(0, 0);
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        int in = open("/dev/null", O_RDONLY), out = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        dup2(in, 0), dup2(out, 1), dup2(out, 2);
        // The game must find its way without an audio device of any kind,
        // unless a test asks for SDL's silent one.
        unsetenv("SDL_AUDIODRIVER");
        if (const char *driver = getenv("CW_TEST_AUDIODRIVER")) setenv("SDL_AUDIODRIVER", driver, 1);
        // In the sanitizer build the libraries under the game (D-Bus, X11,
        // fonts, Mesa) keep memory to the end, and which of it depends on the
        // machine; the game's own code is leak-checked by the unit tests and
        // the fuzzers, so here a leak report must not turn a quit into status 1.
        setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
        // Started from elsewhere: the game finds its files beside the executable.
        if (chdir("/") != 0) _exit(126);
        std::vector<char *> args;
        for (const std::string &a : argv) args.push_back(const_cast<char *>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    if (pid > 0) setpgid(pid, pid);
    return pid;
}

std::string RunTool(const std::vector<std::string> &argv, int *status, int timeoutMs)
{
    // Output to a file, not a pipe, so a big screenshot cannot stall the tool.
    const std::string out = "/tmp/cw-e2e-" + std::to_string(getpid()) + ".out";
    std::remove(out.c_str());
    const pid_t pid = Spawn(argv, out);
    int result = -1;
    if (!reap(pid, timeoutMs, &result)) killGroup(pid), result = -1;
    if (status) *status = result;
    const std::string text = ReadTextFile(out);
    std::remove(out.c_str());
    return text;
}

bool SameColour(Colour a, Colour b, int tolerance)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

Colour Screenshot::at(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height) return {-1, -1, -1};
    const unsigned char *p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
    return {p[0], p[1], p[2]};
}

void GameTest::TearDown()
{
    for (pid_t pid : extraProcesses) killGroup(pid);
    killGroup(gamePid);
    killGroup(serverPid, SIGTERM);
    for (const std::string &path : immutableFiles) RunTool({"chattr", "-i", path});
    if (!folder.empty()) {
        const std::string root = folder.substr(0, folder.rfind('/'));
        if (HasFailure()) std::printf("game folder kept for a look: %s\n", root.c_str());
        else RemoveTree(root);
    }
    for (const char *name : {"DISPLAY", "CW_TEST_AUDIODRIVER", "SDL_DISKAUDIOFILE"}) unsetenv(name);
}

void GameTest::MakeGameFolder()
{
    folder = MakeTempFolder() + "/game";
    mkdir(folder.c_str(), 0755);
    RunTool({"cp", CW_GAME_EXECUTABLE, FilePath("cratewright")});
    ASSERT_EQ(access(FilePath("cratewright").c_str(), X_OK), 0) << "cannot copy " << CW_GAME_EXECUTABLE;
}

void GameTest::StartDisplay(int width, int height)
{
    if (folder.empty()) MakeGameFolder();
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    for (int i = 0, start = getpid() % DisplayRange; i < DisplayRange; ++i) {
        const int number = FirstDisplay + (start + i) % DisplayRange;
        const std::string name = ":" + std::to_string(number), lock = "/tmp/.X" + std::to_string(number) + "-lock";
        if (access(lock.c_str(), F_OK) == 0 || access(("/tmp/.X11-unix/X" + std::to_string(number)).c_str(), F_OK) == 0)
            continue;
        pid_t pid = Spawn({"Xvfb", name, "-screen", "0", screen, "-nolisten", "tcp", "-noreset"}, besideFolder("xvfb.log"));
        // Ours is up when the lock names it and it takes connections; it
        // ends at once when another server took the number first.
        for (long long end = nowMs() + 5000; nowMs() < end && !reap(pid, 0, nullptr); waitMs(20)) {
            if (std::atoi(ReadTextFile(lock).c_str()) != pid) continue;
            if (Display *d = openDisplay(name)) {
                XCloseDisplay(d);
                serverPid = pid, display = name, screenWidth = width, screenHeight = height;
                setenv("DISPLAY", name.c_str(), 1);
                return;
            }
        }
        killGroup(pid);
    }
    FAIL() << "no Xvfb could be started on :70 to :99 (is the xvfb package installed?)";
}

void GameTest::StopDisplay()
{
    killGroup(serverPid, SIGTERM);
    serverPid = 0;
}

void GameTest::StartGame() { StartGame({FilePath("cratewright")}); }

void GameTest::StartGame(const std::vector<std::string> &argv) { gamePid = Spawn(argv, besideFolder("game.log")); }

int GameTest::WaitExit(int timeoutMs)
{
    if (gamePid > 0 && reap(gamePid, timeoutMs, &gameStatus)) gamePid = 0;
    return gamePid > 0 ? -1 : gameStatus;
}

// By the folder's parent, not through "..": the folder may not exist yet when
// the game is started by a command that makes it.
std::string GameTest::besideFolder(const std::string &name) const
{
    return folder.substr(0, folder.rfind('/')) + "/" + name;
}

std::string GameTest::GameLog() const { return ReadTextFile(besideFolder("game.log")); }

std::vector<WindowBox> GameTest::WindowsTitled(const std::string &title) const
{
    std::vector<WindowBox> found;
    Display *d = openDisplay(display);
    if (!d) return found;
    Window root = DefaultRootWindow(d), parent, *children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(d, root, &root, &parent, &children, &count))
        for (unsigned int i = 0; i < count; ++i) {
            XWindowAttributes a;
            if (XGetWindowAttributes(d, children[i], &a) && a.map_state == IsViewable && titled(d, children[i], title))
                found.push_back({children[i], a.x, a.y, a.width, a.height});
        }
    if (children) XFree(children);
    XCloseDisplay(d);
    return found;
}

WindowBox GameTest::WaitWindow(const std::string &title, int timeoutMs)
{
    for (long long end = nowMs() + timeoutMs; nowMs() < end; waitMs(PollMs)) {
        std::vector<WindowBox> boxes = WindowsTitled(title);
        if (boxes.empty()) continue;
        if (title == "Cratewright") game = boxes.back();
        return boxes.back();
    }
    return WindowBox{};
}

void GameTest::DismissBox(const WindowBox &box)
{
    Xdotool({"mousemove", std::to_string(box.x + box.width / 2), std::to_string(box.y + box.height / 2)});
    Xdotool({"windowfocus", std::to_string(box.id)});
    Key("Return");
}

void GameTest::SendWindowClose(unsigned long window) const
{
    Display *d = openDisplay(display);
    ASSERT_NE(d, nullptr);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = XInternAtom(d, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(d, window, False, NoEventMask, &event);
    XSync(d, False);
    XCloseDisplay(d);
}

Screenshot GameTest::Shot() const
{
    Screenshot shot;
    const std::string raw = RunTool({"sh", "-c", "xwd -root -silent 2>/dev/null | /usr/bin/convert xwd:- -depth 8 rgb:- 2>/dev/null"});
    if (raw.size() == static_cast<size_t>(screenWidth) * screenHeight * 3)
        shot.width = screenWidth, shot.height = screenHeight, shot.rgb.assign(raw.begin(), raw.end());
    return shot;
}

bool GameTest::WaitScreen(const std::function<bool(const Screenshot &)> &test, int timeoutMs)
{
    for (long long end = nowMs() + timeoutMs; nowMs() < end; waitMs(PollMs)) {
        lastShot = Shot();
        if (!lastShot.rgb.empty() && test(lastShot)) return true;
    }
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
    std::vector<std::string> args = {"key", "--delay", "40"};
    std::istringstream names(keys);
    for (std::string name; names >> name;) args.push_back(name);
    Xdotool(args);
}

void GameTest::Tap(int x, int y, int button)
{
    Xdotool({"mousemove", std::to_string(game.x + x), std::to_string(game.y + y), "click", std::to_string(button)});
}
