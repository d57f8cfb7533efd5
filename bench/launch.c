/* cw_launch PROBE.so PROGRAM [ARG...]: notes the monotonic time, then runs
 * PROGRAM with the probe preloaded and the time in CW_PROBE_T0, so that the
 * probe's figures start at the launch, the loader's work included. */
#define _GNU_SOURCE
#include <stdio.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: cw_launch PROBE.so PROGRAM [ARG...]\n");
        return 2;
    }
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    char text[32];
    snprintf(text, sizeof text, "%llu", (unsigned long long)t.tv_sec * 1000000000ull + (unsigned long long)t.tv_nsec);
    setenv("CW_PROBE_T0", text, 1);
    setenv("LD_PRELOAD", argv[1], 1);
    execv(argv[2], argv + 2);
    perror(argv[2]);
    return 127;
}
