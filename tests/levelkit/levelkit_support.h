// What the toolkit's tests share: the real tool run on real files, and a level
// put through the game's loader.
#pragma once

#include "tools/levelkit/levels/puzzle.h"

#include <string>

struct ToolRun {
    int status;
    std::string out, err;
};

// Runs the levelkit executable with the arguments (shell words).
ToolRun RunLevelkit(const std::string &arguments);

// The one level of a text, or a failed test.
Puzzle OnePuzzle(const std::string &text);

// Imports the level into dir as Level1.Map and loads it with the game's loader
// (without needCamera a level too large for the view too).
void ImportAndLoad(const Puzzle &p, const std::string &dir, bool needCamera = true);

// Plays the letters through the game's move rules from the loaded level;
// returns the sites left uncovered by the game's count.
int PlayThroughGame(const std::string &moves);

// The level imported into a folder of its own, loaded and played by the
// letters: the sites the game counts uncovered at the end.
int SitesLeftAfter(const Puzzle &p, const std::string &moves, bool needCamera = true);
