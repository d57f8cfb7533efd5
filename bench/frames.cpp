// Frame cost: one display call for each screen at each screen size, the GL
// calls it makes and the heap calls it makes (there should be none). With
// --growth, the play frame of every shipped level against the level's size.
//
//   cw_bench_frames[_xvfb] [--game DIR] [--frames N] [--size WxH]... [--level N]
//                          [--growth] [--skip-repeated-state] [--rgba-textures]
#include "app/startup.h"
#include "assets/bitmap.h"
#include "assets/textures.h"
#include "bench/bench_support.h"
#include "bench/bench_surface.h"
#include "core/level.h"
#include "core/state.h"
#include "render/camera.h"
#include "render/frame.h"

#include <GLES/gl.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <vector>

namespace {

struct BenchOptions {
    const char *game = nullptr;
    int frames = 200;
    int warmup = 20;
    int level = 0;  // 0: the shipped level with the most walls
    bool growth = false;
    std::vector<ScreenSizeRow> sizes;
};

// How each screen is put on show before its frames are timed. Sound is off so
// that no cue runs; the options screen then also draws its "off" mark.
struct ScreenRow {
    const char *name;
    int32_t state;
    bool solved;  // the level-complete screen draws the banner every frame
};
const ScreenRow Screens[] = {
    // name             state          solved
    {"menu",          MainMenu,      false},
    {"play",          Playing,       false},
    {"levelcomplete", LevelComplete, true},
    {"options",       Options,       false},
    {"credits",       Credits,       false},
    {"end",           GameComplete,  false},
    {"blank",         2,             false},  // draws nothing: the clear, the default view and the swap alone
};

struct FrameFigures {
    double displayCpuMs, displayWallMs, frameWallMs, frameProcessCpuMs, frameWallP90Ms;
    GlCounts gl;        // per frame
    AllocCounts heap;   // over all timed frames
};

}  // namespace

static bool levelExists(int n)
{
    struct stat info;
    const std::string name = "Level" + std::to_string(n) + ".Map";
    return stat(GameFilePath(name.c_str()).c_str(), &info) == 0;
}

static uint32_t crateCount() { return pieceCount > 0 ? pieceCount - 1 : 0; }

// The shipped level with the most walls, then the most crates: the largest
// scene the play screen draws.
static int largestLevel()
{
    int best = 1;
    uint32_t bestWalls = 0, bestCrates = 0;
    for (int n = 1; n <= LevelCount && levelExists(n); ++n) {
        LoadLevel(n);
        if (wallCount > bestWalls || (wallCount == bestWalls && crateCount() > bestCrates))
            best = n, bestWalls = wallCount, bestCrates = crateCount();
    }
    return best;
}

static void showScreen(const ScreenRow &screen)
{
    ScreenState = screen.state;
    menuSelection = 1;
    soundOn = 0;
    menuSoundFlag = completeSoundFlag = 1;
    levelSolved = screen.solved;
    uncoveredSites = screen.solved ? 0 : 1;
}

static FrameFigures timeFrames(const ScreenRow &screen, const BenchOptions &options, int frames)
{
    for (int i = 0; i < options.warmup; ++i) {
        showScreen(screen);
        display();
        glFinish();
        PumpBenchSurface();
    }
    std::vector<double> displayCpu, displayWall, frameWall, frameCpu;
    FrameFigures f{};
    const GlCounts glBefore = glCounts;
    allocCounts = AllocCounts{};
    for (int i = 0; i < frames; ++i) {
        showScreen(screen);
        benchCountAllocs = true;
        const uint64_t p0 = benchProcessCpuNs(), w0 = benchNowNs(), c0 = benchThreadCpuNs();
        display();
        const uint64_t c1 = benchThreadCpuNs(), w1 = benchNowNs();
        glFinish();
        const uint64_t w2 = benchNowNs(), p2 = benchProcessCpuNs();
        benchCountAllocs = false;
        displayCpu.push_back((c1 - c0) / 1e6);
        displayWall.push_back((w1 - w0) / 1e6);
        frameWall.push_back((w2 - w0) / 1e6);
        frameCpu.push_back((p2 - p0) / 1e6);
        PumpBenchSurface();
    }
    f.displayCpuMs = medianOf(displayCpu);
    f.displayWallMs = medianOf(displayWall);
    f.frameWallMs = medianOf(frameWall);
    f.frameProcessCpuMs = medianOf(frameCpu);
    f.frameWallP90Ms = percentileOf(frameWall, 0.9);
    f.heap = allocCounts;
    const uint64_t n = uint64_t(frames);
    f.gl.draws = (glCounts.draws - glBefore.draws) / n;
    f.gl.binds = (glCounts.binds - glBefore.binds) / n;
    f.gl.repeatedBinds = (glCounts.repeatedBinds - glBefore.repeatedBinds) / n;
    f.gl.toggles = (glCounts.toggles - glBefore.toggles) / n;
    f.gl.repeatedToggles = (glCounts.repeatedToggles - glBefore.repeatedToggles) / n;
    f.gl.blendFuncs = (glCounts.blendFuncs - glBefore.blendFuncs) / n;
    f.gl.matrixCalls = (glCounts.matrixCalls - glBefore.matrixCalls) / n;
    return f;
}

// The experiment of --rgba-textures: every picture uploaded again into its own
// texture object with a fourth, opaque byte per pixel. A GL_RGB texture samples
// with alpha 1, so every drawn colour stays what it was.
static bool uploadTexturesAsRgba()
{
    for (int i = 0; i < TextureCount; ++i) {
        BitmapInfo info;
        uint8_t *rgb = LoadBitmap(TextureFileNames[i], info);
        if (!rgb) return false;
        std::vector<uint8_t> rgba(size_t(info.width) * size_t(info.height) * 4);
        const uint64_t rowBytes = BitmapRowBytes(info.width);
        for (int32_t y = 0; y < info.height; ++y)
            for (int32_t x = 0; x < info.width; ++x) {
                const uint8_t *from = rgb + y * rowBytes + size_t(x) * 3;
                uint8_t *to = &rgba[(size_t(y) * info.width + x) * 4];
                to[0] = from[0], to[1] = from[1], to[2] = from[2], to[3] = 255;
            }
        std::free(rgb);
        glBindTexture(GL_TEXTURE_2D, TextureSet[i]);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, info.width, info.height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    }
    return true;
}

static bool rgbaExperiment = false;

static bool startGame(const ScreenSizeRow &size)
{
    benchScreenWidth = size.width;
    benchScreenHeight = size.height;
    screenWidth = size.width;  // as GameMain takes it, once
    screenHeight = size.height;
    if (!OpenBenchSurface(size.width, size.height)) return false;
    ResetGlTracking();
    if (!InitGame()) return false;
    if (rgbaExperiment && !uploadTexturesAsRgba()) return false;
    ResetGlTracking();
    reshape(size.width, size.height);
    static bool named = false;
    if (!named) {
        named = true;
        std::printf("# GL %s | %s\n", reinterpret_cast<const char *>(glGetString(GL_VERSION)),
                    reinterpret_cast<const char *>(glGetString(GL_RENDERER)));
    }
    return true;
}

static void stopGame()
{
    DeleteTextures();
    CloseBenchSurface();
}

static void printHeader()
{
    std::printf("%-7s %-9s %-13s %5s %5s %5s %5s %5s %5s %6s %6s %8s %8s %8s %8s %8s\n", "surface", "size", "screen",
                "draws", "binds", "rebind", "toggl", "retog", "blend", "matrix", "allocs", "disp_cpu", "disp_wall",
                "frame", "frame90", "proc_cpu");
}

static void printRow(const ScreenSizeRow &size, const char *screen, const FrameFigures &f)
{
    char sizeText[16];
    std::snprintf(sizeText, sizeof sizeText, "%dx%d", size.width, size.height);
    const uint64_t allocs = f.heap.mallocs + f.heap.news;
    std::printf("%-7s %-9s %-13s %5llu %5llu %6llu %5llu %5llu %5llu %6llu %6llu %8.3f %9.3f %8.3f %8.3f %8.3f\n",
                BenchSurfaceName(), sizeText, screen, (unsigned long long)f.gl.draws, (unsigned long long)f.gl.binds,
                (unsigned long long)f.gl.repeatedBinds, (unsigned long long)f.gl.toggles,
                (unsigned long long)f.gl.repeatedToggles, (unsigned long long)f.gl.blendFuncs,
                (unsigned long long)f.gl.matrixCalls, (unsigned long long)allocs, f.displayCpuMs, f.displayWallMs,
                f.frameWallMs, f.frameWallP90Ms, f.frameProcessCpuMs);
}

static int runScreens(const BenchOptions &options, int level)
{
    std::printf("# play level %d: %u walls, %u sites, %u crates; times in ms, medians of %d frames\n", level,
                wallCount, siteCount, crateCount(), options.frames);
    printHeader();
    for (const ScreenSizeRow &size : options.sizes) {
        if (!startGame(size)) return 1;
        LoadLevel(level);
        for (const ScreenRow &screen : Screens) printRow(size, screen.name, timeFrames(screen, options, options.frames));
        stopGame();
        std::fflush(stdout);
    }
    return 0;
}

// Play frames of every shipped level, with a least-squares line through them.
static int runGrowth(const BenchOptions &options)
{
    const ScreenRow &play = Screens[1];  // "play"
    for (const ScreenSizeRow &size : options.sizes) {
        if (!startGame(size)) return 1;
        std::printf("# growth at %dx%d on %s: play frame, medians of %d frames\n", size.width, size.height,
                    BenchSurfaceName(), options.frames);
        std::printf("%5s %5s %5s %6s %5s %8s %8s %8s\n", "level", "walls", "sites", "crates", "draws", "disp_cpu",
                    "frame", "proc_cpu");
        // Fitted on the CPU the frame took over all threads: unlike the wall
        // time it does not grow when other work holds the processors.
        double sx = 0, sy = 0, sxx = 0, sxy = 0;
        int n = 0;
        for (int level = 1; level <= LevelCount && levelExists(level); ++level) {
            LoadLevel(level);
            const FrameFigures f = timeFrames(play, options, options.frames);
            std::printf("%5d %5u %5u %6u %5llu %8.3f %8.3f %8.3f\n", level, wallCount, siteCount, crateCount(),
                        (unsigned long long)f.gl.draws, f.displayCpuMs, f.frameWallMs, f.frameProcessCpuMs);
            const double x = double(f.gl.draws), y = f.frameProcessCpuMs;
            sx += x, sy += y, sxx += x * x, sxy += x * y, ++n;
        }
        const double slope = n > 1 && n * sxx - sx * sx != 0 ? (n * sxy - sx * sy) / (n * sxx - sx * sx) : 0.0;
        const double base = n > 0 ? (sy - slope * sx) / n : 0.0;
        std::printf("# fit at %dx%d: frame cpu ms = %.3f + %.5f x draws (%d levels)\n", size.width, size.height, base,
                    slope, n);
        stopGame();
        std::fflush(stdout);
    }
    return 0;
}

static bool parseSize(const char *text, ScreenSizeRow &size)
{
    return std::sscanf(text, "%dx%d", &size.width, &size.height) == 2 && size.width > 0 && size.height > 0;
}

int main(int argc, char **argv)
{
    BenchOptions options;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        ScreenSizeRow size;
        if (!std::strcmp(argv[i], "--game") && hasValue) options.game = argv[++i];
        else if (!std::strcmp(argv[i], "--frames") && hasValue) options.frames = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--warmup") && hasValue) options.warmup = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--level") && hasValue) options.level = std::atoi(argv[++i]);
        else if (!std::strcmp(argv[i], "--size") && hasValue && parseSize(argv[i + 1], size)) options.sizes.push_back(size), ++i;
        else if (!std::strcmp(argv[i], "--growth")) options.growth = true;
        else if (!std::strcmp(argv[i], "--skip-repeated-state")) benchSkipRepeatedState = true;
        else if (!std::strcmp(argv[i], "--rgba-textures")) rgbaExperiment = true;
        else {
            std::fprintf(stderr, "usage: %s [--game DIR] [--frames N] [--warmup N] [--size WxH]... [--level N] "
                                 "[--growth] [--skip-repeated-state] [--rgba-textures]\n", argv[0]);
            return 2;
        }
    }
    if (options.frames < 1) options.frames = 1;
    if (options.sizes.empty()) options.sizes.assign(std::begin(BenchScreenSizes), std::end(BenchScreenSizes));
    if (!ChooseGameFolder(options.game)) return 1;
    if (benchSkipRepeatedState) std::printf("# experiment: repeated binds and toggles not passed to GL\n");
    if (rgbaExperiment) std::printf("# experiment: textures uploaded again as RGBA\n");
    if (options.growth) return runGrowth(options);
    const int level = options.level > 0 ? options.level : largestLevel();
    LoadLevel(level);
    return runScreens(options, level);
}
