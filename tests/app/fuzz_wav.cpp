// Any bytes as a sound file: AudioPlay either plays them or says false, and
// never reads or writes outside what SDL gave it.
#include "app/audio.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::string path = [] {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        return "/tmp/cratewright-fuzz-wav-" + std::to_string(getpid()) + ".wav";
    }();
    FILE *file = std::fopen(path.c_str(), "wb");
    if (!file) return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    AudioPlay(path.c_str(), size % 2 == 0);
    AudioLookForDevice();
    AudioStop(size % 3 == 0);
    std::remove(path.c_str());
    return 0;
}
