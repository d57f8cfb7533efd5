// The tool's commands; each takes its own arguments and returns the exit status.
#pragma once

#include <string>
#include <vector>

typedef std::vector<std::string> Arguments;

int runImport(const Arguments &args);
int runExport(const Arguments &args);
int runSolve(const Arguments &args);
int runCheck(const Arguments &args);
int runGenerate(const Arguments &args);
int runRate(const Arguments &args);
int runPlay(const Arguments &args);

// Shared by the commands.
bool readWholeFile(const std::string &path, std::string &text);
// Levels from a text collection or from one .Map file; boards, when given,
// receives how many levels the text holds, refused ones included; skipped,
// the levels that could not be read and why.
bool readLevels(const std::string &path, std::vector<struct Puzzle> &levels, std::string &err, int *boards = nullptr,
                std::vector<struct SkippedLevel> *skipped = nullptr);
// The same for solve and rate: what is wrong with the text goes to standard
// error; clean is false when anything was.
bool readLevelsSaying(const std::string &path, std::vector<struct Puzzle> &levels, bool &clean);
