// Placeholder until start-up lands.
#include "app/startup.h"

bool InitGame() { return true; }
int GameMain(int, char **) { return 0; }
