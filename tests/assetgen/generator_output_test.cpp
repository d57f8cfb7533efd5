// The generator run as a program: it writes exactly the committed files, the
// desktop icons included, and says why when it cannot.
#include "tests/assetgen/shipped_assets.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <sys/wait.h>

namespace {

// Every file under dir/icons, by its path from dir.
std::set<std::string> iconFiles(const std::string &dir)
{
    std::set<std::string> files;
    std::error_code error;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(dir + "/icons", error))
        if (entry.is_regular_file()) files.insert(std::filesystem::relative(entry.path(), dir).string());
    return files;
}

// Runs the generator; returns its exit status and puts stdout and stderr in output.
int runGenerator(const std::string &arguments, std::string &output)
{
    FILE *pipe = popen((std::string(ASSETGEN_EXE) + " " + arguments + " 2>&1").c_str(), "r");
    if (!pipe) return -1;
    char buffer[256];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    const int raw = pclose(pipe);
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

TEST(GeneratorRun, WritesTheCommittedFilesByteForByte)
{
    const std::string dir = MakeTempFolder();
    std::string output;
    ASSERT_EQ(runGenerator("'" + dir + "'", output), 0) << output;
    for (const char *name : ShippedFiles) {
        const std::string made = ReadTextFile(dir + "/" + name);
        ASSERT_FALSE(made.empty()) << name << " was not written";
        EXPECT_TRUE(made == ReadTextFile(DataFolder() + name)) << name << " differs from data/" << name
                                                   << "; run the generator into data/ after changing it";
    }
    const std::set<std::string> icons = iconFiles(dir);
    EXPECT_EQ(icons, iconFiles(DataFolder())) << "the icon sizes differ from data/icons";
    for (const std::string &name : icons)
        EXPECT_TRUE(ReadTextFile(dir + "/" + name) == ReadTextFile(DataFolder() + name)) << name << " differs";
    if (!HasFailure()) RemoveTree(dir);
}

TEST(GeneratorRun, RefusesBadArgumentsAndNamesTheFileItCannotWrite)
{
    const std::string dir = MakeTempFolder();
    for (const std::string &args : {std::string(""), "'" + dir + "' extra"}) {
        std::string output;
        EXPECT_EQ(runGenerator(args, output), 2) << "arguments: " << args;
        EXPECT_NE(output.find("usage: assetgen OUTDIR"), std::string::npos) << output;
    }
    EXPECT_TRUE(ReadTextFile(dir + "/Ground.tex").empty()) << "nothing is written without a folder";
    std::string output;
    EXPECT_EQ(runGenerator("'" + dir + "/no/such/folder'", output), 1);
    EXPECT_NE(output.find("cannot write " + dir + "/no/such/folder/Ground.tex"), std::string::npos) << output;
    RemoveTree(dir);
}

}  // namespace
