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

// Shared by the commands.
bool readWholeFile(const std::string &path, std::string &text);
// Levels from a text collection or from one .Map file; boards, when given,
// receives how many levels the text holds, refused ones included.
bool readLevels(const std::string &path, std::vector<struct Puzzle> &levels, std::string &err, int *boards = nullptr);
