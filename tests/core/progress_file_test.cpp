// The progress file on disk: what is read, what is written back, and the
// writes that fail without losing the old file.
#include "core/progress.h"
#include "tests/core/core_fixture.h"

#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class ProgressFile : public CoreTest {
protected:
    static bool Exists(const std::string &path)
    {
        struct stat info;
        return stat(path.c_str(), &info) == 0;
    }
    void ExpectOneMessage(const char *text)
    {
        ASSERT_EQ(platformRecord.messages.size(), 1u);
        EXPECT_EQ(platformRecord.messages[0].text, text);
        EXPECT_EQ(platformRecord.messages[0].title, "Error");
        EXPECT_TRUE(platformRecord.exits.empty());  // the caller decides what follows
    }
    // config.ini is only ever opened to be read or appended to, never emptied.
    void ExpectNeverEmptied(const std::string &dir)
    {
        for (const RecordedOpen &open : platformRecord.opens)
            EXPECT_TRUE(open.path != dir + "/config.ini" || open.mode != "w");
    }
};

TEST_F(ProgressFile, ReadAndWrittenBackAsThreeLines)
{
    const struct { const char *file; int32_t kept, level, sound; const char *written; } cases[] = {
        {"7\n12\n1\n", 7, 12, 1, "7\n12\n1\n"},
        {"0\n1\n257\n", 0, 1, 257, "0\n1\n1\n"},  // only the low byte is written
        {"1\n2\n300\n", 1, 2, 300, "1\n2\n44\n"},
        {"5\n3\n256\n", 5, 3, 256, "5\n3\n0\n"},
        {"-4\n100\n-1\n", -4, 100, -1, "-4\n100\n255\n"},
        {"  9 40\n\n 1", 9, 40, 1, "9\n40\n1\n"},  // white space is white space
        {"3\n5\n", 3, 5, 0, "3\n5\n0\n"},            // what a short file lacks stays 0
        {"", 0, 0, 0, "0\n0\n0\n"},
        {"8\nlevel\n1\n", 8, 0, 0, "8\n0\n0\n"},  // the word stops every read after it
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        ResetGameState();
        WriteTextFile(folder + "/config.ini", c.file);
        ASSERT_TRUE(ReadProgressFile());
        EXPECT_EQ(keptValue, c.kept);
        EXPECT_EQ(currentLevel, c.level);
        EXPECT_EQ(soundOn, c.sound);
        WriteProgressFile();
        EXPECT_EQ(ReadTextFile(folder + "/config.ini"), c.written);
        EXPECT_FALSE(Exists(folder + "/config.ini.tmp"));
    }
    EXPECT_TRUE(platformRecord.messages.empty());
    ExpectNeverEmptied(folder);
}

TEST_F(ProgressFile, MissingFileCannotBeReadButIsCreatedOnWrite)
{
    for (const std::string &dir : {folder, folder + "/" + std::string(300, 'q')}) {  // the second does not fit
        ResetPlatformDouble();
        SetGameFolder(dir);
        currentLevel = 3;
        EXPECT_FALSE(ReadProgressFile());
        ExpectOneMessage("File config.ini cant be opened");
        EXPECT_EQ(currentLevel, 3);
    }
    SetGameFolder(folder);
    platformRecord.messages.clear();
    keptValue = 2;
    currentLevel = 9;
    soundOn = 1;
    WriteProgressFile();
    EXPECT_TRUE(platformRecord.messages.empty());
    EXPECT_EQ(ReadTextFile(folder + "/config.ini"), "2\n9\n1\n");
    EXPECT_FALSE(Exists(folder + "/config.ini.tmp"));
}

// Root writes through file modes: a folder named config.ini, an immutable
// file (chattr) and the double's failing rename stand in for what stops a
// write on a player's machine.
TEST_F(ProgressFile, FailedWritesAreReportedAndKeepTheOldFile)
{
    enum Block { RenameFails, TempIsAFolder, FileIsAFolder, WriteProtected, TempPathTooLong };
    for (Block block : {RenameFails, TempIsAFolder, FileIsAFolder, WriteProtected, TempPathTooLong}) {
        SCOPED_TRACE(block);
        // The last folder leaves room for "config.ini" beside the executable,
        // not for "config.ini.tmp".
        const size_t length = block == TempPathTooLong ? 242 - folder.size() : 4;
        const std::string dir = folder + "/" + std::string(length, char('a' + block));
        const std::string path = dir + "/config.ini";
        ASSERT_EQ(mkdir(dir.c_str(), 0755), 0);
        ResetPlatformDouble();
        SetGameFolder(dir);
        ASSERT_TRUE(block != FileIsAFolder || mkdir(path.c_str(), 0755) == 0);
        if (block != FileIsAFolder) WriteTextFile(path, "1\n8\n1\n");
        ASSERT_TRUE(block != TempIsAFolder || mkdir((path + ".tmp").c_str(), 0755) == 0);
        platformSettings.replaceFails = block == RenameFails;
        if (block == WriteProtected && std::system(("chattr +i '" + path + "' 2>/dev/null").c_str()) != 0) {
            chmod(path.c_str(), 0444);
            if (access(path.c_str(), W_OK) == 0) {
                std::printf("nothing write-protects a file here\n");
                continue;
            }
        }
        ASSERT_TRUE(block != TempPathTooLong || ReadProgressFile());  // config.ini itself fits
        currentLevel = 44;
        WriteProgressFile();
        if (block == WriteProtected) std::system(("chattr -i '" + path + "' 2>/dev/null").c_str());
        ExpectOneMessage("Config.ini file cant be opened");
        EXPECT_EQ(block == FileIsAFolder ? Exists(path + "/.") : ReadTextFile(path) == "1\n8\n1\n", true);
        EXPECT_EQ(Exists(path + ".tmp"), block == TempIsAFolder);
        ExpectNeverEmptied(dir);
    }
}

}  // namespace
