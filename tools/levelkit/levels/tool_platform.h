// The tool's side of the platform seam: the game's loader looks for its files
// beside the executable, so the tool says which folder that is.
#pragma once

#include <string>

// Thrown by EndProcess so that a refused level ends one check, not the tool.
struct ToolExit {
    int status;
};

// The folder the loader reads; the "executable" is said to live there.
void pointToolAt(const std::string &folder);
