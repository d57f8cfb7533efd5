// libFuzzer: any file at all through the bitmap loader. A picture it hands
// back must hold every byte glTexImage2D will read.
#include "assets/bitmap.h"
#include "core/state.h"
#include "tests/support/platform_double.h"
#include "tests/support/test_files.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

static std::string fuzzFolder;

static void removeFuzzFolder() { RemoveTree(fuzzFolder); }

// Every input is a real file: in memory when the system has a memory disk,
// which makes the runs many times faster than on a busy disk.
static const std::string &prepareFolder()
{
    if (fuzzFolder.empty()) {
        if (access("/dev/shm", W_OK) == 0) setenv("TMPDIR", "/dev/shm", 0);
        fuzzFolder = MakeTempFolder();
        SetGameFolder(fuzzFolder);
        std::atexit(removeFuzzFolder);
    }
    return fuzzFolder;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string &dir = prepareFolder();
    const std::string path = dir + "/Fuzz.tex";
    FILE *file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    if (size) std::fwrite(data, 1, size, file);
    std::fclose(file);

    BitmapInfo info{};
    uint8_t *pixels = LoadBitmap("Fuzz.tex", info);
    platformRecord = PlatformRecord{};
    if (!pixels) return 0;
    const uint64_t uploaded = BitmapRowBytes(info.width) * uint64_t(info.height);
    if (info.imageSize < uploaded) std::abort();
    // Touch the last byte GL would read, so the sanitizer sees any overrun.
    volatile uint8_t last = pixels[uploaded - 1];
    (void)last;
    std::free(pixels);
    return 0;
}
