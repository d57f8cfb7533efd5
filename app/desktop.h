// What the game expects of its window on a desktop: the screen it lays itself
// out for, one running instance, and a window that closes like a quit.
// docs/desktop.md tells how each is had from X11 and freeglut.
#pragma once

// The device screen size the game uses, decided once before glutInit. An X
// screen of one of the hand-held sizes is used whole; any other display gets an
// emulated 480 x 640 screen when it has room for one, else 240 x 320. Without
// any display the player is told so and the process ends with status 1.
void DesktopScreenSize(int *width, int *height);
// True when another Cratewright runs on the same display; its window has been
// raised and nothing else was touched. False lets this start go on, and from
// then on this process holds the claim that later starts find.
bool RaiseRunningInstance();
// Called right after glutCreateWindow: placement (whole screen at (0, 0), or a
// fixed-size emulated screen), the claim moved to the game window, and closing
// the window made to quit the way the game's quit does.
void PrepareGameWindow();
// Returns when an event for the game window is pending on freeglut's
// connection, or after timeoutMicroseconds (never, when negative).
void WaitForGameEvent(long timeoutMicroseconds);
