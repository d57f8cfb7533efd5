// The progress file on disk: what is read, what is written back, and the
// writes that fail without losing the old file.
#include "core/progress.h"
#include "tests/core/core_fixture.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class ProgressFile : public CoreTest {
public:
    std::string Path() const { return folder + "/config.ini"; }
    std::string TempPath() const { return folder + "/config.ini.tmp"; }

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
    }
    // config.ini is only ever opened to be read or appended to, never emptied.
    void ExpectNeverEmptied()
    {
        for (const RecordedOpen &open : platformRecord.opens)
            if (open.path == Path()) {
                EXPECT_NE(open.mode, "w");
            }
    }
};

TEST_F(ProgressFile, RoundTripKeepsEveryLine)
{
    WriteTextFile(Path(), "7\n12\n1\n");
    ASSERT_TRUE(ReadProgressFile());
    EXPECT_EQ(keptValue, 7);
    EXPECT_EQ(currentLevel, 12);
    EXPECT_EQ(soundOn, 1);
    WriteProgressFile();
    EXPECT_EQ(ReadTextFile(Path()), "7\n12\n1\n");
    EXPECT_TRUE(platformRecord.messages.empty());
    EXPECT_FALSE(Exists(TempPath()));
    ExpectNeverEmptied();
}

TEST_F(ProgressFile, SoundSwitchIsWrittenAsItsLowByte)
{
    struct Case {
        const char *file;
        int32_t kept, level, sound;
        const char *written;
    };
    const Case cases[] = {
        {"0\n1\n257\n", 0, 1, 257, "0\n1\n1\n"},
        {"1\n2\n300\n", 1, 2, 300, "1\n2\n44\n"},
        {"5\n3\n256\n", 5, 3, 256, "5\n3\n0\n"},
        {"-4\n100\n-1\n", -4, 100, -1, "-4\n100\n255\n"},
        {"  9 40\n\n 1", 9, 40, 1, "9\n40\n1\n"},  // white space is white space
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        ResetGameState();
        WriteTextFile(Path(), c.file);
        ASSERT_TRUE(ReadProgressFile());
        EXPECT_EQ(keptValue, c.kept);
        EXPECT_EQ(currentLevel, c.level);
        EXPECT_EQ(soundOn, c.sound);
        WriteProgressFile();
        EXPECT_EQ(ReadTextFile(Path()), c.written);
    }
    EXPECT_TRUE(platformRecord.messages.empty());
}

TEST_F(ProgressFile, ShortFilesLeaveTheRestAtZero)
{
    WriteTextFile(Path(), "3\n5\n");
    ASSERT_TRUE(ReadProgressFile());
    EXPECT_EQ(keptValue, 3);
    EXPECT_EQ(currentLevel, 5);
    EXPECT_EQ(soundOn, 0);

    ResetGameState();
    WriteTextFile(Path(), "");
    ASSERT_TRUE(ReadProgressFile());
    EXPECT_EQ(keptValue, 0);
    EXPECT_EQ(currentLevel, 0);
    EXPECT_EQ(soundOn, 0);

    ResetGameState();
    WriteTextFile(Path(), "8\nlevel\n1\n");
    ASSERT_TRUE(ReadProgressFile());
    EXPECT_EQ(keptValue, 8);
    EXPECT_EQ(currentLevel, 0);
    EXPECT_EQ(soundOn, 0);  // the word stops every read after it
    EXPECT_TRUE(platformRecord.messages.empty());
}

TEST_F(ProgressFile, MissingFileCannotBeRead)
{
    currentLevel = 3;
    EXPECT_FALSE(ReadProgressFile());
    ExpectOneMessage("File config.ini cant be opened");
    EXPECT_EQ(currentLevel, 3);
    EXPECT_TRUE(platformRecord.exits.empty());  // start-up decides what follows
}

TEST_F(ProgressFile, MissingFileIsCreatedOnWrite)
{
    keptValue = 2;
    currentLevel = 9;
    soundOn = 1;
    WriteProgressFile();
    EXPECT_TRUE(platformRecord.messages.empty());
    EXPECT_EQ(ReadTextFile(Path()), "2\n9\n1\n");
    EXPECT_FALSE(Exists(TempPath()));
}

TEST_F(ProgressFile, FailedWritesLeaveTheOldFileWhole)
{
    currentLevel = 44;
    struct Case {
        const char *what;
        void (*arrange)(const ProgressFile &);
    };
    const Case cases[] = {
        {"the rename fails", [](const ProgressFile &) { platformSettings.replaceFails = true; }},
        {"the temporary file cannot be made",
         [](const ProgressFile &t) { ASSERT_EQ(mkdir(t.TempPath().c_str(), 0755), 0); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        WriteTextFile(Path(), "1\n2\n1\n");
        platformRecord = PlatformRecord{};
        c.arrange(*this);
        WriteProgressFile();
        ExpectOneMessage("Config.ini file cant be opened");
        EXPECT_EQ(ReadTextFile(Path()), "1\n2\n1\n");
        ExpectNeverEmptied();
        platformSettings.replaceFails = false;
        rmdir(TempPath().c_str());
    }
    EXPECT_FALSE(Exists(TempPath()));
}

TEST_F(ProgressFile, UnwritableFileIsReportedAndKept)
{
    // config.ini that is a folder cannot be written by anyone, root included.
    ASSERT_EQ(mkdir(Path().c_str(), 0755), 0);
    WriteProgressFile();
    ExpectOneMessage("Config.ini file cant be opened");
    struct stat info;
    ASSERT_EQ(stat(Path().c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_FALSE(Exists(TempPath()));
    EXPECT_TRUE(platformRecord.exits.empty());  // the action goes on
}

TEST_F(ProgressFile, WriteProtectedFileIsReportedAndKept)
{
    WriteTextFile(Path(), "6\n7\n0\n");
    const std::string quoted = "'" + Path() + "'";
    // Root writes through file modes, so an immutable file stands in for a
    // write-protected one where chattr works.
    bool immutable = std::system(("chattr +i " + quoted + " 2>/dev/null").c_str()) == 0;
    if (!immutable) {
        chmod(Path().c_str(), 0444);
        if (access(Path().c_str(), W_OK) == 0) GTEST_SKIP() << "no way to write-protect a file here";
    }
    currentLevel = 50;
    WriteProgressFile();
    if (immutable) std::system(("chattr -i " + quoted).c_str());
    ExpectOneMessage("Config.ini file cant be opened");
    EXPECT_EQ(ReadTextFile(Path()), "6\n7\n0\n");
    EXPECT_FALSE(Exists(TempPath()));
}

TEST_F(ProgressFile, PathsThatDoNotFitAreNotWritten)
{
    // The executable's path just fits; "config.ini.tmp" beside it does not.
    const std::string deep = folder + "/" + std::string(242 - folder.size(), 'p');
    ASSERT_EQ(mkdir(deep.c_str(), 0755), 0);
    WriteTextFile(deep + "/config.ini", "1\n8\n1\n");
    SetGameFolder(deep);
    ASSERT_TRUE(ReadProgressFile());
    EXPECT_EQ(currentLevel, 8);
    currentLevel = 9;
    WriteProgressFile();
    ExpectOneMessage("Config.ini file cant be opened");
    EXPECT_EQ(ReadTextFile(deep + "/config.ini"), "1\n8\n1\n");

    // An executable path that does not fit at all reads nothing.
    ResetPlatformDouble();
    SetGameFolder(folder + "/" + std::string(300, 'q'));
    EXPECT_FALSE(ReadProgressFile());
    ExpectOneMessage("File config.ini cant be opened");
}

}  // namespace
