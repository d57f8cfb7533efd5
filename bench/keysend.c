/* cw_keysend [--hold MS] LOG FIRST_KEY COUNT GAP_MS KEY...: waits for the
 * "Cratewright" window, types FIRST_KEY (e.g. Return, to leave the menu), then
 * COUNT presses cycling through KEY..., GAP_MS apart, through the XTEST
 * extension as a keyboard would. Before each press it writes
 * "<monotonic ns> <key>" to LOG, the clock the probe in the game uses too.
 * With --hold, each of the COUNT keys is held down for MS milliseconds, so
 * that the X server repeats it as it would for a player's finger. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

/* From libXtst (its header ships in a -dev package we do not need). */
extern int XTestFakeKeyEvent(Display *display, unsigned int keycode, Bool isPress, unsigned long delay);

static unsigned long long now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (unsigned long long)t.tv_sec * 1000000000ull + (unsigned long long)t.tv_nsec;
}

static Window findWindow(Display *d, Window w, int depth)
{
    char *name = NULL;
    if (XFetchName(d, w, &name) && name) {
        int found = strcmp(name, "Cratewright") == 0;
        XFree(name);
        if (found) return w;
    }
    if (depth == 0) return None;
    Window root, parent, *children = NULL;
    unsigned int count = 0;
    Window hit = None;
    if (XQueryTree(d, w, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count && hit == None; ++i) hit = findWindow(d, children[i], depth - 1);
        if (children) XFree(children);
    }
    return hit;
}

static void sleepMs(long ms)
{
    struct timespec t = {ms / 1000, (ms % 1000) * 1000000L};
    nanosleep(&t, NULL);
}

static void press(Display *d, const char *key, long holdMs)
{
    KeyCode code = XKeysymToKeycode(d, XStringToKeysym(key));
    XTestFakeKeyEvent(d, code, True, 0);
    XFlush(d);
    if (holdMs > 0) sleepMs(holdMs);
    XTestFakeKeyEvent(d, code, False, 0);
    XFlush(d);
}

int main(int argc, char **argv)
{
    long holdMs = 0;
    if (argc > 2 && strcmp(argv[1], "--hold") == 0) {
        holdMs = atol(argv[2]);
        argv += 2;
        argc -= 2;
    }
    if (argc < 6) {
        fprintf(stderr, "usage: cw_keysend [--hold MS] LOG FIRST_KEY COUNT GAP_MS KEY...\n");
        return 2;
    }
    Display *d = XOpenDisplay(NULL);
    if (!d) {
        fprintf(stderr, "cw_keysend: no display\n");
        return 1;
    }
    Window w = None;
    for (int tries = 0; tries < 200 && w == None; ++tries, sleepMs(50)) w = findWindow(d, DefaultRootWindow(d), 3);
    if (w == None) {
        fprintf(stderr, "cw_keysend: no Cratewright window\n");
        return 1;
    }
    sleepMs(1000);  /* the first frames and the music start */
    FILE *log = fopen(argv[1], "w");
    if (!log) return 1;
    press(d, argv[2], 0);
    sleepMs(500);
    const int count = atoi(argv[3]);
    const long gap = atol(argv[4]);
    const int keys = argc - 5;
    for (int i = 0; i < count; ++i) {
        const char *key = argv[5 + i % keys];
        fprintf(log, "%llu %s\n", now(), key);
        fflush(log);
        press(d, key, holdMs);
        sleepMs(gap);
    }
    fclose(log);
    XCloseDisplay(d);
    return 0;
}
