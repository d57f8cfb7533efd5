// Placeholder until the sound cues land.
#include "assets/sound_cues.h"

void playSoundCues() {}
