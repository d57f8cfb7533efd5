// The generated pictures and sounds: the generator reproduces data/ byte for
// byte, so the committed files are what its code draws (and the end-to-end
// run on the shipped data shows them).
#include "assets/textures.h"
#include "core/state.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sys/wait.h>

namespace {

const std::string Data = std::string(CW_SOURCE_DIR) + "/data/";

// Runs the generator; its exit status, with stdout and stderr in output.
int runGenerator(const std::string &arguments, std::string &output)
{
    const std::string log = MakeTempFolder();
    const int raw = std::system((std::string(ASSETGEN_EXE) + " " + arguments + " >" + log + "/out 2>&1").c_str());
    output = ReadTextFile(log + "/out");
    RemoveTree(log);
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

// Every file under dir/icons, by its path from dir.
std::set<std::string> iconFiles(const std::string &dir)
{
    std::set<std::string> files;
    std::error_code error;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(dir + "/icons", error))
        if (entry.is_regular_file()) files.insert(std::filesystem::relative(entry.path(), dir).string());
    return files;
}

TEST(Generator, WritesTheCommittedFilesByteForByteAndSaysWhyWhenItCannot)
{
    const std::string dir = MakeTempFolder();
    std::string output;
    ASSERT_EQ(runGenerator("'" + dir + "'", output), 0) << output;
    for (int i = 0; i < TextureCount + 2; ++i) {
        const std::string name = i < TextureCount ? TextureFileNames[i] : i == TextureCount ? "Menu.wav" : "Complete.wav";
        const std::string made = ReadTextFile(dir + "/" + name);
        EXPECT_FALSE(made.empty()) << name << " was not written";
        EXPECT_TRUE(made == ReadTextFile(Data + name)) << name << " differs from data/; run the generator into data/";
    }
    // The desktop icons, every size of them.
    const std::set<std::string> icons = iconFiles(dir);
    EXPECT_EQ(icons, iconFiles(Data)) << "the icon sizes differ from data/icons";
    for (const std::string &name : icons)
        EXPECT_TRUE(ReadTextFile(dir + "/" + name) == ReadTextFile(Data + name)) << name << " differs";
    EXPECT_EQ(runGenerator("'" + dir + "' extra", output), 2);
    EXPECT_NE(output.find("usage: assetgen OUTDIR"), std::string::npos) << output;
    EXPECT_EQ(runGenerator("'" + dir + "/no/such'", output), 1);
    EXPECT_NE(output.find("cannot write " + dir + "/no/such/Ground.tex"), std::string::npos) << output;
    RemoveTree(dir);
}

}  // namespace
