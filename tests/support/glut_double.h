// The tests' stand-in for the GLUT window calls the game makes: it counts
// redisplay requests and swaps, and records what start-up asked for.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct GlutRecord {
    int redisplays = 0;
    int swaps = 0;
    int displayMode = -1;
    int windowWidth = -1, windowHeight = -1;
    std::string windowTitle;
    std::vector<std::string> calls;  // registrations and loop entry, in order
    // The callbacks start-up registered, so a test can call them as GLUT would.
    void (*display)() = nullptr;
    void (*reshape)(int, int) = nullptr;
    void (*keyboard)(unsigned char, int, int) = nullptr;
    void (*mouse)(int, int, int, int) = nullptr;
    void (*special)(int, int, int) = nullptr;
    void (*idle)() = nullptr;
};

extern GlutRecord glutRecord;

// What glutCreateWindow does besides recording, e.g. making a GL context
// current. Cleared by ResetGlutDouble.
extern std::function<void()> glutCreateWindowAction;

void ResetGlutDouble();
