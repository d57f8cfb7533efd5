// The platform services on Linux: SDL2 for message boxes and sound, X11 for
// the screen, libm for the maths (files_linux.cpp has the files).
#include "app/platform.h"

#include "app/audio.h"
#include "app/desktop.h"

#include <SDL2/SDL.h>

#include <cmath>
#include <cstdlib>

// The sound device may still be looked for on its thread, inside SDL and the
// sound libraries. SDL serves one thread at a time, and their exit handlers
// must not run under the look. It ends within moments; should it hang, a box
// shows anyway and the process ends without exit handlers (the progress file
// is on disk by then).
constexpr int ProbeWaitMs = 2000;

void ShowMessageBox(const char *text, const char *title)
{
    AudioProbeEnded(ProbeWaitMs);
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title, text, nullptr) != 0)
        std::fprintf(stderr, "%s: %s\n", title, text);
}

bool PlaySoundFile(const char *path, bool loop) { return AudioPlay(path, loop); }

void StopSound(SoundStop form) { AudioStop(form == SoundStop::Purge); }

void ScreenSize(int *width, int *height) { DesktopScreenSize(width, height); }

double Sine(double radians) { return std::sin(radians); }
double Cosine(double radians) { return std::cos(radians); }
double SquareRoot(double value) { return std::sqrt(value); }

void EndProcess(int status)
{
    if (AudioProbeEnded(ProbeWaitMs)) std::exit(status);
    std::fflush(nullptr);
    std::_Exit(status);
}
