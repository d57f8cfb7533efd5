// Start-up inside one process, split the way InitGame runs it: the context,
// the twenty textures (file opens, block reads, uploads), the progress file,
// the first level, then the first frame. One cold start per process: run it
// many times and take medians (bench/run.sh does). The last figure is the
// yardstick: the same twenty files read whole into memory, with nothing else.
//
//   cw_bench_startup[_xvfb] [--game DIR] [--size WxH]
#include "app/startup.h"
#include "assets/textures.h"
#include "bench/bench_support.h"
#include "bench/bench_surface.h"
#include "core/state.h"
#include "render/camera.h"
#include "render/frame.h"

#include <GLES/gl.h>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

static double ms(uint64_t from, uint64_t to) { return to > from ? (to - from) / 1e6 : 0.0; }

// Every ".tex" file read whole with read(2) into one buffer, as fast as the
// page cache gives them.
static double readTexturesRaw(uint64_t &bytes)
{
    static std::vector<char> buffer(1 << 20);
    bytes = 0;
    const uint64_t start = benchNowNs();
    for (int i = 0; i < TextureCount; ++i) {
        const int fd = open(GameFilePath(TextureFileNames[i]).c_str(), O_RDONLY);
        if (fd < 0) continue;
        ssize_t got;
        while ((got = read(fd, buffer.data(), buffer.size())) > 0) bytes += uint64_t(got);
        close(fd);
    }
    return ms(start, benchNowNs());
}

int main(int argc, char **argv)
{
    const uint64_t entered = benchNowNs();
    const char *game = nullptr;
    ScreenSizeRow size = BenchScreenSizes[0];
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--game") && i + 1 < argc) game = argv[++i];
        else if (!std::strcmp(argv[i], "--size") && i + 1 < argc &&
                 std::sscanf(argv[i + 1], "%dx%d", &size.width, &size.height) == 2) ++i;
        else {
            std::fprintf(stderr, "usage: %s [--game DIR] [--size WxH]\n", argv[0]);
            return 2;
        }
    }
    if (!ChooseGameFolder(game)) return 1;
    benchScreenWidth = screenWidth = size.width;
    benchScreenHeight = screenHeight = size.height;

    const uint64_t contextStart = benchNowNs();
    if (!OpenBenchSurface(size.width, size.height)) return 1;
    const uint64_t initStart = benchNowNs();
    benchSeam.openLogCount = 0;
    const GlCounts glBefore = glCounts;
    const IoCounts ioBefore = ioCounts;
    const uint64_t opensBefore = benchSeam.openNs;
    allocCounts = AllocCounts{};
    benchCountAllocs = true;  // the twenty pixel buffers show that the hooks see the game
    if (!InitGame()) return 1;
    benchCountAllocs = false;
    const uint64_t initEnd = benchNowNs();
    // InitGame opens config.ini right after the last texture and the level right after it.
    const uint64_t progressOpen = FirstOpenNs("config.ini");
    uint64_t levelOpen = 0;
    for (int i = 0; i < benchSeam.openLogCount; ++i)
        if (!std::strncmp(benchSeam.openLog[i].name, "Level", 5)) levelOpen = benchSeam.openLog[i].ns;
    const double uploadMs = (glCounts.textureUploadNs - glBefore.textureUploadNs) / 1e6;
    const double readMs = (ioCounts.ns - ioBefore.ns) / 1e6;
    const double openMs = (benchSeam.openNs - opensBefore) / 1e6;
    const double texturesMs = ms(initStart, progressOpen);

    const uint64_t frameStart = benchNowNs();
    reshape(size.width, size.height);
    soundOn = 0;  // the bench has no sound device; the cue is timed with the real game
    display();
    glFinish();
    const uint64_t frameEnd = benchNowNs();

    uint64_t rawBytes = 0;
    const double rawMs = readTexturesRaw(rawBytes);
    std::printf("surface=%s size=%dx%d before_context_ms=%.3f context_ms=%.3f textures_ms=%.3f "
                "file_open_ms=%.3f texture_read_ms=%.3f texture_upload_ms=%.3f texture_rest_ms=%.3f "
                "progress_ms=%.3f level_ms=%.3f init_ms=%.3f first_frame_ms=%.3f total_ms=%.3f "
                "raw_read_ms=%.3f raw_bytes=%llu upload_bytes=%llu opens=%d path_lookups=%llu init_heap_calls=%llu\n",
                BenchSurfaceName(), size.width, size.height, ms(entered, contextStart), ms(contextStart, initStart),
                texturesMs, openMs, readMs, uploadMs, texturesMs - openMs - readMs - uploadMs,
                ms(progressOpen, levelOpen), ms(levelOpen, initEnd), ms(initStart, initEnd), ms(frameStart, frameEnd),
                ms(entered, frameEnd), rawMs, (unsigned long long)rawBytes,
                (unsigned long long)(glCounts.textureBytes - glBefore.textureBytes), benchSeam.openLogCount,
                (unsigned long long)benchSeam.executablePaths,
                (unsigned long long)(allocCounts.mallocs + allocCounts.news));
    DeleteTextures();
    CloseBenchSurface();
    return 0;
}
