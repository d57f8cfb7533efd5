// The platform seam for the tools: plain files, messages on standard error,
// no sound, and an exit that the tool catches.
#include "app/platform.h"

#include "tools/levelkit/levels/tool_platform.h"

#include <cmath>
#include <cstring>

static std::string toolFolder = ".";

void pointToolAt(const std::string &folder) { toolFolder = folder; }

bool ExecutablePath(char *out, size_t capacity)
{
    std::string path = toolFolder + "/levelkit";
    if (path.size() + 1 > capacity) return false;
    std::memcpy(out, path.c_str(), path.size() + 1);
    return true;
}

FILE *OpenFile(const char *path, const char *mode) { return std::fopen(path, mode); }
void CloseFile(FILE *file) { std::fclose(file); }

bool ReplaceFile(FILE *file, const char *tempPath, const char *path)
{
    bool written = std::fclose(file) == 0;
    if (written && std::rename(tempPath, path) == 0) return true;
    std::remove(tempPath);
    return false;
}

void ShowMessageBox(const char *text, const char *title) { std::fprintf(stderr, "[%s] %s\n", title, text); }

bool PlaySoundFile(const char *, bool) { return false; }
void StopSound(SoundStop) {}

void ScreenSize(int *width, int *height)
{
    *width = 240;
    *height = 320;
}

double Sine(double radians) { return std::sin(radians); }
double Cosine(double radians) { return std::cos(radians); }
double SquareRoot(double value) { return std::sqrt(value); }

void EndProcess(int status) { throw ToolExit{status}; }
