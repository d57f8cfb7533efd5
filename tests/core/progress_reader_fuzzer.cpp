// Feeds any bytes to the progress reader as config.ini, then writes the file
// back: the round trip must always give three decimal lines.
#include "core/progress.h"
#include "core/state.h"
#include "tests/support/platform_double.h"
#include "tests/support/test_files.h"

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>

// Kept as plain text so that it outlives the string destructors at exit.
static char fuzzFolderName[PATH_MAX];

static void removeFuzzFolder() { RemoveTree(fuzzFolderName); }

// The inputs are written and read back hundreds of thousands of times: keep
// them in memory where the system offers a tmpfs.
static std::string fuzzFolder()
{
    if (!fuzzFolderName[0]) {
        struct stat info;
        if (stat("/dev/shm", &info) == 0 && S_ISDIR(info.st_mode)) setenv("TMPDIR", "/dev/shm", 1);
        std::snprintf(fuzzFolderName, sizeof fuzzFolderName, "%s", MakeTempFolder().c_str());
        std::atexit(removeFuzzFolder);
    }
    return fuzzFolderName;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string folder = fuzzFolder();
    const std::string path = folder + "/config.ini";
    // A new file each time: emptying the old one makes ext4 flush it on close.
    std::remove(path.c_str());
    FILE *file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    ResetGameState();
    ResetPlatformDouble();
    SetGameFolder(folder);
    if (!ReadProgressFile()) std::abort();
    const int32_t kept = keptValue, level = currentLevel, sound = soundOn & 0xFF;
    WriteProgressFile();
    if (!platformRecord.messages.empty()) std::abort();
    ResetGameState();
    if (!ReadProgressFile() || keptValue != kept || currentLevel != level || soundOn != sound) std::abort();
    return 0;
}
