// Data paths: the executable's folder with its trailing '/', plus a bare name,
// never cut into another name.
#include "core/paths.h"
#include "tests/core/core_fixture.h"

#include <cstring>

namespace {

using DataPaths = CoreTest;

TEST_F(DataPaths, FolderIsCutAfterTheLastSlash)
{
    const struct { std::string executable; const char *folder; } cases[] = {
        {"/opt/cratewright/cratewright", "/opt/cratewright/"}, {"/cratewright", "/"},
        {"/a/b.c/d/", "/a/b.c/d/"}, {"/games/crate wright/run", "/games/crate wright/"},
        {"cratewright", nullptr}, {"/" + std::string(PathCapacity, 'x'), nullptr},  // no folder; too long
    };
    for (const auto &c : cases) {
        platformSettings.executablePath = c.executable;
        EXPECT_EQ(BuildAppDirectory(), c.folder != nullptr) << c.executable;
        EXPECT_STREQ(AppDirectory, c.folder ? c.folder : "");
    }
    platformSettings.executablePath = "/games/crate wright/run";
    ASSERT_TRUE(BuildAppDirectory());
    char path[PathCapacity];
    ASSERT_TRUE(DataFilePath("Level7.Map", path));
    EXPECT_STREQ(path, "/games/crate wright/Level7.Map");
}

TEST_F(DataPaths, NameThatDoesNotFitIsRefused)
{
    // A folder of 250 bytes: a name of 5 fits with the zero, 6 does not.
    platformSettings.executablePath = std::string(249, 'f') + "/game";
    ASSERT_TRUE(BuildAppDirectory());
    ASSERT_EQ(std::strlen(AppDirectory), 250u);
    char path[PathCapacity];
    std::memset(path, '#', sizeof path);
    ASSERT_TRUE(DataFilePath("a.ini", path));
    EXPECT_EQ(std::strlen(path), 255u);
    EXPECT_FALSE(DataFilePath("ab.ini", path));
    EXPECT_STREQ(path, "");
}

}  // namespace
