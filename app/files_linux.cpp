// The files of the platform services on Linux: /proc for the executable,
// stdio and POSIX for the files.
#include "app/platform.h"

#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>

bool ExecutablePath(char *out, size_t capacity)
{
    if (capacity == 0) return false;
    ssize_t length = readlink("/proc/self/exe", out, capacity);
    if (length <= 0 || static_cast<size_t>(length) >= capacity) return false;
    out[length] = '\0';
    return true;
}

FILE *OpenFile(const char *path, const char *mode) { return std::fopen(path, mode); }

void CloseFile(FILE *file) { std::fclose(file); }

// A rename is on disk only once its folder is: a power cut soon after it can
// bring the old file back. The file is whole either way, so a folder that
// cannot be synced fails nothing.
static void syncFolderOf(const char *path)
{
    const char *slash = std::strrchr(path, '/');
    const std::string folder = !slash ? "." : slash == path ? "/" : std::string(path, slash);
    const int descriptor = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0) return;
    (void)fsync(descriptor);
    close(descriptor);
}

bool ReplaceFile(FILE *file, const char *tempPath, const char *path)
{
    bool written = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    written = std::fclose(file) == 0 && written;
    if (written && std::rename(tempPath, path) == 0) {
        syncFolderOf(path);
        return true;
    }
    std::remove(tempPath);
    return false;
}
