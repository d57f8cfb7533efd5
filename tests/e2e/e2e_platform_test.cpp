// What only the real platform does, judged from outside the process: the
// processor time, frames and wake-ups the kernel counts for the game while a
// still screen waits and while the level-complete screen keeps to the panel's
// rate (a moving pointer included), the X server's repeat of a held key, a
// sound device whose opening never returns, and SIGTERM with a device open.
#include "tests/e2e/test_game.h"

#include "tests/support/test_files.h"

#include <array>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A loop that spins takes a whole core; these leave room for a loaded machine
// and for what the libraries do now and then.
constexpr double StillScreenCores = 0.25;  // a still screen draws nothing
constexpr double RedrawingCores = 0.6;     // 60 small frames a second take a tenth of a core
constexpr double MostFramesPerSecond = 90;  // the panel shows 60
constexpr double MostWakeupsPerSecond = 3000;  // a few a frame; a wait of microseconds wakes tens of thousands of times
constexpr int MeasuredMs = 3000;

struct Usage {
    double cores, framesPerSecond, wakeupsPerSecond;
};

// Over a few seconds: processor time of every thread, frames (each sends the
// window's 4-byte pixels down the X connection, which wchar counts) and the
// main thread's sleeps, per second.
Usage measure(pid_t pid, int windowPixels)
{
    const auto counters = [pid] {
        const std::string proc = "/proc/" + std::to_string(pid), stat = ReadTextFile(proc + "/stat");
        std::istringstream fields(stat.substr(stat.rfind(')') + 1));
        std::string skipped;
        for (int field = 3; field < 14; ++field) fields >> skipped;  // state to cmajflt
        double ticks[2] = {0, 0};
        fields >> ticks[0] >> ticks[1];
        const std::string io = ReadTextFile(proc + "/io"), status = ReadTextFile(proc + "/status");
        const auto field = [](const std::string &text, const char *name) { return std::atof(text.c_str() + text.find(name) + std::strlen(name)); };
        return std::array<double, 3>{(ticks[0] + ticks[1]) / sysconf(_SC_CLK_TCK), field(io, "wchar:"),
                                     field(status, "\nvoluntary_ctxt_switches:")};
    };
    const std::array<double, 3> before = counters();
    const long long start = nowMs();
    waitMs(MeasuredMs);
    const std::array<double, 3> after = counters();
    const double seconds = (nowMs() - start) / 1000.0;
    return {(after[0] - before[0]) / seconds, (after[1] - before[1]) / (4.0 * windowPixels) / seconds,
            (after[2] - before[2]) / seconds};
}

using RealPlatform = CratewrightTest;

TEST_F(RealPlatform, AStillMenuWaitsForThePlayer)
{
    WriteTestGame(1, 1);  // sound on: the look for a sound device must not spin either
    // SDL's silent driver gives the game a device that opens, as a sound card would.
    setenv("CW_TEST_AUDIODRIVER", "dummy", 1);
    LaunchToMenu(240, 320);
    if (HasFatalFailure()) return;
    const Usage still = measure(GameProcess(), game.width * game.height);
    EXPECT_LT(still.cores, StillScreenCores) << "the game took " << still.cores * 100 << " % of a core on a still menu";
    // The wait ends at the player's next key.
    Key("Down");
    EXPECT_TRUE(WaitMenu(2)) << "the menu did not answer a key after it had waited";
    // An open sound device must not have taken the signal that ends the session.
    kill(GameProcess(), SIGTERM);
    EXPECT_EQ(WaitExit(3000), 128 + SIGTERM) << "the game did not end on SIGTERM";
}

// With SDL's disk driver writing into a pipe that nobody reads, the device's
// opening never returns, as with a wedged sound server: the game plays on
// silently, its completion sound asked for during the look. The level-complete
// screen then redraws 60 times a second and no more, whatever arrives: a
// pointer moving over it wakes nothing; a key still goes on at once, and the
// game quits with its progress written.
TEST_F(RealPlatform, TheLevelCompleteScreenKeepsItsRateAndNothingWaitsForADeviceThatNeverOpens)
{
    WriteTestGame(2, 1);
    const std::string pipe = folder + "/../device.fifo";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    setenv("CW_TEST_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", pipe.c_str(), 1);
    LaunchToMenu(240, 320);
    ASSERT_NO_FATAL_FAILURE(EnterPlay());
    Key("Up");
    ASSERT_TRUE(WaitFor(&RealPlatform::BannerShown)) << "the level was not solved";
    double restingFrames = 0;
    for (bool moving : {false, true}) {
        if (moving) {
            std::vector<std::string> moves = {"xdotool"};
            for (int i = 0; i < 2000; ++i)
                for (const std::string &word : {std::string("mousemove"), std::to_string(game.x + i * 7 % game.width),
                                                std::to_string(game.y + i * 13 % game.height), std::string("sleep"), std::string("0.002")})
                    moves.push_back(word);
            extraProcesses.push_back(Spawn(moves, folder + "/../pointer.log"));
            waitMs(200);
        }
        const Usage usage = measure(GameProcess(), game.width * game.height);
        const char *when = moving ? " with the pointer moving" : " at rest";
        EXPECT_GT(usage.framesPerSecond, 1) << "the level-complete screen stopped redrawing" << when;
        EXPECT_LT(usage.framesPerSecond, MostFramesPerSecond) << when;
        // However loaded the machine, the moving pointer adds no frames to those at rest.
        if (moving) {
            EXPECT_LT(usage.framesPerSecond, 1.25 * restingFrames + 5) << "at rest " << restingFrames;
        }
        restingFrames = usage.framesPerSecond;
        EXPECT_LT(usage.cores, RedrawingCores) << when;
        EXPECT_LT(usage.wakeupsPerSecond, MostWakeupsPerSecond) << when;
    }
    Key("Return");  // and the music is asked for again
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return OnPlay(s) && !BannerShown(s); })) << "the key did not go on";
    Key("3");
    EXPECT_EQ(WaitExit(), 0) << GameLog();
    EXPECT_EQ(Config(), "0\n3\n1\n");
    EXPECT_TRUE(WindowsTitled("Error").empty());
}

// Held, the key that steps right on the screen walks the keeper two cells and
// pushes the crate home; the repeats that follow go on to the next level.
// One press alone would leave it on level 4.
TEST_F(RealPlatform, AHeldKeyWalksTheKeeperCellAfterCell)
{
    WriteTestGame(4);
    WriteLevel(4, "#######\n#     #\n#     #\n#@  $.#\n#     #\n#     #\n#######");
    WriteLevel(5, RoomyLevel);  // no repeat of the same key solves it
    LaunchToMenu(240, 320);
    ASSERT_NO_FATAL_FAILURE(EnterPlay());
    Xdotool({"keydown", "Up", "sleep", "1.5", "keyup", "Up"});
    ASSERT_TRUE(WaitFor(&RealPlatform::OnPlay));
    Key("3");
    EXPECT_EQ(WaitExit(), 0) << GameLog();
    EXPECT_EQ(Config(), "0\n5\n0\n") << "the held key did not walk the keeper to the solving push";
}

}  // namespace
