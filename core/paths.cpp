#include "core/paths.h"

#include "app/platform.h"

#include <cstring>

bool BuildAppDirectory()
{
    char executable[PathCapacity];
    AppDirectory[0] = '\0';
    if (!ExecutablePath(executable, sizeof executable)) return false;
    const char *lastSlash = std::strrchr(executable, '/');
    if (!lastSlash) return false;
    // Keep the trailing '/', so that a bare name appended to it is a full path.
    size_t length = static_cast<size_t>(lastSlash - executable) + 1;
    std::memcpy(AppDirectory, executable, length);
    AppDirectory[length] = '\0';
    return true;
}

bool DataFilePath(const char *name, char (&out)[PathCapacity])
{
    size_t directoryLength = std::strlen(AppDirectory);
    size_t nameLength = std::strlen(name);
    out[0] = '\0';
    // A path that does not fit is refused whole: cut short it would name
    // another file.
    if (directoryLength + nameLength + 1 > sizeof out) return false;
    std::memcpy(out, AppDirectory, directoryLength);
    std::memcpy(out + directoryLength, name, nameLength + 1);
    return true;
}
