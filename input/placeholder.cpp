// Placeholder until keys and stylus land.
#include "input/actions.h"
#include "input/keys.h"
#include "input/stylus.h"

#include <cstdlib>

void AdvanceLevel() {}
void RestartLevel() {}
void ToggleSound() {}
void QuitGame() { std::exit(0); }
void keyboard(unsigned char, int, int) {}
void special(int, int, int) {}
void mouse(int, int, int, int) {}
void SkipLevel() {}
