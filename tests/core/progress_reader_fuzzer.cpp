// Feeds any bytes to the progress reader as config.ini, then writes the file
// back: the round trip must always give the same three values.
#include "core/progress.h"
#include "tests/core/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzInputFile("config.ini", data, size);
    if (!ReadProgressFile()) std::abort();
    const int32_t kept = keptValue, level = currentLevel, sound = soundOn & 0xFF;
    WriteProgressFile();
    if (!platformRecord.messages.empty()) std::abort();
    ResetGameState();
    if (!ReadProgressFile() || keptValue != kept || currentLevel != level || soundOn != sound) std::abort();
    return 0;
}
