// The main loop's wait on freeglut's X connection, and the window's life as
// seen from outside freeglut: a window that another client destroys, a server
// (or a connection) that goes away, and the X errors that follow them.
#include "app/x11_events.h"

#include "app/desktop.h"
#include "core/progress.h"
#include "input/actions.h"

#include <X11/extensions/XI2.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <poll.h>

namespace {

using Clock = std::chrono::steady_clock;

// What ends a paced wait (the level-complete screen's) before its frame is
// due: the player's keys and taps, and the window's end. Pointer motion,
// exposes, focus and the rest wait for that frame, which comes anyway.
// freeglut takes the pointer through XInput 2, whose events arrive as generic
// events of the extension; without it they would be the core ones.
struct WakingEvent {
    int type;
    int inputType;  // for GenericEvent: XInput 2's event type
};
const WakingEvent WakingEvents[] = {
    // X event type   XInput 2 type
    {KeyPress,        0},                 // a key, a held key's repeats included
    {ButtonPress,     0},                 // a tap
    {ButtonRelease,   0},                 // a lift, which goes on from the level-complete screen too
    {GenericEvent,    XI_ButtonPress},    // a tap, through XInput 2
    {GenericEvent,    XI_ButtonRelease},  // a lift, through XInput 2
    {ClientMessage,   0},                 // the window manager's close (WM_DELETE_WINDOW)
    {DestroyNotify,   0},                 // the window destroyed from outside
};

constexpr long MicrosecondsPerSecond = 1000000;
constexpr long NanosecondsPerMicrosecond = 1000;

}  // namespace

static Display *glutConnection = nullptr;  // freeglut's: the game's events arrive there
static Display *ownConnection = nullptr;   // desktop_x11.cpp's
static Window gameWindow = None;
// Set once the game window no longer exists; freeglut goes on naming it.
static bool windowGone = false;
static XErrorHandler previousErrorHandler = nullptr;

// The game links with --wrap=XOpenDisplay, so every connection opened outside
// desktop_x11.cpp (there is one: freeglut's, in glutInit) passes here.
// freeglut has no call that names it.
extern "C" Display *__wrap_XOpenDisplay(const char *name)
{
    Display *display = __real_XOpenDisplay(name);
    if (display) glutConnection = display;
    return display;
}

static int onXError(Display *display, XErrorEvent *error)
{
    // Windows of other programs can vanish while they are looked at.
    if (display == ownConnection) return 0;
    // Once the game window is gone, freeglut (a swap, its exit handler's
    // destroy) and EGL still name it: no reason to end with status 1, as
    // Xlib's own handler would, while the game ends the way a close does.
    const bool gameWindowBad = gameWindow != None && error->resourceid == gameWindow &&
                               (error->error_code == BadWindow || error->error_code == BadDrawable);
    if (gameWindowBad) windowGone = true;
    if (windowGone) return 0;
    return previousErrorHandler ? previousErrorHandler(display, error) : 0;
}

// The server went away, or closed the game's connection (xkill). No X call
// may follow, and freeglut's exit handler makes them, as Xlib's default
// handler would by exiting: the progress is saved, as a close saves it, and
// the process ends at once, status 0. The textures go with the context and
// the sound with the process.
static int onConnectionLost(Display *)
{
    static bool saved = false;  // a box about a failed save may lose its connection too
    if (!saved) {
        saved = true;
        WriteProgressFile();
    }
    std::fflush(nullptr);
    std::_Exit(0);
}

void HandleXErrors(Display *own)
{
    ownConnection = own;
    static bool handlersSet = false;
    if (handlersSet) return;
    previousErrorHandler = XSetErrorHandler(onXError);
    XSetIOErrorHandler(onConnectionLost);
    handlersSet = true;
}

void WatchGameWindow(Window window)
{
    gameWindow = window;
    // freeglut hears of the window's destruction too, but ignores it.
    XSelectInput(ownConnection, window, StructureNotifyMask);
}

// Looks through Xlib's queue, after reading what the socket holds, and takes
// nothing out: freeglut's next turn handles every event in its order.
static int inputOpcode = -1;  // XInput's major opcode on freeglut's connection

static Bool noteWakingEvent(Display *, XEvent *event, XPointer found)
{
    for (const WakingEvent &waking : WakingEvents)
        if (event->type == waking.type &&
            (waking.type != GenericEvent ||
             (event->xcookie.extension == inputOpcode && event->xcookie.evtype == waking.inputType)))
            *reinterpret_cast<bool *>(found) = true;
    return False;
}

static bool wakingEventQueued()
{
    if (inputOpcode < 0) {
        int firstEvent = 0, firstError = 0;
        if (!XQueryExtension(glutConnection, "XInputExtension", &inputOpcode, &firstEvent, &firstError))
            inputOpcode = 0;  // no extension: only core events come
    }
    bool found = false;
    XEvent unused;
    XCheckIfEvent(glutConnection, &unused, noteWakingEvent, reinterpret_cast<XPointer>(&found));
    return found;
}

// The game's own connection hears of the window's end; its other events
// (the window's moves and maps) mean nothing here.
static void readOwnEvents()
{
    while (ownConnection && XPending(ownConnection) > 0) {
        XEvent event;
        XNextEvent(ownConnection, &event);
        if (event.type == DestroyNotify && event.xdestroywindow.window == gameWindow) windowGone = true;
    }
}

void WaitForGameEvent(long timeoutMicroseconds)
{
    if (!glutConnection) return;
    const bool paced = timeoutMicroseconds >= 0;
    const Clock::time_point due = Clock::now() + std::chrono::microseconds(paced ? timeoutMicroseconds : 0);
    for (;;) {
        readOwnEvents();
        if (windowGone) QuitGame();  // saves and ends, as closing the window does
        // Xlib may already hold events it read along with a reply (during a
        // swap); those never show on the socket again. A still screen wakes
        // for any of them, a paced one only for those that act.
        if (paced ? wakingEventQueued() : XPending(glutConnection) > 0) return;
        long left = -1;
        if (paced) {
            left = std::chrono::duration_cast<std::chrono::microseconds>(due - Clock::now()).count();
            if (left <= 0) return;
        }
        pollfd sockets[] = {{ConnectionNumber(glutConnection), POLLIN, 0},
                            {ownConnection ? ConnectionNumber(ownConnection) : -1, POLLIN, 0}};
        timespec limit{left / MicrosecondsPerSecond, left % MicrosecondsPerSecond * NanosecondsPerMicrosecond};
        // A signal ends the wait early; the main loop turns once and waits again.
        if (ppoll(sockets, 2, paced ? &limit : nullptr, nullptr) < 0) return;
    }
}
