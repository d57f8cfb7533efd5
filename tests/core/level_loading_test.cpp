// Level files on disk: names, number rules, what a load keeps and overwrites,
// and the files that are refused.
#include "core/level.h"
#include "tests/core/core_fixture.h"

#include <cstring>
#include <sstream>
#include <vector>

namespace {

class LevelLoading : public CoreTest {
protected:
    // Loads level n, expecting it to be refused: message, sound purge, exit 1.
    void ExpectRefused(int n, const std::string &title)
    {
        try {
            LoadLevel(n);
            ADD_FAILURE() << "level " << n << " was loaded";
        } catch (const ProcessExit &exit) {
            EXPECT_EQ(exit.status, 1);
        }
        ASSERT_EQ(platformRecord.messages.size(), 1u);
        EXPECT_EQ(platformRecord.messages[0].text, "This file cant be opened!");
        EXPECT_EQ(platformRecord.messages[0].title, title);
        ASSERT_EQ(platformRecord.sounds.size(), 1u);
        EXPECT_EQ(platformRecord.sounds[0].kind, RecordedSound::StopPurge);
        EXPECT_EQ(platformRecord.exits, std::vector<int>{1});
    }
};

std::vector<std::string> Lines(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::string Join(const std::vector<std::string> &lines)
{
    std::string text;
    for (const std::string &line : lines) text += line + "\n";
    return text;
}

// corridor.Map, line by line: 0-5 camera, 6 rows, 7 columns, 8 position count,
// 9 position, 10 wall count, 11-24 walls, 25 site count, 26 site, 27 piece
// count, 28 the crate, 29 the keeper.
std::string CorridorWith(int line, const std::string &replacement)
{
    std::vector<std::string> lines = Lines(TestLevelText("corridor.Map"));
    lines.at(line) = replacement;
    return Join(lines);
}

// A level that fills every capacity: 150 x 150 cells, 150 records in each
// list, 49 crates and the keeper, coordinates at both ends of the range. Any
// one part can be given one more than it may hold, with every record there.
struct Capacity {
    int size = 150, positions = 150, walls = 150, sites = 150, pieces = 50;
};

std::string CapacityLevel(const Capacity &limits = Capacity{})
{
    std::ostringstream text;
    const int last = limits.size - 1;
    text << "0 0 0 1 1 1\n" << limits.size << "\n" << limits.size << "\n" << limits.positions << "\n";
    for (int i = 0; i < limits.positions; ++i) text << (i % 2 ? 32767 : -32768) << " 0 " << i << "\n";
    text << limits.walls << "\n";
    for (int i = 0; i < limits.walls; ++i) text << 2 * (i % 150) << " 2.0 0 1 0 " << i % 150 << "\n";
    text << limits.sites << "\n";
    for (int i = 0; i < limits.sites; ++i)
        text << 2 * (i % 150) << " 0 298 2 " << last << " " << i % 150 << "\n";
    text << limits.pieces << "\n";
    for (int i = 0; i < limits.pieces - 1; ++i) text << 2 * i << " 2 4 0 2 " << i << "\n";
    text << "-32768 0 32767 0 " << last << " " << last << "\n";
    return text.str();
}

TEST_F(LevelLoading, FileNameFollowsTheLevelNumber)
{
    struct Case {
        int level;
        const char *file;
        const char *text;
    };
    const Case cases[] = {
        {7, "Level7.Map", "7"},   {100, "Level100.Map", "100"}, {1, "Level1.Map", "1"},
        {0, "Level.Map", ""},     {101, "Level.Map", ""},       {-3, "Level.Map", ""},
    };
    for (const Case &c : cases) {
        WriteTextFile(folder + "/" + c.file, TestLevelText("corridor.Map"));
        platformRecord.opens.clear();
        EXPECT_TRUE(LoadLevel(c.level));
        ASSERT_EQ(platformRecord.opens.size(), 1u) << c.level;
        EXPECT_EQ(platformRecord.opens[0].path, folder + "/" + c.file);
        EXPECT_EQ(platformRecord.opens[0].mode, "r");
        EXPECT_STREQ(levelText, c.text);
        EXPECT_EQ(std::string(AppDirectory), folder + "/");
    }
    EXPECT_TRUE(platformRecord.messages.empty());
}

TEST_F(LevelLoading, LevelNumberTextClearsWhatAnEarlierNumberLeft)
{
    LevelNumberText(100);
    EXPECT_STREQ(levelText, "100");
    LevelNumberText(5);
    EXPECT_STREQ(levelText, "5");
    EXPECT_EQ(levelText[2], '\0');
    LevelNumberText(100);
    LevelNumberText(0);
    EXPECT_STREQ(levelText, "");
    EXPECT_EQ(std::memcmp(levelText, "\0\0\0", 3), 0);
}

TEST_F(LevelLoading, ReadsEveryPartOfALevel)
{
    cameraSetup.upX = 0.25f;
    cameraSetup.upY = 65536.0f;
    InstallLevel("corridor.Map", 1);
    ASSERT_TRUE(LoadLevel(1));

    EXPECT_FLOAT_EQ(cameraSetup.eyeX, -9.0f);
    EXPECT_FLOAT_EQ(cameraSetup.eyeY, 22.0f);
    EXPECT_FLOAT_EQ(cameraSetup.eyeZ, 2.0f);
    EXPECT_FLOAT_EQ(cameraSetup.centreX, 3.0f);
    EXPECT_FLOAT_EQ(cameraSetup.centreY, 0.0f);
    EXPECT_FLOAT_EQ(cameraSetup.centreZ, 2.0f);
    EXPECT_FLOAT_EQ(cameraSetup.upX, 0.25f);  // the up vector is start-up's
    EXPECT_FLOAT_EQ(cameraSetup.upY, 65536.0f);

    EXPECT_EQ(boardRows, 3);
    EXPECT_EQ(boardCols, 6);
    ASSERT_EQ(positionCount, 1u);
    EXPECT_EQ(positionList[0].x, 5 * FixedOne);
    EXPECT_EQ(positionList[0].z, 2 * FixedOne);
    ASSERT_EQ(wallCount, 14u);
    EXPECT_EQ(wallList[13].x, 10 * FixedOne);
    EXPECT_EQ(wallList[13].top, 2 * FixedOne);
    EXPECT_EQ(wallList[13].z, 4 * FixedOne);
    ASSERT_EQ(siteCount, 1u);
    EXPECT_EQ(siteList[0].x, 8 * FixedOne);

    // Row 1 reads: wall, keeper, floor, crate, site, wall.
    const int32_t kinds[6] = {1, Floor, Floor, Floor, Site, 1};
    for (int c = 0; c < 6; ++c) {
        EXPECT_EQ(Cell(0, c).kind, 1);
        EXPECT_EQ(Cell(1, c).kind, kinds[c]) << c;
        EXPECT_EQ(Cell(1, c).occupant, c == 3 ? 0 : NoOccupant) << c;
    }

    ASSERT_EQ(pieceCount, 2u);
    EXPECT_EQ(playerIndex, 1);
    EXPECT_EQ(playerRow, 1);
    EXPECT_EQ(playerCol, 1);
    const Piece &crate = pieceTable[0], &keeper = pieceTable[1];
    EXPECT_EQ(crate.x, 6 * FixedOne);
    EXPECT_EQ(crate.y, 2 * FixedOne);
    EXPECT_EQ(crate.row, 1);
    EXPECT_EQ(crate.col, 3);
    EXPECT_EQ(crate.index, 0);
    EXPECT_EQ(crate.state, OffSite);
    EXPECT_EQ(keeper.index, 1);
    EXPECT_EQ(keeper.state, OffSite);
}

TEST_F(LevelLoading, NumbersFollowTheirFormats)
{
    InstallLevel("numbers.Map", 4);
    ASSERT_TRUE(LoadLevel(4));
    EXPECT_FLOAT_EQ(cameraSetup.centreZ, 2.0f);
    EXPECT_EQ(boardRows, 10);  // "%d": 010 is ten
    EXPECT_EQ(boardCols, 6);
    ASSERT_EQ(positionCount, 1u);  // "01"
    EXPECT_EQ(positionList[0].x, 26 * FixedOne);   // 0x1A
    EXPECT_EQ(positionList[0].y, 8 * FixedOne);    // 010 in a record is octal
    EXPECT_EQ(positionList[0].z, -16 * FixedOne);  // -0x10
    ASSERT_EQ(wallCount, 14u);                      // 016
    EXPECT_EQ(wallList[0].top, 98304);              // 1.5
    EXPECT_EQ(wallList[1].top, -32768);             // -0.5, truncated towards zero
    EXPECT_EQ(wallList[5].x, 10 * FixedOne);        // 0xA
    EXPECT_EQ(wallList[7].x, 10 * FixedOne);        // 0xa, split over two lines
    EXPECT_EQ(wallList[7].z, 2 * FixedOne);
    EXPECT_EQ(Cell(1, 5).kind, 7);
    EXPECT_EQ(Cell(2, 5).kind, 1);                  // row 2, column 05
    ASSERT_EQ(siteCount, 1u);
    ASSERT_EQ(pieceCount, 2u);
    EXPECT_EQ(Cell(1, 3).occupant, 0);
    EXPECT_EQ(playerRow, 1);
    EXPECT_EQ(playerCol, 1);
    // Rows 3 to 9 lie inside the level and were reset to floor.
    EXPECT_EQ(Cell(9, 5).kind, Floor);
    EXPECT_EQ(Cell(9, 5).occupant, NoOccupant);
}

TEST_F(LevelLoading, KeeperAloneOnASiteThatWasAWallFirst)
{
    InstallLevel("keeper-alone.Map", 2);
    ASSERT_TRUE(LoadLevel(2));
    ASSERT_EQ(pieceCount, 1u);
    EXPECT_EQ(playerIndex, 0);
    EXPECT_EQ(Cell(1, 1).kind, Site);  // the site record came after the wall record
    EXPECT_EQ(pieceTable[0].state, OnSite);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) EXPECT_EQ(Cell(r, c).occupant, NoOccupant) << r << "," << c;
}

TEST_F(LevelLoading, SmallerLevelLeavesTheRestAsItWas)
{
    InstallLevel("cross.Map", 1);
    InstallLevel("corridor.Map", 2);
    ASSERT_TRUE(LoadLevel(1));
    ASSERT_EQ(wallCount, 32u);
    const WallRecord lastWall = wallList[31];
    const Piece lastCrate = pieceTable[3];
    ASSERT_EQ(Cell(3, 4).occupant, 0);  // a crate of the cross level

    ASSERT_TRUE(LoadLevel(2));
    EXPECT_EQ(wallCount, 14u);
    EXPECT_EQ(pieceCount, 2u);
    EXPECT_EQ(std::memcmp(&wallList[31], &lastWall, sizeof lastWall), 0);
    EXPECT_EQ(std::memcmp(&pieceTable[3], &lastCrate, sizeof lastCrate), 0);
    EXPECT_EQ(Cell(3, 4).occupant, 0);  // outside the 3 x 6 rectangle now
    EXPECT_EQ(Cell(8, 8).kind, 1);
    EXPECT_EQ(Cell(2, 2).kind, 1);      // inside: the corridor's own wall
    EXPECT_EQ(Cell(1, 2).kind, Floor);  // was a site of the cross level
}

TEST_F(LevelLoading, FullCapacityLevelIsAccepted)
{
    InstallLevelText(CapacityLevel(), 9);
    ASSERT_TRUE(LoadLevel(9));
    EXPECT_EQ(boardRows, 150);
    EXPECT_EQ(positionCount, 150u);
    EXPECT_EQ(positionList[0].x, -32768 * FixedOne);
    EXPECT_EQ(positionList[1].x, 32767 * FixedOne);
    EXPECT_EQ(wallCount, 150u);
    EXPECT_EQ(siteCount, 150u);
    EXPECT_EQ(pieceCount, 50u);
    EXPECT_EQ(playerIndex, 49);
    EXPECT_EQ(Cell(2, 48).occupant, 48);
    EXPECT_EQ(Cell(149, 149).kind, Site);
    EXPECT_EQ(pieceTable[49].state, OnSite);
    EXPECT_EQ(pieceTable[49].z, 32767 * FixedOne);
}

TEST_F(LevelLoading, OneRecordTooManyIsRefused)
{
    struct Case {
        const char *what;
        Capacity limits;
    };
    Capacity rows, positions, walls, sites, pieces;
    rows.size = 151;
    positions.positions = 151;
    walls.walls = 151;
    sites.sites = 151;
    pieces.pieces = 51;
    const Case cases[] = {{"151 rows and columns", rows}, {"151 positions", positions}, {"151 walls", walls},
                          {"151 sites", sites},           {"51 pieces", pieces}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ResetPlatformDouble();
        SetGameFolder(folder);
        InstallLevelText(CapacityLevel(c.limits), 9);
        ExpectRefused(9, "9");
    }
}

TEST_F(LevelLoading, MissingFileEndsWithItsMessage)
{
    ExpectRefused(12, "12");
    ResetPlatformDouble();
    SetGameFolder(folder);
    ExpectRefused(0, "");  // no number in the name, none in the title
    EXPECT_EQ(platformRecord.opens.at(0).path, folder + "/Level.Map");
}

TEST_F(LevelLoading, BrokenFilesOnDiskAreRefused)
{
    const char *files[] = {"ends-early.Map",   "not-a-number.Map", "too-many-walls.Map", "no-keeper.Map",
                           "outside-row.Map", "far-coordinate.Map", "negative-rows.Map"};
    InstallLevel("two-crates.Map", 1);
    ASSERT_TRUE(LoadLevel(1));
    const std::vector<BoardCell> before(board, board + BoardCapacity * BoardCapacity);
    for (const char *file : files) {
        SCOPED_TRACE(file);
        ResetPlatformDouble();
        SetGameFolder(folder);
        InstallLevel(file, 3);
        ExpectRefused(3, "3");
        // The refused file changed nothing of the level on show.
        EXPECT_EQ(boardRows, 5);
        EXPECT_EQ(pieceCount, 3u);
        EXPECT_EQ(wallCount, 20u);
        EXPECT_EQ(playerRow, 2);
        EXPECT_EQ(std::memcmp(before.data(), board, sizeof board), 0);
    }
}

TEST_F(LevelLoading, EveryLimitIsChecked)
{
    struct Case {
        const char *what;
        int line;
        const char *replacement;
    };
    const Case cases[] = {
        {"rows above the capacity", 6, "151"},
        {"columns above the capacity", 7, "151"},
        {"negative columns", 7, "-6"},
        {"rows that are not decimal", 6, "0x3"},
        {"positions above the capacity", 8, "151"},
        {"a negative count", 10, "-1"},
        {"a count in hexadecimal that is too big", 10, "0x97"},
        {"sites above the capacity", 25, "151"},
        {"pieces above the capacity", 27, "51"},
        {"a wall outside the columns", 11, "0 2.0 0 1 0 6"},
        {"a wall above the rows", 11, "0 2.0 0 1 -1 0"},
        {"a site outside the rows", 26, "8 0 2 2 3 4"},
        {"a site in a negative column", 26, "8 0 2 2 1 -1"},
        {"a crate outside the columns", 28, "6 2 2 0 1 6"},
        {"a position below the range", 9, "-32769 0 2"},
        {"a site above the range", 26, "8 32768 2 2 1 4"},
        {"a crate coordinate that overflows", 28, "0x7fffffff 2 2 0 1 3"},
        {"a wall top above the range", 11, "0 32768.0 0 1 0 0"},
        {"a wall top below the range", 11, "0 -32768.5 0 1 0 0"},
        {"a wall top that is not a number", 11, "0 nan 0 1 0 0"},
        {"a wall top that is infinite", 11, "0 inf 0 1 0 0"},
        {"a camera value that is a word", 2, "eye"},
        {"a record cut short at the end", 29, "2 0 2 0 1"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        ResetPlatformDouble();
        SetGameFolder(folder);
        InstallLevelText(CorridorWith(c.line, c.replacement), 5);
        ExpectRefused(5, "5");
    }
    // The bounds themselves are fine.
    const Case accepted[] = {
        {"a wall top just below the range end", 11, "0 32767.99 0 1 0 0"},
        {"a wall top at the range start", 11, "0 -32768.0 0 1 0 0"},
    };
    for (const Case &c : accepted) {
        SCOPED_TRACE(c.what);
        InstallLevelText(CorridorWith(c.line, c.replacement), 5);
        EXPECT_TRUE(LoadLevel(5));
    }
    EXPECT_EQ(wallList[0].top, -32768 * FixedOne);
}

TEST_F(LevelLoading, EmptyFileIsRefused)
{
    InstallLevelText("", 6);
    ExpectRefused(6, "6");
}

TEST_F(LevelLoading, PathThatDoesNotFitIsNeverCut)
{
    // The executable's path just fits, and "Level100.Map" is one byte longer
    // than the executable's own name.
    std::string deep = folder + "/" + std::string(242 - folder.size(), 'd');
    ASSERT_EQ(deep.size() + std::string("/cratewright").size() + 1, size_t(PathCapacity));
    SetGameFolder(deep);
    ExpectRefused(100, "100");
    EXPECT_TRUE(platformRecord.opens.empty());

    // An executable path that does not fit at all.
    ResetPlatformDouble();
    SetGameFolder(folder + "/" + std::string(300, 'e'));
    ExpectRefused(1, "1");
    EXPECT_TRUE(platformRecord.opens.empty());
}

}  // namespace
