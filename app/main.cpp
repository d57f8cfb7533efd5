// Process entry: one instance at a time, then the game.
#include "app/desktop.h"
#include "app/startup.h"

int main(int argc, char **argv)
{
    // A second start only brings the running game to the front.
    if (RaiseRunningInstance()) return 0;
    return GameMain(argc, argv);
}
