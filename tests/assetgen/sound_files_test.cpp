// The two sounds are plain PCM files; the music loops without a click and the
// jingle is short and ends in silence.
#include "tests/assetgen/shipped_assets.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// The samples of data/NAME after checking its RIFF header field by field.
std::vector<int16_t> loadWave(const char *name, uint32_t &rate)
{
    const std::string b = ReadTextFile(DataFolder() + name);
    std::vector<int16_t> s;
    if (b.size() < 44 || b.compare(0, 4, "RIFF") || b.compare(8, 8, "WAVEfmt ") || b.compare(36, 4, "data")) {
        ADD_FAILURE() << name << " is not a plain RIFF/WAVE file";
        return s;
    }
    rate = LittleEndian(b, 24, 4);
    EXPECT_EQ(LittleEndian(b, 4, 4), b.size() - 8) << name << ": RIFF size";
    EXPECT_EQ(LittleEndian(b, 16, 4), 16u) << name;
    EXPECT_EQ(LittleEndian(b, 20, 2), 1u) << name << " is not PCM";
    EXPECT_EQ(LittleEndian(b, 22, 2), 1u) << name << " is not mono";
    EXPECT_TRUE(rate == 22050 || rate == 44100) << name << ": " << rate;
    EXPECT_EQ(LittleEndian(b, 28, 4), rate * 2) << name << ": byte rate";
    EXPECT_EQ(LittleEndian(b, 32, 2), 2u) << name << ": block align";
    EXPECT_EQ(LittleEndian(b, 34, 2), 16u) << name << ": bits per sample";
    EXPECT_EQ(LittleEndian(b, 40, 4), b.size() - 44) << name << ": data size";
    for (size_t at = 44; at + 1 < b.size(); at += 2) s.push_back(int16_t(LittleEndian(b, at, 2)));
    return s;
}

TEST(SoundFiles, TheMusicLoopsForSomeSecondsWithoutAClick)
{
    uint32_t rate = 1;
    const std::vector<int16_t> s = loadWave("Menu.wav", rate);
    ASSERT_GT(s.size(), 1000u);
    EXPECT_GE(s.size(), 4.0 * rate);
    EXPECT_LE(s.size(), 40.0 * rate);
    // Across the join the wave bends no more sharply than it usually does: a
    // high percentile of the second difference over the whole file.
    const size_t n = s.size();
    std::vector<int> bends;
    for (size_t i = 1; i + 1 < n; ++i) bends.push_back(std::abs(s[i - 1] - 2 * s[i] + s[i + 1]));
    std::sort(bends.begin(), bends.end());
    const int bound = bends[bends.size() * 999 / 1000];
    EXPECT_LE(std::abs(s[n - 2] - 2 * s[n - 1] + s[0]), bound) << s[n - 2] << ", " << s[n - 1] << " then " << s[0];
    EXPECT_LE(std::abs(s[n - 1] - 2 * s[0] + s[1]), bound) << s[n - 1] << " then " << s[0] << ", " << s[1];
    // It is music, not silence, and it does not clip.
    double energy = 0;
    int peak = 0;
    for (int16_t v : s) energy += double(v) * v, peak = std::max(peak, std::abs(int(v)));
    EXPECT_GT(std::sqrt(energy / n), 800.0);
    EXPECT_LT(peak, 32000);
}

TEST(SoundFiles, TheJingleIsShortAndFadesToSilence)
{
    uint32_t rate = 1;
    const std::vector<int16_t> s = loadWave("Complete.wav", rate);
    ASSERT_GT(s.size(), 1000u);
    EXPECT_GE(s.size(), 0.5 * rate);
    EXPECT_LE(s.size(), 4.0 * rate);
    EXPECT_LE(std::abs(s.front()), 64) << "it starts with a click";
    EXPECT_LE(std::abs(s.back()), 64) << "it stops with a click";
    int peak = 0;
    for (int16_t v : s) peak = std::max(peak, std::abs(int(v)));
    EXPECT_GT(peak, 8000) << "too quiet to hear over the room";
}

}  // namespace
