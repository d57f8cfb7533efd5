// Placeholder until SDL audio lands.
#include "app/audio.h"

#include <cstdio>

bool AudioPlay(const char *path, bool)
{
    FILE *f = std::fopen(path, "rb");
    if (!f) return false;
    std::fclose(f);
    return true;
}
void AudioStop(bool) {}
