// The few lines levelkit play prints about each step: what was imported and
// refused, solved and proven, what check found, where the game starts.
#pragma once

#include "tools/levelkit/commands/steps.h"

#include <chrono>
#include <string>
#include <vector>

struct SolveTally {
    int solved = 0, proven = 0;  // proven: the fewest pushes
    int kept = 0;                // solutions an earlier run found for the same boards
    double cpuSeconds = 0, seconds = 0;
    std::vector<std::string> unsolved;  // "Level7.Map (level 9 (Title)): timeout"
};

double secondsSince(std::chrono::steady_clock::time_point start);

// next: the command that plays the levels past the game's last number.
void printImport(int boards, const ImportReport &report, double seconds, const std::string &next);
// retry: the command that gives the unsolved levels more time.
void printSolve(double secondsALevel, int levels, const SolveTally &tally, const std::string &retry);
void printCheck(const std::vector<CheckedFile> &files, double seconds);
void printStart(const std::string &dir, bool again, int level, double seconds);
