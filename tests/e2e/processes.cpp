#include "tests/e2e/processes.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

std::vector<char *> argvOf(const std::vector<std::string> &argv)
{
    std::vector<char *> out;
    for (const std::string &a : argv) out.push_back(const_cast<char *>(a.c_str()));
    out.push_back(nullptr);
    return out;
}

// Exit code, or 128 + signal for a process that was killed.
int statusOf(int raw) { return WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw); }

// A child in a group of its own, killed with the test should the test die
// before its TearDown.
void startChild()
{
    setpgid(0, 0);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
}

}  // namespace

long long nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void waitMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

bool fileExists(const std::string &path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

void stopGroup(pid_t pid, int signal)
{
    if (pid > 0) kill(-pid, signal);
}

// Waits for the process to end; false when it still runs after timeoutMs.
bool reap(pid_t pid, int timeoutMs, int *status)
{
    long long end = nowMs() + timeoutMs;
    for (;;) {
        int raw = 0;
        pid_t done = waitpid(pid, &raw, WNOHANG);
        if (done == pid) {
            if (status) *status = statusOf(raw);
            return true;
        }
        if (done < 0) return true;  // not ours any more
        if (nowMs() >= end) return false;
        waitMs(10);
    }
}

pid_t Spawn(const std::vector<std::string> &argv, const std::string &workDir, const std::string &log)
{
    pid_t pid = fork();
    if (pid == 0) {
        startChild();
        int in = open("/dev/null", O_RDONLY);
        int out = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        if (in >= 0) dup2(in, 0);
        if (out >= 0) {
            dup2(out, 1);
            dup2(out, 2);
        }
        // The game must find its way without an audio device of any kind.
        unsetenv("SDL_AUDIODRIVER");
        // In the sanitizer build, what the libraries under the game keep to
        // the end is not the game's leak.
        setenv("LSAN_OPTIONS", "suppressions=" CW_SOURCE_DIR "/tests/e2e/lsan-suppressions.txt", 1);
        if (!workDir.empty() && chdir(workDir.c_str()) != 0) _exit(126);
        std::vector<char *> args = argvOf(argv);
        execvp(args[0], args.data());
        _exit(127);
    }
    if (pid > 0) setpgid(pid, pid);
    return pid;
}

std::string RunTool(const std::vector<std::string> &argv, int *status, int timeoutMs)
{
    int fds[2];
    if (pipe(fds) != 0) return "";
    pid_t pid = fork();
    if (pid == 0) {
        startChild();
        dup2(fds[1], 1);
        int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 2);
        close(fds[0]);
        std::vector<char *> args = argvOf(argv);
        execvp(args[0], args.data());
        _exit(127);
    }
    close(fds[1]);
    std::string out;
    long long end = nowMs() + timeoutMs;
    char buffer[65536];
    for (;;) {
        int left = static_cast<int>(end - nowMs());
        if (left <= 0) break;
        pollfd p{fds[0], POLLIN, 0};
        if (poll(&p, 1, left) <= 0) continue;
        ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n <= 0) break;
        out.append(buffer, n);
    }
    close(fds[0]);
    int result = -1;
    if (!reap(pid, std::max<long long>(0, end - nowMs()), &result)) {
        stopGroup(pid, SIGKILL);
        reap(pid, 2000, nullptr);
        result = -1;
    }
    if (status) *status = result;
    return out;
}
