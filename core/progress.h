// The progress file "config.ini": kept value, level to play, sound switch.
#pragma once

// True after reading; false after showing "File config.ini cant be opened".
bool ReadProgressFile();
// Rewrites the file whole: the three lines go to "config.ini.tmp", which then
// replaces config.ini. Shows "Config.ini file cant be opened" when config.ini
// cannot be written (the old file is left as it was) and returns either way.
// A missing config.ini is created.
void WriteProgressFile();
