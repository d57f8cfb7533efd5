// Block reads from the game's objects, through --wrap=fread: the time the
// bitmaps spend in stdio, apart from the upload.
#include "bench/bench_support.h"

#include <cstdio>

IoCounts ioCounts;

extern "C" {
size_t __real_fread(void *buffer, size_t size, size_t count, FILE *file);

size_t __wrap_fread(void *buffer, size_t size, size_t count, FILE *file)
{
    const uint64_t start = benchNowNs();
    const size_t done = __real_fread(buffer, size, count, file);
    ioCounts.ns += benchNowNs() - start;
    ++ioCounts.reads;
    ioCounts.bytes += done * size;
    return done;
}
}
