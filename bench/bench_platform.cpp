// The benchmarks' side of the platform seam: real files from a game folder the
// caller names, no sound device and no message box. What the game reads and
// how often is exactly what the game's own seam gives it; only the two
// services that would wait on a person or a device are left out.
#include "app/platform.h"

#include "bench/bench_support.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <time.h>

BenchSeamCounts benchSeam;
char benchGameFolder[PathCapacityBench] = ".";
int benchScreenWidth = 240, benchScreenHeight = 320;

bool ExecutablePath(char *out, size_t capacity)
{
    ++benchSeam.executablePaths;
    const int written = std::snprintf(out, capacity, "%s/cratewright", benchGameFolder);
    return written > 0 && size_t(written) < capacity;
}

FILE *OpenFile(const char *path, const char *mode)
{
    const uint64_t start = benchNowNs();
    FILE *file = std::fopen(path, mode);
    benchSeam.openNs += benchNowNs() - start;
    ++benchSeam.opens;
    if (benchSeam.openLogCount < OpenLogCapacity) {
        OpenLogEntry &entry = benchSeam.openLog[benchSeam.openLogCount++];
        entry.ns = start;
        const char *slash = std::strrchr(path, '/');
        std::snprintf(entry.name, sizeof entry.name, "%s", slash ? slash + 1 : path);
    }
    return file;
}

uint64_t FirstOpenNs(const char *name)
{
    for (int i = 0; i < benchSeam.openLogCount; ++i)
        if (std::strcmp(benchSeam.openLog[i].name, name) == 0) return benchSeam.openLog[i].ns;
    return 0;
}

void CloseFile(FILE *file) { std::fclose(file); }

bool ReplaceFile(FILE *file, const char *tempPath, const char *path)
{
    const bool closed = std::fclose(file) == 0;
    if (closed && std::rename(tempPath, path) == 0) return true;
    std::remove(tempPath);
    return false;
}

void ShowMessageBox(const char *text, const char *title)
{
    ++benchSeam.messages;
    std::fprintf(stderr, "bench: the game showed \"%s\" titled \"%s\"\n", text, title);
}

bool PlaySoundFile(const char *, bool)
{
    ++benchSeam.sounds;
    return true;
}

void StopSound(SoundStop) {}

void ScreenSize(int *width, int *height)
{
    *width = benchScreenWidth;
    *height = benchScreenHeight;
}

double Sine(double radians) { return std::sin(radians); }
double Cosine(double radians) { return std::cos(radians); }
double SquareRoot(double value) { return std::sqrt(value); }

void EndProcess(int status)
{
    std::fprintf(stderr, "bench: the game ended the process with status %d\n", status);
    std::exit(status);
}
