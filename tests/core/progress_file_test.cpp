// The progress file on disk: what is read, what is written back, and the
// writes that fail without losing the old file.
#include "core/progress.h"
#include "tests/core/core_fixture.h"

#include <sys/stat.h>

namespace {

class ProgressFile : public CoreTest {
protected:
    static bool Exists(const std::string &path)
    {
        struct stat info;
        return stat(path.c_str(), &info) == 0;
    }
    // One message titled "Error", nothing ended, and config.ini only ever
    // opened to be read or appended to, never emptied.
    void ExpectOnly(const char *message, const std::string &dir)
    {
        std::string shown;
        for (const RecordedMessage &m : platformRecord.messages) shown += m.text + "|" + m.title;
        EXPECT_EQ(shown, message ? std::string(message) + "|Error" : "");
        EXPECT_TRUE(platformRecord.exits.empty());
        for (const RecordedOpen &open : platformRecord.opens)
            EXPECT_TRUE(open.path != dir + "/config.ini" || open.mode != "w");
    }
};

TEST_F(ProgressFile, ReadAndWrittenBackAsThreeLines)
{
    const struct { const char *file; int32_t kept, level, sound; const char *written; } cases[] = {
        {"0\n1\n257\n", 0, 1, 257, "0\n1\n1\n"},  // only the low byte is written
        {"1\n2\n300\n", 1, 2, 300, "1\n2\n44\n"},
        {"-4\n100\n-1\n", -4, 100, -1, "-4\n100\n255\n"},
        {"  9 40\n\n 1", 9, 40, 1, "9\n40\n1\n"},  // white space is white space
        {"3\n5\n", 3, 5, 0, "3\n5\n0\n"},            // what a short file lacks stays 0
        {"8\nlevel\n1\n", 8, 0, 0, "8\n0\n0\n"},    // the word stops every read after it
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        ResetGameState();
        WriteTextFile(folder + "/config.ini", c.file);
        ASSERT_TRUE(ReadProgressFile());
        EXPECT_EQ(std::vector<int32_t>({keptValue, currentLevel, soundOn}), std::vector<int32_t>({c.kept, c.level, c.sound}));
        WriteProgressFile();
        EXPECT_EQ(ReadTextFile(folder + "/config.ini"), c.written);
        EXPECT_FALSE(Exists(folder + "/config.ini.tmp"));
    }
    ExpectOnly(nullptr, folder);
}

TEST_F(ProgressFile, MissingFileCannotBeReadButIsCreatedOnWrite)
{
    for (const std::string &dir : {folder, folder + "/" + std::string(300, 'q')}) {  // the second does not fit
        ResetPlatformDouble();
        SetGameFolder(dir);
        currentLevel = 3;
        EXPECT_FALSE(ReadProgressFile());
        ExpectOnly("File config.ini cant be opened", dir);
        EXPECT_EQ(currentLevel, 3);
    }
    SetGameFolder(folder);
    platformRecord.messages.clear();
    WriteProgressFile();
    EXPECT_EQ(ReadTextFile(folder + "/config.ini"), "0\n3\n0\n");
    ExpectOnly(nullptr, folder);
}

// Root writes through file modes: folders in the way and the double's failing
// rename stand in for what stops a write on a player's machine.
TEST_F(ProgressFile, FailedWritesAreReportedAndKeepTheOldFile)
{
    enum Block { RenameFails, TempIsAFolder, FileIsAFolder, TempPathTooLong };
    for (Block block : {RenameFails, TempIsAFolder, FileIsAFolder, TempPathTooLong}) {
        SCOPED_TRACE(block);
        // The last folder leaves room for "config.ini", not for "config.ini.tmp".
        const std::string dir = folder + "/" + std::string(block == TempPathTooLong ? 242 - folder.size() : 4, char('a' + block));
        const std::string path = dir + "/config.ini";
        ASSERT_EQ(mkdir(dir.c_str(), 0755), 0);
        ResetPlatformDouble();
        SetGameFolder(dir);
        ASSERT_TRUE(block != FileIsAFolder || mkdir(path.c_str(), 0755) == 0);
        if (block != FileIsAFolder) WriteTextFile(path, "1\n8\n1\n");
        ASSERT_TRUE(block != TempIsAFolder || mkdir((path + ".tmp").c_str(), 0755) == 0);
        platformSettings.replaceFails = block == RenameFails;
        ASSERT_TRUE(block != TempPathTooLong || ReadProgressFile());  // config.ini itself fits
        currentLevel = 44;
        WriteProgressFile();
        ExpectOnly("Config.ini file cant be opened", dir);
        EXPECT_TRUE(block == FileIsAFolder ? Exists(path + "/.") : ReadTextFile(path) == "1\n8\n1\n");
        EXPECT_EQ(Exists(path + ".tmp"), block == TempIsAFolder);
    }
}

}  // namespace
