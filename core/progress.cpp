// The progress file "config.ini": three "%d" lines, the kept value, the level
// to play and the sound switch.
#include "core/progress.h"

#include "app/platform.h"
#include "core/paths.h"
#include "core/state.h"

#include <cstdio>
#include <initializer_list>

static const char ProgressFileName[] = "config.ini";
static const char ProgressTempName[] = "config.ini.tmp";

bool ReadProgressFile()
{
    char path[PathCapacity];
    FILE *file = BuildAppDirectory() && DataFilePath(ProgressFileName, path) ? OpenFile(path, "r") : nullptr;
    if (!file) {
        ShowMessageBox("File config.ini cant be opened", "Error");
        return false;
    }
    // Kept: the reads are not tested. A value missing from a short file keeps
    // its start value 0, so an empty file starts level 0 with sound off.
    for (int32_t *value : {&keptValue, &currentLevel, &soundOn}) (void)std::fscanf(file, "%d\n", value);
    CloseFile(file);
    return true;
}

static bool writeProgressLines(FILE *file)
{
    // Only the low byte of soundOn is the switch: 257 is written back as 1.
    const int values[] = {keptValue, currentLevel, static_cast<uint8_t>(soundOn)};
    for (int value : values)
        if (std::fprintf(file, "%d\n", value) < 0) return false;
    return true;
}

// Writes the three lines beside config.ini and renames them over it, so a
// write that fails half way leaves the old file whole.
static bool replaceProgressFile()
{
    char path[PathCapacity], tempPath[PathCapacity];
    if (!BuildAppDirectory() || !DataFilePath(ProgressFileName, path) || !DataFilePath(ProgressTempName, tempPath))
        return false;
    // Opening for appending tests that config.ini may be written without
    // emptying it; like the original's "w" it creates a missing file.
    FILE *probe = OpenFile(path, "a");
    if (!probe) return false;
    CloseFile(probe);
    FILE *file = OpenFile(tempPath, "w");
    if (!file) return false;
    if (!writeProgressLines(file)) {
        CloseFile(file);
        std::remove(tempPath);
        return false;
    }
    return ReplaceFile(file, tempPath, path);
}

void WriteProgressFile()
{
    if (!replaceProgressFile()) ShowMessageBox("Config.ini file cant be opened", "Error");
}
