// libFuzzer: any file at all through the bitmap loader. A picture it hands
// back must hold every byte glTexImage2D will read.
#include "assets/bitmap.h"
#include "tests/core/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzInputFile("Fuzz.tex", data, size);
    BitmapInfo info{};
    uint8_t *pixels = LoadBitmap("Fuzz.tex", info);
    if (!pixels) return 0;
    const uint64_t uploaded = BitmapRowBytes(info.width) * uint64_t(info.height);
    if (info.imageSize < uploaded) std::abort();
    volatile uint8_t last = pixels[uploaded - 1];  // the sanitizer sees any overrun
    (void)last;
    std::free(pixels);
    return 0;
}
