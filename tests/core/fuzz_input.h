// The fuzzers' game folder: one temporary folder (on tmpfs where there is
// one, since inputs are written hundreds of thousands of times), removed at exit.
#pragma once

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

// Writes the input as a new file (emptying the old one makes ext4 flush it on
// close) and gives the game a fresh state pointed at the folder.
static std::string fuzzInputFile(const char *name, const uint8_t *data, size_t size)
{
    if (!fuzzFolderName[0]) {
        struct stat info;
        if (stat("/dev/shm", &info) == 0 && S_ISDIR(info.st_mode)) setenv("TMPDIR", "/dev/shm", 1);
        std::snprintf(fuzzFolderName, sizeof fuzzFolderName, "%s", MakeTempFolder().c_str());
        std::atexit(removeFuzzFolder);
    }
    const std::string path = std::string(fuzzFolderName) + "/" + name;
    std::remove(path.c_str());
    FILE *file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    ResetGameState();
    ResetPlatformDouble();
    SetGameFolder(fuzzFolderName);
    return path;
}
