// The real SDL audio backend once, through SDL's disk driver: what reaches
// the device is read back from the file the driver writes.
#include "app/audio.h"

#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

namespace {

// A PCM WAV of one constant sample value.
void writeConstantWav(const std::string &path, int rate, int channels, int bits, int frames, int value)
{
    const int bytesPerSample = bits / 8;
    const uint32_t dataSize = frames * channels * bytesPerSample;
    std::vector<uint8_t> file;
    auto put = [&file](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) file.push_back((v >> (8 * i)) & 0xFF);
    };
    auto tag = [&file](const char *t) { file.insert(file.end(), t, t + 4); };
    tag("RIFF");
    put(36 + dataSize, 4);
    tag("WAVE");
    tag("fmt ");
    put(16, 4);
    put(1, 2);  // PCM
    put(channels, 2);
    put(rate, 4);
    put(rate * channels * bytesPerSample, 4);
    put(channels * bytesPerSample, 2);
    put(bits, 2);
    tag("data");
    put(dataSize, 4);
    for (int i = 0; i < frames * channels; ++i) put(static_cast<uint32_t>(value), bytesPerSample);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(file.data()), file.size());
}

void pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

// The left channel of the 16-bit stereo output, one value per frame.
std::vector<int> leftChannel(const std::string &raw)
{
    std::vector<int> values;
    for (size_t at = 0; at + 4 <= raw.size(); at += 4)
        values.push_back(static_cast<int16_t>(static_cast<uint8_t>(raw[at]) | static_cast<uint8_t>(raw[at + 1]) << 8));
    return values;
}

class AudioBackend : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = MakeTempFolder();
        output = folder + "/device.raw";
    }
    void TearDown() override
    {
        AudioShutdown();
        unsetenv("SDL_AUDIODRIVER");
        unsetenv("SDL_DISKAUDIOFILE");
        if (!HasFailure()) RemoveTree(folder);
    }
    std::string folder, output;
};

constexpr int MusicValue = 1000;        // 16-bit stereo at the device's own rate
constexpr int MusicFrames = 2205;       // 50 ms: it must loop to fill 300 ms
constexpr int ChimeValue8 = 0xC0;       // 8-bit mono at half the rate...
constexpr int ChimeValue = 0x40 << 8;   // ...which the device gets as about 16384
// Resampling the chime to the device's rate leaves a ripple of a few tens.
bool isChime(int value) { return value > ChimeValue - 512 && value < ChimeValue + 512; }

TEST_F(AudioBackend, LoopedSoundIsReplacedThenStopped)
{
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    const std::string music = folder + "/music.wav", chime = folder + "/chime.wav";
    writeConstantWav(music, 44100, 2, 16, MusicFrames, MusicValue);
    writeConstantWav(chime, 22050, 1, 8, 22050, ChimeValue8);  // one second, cut short below

    ASSERT_TRUE(AudioPlay(music.c_str(), true));
    pause(300);
    ASSERT_TRUE(AudioPlay(chime.c_str(), false));
    pause(300);
    AudioStop(false);
    pause(200);
    AudioShutdown();

    size_t musicFrames = 0, chimeFrames = 0, strayFrames = 0, silenceAfter = 0;
    enum { Before, Music, Chime, Silent } phase = Before;
    size_t outOfOrder = 0;
    for (int value : leftChannel(ReadTextFile(output))) {
        if (value == 0) {
            if (phase == Chime) phase = Silent;
            if (phase == Music) ++outOfOrder;
            if (phase == Silent) ++silenceAfter;
        } else if (value == MusicValue) {
            if (phase != Before && phase != Music) ++outOfOrder;
            phase = Music;
            ++musicFrames;
        } else if (isChime(value)) {
            if (phase != Music && phase != Chime) ++outOfOrder;
            phase = Chime;
            ++chimeFrames;
        } else {
            ++strayFrames;  // the resampler's first frames
        }
    }
    EXPECT_EQ(outOfOrder, 0u) << "not silence, music, chime, silence in that order";
    EXPECT_EQ(phase, Silent);
    EXPECT_GT(musicFrames, 3u * MusicFrames) << "the music did not loop";
    EXPECT_GT(chimeFrames, 4410u);
    EXPECT_LT(chimeFrames, 44100u) << "the stop did not end the chime";
    EXPECT_GT(silenceAfter, 2205u);
    EXPECT_LT(strayFrames, 200u);
}

TEST_F(AudioBackend, MissingOrBrokenFilesFailAndTheNextSoundStillPlays)
{
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    const std::string music = folder + "/music.wav", broken = folder + "/broken.wav";
    writeConstantWav(music, 44100, 2, 16, MusicFrames, MusicValue);
    WriteTextFile(broken, "RIFF\x10\0\0\0WAVEfmt nonsense");
    EXPECT_FALSE(AudioPlay((folder + "/missing.wav").c_str(), true));
    EXPECT_FALSE(AudioPlay(broken.c_str(), true));
    EXPECT_FALSE(AudioPlay("", false));
    EXPECT_FALSE(AudioPlay(folder.c_str(), false));
    ASSERT_TRUE(AudioPlay(music.c_str(), false));
    pause(200);
    AudioStop(true);
    AudioShutdown();
    size_t musicFrames = 0;
    for (int value : leftChannel(ReadTextFile(output)))
        if (value == MusicValue) ++musicFrames;
    EXPECT_EQ(musicFrames, size_t(MusicFrames)) << "played once, the sound arrives whole and only once";
}

TEST_F(AudioBackend, HeadersThatOverstateTheirDataPlayWhatIsThere)
{
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", output.c_str(), 1);
    const std::string music = folder + "/music.wav", absurd = folder + "/absurd.wav";
    writeConstantWav(music, 44100, 2, 16, MusicFrames, MusicValue);
    writeConstantWav(absurd, 4267840, 1, 16, 64, MusicValue);
    std::string bytes = ReadTextFile(music);
    // The RIFF and data lengths claim four gigabytes.
    for (size_t at : {size_t(4), size_t(40)}) bytes.replace(at, 4, "\xF0\xFF\xFF\xFF", 4);
    WriteTextFile(music, bytes);
    EXPECT_FALSE(AudioPlay(absurd.c_str(), false)) << "a rate no resampler should take";
    ASSERT_TRUE(AudioPlay(music.c_str(), false));
    pause(200);
    AudioShutdown();
    size_t musicFrames = 0;
    for (int value : leftChannel(ReadTextFile(output)))
        if (value == MusicValue) ++musicFrames;
    EXPECT_EQ(musicFrames, size_t(MusicFrames));
}

TEST_F(AudioBackend, WithoutADeviceTheGamePlaysSilently)
{
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    const std::string music = folder + "/music.wav";
    writeConstantWav(music, 44100, 2, 16, MusicFrames, MusicValue);
    EXPECT_TRUE(AudioPlay(music.c_str(), true));
    EXPECT_FALSE(AudioPlay((folder + "/missing.wav").c_str(), true));
    AudioStop(false);
    AudioStop(true);
}

}  // namespace
