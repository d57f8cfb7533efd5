/* A probe preloaded into the real game (LD_PRELOAD) under Xvfb. The game links
 * freeglut statically but libc, libEGL, libGLESv1_CM and libX11 dynamically,
 * so these calls reach the probe first; it notes the monotonic time of each and
 * passes it on. One line per event in CW_PROBE_LOG: "<ns> <event> <detail>".
 * SDL2 is linked dynamically too, so the look for a sound device shows as
 * "audioinit" (SDL_InitSubSystem called) and "audioopen" (SDL_OpenAudioDevice
 * returned, or SDL_InitSubSystem failed), whichever thread makes it.
 *
 *   CW_PROBE_LOG          where the lines go (required; without it the probe is silent)
 *   CW_PROBE_T0           monotonic ns of the launch, from cw_launch
 *   CW_PROBE_EXIT_AT_SWAP end the process with status 0 right after this swap (1 = the first)
 *   CW_PROBE_EXIT_AFTER_AUDIO  1: with the above, wait also for the look for a sound device
 */
#define _GNU_SOURCE
#include <EGL/egl.h>
#include <GLES/gl.h>
#include <X11/Xlib.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static int logFd = -1;
static long exitAtSwap = 0;
static int exitAfterAudio = 0;
static volatile int audioEnded = 0;
static volatile long swaps = 0;
static unsigned long drawsSinceSwap = 0;
static unsigned long long uploadBytes = 0;
static int contextReady = 0;

static unsigned long long now(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (unsigned long long)t.tv_sec * 1000000000ull + (unsigned long long)t.tv_nsec;
}

static void note(const char *event, const char *detail)
{
    if (logFd < 0) return;
    char line[512];
    int n = snprintf(line, sizeof line, "%llu %s %s\n", now(), event, detail ? detail : "-");
    if (n > 0) (void)!write(logFd, line, (size_t)(n < (int)sizeof line ? n : (int)sizeof line - 1));
}

static void *next(const char *name)
{
    void *f = dlsym(RTLD_NEXT, name);
    if (!f) {
        fprintf(stderr, "probe: %s not found\n", name);
        _exit(126);
    }
    return f;
}

__attribute__((constructor)) static void startProbe(void)
{
    const char *path = getenv("CW_PROBE_LOG");
    if (!path) return;
    logFd = open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    const char *t0 = getenv("CW_PROBE_T0");
    if (t0) note("t0", t0);
    const char *exitAt = getenv("CW_PROBE_EXIT_AT_SWAP");
    if (exitAt) exitAtSwap = atol(exitAt);
    const char *afterAudio = getenv("CW_PROBE_EXIT_AFTER_AUDIO");
    exitAfterAudio = afterAudio && atoi(afterAudio) == 1;
    note("loaded", "-");
}

/* The exit asked for, once every event it waits for has come. */
static void exitWhenDone(void)
{
    if (exitAtSwap > 0 && swaps >= exitAtSwap && (!exitAfterAudio || audioEnded)) _exit(0);
}

static const char *baseName(const char *path)
{
    const char *slash = strrchr(path, '/');
    return slash ? slash + 1 : path;
}

FILE *fopen(const char *path, const char *mode)
{
    static FILE *(*real)(const char *, const char *);
    if (!real) real = (FILE * (*)(const char *, const char *)) next("fopen");
    note("fopen", baseName(path));
    return real(path, mode);
}

FILE *fopen64(const char *path, const char *mode)
{
    static FILE *(*real)(const char *, const char *);
    if (!real) real = (FILE * (*)(const char *, const char *)) next("fopen64");
    note("fopen", baseName(path));
    return real(path, mode);
}

Display *XOpenDisplay(const char *name)
{
    static Display *(*real)(const char *);
    if (!real) real = (Display * (*)(const char *)) next("XOpenDisplay");
    Display *d = real(name);
    note("xopen", "-");
    return d;
}

EGLBoolean eglInitialize(EGLDisplay display, EGLint *major, EGLint *minor)
{
    static EGLBoolean (*real)(EGLDisplay, EGLint *, EGLint *);
    if (!real) real = (EGLBoolean(*)(EGLDisplay, EGLint *, EGLint *))next("eglInitialize");
    EGLBoolean done = real(display, major, minor);
    note("eglinit", "-");
    return done;
}

EGLBoolean eglMakeCurrent(EGLDisplay display, EGLSurface draw, EGLSurface read, EGLContext context)
{
    static EGLBoolean (*real)(EGLDisplay, EGLSurface, EGLSurface, EGLContext);
    if (!real) real = (EGLBoolean(*)(EGLDisplay, EGLSurface, EGLSurface, EGLContext))next("eglMakeCurrent");
    EGLBoolean done = real(display, draw, read, context);
    if (!contextReady && context != EGL_NO_CONTEXT) {
        contextReady = 1;
        note("context", "-");
    }
    return done;
}

/* freeglut asks for pending events once each time round its loop, so the
 * count of these calls is the count of loop turns. */
int XPending(Display *display)
{
    static int (*real)(Display *);
    static unsigned long long calls = 0;
    if (!real) real = (int (*)(Display *))next("XPending");
    if (++calls % 10000 == 0) {
        char detail[32];
        snprintf(detail, sizeof detail, "%llu", calls);
        note("xpending", detail);
    }
    return real(display);
}

int XNextEvent(Display *display, XEvent *event)
{
    static int (*real)(Display *, XEvent *);
    if (!real) real = (int (*)(Display *, XEvent *))next("XNextEvent");
    int done = real(display, event);
    if (event->type == KeyPress) note("keypress", "-");
    else if (event->type == ButtonPress) note("buttonpress", "-");
    return done;
}

/* The first call of a frame: a frame's drawing runs from here to its swap. */
void glClear(GLbitfield mask)
{
    static void (*real)(GLbitfield);
    if (!real) real = (void (*)(GLbitfield))next("glClear");
    note("clear", "-");
    real(mask);
}

/* SDL's own declarations need its headers; these two are stable ABI. */
int SDL_InitSubSystem(unsigned int flags)
{
    static int (*real)(unsigned int);
    if (!real) real = (int (*)(unsigned int))next("SDL_InitSubSystem");
    note("audioinit", "-");
    int done = real(flags);
    if (done != 0) {
        note("audioopen", "none");
        audioEnded = 1;
        exitWhenDone();
    }
    return done;
}

unsigned int SDL_OpenAudioDevice(const char *name, int capture, const void *wanted, void *obtained, int changes)
{
    static unsigned int (*real)(const char *, int, const void *, void *, int);
    if (!real) real = (unsigned int (*)(const char *, int, const void *, void *, int))next("SDL_OpenAudioDevice");
    unsigned int device = real(name, capture, wanted, obtained, changes);
    note("audioopen", device ? "device" : "none");
    audioEnded = 1;
    exitWhenDone();
    return device;
}

void glDrawArrays(GLenum mode, GLint first, GLsizei count)
{
    static void (*real)(GLenum, GLint, GLsizei);
    if (!real) real = (void (*)(GLenum, GLint, GLsizei))next("glDrawArrays");
    ++drawsSinceSwap;
    real(mode, first, count);
}

void glTexImage2D(GLenum target, GLint level, GLint internal, GLsizei width, GLsizei height, GLint border,
                  GLenum format, GLenum type, const void *pixels)
{
    static void (*real)(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const void *);
    if (!real)
        real = (void (*)(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum, GLenum, const void *))next(
            "glTexImage2D");
    real(target, level, internal, width, height, border, format, type, pixels);
    uploadBytes += (unsigned long long)(((width * 3 + 3) & ~3) * height);
    char detail[64];
    snprintf(detail, sizeof detail, "%dx%d total=%llu", width, height, uploadBytes);
    note("upload", detail);
}

EGLBoolean eglSwapBuffers(EGLDisplay display, EGLSurface surface)
{
    static EGLBoolean (*real)(EGLDisplay, EGLSurface);
    if (!real) real = (EGLBoolean(*)(EGLDisplay, EGLSurface))next("eglSwapBuffers");
    EGLBoolean done = real(display, surface);
    struct timespec cpu;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    char detail[64];
    snprintf(detail, sizeof detail, "draws=%lu cpu=%llu", drawsSinceSwap,
             (unsigned long long)cpu.tv_sec * 1000000000ull + (unsigned long long)cpu.tv_nsec);
    drawsSinceSwap = 0;
    note("swap", detail);
    ++swaps;
    exitWhenDone();
    return done;
}
