#include "tests/support/platform_double.h"

#include "app/platform.h"

#include <cmath>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

PlatformRecord platformRecord;
PlatformSettings platformSettings;

void ResetPlatformDouble()
{
    platformRecord = PlatformRecord{};
    platformSettings = PlatformSettings{};
}

void SetGameFolder(const std::string &dir) { platformSettings.executablePath = dir + "/cratewright"; }

bool ExecutablePath(char *out, size_t capacity)
{
    const std::string &path = platformSettings.executablePath;
    if (path.size() + 1 > capacity) return false;
    std::memcpy(out, path.c_str(), path.size() + 1);
    return true;
}

FILE *OpenFile(const char *path, const char *mode)
{
    FILE *file = std::fopen(path, mode);
    platformRecord.opens.push_back({path, mode, file != nullptr});
    return file;
}

void CloseFile(FILE *file) { std::fclose(file); }

bool ReplaceFile(FILE *file, const char *tempPath, const char *path)
{
    bool written = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    written = std::fclose(file) == 0 && written;
    if (written && !platformSettings.replaceFails && std::rename(tempPath, path) == 0) return true;
    std::remove(tempPath);
    return false;
}

void ShowMessageBox(const char *text, const char *title) { platformRecord.messages.push_back({text, title}); }

bool PlaySoundFile(const char *path, bool loop)
{
    struct stat info;
    bool started = stat(path, &info) == 0 && S_ISREG(info.st_mode);
    platformRecord.sounds.push_back({RecordedSound::Play, path, loop, started});
    return started;
}

void StopSound(SoundStop form)
{
    platformRecord.sounds.push_back(
        {form == SoundStop::Purge ? RecordedSound::StopPurge : RecordedSound::StopPlain, "", false, false});
}

void ScreenSize(int *width, int *height)
{
    *width = platformSettings.screenWidth;
    *height = platformSettings.screenHeight;
}

double Sine(double radians) { return std::sin(radians); }
double Cosine(double radians) { return std::cos(radians); }
double SquareRoot(double value) { return std::sqrt(value); }

void EndProcess(int status)
{
    platformRecord.exits.push_back(status);
    throw ProcessExit{status};
}
