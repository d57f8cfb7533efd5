// Inside the X11 desktop code: what desktop_x11.cpp hands to the waiting and
// the watch over the window's life (x11_events.cpp).
#pragma once

#include <X11/Xlib.h>

// The game links with --wrap=XOpenDisplay so that freeglut's connection is
// known; the game's own connection opens through the real call.
extern "C" Display *__real_XOpenDisplay(const char *name);

// The game's own connection, opened before glutInit: errors on it are
// ignored, and the handlers for X errors and a lost server are set once.
void HandleXErrors(Display *own);
// From now on the game ends, saving as a close does, when another client
// destroys this window (freeglut overlooks that).
void WatchGameWindow(Window window);
