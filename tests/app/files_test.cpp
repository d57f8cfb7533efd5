// The real file services (app/files_linux.cpp) on real files in a temporary
// folder. What a power cut would show cannot be had in a test, so the calls
// that make a save durable are recorded on their way to the system (the test
// links with --wrap=fsync and --wrap=rename) and may be made to fail.
#include "app/platform.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

std::vector<std::string> calls;  // "fsync PATH" and "rename FROM TO", in their order
std::string failingSync;         // a path whose fsync fails with EIO

std::string pathOf(int descriptor) { return std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(descriptor)); }

void writeText(const std::string &path, const std::string &text) { std::ofstream(path) << text; }
std::string readText(const std::string &path) { return std::string(std::istreambuf_iterator<char>(std::ifstream(path).rdbuf()), {}); }

}  // namespace

extern "C" int __real_fsync(int descriptor);
extern "C" int __real_rename(const char *from, const char *to);

extern "C" int __wrap_fsync(int descriptor)
{
    calls.push_back("fsync " + pathOf(descriptor));
    if (calls.back() == "fsync " + failingSync) return errno = EIO, -1;
    return __real_fsync(descriptor);
}

extern "C" int __wrap_rename(const char *from, const char *to)
{
    calls.push_back(std::string("rename ") + from + " " + to);
    return __real_rename(from, to);
}

namespace {

// config.ini replaced through config.ini.tmp: the file is synced, renamed and
// then its folder synced, so that the rename itself survives a power cut. A
// folder that cannot be synced fails nothing (the file is whole either way);
// a file that cannot be synced is never renamed over the old one.
TEST(Files, ReplacingSyncsTheFileThenRenamesThenSyncsTheFolder)
{
    char made[] = "/tmp/cratewright-files-XXXXXX";
    ASSERT_NE(mkdtemp(made), nullptr);
    const std::string folder = made;
    const std::string path = folder + "/config.ini", temp = path + ".tmp";
    const std::vector<std::string> durable = {"fsync " + temp, "rename " + temp + " " + path, "fsync " + folder};
    for (const std::string &failing : {std::string(), folder, temp}) {
        writeText(path, "0\n1\n0\n");
        calls.clear();
        failingSync = failing;
        FILE *file = OpenFile(temp.c_str(), "w");
        ASSERT_NE(file, nullptr);
        std::fputs("7\n42\n1\n", file);
        const bool fileSyncFails = failing == temp;
        EXPECT_EQ(ReplaceFile(file, temp.c_str(), path.c_str()), !fileSyncFails) << "sync failing: " << failing;
        EXPECT_EQ(calls, fileSyncFails ? std::vector<std::string>{durable[0]} : durable) << "sync failing: " << failing;
        EXPECT_EQ(readText(path), fileSyncFails ? "0\n1\n0\n" : "7\n42\n1\n") << "sync failing: " << failing;
        EXPECT_NE(access(temp.c_str(), F_OK), 0) << "config.ini.tmp was left behind";
    }
    failingSync.clear();
    std::remove(path.c_str());
    rmdir(folder.c_str());
}

}  // namespace
