// Level files on disk: names, number rules, what a load keeps and overwrites,
// and the files that are refused.
#include "tests/core/core_fixture.h"

#include <cstring>
#include <vector>

namespace {

class LevelLoading : public CoreTest {
protected:
    // rows, columns, positions, walls, sites, pieces, playerIndex, playerRow, playerCol
    static std::vector<int64_t> Counts()
    {
        return {boardRows, boardCols, positionCount, wallCount, siteCount,
                pieceCount, playerIndex, playerRow, playerCol};
    }
    // Loads level n, expecting it refused: message, sound purge, exit 1.
    void ExpectRefused(int n, const std::string &title, const std::string &dir = "")
    {
        ResetPlatformDouble();
        SetGameFolder(dir.empty() ? folder : dir);
        EXPECT_THROW(LoadLevel(n), ProcessExit);
        ASSERT_EQ(platformRecord.messages.size(), 1u);
        EXPECT_EQ(platformRecord.messages[0].text, "This file cant be opened!");
        EXPECT_EQ(platformRecord.messages[0].title, title);
        ASSERT_EQ(platformRecord.sounds.size(), 1u);
        EXPECT_EQ(platformRecord.sounds[0].kind, RecordedSound::StopPurge);
        EXPECT_EQ(platformRecord.exits, std::vector<int>{1});
    }
};

// corridor.Map with one line replaced: 0-5 camera, 6 rows, 7 columns, 8
// position count, 9 position, 10 wall count, 11-24 walls, 25 site count, 26
// site, 27 piece count, 28 the crate, 29 the keeper.
std::string CorridorWith(int line, const std::string &replacement)
{
    std::istringstream in(TestLevelText("corridor.Map"));
    std::string text;
    int at = 0;
    for (std::string row; std::getline(in, row); ++at) text += (at == line ? replacement : row) + "\n";
    return text;
}

// Every list filled to the given counts with records that fit, on 150 x 150
// cells, coordinates at both ends of the range, the keeper last on a site.
std::string CapacityLevel(int positions, int walls, int sites, int pieces)
{
    std::ostringstream text;
    text << "0 0 0 1 1 1\n150\n150\n" << positions << "\n";
    for (int i = 0; i < positions; ++i) text << (i % 2 ? 32767 : -32768) << " 0 " << i << "\n";
    text << walls << "\n";
    for (int i = 0; i < walls; ++i) text << 2 * (i % 150) << " 2.0 0 1 0 " << i % 150 << "\n";
    text << sites << "\n";
    for (int i = 0; i < sites; ++i) text << 2 * (i % 150) << " 0 298 2 149 " << i % 150 << "\n";
    text << pieces << "\n";
    for (int i = 0; i < pieces - 1; ++i) text << 2 * i << " 2 4 0 2 " << i << "\n";
    return text.str() + "-32768 0 32767 0 149 149\n";
}

TEST_F(LevelLoading, FileNameAndTitleFollowTheLevelNumber)
{
    struct Case {
        int level;
        const char *file, *text;
    };
    // In this order each text must clear what a longer one before it left.
    const Case cases[] = {{100, "Level100.Map", "100"}, {7, "Level7.Map", "7"}, {0, "Level.Map", ""},
                          {1, "Level1.Map", "1"}, {101, "Level.Map", ""}, {-3, "Level.Map", ""}};
    for (const Case &c : cases) {
        WriteTextFile(folder + "/" + c.file, TestLevelText("corridor.Map"));
        platformRecord.opens.clear();
        EXPECT_TRUE(LoadLevel(c.level));
        ASSERT_EQ(platformRecord.opens.size(), 1u) << c.level;
        EXPECT_EQ(platformRecord.opens[0].path, folder + "/" + c.file);
        EXPECT_EQ(platformRecord.opens[0].mode, "r");
        char expected[LevelTextCapacity] = {};
        std::strcpy(expected, c.text);
        EXPECT_EQ(std::memcmp(levelText, expected, sizeof levelText), 0) << c.level;
        EXPECT_EQ(std::string(AppDirectory), folder + "/");
    }
    EXPECT_TRUE(platformRecord.messages.empty());
}

TEST_F(LevelLoading, ReadsEveryPartAndResetsOnlyItsRectangle)
{
    InstallLevelText(TestLevelText("cross.Map"), 1);
    ASSERT_TRUE(LoadLevel(1));
    ASSERT_EQ(wallCount, 32u);
    const std::vector<GLfixed> lastWall = Fields(wallList[31]), lastCrate = Fields(pieceTable[3]);
    ASSERT_EQ(Cells(3, 9), "1 0 0 0 0@0 0 0 0 1 ");
    cameraSetup.upX = 0.25f;
    cameraSetup.upY = 65536.0f;

    InstallLevelText(TestLevelText("corridor.Map"), 2);
    ASSERT_TRUE(LoadLevel(2));
    const float camera[] = {cameraSetup.eyeX, cameraSetup.eyeY, cameraSetup.eyeZ, cameraSetup.centreX,
                            cameraSetup.centreY, cameraSetup.centreZ, cameraSetup.upX, cameraSetup.upY};
    const float expected[] = {-9, 22, 2, 3, 0, 2, 0.25f, 65536};  // the up vector is start-up's
    for (int i = 0; i < 8; ++i) EXPECT_FLOAT_EQ(camera[i], expected[i]) << i;
    EXPECT_EQ(Counts(), (std::vector<int64_t>{3, 6, 1, 14, 1, 2, 1, 1, 1}));
    EXPECT_EQ(Fields(positionList[0]), (std::vector<GLfixed>{5 * F, 0, 2 * F}));
    EXPECT_EQ(Fields(wallList[13]), (std::vector<GLfixed>{10 * F, 2 * F, 4 * F}));
    EXPECT_EQ(Fields(siteList[0]), (std::vector<GLfixed>{8 * F, 0, 2 * F}));
    EXPECT_EQ(Fields(pieceTable[0]), (std::vector<GLfixed>{6 * F, 2 * F, 2 * F, 1, 3, 0, OffSite}));
    EXPECT_EQ(Fields(pieceTable[1]), (std::vector<GLfixed>{2 * F, 0, 2 * F, 1, 1, 1, OffSite}));
    EXPECT_EQ(Cells(0, 6), "1 1 1 1 1 1 ");
    EXPECT_EQ(Cells(1, 6), "1 0 0 0@0 2 1 ");  // wall, keeper, floor, crate, site (was the cross's), wall
    // What lies beyond the smaller level stays as the cross level left it.
    EXPECT_EQ(Fields(wallList[31]), lastWall);
    EXPECT_EQ(Fields(pieceTable[3]), lastCrate);
    EXPECT_EQ(Cells(3, 9), "1 0 0 0 0@0 0 0 0 1 ");
    EXPECT_EQ(Cell(8, 8).kind, 1);

    // A keeper alone on a site whose cell was a wall first: the site wins.
    InstallLevelText(TestLevelText("keeper-alone.Map"), 3);
    ASSERT_TRUE(LoadLevel(3));
    EXPECT_EQ(Counts(), (std::vector<int64_t>{3, 3, 0, 9, 1, 1, 0, 1, 1}));
    EXPECT_EQ(Cells(0, 3) + Cells(1, 3) + Cells(2, 3), "1 1 1 1 2 1 1 1 1 ");
    EXPECT_EQ(pieceTable[0].state, OnSite);
}

TEST_F(LevelLoading, NumbersFollowTheirFormats)
{
    InstallLevelText(TestLevelText("numbers.Map"), 4);
    ASSERT_TRUE(LoadLevel(4));
    EXPECT_FLOAT_EQ(cameraSetup.centreZ, 2.0f);
    // Rows "010" are ten ("%d"), the counts "01", "016", "0x1", "0x2" are "%i".
    EXPECT_EQ(Counts(), (std::vector<int64_t>{10, 6, 1, 14, 1, 2, 1, 1, 1}));
    EXPECT_EQ(Fields(positionList[0]), (std::vector<GLfixed>{26 * F, 8 * F, -16 * F}));  // 0x1A 010 -0x10
    EXPECT_EQ(wallList[0].top, 98304);   // 1.5
    EXPECT_EQ(wallList[1].top, -32768);  // -0.5, truncated towards zero
    EXPECT_EQ(wallList[5].x, 10 * F);    // 0xA
    EXPECT_EQ(Fields(wallList[7]), (std::vector<GLfixed>{10 * F, 2 * F, 2 * F}));  // 0xa, split over two lines
    EXPECT_EQ(Cells(1, 6), "1 0 0 0@0 2 7 ");
    EXPECT_EQ(Cells(2, 6), "1 1 1 1 1 1 ");  // column 05
    EXPECT_EQ(Cells(9, 6), "0 0 0 0 0 0 ");  // rows 3 to 9 lie inside the level: reset
    // The ends of the wall-top range are fine.
    for (const char *top : {"0 32767.99 0 1 0 0", "0 -32768.0 0 1 0 0"}) {
        InstallLevelText(CorridorWith(11, top), 5);
        EXPECT_TRUE(LoadLevel(5)) << top;
    }
    EXPECT_EQ(wallList[0].top, -32768 * F);
}

TEST_F(LevelLoading, FullCapacityIsAccepted)
{
    InstallLevelText(CapacityLevel(150, 150, 150, 50), 9);
    ASSERT_TRUE(LoadLevel(9));
    EXPECT_EQ(Counts(), (std::vector<int64_t>{150, 150, 150, 150, 150, 50, 49, 149, 149}));
    EXPECT_EQ(positionList[0].x, -32768 * F);
    EXPECT_EQ(positionList[1].x, 32767 * F);
    EXPECT_EQ(Cell(2, 48).occupant, 48);
    EXPECT_EQ(Fields(pieceTable[49]), (std::vector<GLfixed>{-32768 * F, 0, 32767 * F, 149, 149, 49, OnSite}));
}

TEST_F(LevelLoading, BrokenFilesAreRefusedAndChangeNothing)
{
    struct Case {
        const char *what;
        std::string text;
    };
    std::vector<Case> cases;
    for (const char *file : {"ends-early.Map", "not-a-number.Map", "too-many-walls.Map", "no-keeper.Map",
                             "outside-row.Map", "far-coordinate.Map", "negative-rows.Map"})
        cases.push_back({file, TestLevelText(file)});
    const struct { const char *what; int line; const char *replacement; } lines[] = {
        {"rows above the capacity", 6, "151"},       {"columns above the capacity", 7, "151"},
        {"negative columns", 7, "-6"},               {"rows that are not decimal", 6, "0x3"},
        {"a negative count", 10, "-1"},              {"a wall outside the columns", 11, "0 2.0 0 1 0 6"},
        {"a wall above the rows", 11, "0 2.0 0 1 -1 0"}, {"a site outside the rows", 26, "8 0 2 2 3 4"},
        {"a site in a negative column", 26, "8 0 2 2 1 -1"}, {"a crate outside the columns", 28, "6 2 2 0 1 6"},
        {"a position below the range", 9, "-32769 0 2"}, {"a site above the range", 26, "8 32768 2 2 1 4"},
        {"a crate coordinate that overflows", 28, "0x7fffffff 2 2 0 1 3"},
        {"a wall top above the range", 11, "0 32768.0 0 1 0 0"},
        {"a wall top below the range", 11, "0 -32768.5 0 1 0 0"},
        {"a wall top that is not a number", 11, "0 nan 0 1 0 0"},
        {"a wall top that is infinite", 11, "0 inf 0 1 0 0"}, {"a camera value that is a word", 2, "eye"},
        {"a record cut short at the end", 29, "2 0 2 0 1"},
    };
    for (const auto &l : lines) cases.push_back({l.what, CorridorWith(l.line, l.replacement)});
    cases.push_back({"an empty file", ""});
    // One record more than a list holds, every record there.
    cases.push_back({"151 positions", CapacityLevel(151, 150, 150, 50)});
    cases.push_back({"151 walls", CapacityLevel(150, 151, 150, 50)});
    cases.push_back({"151 sites", CapacityLevel(150, 150, 151, 50)});
    cases.push_back({"51 pieces", CapacityLevel(150, 150, 150, 51)});

    InstallLevelText(TestLevelText("two-crates.Map"), 1);
    ASSERT_TRUE(LoadLevel(1));
    const std::vector<BoardCell> before(board, board + BoardCapacity * BoardCapacity);
    const std::vector<int64_t> counts = Counts();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        InstallLevelText(c.text, 3);
        ExpectRefused(3, "3");
        EXPECT_EQ(Counts(), counts);
        EXPECT_EQ(std::memcmp(before.data(), board, sizeof board), 0);
    }
}

TEST_F(LevelLoading, MissingFilesAndPathsThatDoNotFitAreRefused)
{
    ExpectRefused(12, "12");
    ExpectRefused(0, "");  // no number in the name, none in the title
    EXPECT_EQ(platformRecord.opens.at(0).path, folder + "/Level.Map");
    // The executable's path just fits, and "Level100.Map" is one byte longer
    // than the executable's own name; then a path that does not fit at all.
    const std::string deep = folder + "/" + std::string(242 - folder.size(), 'd');
    ASSERT_EQ(deep.size() + std::string("/cratewright").size() + 1, size_t(PathCapacity));
    for (const std::string &dir : {deep, folder + "/" + std::string(300, 'e')}) {
        ExpectRefused(100, "100", dir);
        EXPECT_TRUE(platformRecord.opens.empty());
    }
}

}  // namespace
