// Every data file lives beside the executable.
#pragma once

#include "core/state.h"

// Sets AppDirectory to the executable's directory with its trailing '/'.
// False when the executable's path cannot be had or does not fit.
bool BuildAppDirectory();
// out = AppDirectory + name. False, with out empty, when the whole path would
// not fit in PathCapacity bytes: a path is never cut into another name.
bool DataFilePath(const char *name, char (&out)[PathCapacity]);
