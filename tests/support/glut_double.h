// The tests' stand-in for the GLUT window calls the game makes: it counts
// redisplay requests and swaps, and records what start-up asked for.
#pragma once

#include <string>
#include <vector>

struct GlutRecord {
    int redisplays = 0;
    int swaps = 0;
    int displayMode = -1;
    int windowWidth = -1, windowHeight = -1;
    std::string windowTitle;
    std::vector<std::string> calls;  // registrations and loop entry, in order
};

extern GlutRecord glutRecord;

void ResetGlutDouble();
