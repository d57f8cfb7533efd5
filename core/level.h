// Level files "Level<n>.Map" and the loader that reads them into the game state.
#pragma once

#include <cstdint>

// Loads level n and returns true. A file that cannot be opened or is refused
// shows "This file cant be opened!" titled with levelText, stops the sound and
// ends the program with status 1; it does not return.
bool LoadLevel(int32_t n);
// levelText = decimal n for 1 to 100, otherwise empty.
void LevelNumberText(int32_t n);
