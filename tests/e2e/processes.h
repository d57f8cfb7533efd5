// Programs the end-to-end tests start: the game, Xvfb and the X tools.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

long long nowMs();
void waitMs(int ms);
bool fileExists(const std::string &path);

// Starts a program in a process group of its own, stdout and stderr to log,
// in workDir when one is given. It dies with the test process.
pid_t Spawn(const std::vector<std::string> &argv, const std::string &workDir, const std::string &log);
// Runs a program to its end (at most timeoutMs), its stdout returned; status
// is its exit code, 128 + signal if it was killed, -1 after a time-out.
std::string RunTool(const std::vector<std::string> &argv, int *status = nullptr, int timeoutMs = 10000);
// Waits for a child to end; false when it still runs after timeoutMs.
bool reap(pid_t pid, int timeoutMs, int *status);
void stopGroup(pid_t pid, int signal);
