#include "tools/levelkit/levels/progress.h"

#include <cstdio>
#include <unistd.h>

Progress::Progress(const char *what)
    : what_(what), on_(isatty(STDERR_FILENO) == 1), start_(std::chrono::steady_clock::now())
{
}

void Progress::show(size_t n, size_t total, size_t good, const char *goodWord)
{
    if (!on_) return;
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    std::fprintf(stderr, "\r\033[K%s: level %zu of %zu, %.0f s, %zu %s", what_, n, total, seconds, good, goodWord);
    std::fflush(stderr);
    shown_ = true;
}

void Progress::clear()
{
    if (!shown_) return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    shown_ = false;
}
