// What the game expects of its window on a desktop: the screen it lays itself
// out for, one running instance, and a window that closes like a quit.
#pragma once

// The device screen size the game uses (see README: real panel or emulated).
void DesktopScreenSize(int *width, int *height);
// True when another Cratewright runs; its window has been raised.
bool RaiseRunningInstance();
// Called right after glutCreateWindow: placement, decorations, close handling.
void PrepareGameWindow();
