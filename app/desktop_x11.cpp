// Placeholder until desktop integration lands.
#include "app/desktop.h"

#include <X11/Xlib.h>

void DesktopScreenSize(int *width, int *height)
{
    *width = *height = 0;
    Display *display = XOpenDisplay(nullptr);
    if (!display) return;
    *width = DisplayWidth(display, DefaultScreen(display));
    *height = DisplayHeight(display, DefaultScreen(display));
    XCloseDisplay(display);
}
bool RaiseRunningInstance() { return false; }
void PrepareGameWindow() {}
