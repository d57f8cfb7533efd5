// The toolkit's road into the game itself: levels are read with the game's
// own LoadLevel and played with its own move rules, never with a copy.
#pragma once

#include "tools/levelkit/levels/map_writer.h"
#include "tools/levelkit/levels/puzzle.h"

#include <string>

// One move letter and what the game does with it. The text is turned on the
// board so that text directions are the screen's: the left key runs MoveUp.
struct LetterMove {
    char letter;      // lower case; the capital is the same move with a push
    void (*move)();
    char digit;       // the keypad digit that runs it
    const char *key;  // the direction key that runs it
    int screenX, screenY;  // where the keeper goes on the screen
};
extern const LetterMove LetterMoves[4];
const LetterMove *letterMove(char letter);

// The digits of the game's keys for a move string (4 left, 6 right, 2 up, 8 down).
std::string keysFor(const std::string &moves);

// Loads a .Map file through the game's loader; false with the reason when the
// loader refuses it.
bool loadMapFile(const std::string &path, std::string &why);
// The loaded level back in the text notation; false when it cannot be one.
bool puzzleFromGame(Puzzle &p, std::string &why);
// What the camera has to show in the loaded level.
BoardGeometry geometryFromGame();
// The solved test's count: sites minus pieces on sites, the keeper included.
int uncoveredCount();
