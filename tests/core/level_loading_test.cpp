// Level files on disk: names and titles, number formats, what a load keeps
// and overwrites, and the files that are refused, paths that do not fit among them.
#include "tests/core/core_fixture.h"

#include <cstring>
#include <sstream>

namespace {

using LevelLoading = CoreTest;

// rows, columns, positions, walls, sites, pieces, playerIndex, playerRow, playerCol
std::vector<int64_t> Counts()
{
    return {boardRows, boardCols, positionCount, wallCount, siteCount, pieceCount, playerIndex, playerRow, playerCol};
}

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

// Every list filled to the given counts on 150 x 150 cells, coordinates at
// both ends of their range, the keeper last, on a site.
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

TEST_F(LevelLoading, FileNameAndTitleFollowTheNumberInTheExecutablesFolder)
{
    // In this order each title must clear what a longer one before it left.
    const struct { int level; const char *file, *title; } cases[] = {
        {100, "Level100.Map", "100"}, {7, "Level7.Map", "7"}, {0, "Level.Map", ""},
        {1, "Level1.Map", "1"},       {101, "Level.Map", ""}, {-3, "Level.Map", ""}};
    for (const auto &c : cases) {
        Install(TestLevelText("corridor.Map"), 1);
        std::rename((folder + "/Level1.Map").c_str(), (folder + "/" + c.file).c_str());
        platformRecord.opens.clear();
        EXPECT_TRUE(LoadLevel(c.level));
        ASSERT_EQ(platformRecord.opens.size(), 1u) << c.level;
        EXPECT_EQ(platformRecord.opens[0].path + platformRecord.opens[0].mode, folder + "/" + c.file + "r");
        char expected[LevelTextCapacity] = {};
        std::strcpy(expected, c.title);
        EXPECT_EQ(std::memcmp(levelText, expected, sizeof levelText), 0) << c.level;
    }
    EXPECT_STREQ(AppDirectory, (folder + "/").c_str());
}

TEST_F(LevelLoading, ReadsEveryPartByItsFormatAndResetsOnlyItsRectangle)
{
    Install(TestLevelText("cross.Map"), 1);
    ASSERT_TRUE(LoadLevel(1));
    const std::vector<GLfixed> lastCrate = Fields(pieceTable[3]);
    cameraSetup.upY = 65536.0f;
    Install(TestLevelText("corridor.Map"), 2);
    ASSERT_TRUE(LoadLevel(2));
    const float camera[] = {cameraSetup.eyeX, cameraSetup.eyeY, cameraSetup.eyeZ, cameraSetup.centreX,
                            cameraSetup.centreY, cameraSetup.centreZ, cameraSetup.upY};
    EXPECT_EQ(std::vector<float>(camera, camera + 7), std::vector<float>({-9, 22, 2, 3, 0, 2, 65536}));  // up is start-up's
    EXPECT_EQ(Counts(), (std::vector<int64_t>{3, 6, 1, 14, 1, 2, 1, 1, 1}));
    EXPECT_EQ(Fields(positionList[0]), (std::vector<GLfixed>{5 * F, 0, 2 * F}));
    EXPECT_EQ(Fields(wallList[13]), (std::vector<GLfixed>{10 * F, 2 * F, 4 * F}));
    EXPECT_EQ(Fields(siteList[0]), (std::vector<GLfixed>{8 * F, 0, 2 * F}));
    EXPECT_EQ(Fields(pieceTable[0]), (std::vector<GLfixed>{6 * F, 2 * F, 2 * F, 1, 3, 0, OffSite}));
    EXPECT_EQ(Fields(pieceTable[1]), (std::vector<GLfixed>{2 * F, 0, 2 * F, 1, 1, 1, OffSite}));
    EXPECT_EQ(Cells(1, 6), "1 0 0 0@0 2 1 ");  // the keeper is no occupant
    // What lies beyond the smaller level stays as the cross level left it.
    EXPECT_EQ(Fields(pieceTable[3]), lastCrate);
    EXPECT_EQ(Cells(3, 9), "1 0 0 0 0@0 0 0 0 1 ");
    // Rows "010" are ten ("%d"); the counts "01", "016", "0x1", "0x2" are "%i";
    // wall tops are truncated towards zero.
    Install(TestLevelText("numbers.Map"), 4);
    ASSERT_TRUE(LoadLevel(4));
    EXPECT_EQ(Counts(), (std::vector<int64_t>{10, 6, 1, 14, 1, 2, 1, 1, 1}));
    EXPECT_EQ(Fields(positionList[0]), (std::vector<GLfixed>{26 * F, 8 * F, -16 * F}));  // 0x1A 010 -0x10
    EXPECT_TRUE(wallList[0].top == 98304 && wallList[1].top == -32768);  // 1.5 and -0.5
    EXPECT_EQ(Cells(1, 6) + Cells(9, 6), "1 0 0 0@0 2 7 0 0 0 0 0 0 ");
    // A keeper alone on a site whose cell was a wall first: the site wins.
    Install(TestLevelText("keeper-alone.Map"), 3);
    ASSERT_TRUE(LoadLevel(3));
    EXPECT_EQ(Cells(1, 3) + std::to_string(pieceTable[0].state), "1 2 1 13");
    Install(CapacityLevel(150, 150, 150, 50), 9);  // every list full, the ends of the ranges
    ASSERT_TRUE(LoadLevel(9));
    EXPECT_EQ(Counts(), (std::vector<int64_t>{150, 150, 150, 150, 150, 50, 49, 149, 149}));
    EXPECT_EQ(Fields(pieceTable[49]), (std::vector<GLfixed>{-32768 * F, 0, 32767 * F, 149, 149, 49, OnSite}));
    Install(CorridorWith(11, "0 32767.99 0 1 0 0"), 5);
    EXPECT_TRUE(LoadLevel(5));
}

TEST_F(LevelLoading, BrokenMissingAndUnreachableFilesAreRefusedAndChangeNothing)
{
    std::vector<std::pair<std::string, std::string>> cases = {
        {"an empty file", ""},
        {"151 positions", CapacityLevel(151, 150, 150, 50)}, {"151 walls", CapacityLevel(150, 151, 150, 50)},
        {"151 sites", CapacityLevel(150, 150, 151, 50)},     {"51 pieces", CapacityLevel(150, 150, 150, 51)}};
    for (const char *file : {"ends-early.Map", "not-a-number.Map", "too-many-walls.Map", "no-keeper.Map",
                             "outside-row.Map", "far-coordinate.Map", "negative-rows.Map"})
        cases.push_back({file, TestLevelText(file)});
    const struct { int line; const char *replacement, *what; } lines[] = {
        {6, "151", "rows above the capacity"},         {7, "-6", "negative columns"},
        {6, "0x3", "rows that are not decimal"},       {10, "-1", "a negative count"},
        {11, "0 2.0 0 1 0 6", "a wall past the columns"}, {11, "0 2.0 0 1 -1 0", "a wall above the rows"},
        {26, "8 0 2 2 3 4", "a site past the rows"},   {28, "6 2 2 0 1 6", "a crate past the columns"},
        {9, "-32769 0 2", "a position below the range"}, {26, "8 32768 2 2 1 4", "a site above the range"},
        {28, "0x7fffffff 2 2 0 1 3", "a coordinate that overflows"},
        {11, "0 32768.0 0 1 0 0", "a wall top above the range"}, {11, "0 -32768.5 0 1 0 0", "a wall top below it"},
        {11, "0 nan 0 1 0 0", "a wall top that is no number"}, {2, "eye", "a camera value that is a word"},
        {29, "2 0 2 0 1", "a record cut short at the end"}};
    for (const auto &l : lines) cases.push_back({l.what, CorridorWith(l.line, l.replacement)});
    Install(TestLevelText("two-crates.Map"), 1);
    ASSERT_TRUE(LoadLevel(1));
    const std::vector<BoardCell> before(board, board + BoardCapacity * BoardCapacity);
    const std::vector<int64_t> counts = Counts();
    // Refused files, a missing one, and two folders where "Level100.Map" does not
    // fit the path (the first just holds the executable's path): each shows one
    // message titled with the level number, stops the sound and ends with 1.
    const std::string deep = folder + "/" + std::string(242 - folder.size(), 'd');
    cases.push_back({"no file", ""}), cases.push_back({deep, ""}), cases.push_back({folder + "/" + std::string(300, 'e'), ""});
    for (const auto &[what, text] : cases) {
        SCOPED_TRACE(what);
        const int n = what[0] == '/' ? 100 : 3;
        if (what != "no file" && n == 3) Install(text, 3);
        ResetPlatformDouble();
        SetGameFolder(n == 100 ? what : what == "no file" ? folder + "/none" : folder);
        EXPECT_THROW(LoadLevel(n), ProcessExit);
        ASSERT_EQ(platformRecord.messages.size(), 1u);
        EXPECT_EQ(platformRecord.messages[0].text + "|" + platformRecord.messages[0].title,
                  "This file cant be opened!|" + std::to_string(n));
        EXPECT_TRUE(platformRecord.sounds.size() == 1 && platformRecord.sounds[0].kind == RecordedSound::StopPurge);
        EXPECT_EQ(platformRecord.exits, std::vector<int>{1});
        EXPECT_EQ(platformRecord.opens.size(), n == 100 ? 0u : 1u);
        EXPECT_EQ(Counts(), counts);
        EXPECT_EQ(std::memcmp(before.data(), board, sizeof board), 0);
    }
}

}  // namespace
