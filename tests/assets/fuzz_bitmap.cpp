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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (fuzzFolder.empty()) {
        // A memory disk makes the runs many times faster than a busy disk.
        if (access("/dev/shm", W_OK) == 0) setenv("TMPDIR", "/dev/shm", 0);
        fuzzFolder = MakeTempFolder();
        SetGameFolder(fuzzFolder);
        std::atexit(removeFuzzFolder);
    }
    FILE *file = std::fopen((fuzzFolder + "/Fuzz.tex").c_str(), "wb");
    if (!file) std::abort();
    if (size) std::fwrite(data, 1, size, file);
    std::fclose(file);

    BitmapInfo info{};
    uint8_t *pixels = LoadBitmap("Fuzz.tex", info);
    platformRecord = PlatformRecord{};
    if (!pixels) return 0;
    const uint64_t uploaded = BitmapRowBytes(info.width) * uint64_t(info.height);
    if (info.imageSize < uploaded) std::abort();
    volatile uint8_t last = pixels[uploaded - 1];  // the sanitizer sees any overrun
    (void)last;
    std::free(pixels);
    return 0;
}
