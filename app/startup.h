// Start-up: the window, the one-time initialisation and the GLUT main loop.
#pragma once

// 1 when InitGame fails, 0 if the main loop ever returns.
int GameMain(int argc, char **argv);
bool InitGame();
