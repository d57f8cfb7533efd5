// The game's window on an X11 desktop. freeglut keeps its X connection and
// window to itself, so this file opens a connection of its own, finds the game
// window by its title (and _NET_WM_PID where a window manager lets freeglut set
// it) and works on it from outside. x11_events.cpp waits on freeglut's
// connection and watches the window's life.
#include "app/desktop.h"

#include "app/platform.h"
#include "app/x11_events.h"
#include "input/actions.h"

#include <GL/freeglut.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

struct ScreenSizeRow {
    int width, height;
};

// Hand-held panels the pictures and tap regions are laid out for: an X screen
// of exactly one of these sizes is the device screen, used whole.
const ScreenSizeRow PanelSizes[] = {
    // width  height
    {240, 320},
    {320, 240},
    {480, 640},
    {640, 480},
    {240, 240},
    {480, 480},
};

// On any other display the game shows an emulated portrait device screen: the
// large one where it fits with room left for panels and a title bar.
const ScreenSizeRow LargeEmulatedScreen = {480, 640};
const ScreenSizeRow SmallEmulatedScreen = {240, 320};
constexpr int DesktopMarginX = 32;
constexpr int DesktopMarginY = 96;

const char GameTitle[] = "Cratewright";
// The running game owns this selection; a second start finds its owner.
const char RunningClaim[] = "_CRATEWRIGHT_RUNNING";
const char NoDisplayText[] =
    "Cratewright needs a graphical display and none could be opened. "
    "Start it from a desktop session.";
const char NoDisplayTitle[] = "Error";

// _NET_WM_STATE and _NET_ACTIVE_WINDOW message values (EWMH).
constexpr long NetWmStateAdd = 1;
constexpr long SourceApplication = 1;
// _MOTIF_WM_HINTS: flags, functions, decorations, input mode, status.
constexpr long MotifDecorationsFlag = 2;
constexpr int MotifHintsLength = 5;
// Top-level windows sit under root, or under a window manager's frame or two.
constexpr int SearchDepth = 4;

}  // namespace

// The connection lives as long as the process: the claim on the selection is
// released by the server when it closes.
static Display *desktop = nullptr;
static Window claimHolder = None;  // holds the claim until the game window exists
static ScreenSizeRow gameScreen = {0, 0};
static bool wholeScreen = false;
static bool processEnding = false;

static Display *openDesktop()
{
    if (desktop) return desktop;
    desktop = __real_XOpenDisplay(nullptr);
    if (desktop) HandleXErrors(desktop);
    return desktop;
}

static Atom atom(const char *name) { return XInternAtom(desktop, name, False); }

static bool readCardinal(Window window, const char *property, long *value)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    bool found = XGetWindowProperty(desktop, window, atom(property), 0, 1, False, AnyPropertyType,
                                    &type, &format, &count, &after, &data) == Success &&
                 data && count == 1 && format == 32;
    if (found) *value = *reinterpret_cast<long *>(data);
    if (data) XFree(data);
    return found;
}

// An EWMH window manager names its check window on the root.
static bool windowManagerRuns()
{
    long check = 0;
    return readCardinal(DefaultRootWindow(desktop), "_NET_SUPPORTING_WM_CHECK", &check) && check;
}

static bool isGameWindow(Window window)
{
    char *name = nullptr;
    bool titled = XFetchName(desktop, window, &name) && name && std::strcmp(name, GameTitle) == 0;
    if (name) XFree(name);
    if (!titled) return false;
    long pid = 0;
    return !readCardinal(window, "_NET_WM_PID", &pid) || pid == static_cast<long>(getpid());
}

// The topmost window titled "Cratewright" that is not another process's.
static Window findGameWindow(Window parent, int depth)
{
    Window root, parentOut, *children = nullptr, found = None;
    unsigned int count = 0;
    if (!XQueryTree(desktop, parent, &root, &parentOut, &children, &count)) return None;
    for (unsigned int i = count; i-- > 0 && found == None;) {
        if (isGameWindow(children[i])) found = children[i];
        else if (depth > 1) found = findGameWindow(children[i], depth - 1);
    }
    if (children) XFree(children);
    return found;
}

static void sendToRoot(Window window, const char *message, long l0, long l1, long l2)
{
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = atom(message);
    event.xclient.format = 32;
    event.xclient.data.l[0] = l0;
    event.xclient.data.l[1] = l1;
    event.xclient.data.l[2] = l2;
    XSendEvent(desktop, DefaultRootWindow(desktop), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
}

static void raiseWindow(Window window)
{
    XRaiseWindow(desktop, window);
    if (windowManagerRuns()) sendToRoot(window, "_NET_ACTIVE_WINDOW", SourceApplication, CurrentTime, 0);
    XSync(desktop, False);
}

static ScreenSizeRow chooseGameScreen(int width, int height, bool *whole)
{
    for (const ScreenSizeRow &panel : PanelSizes)
        if (panel.width == width && panel.height == height) {
            *whole = true;
            return panel;
        }
    *whole = false;
    bool roomy = width >= LargeEmulatedScreen.width + DesktopMarginX &&
                 height >= LargeEmulatedScreen.height + DesktopMarginY;
    return roomy ? LargeEmulatedScreen : SmallEmulatedScreen;
}

static int centred(int desktopSize, int windowSize) { return (desktopSize - windowSize) / 2; }

static void measureDesktop()
{
    int screen = DefaultScreen(desktop);
    gameScreen = chooseGameScreen(DisplayWidth(desktop, screen), DisplayHeight(desktop, screen), &wholeScreen);
}

void DesktopScreenSize(int *width, int *height)
{
    if (!openDesktop()) {
        // No display, so no message box either: the seam falls back to stderr.
        ShowMessageBox(NoDisplayText, NoDisplayTitle);
        EndProcess(1);
    }
    measureDesktop();
    int screen = DefaultScreen(desktop);
    *width = gameScreen.width;
    *height = gameScreen.height;
    // The window is made in its place, so it is never seen anywhere else.
    glutInitWindowPosition(wholeScreen ? 0 : centred(DisplayWidth(desktop, screen), gameScreen.width),
                           wholeScreen ? 0 : centred(DisplayHeight(desktop, screen), gameScreen.height));
}

bool RaiseRunningInstance()
{
    // Without a display nothing can run; DesktopScreenSize tells the player.
    if (!openDesktop()) return false;
    Atom claim = atom(RunningClaim);
    // Test and take the claim in one step, so two starts at once cannot both win.
    XGrabServer(desktop);
    Window owner = XGetSelectionOwner(desktop, claim);
    if (owner == None) {
        claimHolder = XCreateWindow(desktop, DefaultRootWindow(desktop), 0, 0, 1, 1, 0, 0, InputOnly,
                                    CopyFromParent, 0, nullptr);
        XSetSelectionOwner(desktop, claim, claimHolder, CurrentTime);
    }
    XUngrabServer(desktop);
    XSync(desktop, False);
    if (owner == None) return false;
    raiseWindow(owner);
    XCloseDisplay(desktop);
    desktop = nullptr;
    return true;
}

static void setSizeHints(Window window, int x, int y)
{
    XSizeHints hints{};
    hints.flags = USPosition | USSize | PMinSize | PMaxSize;
    hints.x = x;
    hints.y = y;
    hints.width = hints.min_width = hints.max_width = gameScreen.width;
    hints.height = hints.min_height = hints.max_height = gameScreen.height;
    XSetWMNormalHints(desktop, window, &hints);
}

// A hand-held screen: the window is the whole screen, undecorated, at (0, 0).
// Without a window manager an unplaced window sits at (-1, -1), which would put
// every tap one pixel off.
static void placeOnWholeScreen(Window window)
{
    long motif[MotifHintsLength] = {MotifDecorationsFlag, 0, 0, 0, 0};
    Atom motifHints = atom("_MOTIF_WM_HINTS");
    XChangeProperty(desktop, window, motifHints, motifHints, 32, PropModeReplace,
                    reinterpret_cast<unsigned char *>(motif), MotifHintsLength);
    setSizeHints(window, 0, 0);
    XMoveResizeWindow(desktop, window, 0, 0, gameScreen.width, gameScreen.height);
    if (windowManagerRuns())
        sendToRoot(window, "_NET_WM_STATE", NetWmStateAdd, atom("_NET_WM_STATE_FULLSCREEN"), 0);
}

// An emulated screen: a window of fixed size in the middle of the desktop.
static void placeAsDeviceScreen(Window window)
{
    int screen = DefaultScreen(desktop);
    int x = centred(DisplayWidth(desktop, screen), gameScreen.width);
    int y = centred(DisplayHeight(desktop, screen), gameScreen.height);
    setSizeHints(window, x, y);
    XMoveWindow(desktop, window, x, y);
}

// freeglut calls the close callback for every window it destroys, also from
// its own exit handler; only a close that comes from the desktop quits.
static void markProcessEnding() { processEnding = true; }

static void windowClosed()
{
    if (processEnding) return;
    QuitGame();
}

void PrepareGameWindow()
{
    // Registered after glutInit's own exit handler, so it runs before it.
    static bool exitHandlerSet = false;
    if (!exitHandlerSet) exitHandlerSet = std::atexit(markProcessEnding) == 0;
    glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_CONTINUE_EXECUTION);
    glutCloseFunc(windowClosed);

    if (!openDesktop()) return;
    if (gameScreen.width == 0) measureDesktop();
    Window window = findGameWindow(DefaultRootWindow(desktop), SearchDepth);
    if (window == None) return;
    if (wholeScreen) placeOnWholeScreen(window);
    else placeAsDeviceScreen(window);
    WatchGameWindow(window);
    // The game window takes over the claim, so a second start raises it.
    XSetSelectionOwner(desktop, atom(RunningClaim), window, CurrentTime);
    if (claimHolder != None) {
        XDestroyWindow(desktop, claimHolder);
        claimHolder = None;
    }
    XSync(desktop, False);
}
