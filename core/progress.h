// The progress file "config.ini": kept value, level to play, sound switch.
#pragma once

// True after reading; false after showing "File config.ini cant be opened".
bool ReadProgressFile();
// Rewrites the file whole; shows "Config.ini file cant be opened" when it cannot.
void WriteProgressFile();
