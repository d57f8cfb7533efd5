// What every benchmark program shares: clocks, medians, the counters that the
// linker's --wrap hooks fill, and the game folder the bench platform reads.
// Benchmarks print figures; none of them judges a figure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr size_t PathCapacityBench = 512;

// Set by the program before the game runs (bench_platform.cpp).
extern char benchGameFolder[PathCapacityBench];
extern int benchScreenWidth, benchScreenHeight;

// The last files the game opened, with the monotonic time of each open.
constexpr int OpenLogCapacity = 64;
struct OpenLogEntry {
    uint64_t ns;
    char name[64];  // the bare file name
};
struct BenchSeamCounts {
    uint64_t opens = 0, openNs = 0;
    OpenLogEntry openLog[OpenLogCapacity];
    int openLogCount = 0;
    uint64_t executablePaths = 0;
    uint64_t messages = 0, sounds = 0;
};
extern BenchSeamCounts benchSeam;
// The time of the first open of a file of that bare name since the log was
// cleared, or 0.
uint64_t FirstOpenNs(const char *name);

// Block reads the game makes through stdio (--wrap=fread, io_counters.cpp).
struct IoCounts {
    uint64_t reads = 0, bytes = 0, ns = 0;
};
extern IoCounts ioCounts;

// GL calls the game makes, as counted by the --wrap hooks (gl_counters.cpp).
struct GlCounts {
    uint64_t draws = 0;
    uint64_t binds = 0, repeatedBinds = 0;         // repeated: the texture was bound already
    uint64_t toggles = 0, repeatedToggles = 0;     // glEnable / glDisable
    uint64_t blendFuncs = 0, matrixCalls = 0;      // mode, push, pop, load, mult, translate, ortho
    uint64_t clears = 0, flushes = 0;
    uint64_t textureUploads = 0, textureBytes = 0, textureUploadNs = 0;
};
extern GlCounts glCounts;
// When set, a bind of the texture already bound and an enable of what is on
// already are not passed to GL: the local experiment that tells what they cost.
extern bool benchSkipRepeatedState;
// Forget what GL state the hooks believe is current (a new context starts so).
void ResetGlTracking();

// Heap calls made by the game while counting is on (alloc_counters.cpp).
struct AllocCounts {
    uint64_t mallocs = 0, frees = 0, news = 0, deletes = 0, bytes = 0;
};
extern AllocCounts allocCounts;
extern bool benchCountAllocs;

uint64_t benchNowNs();        // monotonic
uint64_t benchThreadCpuNs();  // this thread
uint64_t benchProcessCpuNs(); // every thread of the process (llvmpipe's workers included)

double medianOf(std::vector<double> values);
double percentileOf(std::vector<double> values, double fraction);

// The game folder: the value of --game, else CW_BENCH_GAME, else the folder
// of the build's game. Returns false with a message when it has no textures.
bool ChooseGameFolder(const char *fromArguments);
std::string GameFilePath(const char *name);

struct ScreenSizeRow {
    int width, height;
};
// The six screen sizes the game lays itself out for.
extern const ScreenSizeRow BenchScreenSizes[6];
