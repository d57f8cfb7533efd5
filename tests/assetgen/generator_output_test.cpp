// The generator run as a program: it writes exactly the committed files, and
// says why when it cannot.
#include "tests/assetgen/shipped_assets.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>

namespace {

const char *const GeneratedFiles[] = {
    "Ground.tex", "Crate.tex", "Site.tex", "Static.tex", "UArrow.tex", "RArrow.tex", "DArrow.tex",
    "LArrow.tex", "Menu.tex", "SiteCrate.tex", "comp.tex", "credits.tex", "UArrowMask.tex",
    "RArrowMask.tex", "DArrowMask.tex", "LArrowMask.tex", "dpad.tex", "options.tex", "off.tex", "end.tex",
    "Menu.wav", "Complete.wav",
};

std::string readAll(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct RunResult {
    int status;
    std::string output;  // standard error and output together
};

RunResult runGenerator(const std::string &arguments)
{
    const std::string command = std::string(ASSETGEN_EXE) + " " + arguments + " 2>&1";
    FILE *pipe = popen(command.c_str(), "r");
    RunResult r{-1, ""};
    if (!pipe) return r;
    char buffer[256];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) r.output.append(buffer, n);
    const int raw = pclose(pipe);
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return r;
}

class GeneratorRun : public ::testing::Test {
protected:
    void SetUp() override { dir = MakeTempFolder(); }
    void TearDown() override
    {
        if (!HasFailure()) RemoveTree(dir);
    }
    std::string dir;
};

TEST_F(GeneratorRun, WritesTheCommittedFilesByteForByte)
{
    const RunResult r = runGenerator("'" + dir + "'");
    ASSERT_EQ(r.status, 0) << r.output;
    for (const char *name : GeneratedFiles) {
        const std::string made = readAll(dir + "/" + name), shipped = readAll(DataFolder() + name);
        ASSERT_FALSE(made.empty()) << name << " was not written";
        EXPECT_EQ(made.size(), shipped.size()) << name << " differs in size from data/" << name;
        EXPECT_TRUE(made == shipped) << name << " differs from data/" << name
                                     << "; run the generator into data/ after changing it";
    }
}

TEST_F(GeneratorRun, RefusesAMissingOrExtraArgumentWithItsUsage)
{
    for (const std::string &args : {std::string(""), "'" + dir + "' extra"}) {
        const RunResult r = runGenerator(args);
        EXPECT_EQ(r.status, 2) << "arguments: " << args;
        EXPECT_NE(r.output.find("usage: assetgen OUTDIR"), std::string::npos) << r.output;
    }
    EXPECT_TRUE(readAll(dir + "/Ground.tex").empty()) << "nothing is written without a folder";
}

TEST_F(GeneratorRun, NamesTheFileItCannotWrite)
{
    const RunResult r = runGenerator("'" + dir + "/no/such/folder'");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.output.find("cannot write " + dir + "/no/such/folder/Ground.tex"), std::string::npos) << r.output;
}

}  // namespace
