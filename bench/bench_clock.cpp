#include "bench/bench_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <time.h>

const ScreenSizeRow BenchScreenSizes[6] = {
    // width height
    {240, 320},
    {320, 240},
    {480, 640},
    {640, 480},
    {240, 240},
    {480, 480},
};

static uint64_t readClock(clockid_t clock)
{
    timespec now;
    clock_gettime(clock, &now);
    return uint64_t(now.tv_sec) * 1000000000u + uint64_t(now.tv_nsec);
}

uint64_t benchNowNs() { return readClock(CLOCK_MONOTONIC); }
uint64_t benchThreadCpuNs() { return readClock(CLOCK_THREAD_CPUTIME_ID); }
uint64_t benchProcessCpuNs() { return readClock(CLOCK_PROCESS_CPUTIME_ID); }

double percentileOf(std::vector<double> values, double fraction)
{
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const size_t at = std::min(values.size() - 1, size_t(fraction * double(values.size() - 1) + 0.5));
    return values[at];
}

double medianOf(std::vector<double> values)
{
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : 0.5 * (values[n / 2 - 1] + values[n / 2]);
}

static bool hasTextures(const char *folder)
{
    struct stat info;
    const std::string probe = std::string(folder) + "/Ground.tex";
    return stat(probe.c_str(), &info) == 0;
}

bool ChooseGameFolder(const char *fromArguments)
{
    const char *folder = fromArguments;
    if (!folder) folder = std::getenv("CW_BENCH_GAME");
    if (!folder) folder = CW_BENCH_DEFAULT_GAME;
    if (std::strlen(folder) + sizeof "/cratewright" > PathCapacityBench || !hasTextures(folder)) {
        std::fprintf(stderr, "bench: no game data in \"%s\" (give --game DIR)\n", folder);
        return false;
    }
    std::snprintf(benchGameFolder, sizeof benchGameFolder, "%s", folder);
    return true;
}

std::string GameFilePath(const char *name) { return std::string(benchGameFolder) + "/" + name; }
