// How the set is put together from the pool of generated levels: the hard end
// first, each section with what its levels must reach, every section easier
// than the one after it, and a report of what came out.
#pragma once

#include "tools/levelkit/generator/generator.h"

#include <string>
#include <vector>

// The set: the lesson first, then levels of the pool chosen section by
// section, easiest first. A section short of levels that reach its marks is
// filled with the hardest others, and the report says so.
std::vector<GeneratedLevel> chooseSet(const GeneratedLevel &lesson, std::vector<GeneratedLevel> pool, int count);

// Per ten levels the medians and maxima of the figures, the levels short of
// their section's marks, whether the climb is steady, and the room outlines.
std::string setReport(const std::vector<GeneratedLevel> &set);
