// Feeds any bytes to the level loader as Level1.Map. A refused file ends in
// ProcessExit; anything else must load within the capacities. After a load,
// the first bytes steer the keeper, so odd but accepted levels (crates on
// walls, two crates in a cell, a keeper on a crate) meet the move rules too.
#include "core/level.h"
#include "core/moves.h"
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
    // A new file each time: emptying the old one makes ext4 flush it on close.
    std::remove((folder + "/Level1.Map").c_str());
    FILE *file = std::fopen((folder + "/Level1.Map").c_str(), "wb");
    if (!file) std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    ResetGameState();
    ResetPlatformDouble();
    SetGameFolder(folder);
    try {
        LoadLevel(1);
    } catch (const ProcessExit &exit) {
        if (exit.status != 1 || platformRecord.messages.size() != 1) std::abort();
        return 0;
    }
    if (pieceCount < 1 || pieceCount > PieceCapacity) std::abort();
    if (boardRows > BoardCapacity || boardCols > BoardCapacity) std::abort();
    void (*const moves[])() = {MoveUp, MoveLeft, MoveRight, MoveDown};
    for (size_t i = 0; i < size && i < 64; ++i) moves[data[i] % 4]();
    if (playerRow < 0 || playerRow >= boardRows || playerCol < 0 || playerCol >= boardCols) std::abort();
    return 0;
}
