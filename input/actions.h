// The actions that keys and taps share.
#pragma once

void AdvanceLevel();
void RestartLevel();
void ToggleSound();
[[noreturn]] void QuitGame();
