// A still screen costs next to nothing: between the player's events the game
// waits instead of turning its main loop. Judged from outside, by the
// processor time the kernel counts for the game's process, all its threads.
#include "tests/e2e/test_game.h"

#include "tests/support/test_files.h"

#include <climits>
#include <cstdlib>
#include <csignal>
#include <dirent.h>
#include <sstream>
#include <unistd.h>

namespace {

// A loop that spins takes a whole core; a quarter of one leaves room for a
// loaded machine and for what the libraries do now and then.
constexpr double MostOfACore = 0.25;
constexpr int MeasuredMs = 3000;

// The process running the executable at path, or 0.
pid_t processRunning(const std::string &path)
{
    char wanted[PATH_MAX];
    if (!realpath(path.c_str(), wanted)) return 0;
    pid_t found = 0;
    DIR *proc = opendir("/proc");
    while (dirent *entry = proc ? readdir(proc) : nullptr) {
        char exe[PATH_MAX];
        const std::string link = std::string("/proc/") + entry->d_name + "/exe";
        const ssize_t length = readlink(link.c_str(), exe, sizeof exe - 1);
        if (length <= 0) continue;
        exe[length] = '\0';
        if (std::string(exe) == wanted) found = static_cast<pid_t>(std::atol(entry->d_name));
    }
    if (proc) closedir(proc);
    return found;
}

// User and system time of every thread of the process, in seconds.
double processorSeconds(pid_t pid)
{
    const std::string stat = ReadTextFile("/proc/" + std::to_string(pid) + "/stat");
    std::istringstream fields(stat.substr(stat.rfind(')') + 1));
    std::string skipped;
    for (int field = 3; field < 14; ++field) fields >> skipped;  // state to cmajflt
    long long user = 0, system = 0;
    fields >> user >> system;
    return double(user + system) / sysconf(_SC_CLK_TCK);
}

class Idle : public CratewrightTest {};

TEST_F(Idle, AStillMenuWaitsForThePlayer)
{
    WriteTestGame(1, 1);  // sound on: the look for a sound device must not spin either
    // SDL's silent driver gives the game a device that opens, as a sound card would.
    setenv("CW_TEST_AUDIODRIVER", "dummy", 1);
    LaunchToMenu(240, 320);
    if (HasFatalFailure()) return;
    const pid_t game = processRunning(FilePath("cratewright"));
    ASSERT_GT(game, 0) << "no process runs " << FilePath("cratewright");
    const double before = processorSeconds(game);
    const long long start = nowMs();
    waitMs(MeasuredMs);
    const double share = (processorSeconds(game) - before) / ((nowMs() - start) / 1000.0);
    EXPECT_LT(share, MostOfACore) << "the game took " << share * 100 << " % of a core on a still menu";
    // The wait ends at the player's next key.
    Key("Down");
    EXPECT_TRUE(WaitMenu(2)) << "the menu did not answer a key after it had waited";
    // An open sound device must not have taken the signal that ends the session.
    kill(game, SIGTERM);
    EXPECT_EQ(WaitExit(3000), 128 + SIGTERM) << "the game did not end on SIGTERM";
}

}  // namespace
