// The two sound cues: looping music and the once-per-level completion sound.
#pragma once

// Step 3 of every frame: starts the sounds that are due.
void playSoundCues();
