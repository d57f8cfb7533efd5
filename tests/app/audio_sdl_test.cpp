// The real SDL audio backend, through SDL's disk driver: what reaches the
// device is read back from the file the driver writes.
#include "app/audio.h"

#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <future>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// A PCM WAV of one constant sample value.
void writeConstantWav(const std::string &path, int rate, int channels, int bits, int frames, int value)
{
    const int sampleBytes = bits / 8, dataSize = frames * channels * sampleBytes;
    std::string file;
    auto put = [&file](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i) file += char((v >> (8 * i)) & 0xFF);
    };
    file += "RIFF", put(36 + dataSize, 4), file += "WAVEfmt ", put(16, 4), put(1, 2), put(channels, 2);
    put(rate, 4), put(rate * channels * sampleBytes, 4), put(channels * sampleBytes, 2), put(bits, 2);
    file += "data", put(dataSize, 4);
    for (int i = 0; i < frames * channels; ++i) put(uint32_t(value), sampleBytes);
    WriteTextFile(path, file);
}

void pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

// The device opens in the shipped sounds' format, 16-bit mono at 22050 Hz.
constexpr int DeviceRate = 22050;
constexpr int MusicValue = 1000;       // 16-bit mono at the device's own rate
constexpr int MusicFrames = 1102;      // 50 ms: it must loop to fill 300 ms
constexpr int ChimeValue = 0x40 << 8;  // 8-bit stereo 0xC0 at twice the rate, as the device gets it

class AudioBackend : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = MakeTempFolder();
        music = folder + "/music.wav";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", (folder + "/device.raw").c_str(), 1);
        writeConstantWav(music, DeviceRate, 1, 16, MusicFrames, MusicValue);
    }
    void TearDown() override
    {
        AudioShutdown(2000);
        unsetenv("SDL_AUDIODRIVER");
        if (!HasFailure()) RemoveTree(folder);
    }
    // The 16-bit mono output, one value per frame.
    std::vector<int> DeviceSamples(const std::string &raw) const
    {
        std::vector<int> values;
        for (size_t at = 0; at + 2 <= raw.size(); at += 2) values.push_back(int16_t(uint8_t(raw[at]) | uint8_t(raw[at + 1]) << 8));
        return values;
    }
    // The look's end is told to those who wait for it: they do not sit out
    // their whole time (a quit and every message box wait for it).
    static bool LookEndsWhenTheDeviceOpens()
    {
        const auto start = std::chrono::steady_clock::now();
        return AudioProbeEnded(20000) && std::chrono::steady_clock::now() - start < std::chrono::seconds(10);
    }
    std::string folder, music;
};

// While the look hangs nothing waits for it: a play answers at once and the
// latest sound asked for is kept, a stop drops it; the device, once open,
// starts with what was kept.
TEST_F(AudioBackend, WhileTheDeviceNeverOpensSoundsAskedForAreKeptOrDroppedAndNothingWaits)
{
    // SDL's disk driver writing into a pipe: its opening returns only once
    // someone reads, as a wedged sound server behaves.
    const std::string chime = folder + "/chime.wav", pipe = folder + "/device.fifo";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    setenv("SDL_DISKAUDIOFILE", pipe.c_str(), 1);
    writeConstantWav(chime, 2 * DeviceRate, 2, 8, DeviceRate / 10, 0xC0);
    for (bool stopped : {true, false}) {
        ASSERT_TRUE(AudioPlay(chime.c_str(), false));
        AudioLookForDevice();
        EXPECT_FALSE(AudioProbeEnded(200)) << "the device opened without a reader";
        auto asked = std::async(std::launch::async, [&] {
            if (stopped) AudioStop(true);
            else AudioPlay(music.c_str(), true);  // replaces the chime that waits
            return AudioPlay((folder + "/missing.wav").c_str(), true);
        });
        EXPECT_TRUE(asked.wait_for(std::chrono::seconds(5)) == std::future_status::ready) << "a sound waited for the device";
        EXPECT_FALSE(AudioShutdown(100)) << "the device was closed under the look";
        auto reader = std::async(std::launch::async, [&] {  // lets the device open, and reads it until it closes
            std::string bytes;
            char block[4096];
            const int from = open(pipe.c_str(), O_RDONLY);
            for (ssize_t got; (got = read(from, block, sizeof block)) > 0;) bytes.append(block, got);
            close(from);
            return bytes;
        });
        EXPECT_FALSE(asked.get()) << "a missing file played during the look";
        ASSERT_TRUE(LookEndsWhenTheDeviceOpens());
        pause(400);
        AudioStop(true);
        EXPECT_TRUE(AudioShutdown(2000));
        size_t musicFrames = 0, chimeFrames = 0;
        for (int value : DeviceSamples(reader.get()))
            musicFrames += value == MusicValue, chimeFrames += std::abs(value - ChimeValue) < 512;
        EXPECT_EQ(chimeFrames, 0u) << (stopped ? "a stopped sound started" : "a replaced sound started");
        if (stopped) EXPECT_EQ(musicFrames, 0u);
        else EXPECT_GT(musicFrames, 3u * MusicFrames) << "the kept music did not start, looped, when the device opened";
    }
}

TEST_F(AudioBackend, LoopedSoundIsReplacedThenStopped)
{
    const std::string chime = folder + "/chime.wav";
    writeConstantWav(chime, 2 * DeviceRate, 2, 8, 2 * DeviceRate, 0xC0);  // one second, cut short below
    ASSERT_TRUE(AudioPlay(music.c_str(), true));
    AudioLookForDevice();
    pause(300);
    ASSERT_TRUE(AudioPlay(chime.c_str(), false));
    pause(300);
    AudioStop(false);
    pause(200);
    AudioShutdown(2000);
    // Each frame as silence, music, chime (resampling leaves a ripple of a few
    // tens) or a stray frame of the resampler; then the runs in their order.
    std::string runs;
    size_t counts[4] = {0, 0, 0, 0};
    for (int value : DeviceSamples(ReadTextFile(folder + "/device.raw"))) {
        const int kind = value == 0 ? 0 : value == MusicValue ? 1 : std::abs(value - ChimeValue) < 512 ? 2 : 3;
        if (++counts[kind], kind < 3 && (runs.empty() || runs.back() != "0MC"[kind])) runs += "0MC"[kind];
    }
    EXPECT_TRUE(runs == "MC0" || runs == "0MC0") << runs << ": not silence, music, chime, silence";
    EXPECT_GT(counts[1], 3u * MusicFrames) << "the music did not loop";
    EXPECT_GT(counts[2], DeviceRate / 10u);
    EXPECT_LT(counts[2], unsigned(DeviceRate)) << "the stop did not end the chime";
    EXPECT_LT(counts[3], 200u);
}

TEST_F(AudioBackend, FilesThatCannotPlayFailAndTheNextSoundPlaysWhatIsThere)
{
    const std::string broken = folder + "/broken.wav", absurd = folder + "/absurd.wav";
    WriteTextFile(broken, "RIFF\x10\0\0\0WAVEfmt nonsense");
    writeConstantWav(absurd, 4267840, 1, 16, 64, MusicValue);  // a rate no resampler should take
    for (const std::string &path : {folder + "/missing.wav", broken, std::string(), folder, absurd})
        EXPECT_FALSE(AudioPlay(path.c_str(), true)) << path;
    // The RIFF and data lengths of the music claim four gigabytes.
    std::string bytes = ReadTextFile(music);
    for (size_t at : {size_t(4), size_t(40)}) bytes.replace(at, 4, "\xF0\xFF\xFF\xFF", 4);
    WriteTextFile(music, bytes);
    ASSERT_TRUE(AudioPlay(music.c_str(), false));
    AudioLookForDevice();
    pause(200);
    AudioStop(true);
    AudioShutdown(2000);
    size_t musicFrames = 0;
    for (int value : DeviceSamples(ReadTextFile(folder + "/device.raw"))) musicFrames += value == MusicValue;
    EXPECT_EQ(musicFrames, size_t(MusicFrames)) << "played once, the sound arrives whole and only once";
    // Without any device the game plays silently, and still refuses what it cannot play.
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    EXPECT_TRUE(AudioPlay(music.c_str(), true));
    AudioLookForDevice();
    EXPECT_TRUE(LookEndsWhenTheDeviceOpens() && AudioPlay(music.c_str(), true));
    EXPECT_FALSE(AudioPlay((folder + "/missing.wav").c_str(), true));
}

}  // namespace
