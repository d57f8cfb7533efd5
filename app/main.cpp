// Process entry: one instance at a time, then the game.
#include "app/desktop.h"
#include "app/startup.h"

#include <cstdlib>
#include <cstring>

// freeglut opens the display that -display names (the last one given), but
// the single-instance check and the screen size are read before glutInit, and
// SDL's message boxes open a display of their own: all of these follow
// DISPLAY, so the option sets it for them as well.
static void followDisplayOption(int argc, char **argv)
{
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "-display") == 0) setenv("DISPLAY", argv[++i], 1);
}

int main(int argc, char **argv)
{
    followDisplayOption(argc, argv);
    // A second start only brings the running game to the front.
    if (RaiseRunningInstance()) return 0;
    return GameMain(argc, argv);
}
