// The two sounds parse as plain PCM, SDL takes them as the game's audio does,
// the music loops without a click and the jingle is short and ends in silence.
#include "tests/assetgen/shipped_assets.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

void expectPlainPcm(const Wave &w, const char *name)
{
    EXPECT_EQ(w.format, 1) << name << " is not PCM";
    EXPECT_EQ(w.channels, 1) << name;
    EXPECT_EQ(w.bitsPerSample, 16) << name;
    EXPECT_TRUE(w.sampleRate == 22050 || w.sampleRate == 44100) << name << ": " << w.sampleRate;
    EXPECT_EQ(w.blockAlign, 2) << name;
    EXPECT_EQ(w.byteRate, w.sampleRate * 2) << name;
}

TEST(SoundFiles, BothAreMonoSixteenBitPcmThatSdlLoads)
{
    for (const char *name : {"Menu.wav", "Complete.wav"}) {
        const Wave w = LoadShippedWave(name);
        expectPlainPcm(w, name);
        SDL_AudioSpec loaded;
        Uint8 *buffer = nullptr;
        Uint32 length = 0;
        ASSERT_NE(SDL_LoadWAV((DataFolder() + name).c_str(), &loaded, &buffer, &length), nullptr)
            << name << ": " << SDL_GetError();
        EXPECT_EQ(loaded.format, AUDIO_S16LSB) << name;
        EXPECT_EQ(loaded.channels, 1) << name;
        EXPECT_EQ(length, w.samples.size() * 2) << name;
        SDL_FreeWAV(buffer);
    }
}

// The bound on how sharply a smooth sound bends: a high percentile of the
// second difference |s[i-1] - 2 s[i] + s[i+1]| over the whole file.
double usualBend(const std::vector<int16_t> &s)
{
    std::vector<int> bends;
    for (size_t i = 1; i + 1 < s.size(); ++i) bends.push_back(std::abs(s[i - 1] - 2 * s[i] + s[i + 1]));
    std::sort(bends.begin(), bends.end());
    return bends[bends.size() * 999 / 1000];
}

TEST(SoundFiles, TheMusicLoopsForSomeSecondsWithoutAClick)
{
    const Wave w = LoadShippedWave("Menu.wav");
    const std::vector<int16_t> &s = w.samples;
    ASSERT_GT(s.size(), 1000u);
    const double seconds = double(s.size()) / w.sampleRate;
    EXPECT_GE(seconds, 4.0);
    EXPECT_LE(seconds, 40.0);
    // Across the join the wave bends no more sharply than it usually does.
    const size_t n = s.size();
    const double bound = usualBend(s);
    const int joinBefore = std::abs(s[n - 2] - 2 * s[n - 1] + s[0]);
    const int joinAfter = std::abs(s[n - 1] - 2 * s[0] + s[1]);
    EXPECT_LE(joinBefore, bound) << "last samples " << s[n - 2] << ", " << s[n - 1] << " then " << s[0];
    EXPECT_LE(joinAfter, bound) << "last sample " << s[n - 1] << " then " << s[0] << ", " << s[1];
    // It is music, not silence, and it does not clip.
    double energy = 0;
    int peak = 0;
    for (int16_t v : s) {
        energy += double(v) * v;
        peak = std::max(peak, std::abs(int(v)));
    }
    EXPECT_GT(std::sqrt(energy / n), 800.0);
    EXPECT_LT(peak, 32000);
}

TEST(SoundFiles, TheJingleIsShortAndFadesToSilence)
{
    const Wave w = LoadShippedWave("Complete.wav");
    const std::vector<int16_t> &s = w.samples;
    ASSERT_GT(s.size(), 1000u);
    const double seconds = double(s.size()) / w.sampleRate;
    EXPECT_GE(seconds, 0.5);
    EXPECT_LE(seconds, 4.0);
    EXPECT_LE(std::abs(s.front()), 64) << "it starts with a click";
    EXPECT_LE(std::abs(s.back()), 64) << "it stops with a click";
    int peak = 0;
    for (int16_t v : s) peak = std::max(peak, std::abs(int(v)));
    EXPECT_GT(peak, 8000) << "too quiet to hear over the room";
}

}  // namespace
