// Import and export: the text notation in, the game's level file out, and back;
// the quarter turn that makes text directions the screen's; and the levels that
// are refused.
#include "tests/levelkit/levelkit_support.h"
#include "tests/support/test_files.h"

#include "core/moves.h"
#include "core/state.h"
#include "tools/levelkit/levels/game_bridge.h"

#include <gtest/gtest.h>

namespace {

class ImportExport : public ::testing::Test {
protected:
    void SetUp() override { dir = MakeTempFolder(); }
    void TearDown() override { RemoveTree(dir); }
    std::string dir;
};

// Three levels as collections write them: a "; title" line before, a "Title:"
// line after, comments and blank lines between, ragged right edges, a keeper on a site.
const char Collection[] =
    "; made for the test\n\n; Alpha\n#####\n#@$.#\n#####\n\n"
    "  ######\n###    #\n#  $ * #\n# .+   #\n########\nTitle: Beta\nAuthor: nobody\n"
    "; Gamma\n#######\n#.  $ #\n# #  @#\n#######\n";

TEST_F(ImportExport, ExportGivesBackEveryImportedBoard)
{
    WriteTextFile(dir + "/set.txt", Collection);
    ToolRun imported = RunLevelkit("import " + dir + "/set.txt " + dir);
    ASSERT_EQ(imported.status, 0) << imported.err;
    std::string err;
    std::vector<Puzzle> levels = ParsePuzzles(Collection, err);
    ASSERT_EQ(levels.size(), 3u);
    const char *titles[] = {"Alpha", "Beta", "Gamma"};
    for (size_t i = 0; i < levels.size(); ++i) {
        EXPECT_EQ(levels[i].title, titles[i]);
        const std::string map = dir + "/Level" + std::to_string(i + 1) + ".Map";
        ToolRun exported = RunLevelkit("export " + map);
        ASSERT_EQ(exported.status, 0) << exported.err;
        EXPECT_EQ(exported.out, FormatBoard(levels[i]));
        // And the exported text imports to the very same file.
        WriteTextFile(dir + "/again.txt", exported.out);
        ASSERT_EQ(system(("mkdir -p " + dir + "/again").c_str()), 0);
        ASSERT_EQ(RunLevelkit("import " + dir + "/again.txt " + dir + "/again").status, 0);
        EXPECT_EQ(ReadTextFile(dir + "/again/Level1.Map"), ReadTextFile(map));
    }
    EXPECT_EQ(ReadTextFile(dir + "/Level4.Map"), "");
    EXPECT_NE(RunLevelkit("export " + dir + "/Level2.Map").out.find("# .+   #"), std::string::npos);  // a keeper on its site
    // Every kind but floor (0) and site (2) is a wall, and exports as one.
    std::string kinds = ReadTextFile(dir + "/Level1.Map");
    int walls = 0;
    for (size_t at = 0; (at = kinds.find(" 1.500000 ", at)) != std::string::npos; ++walls)  // "x top z kind row col"
        at = kinds.find(' ', at + 10), kinds.replace(at + 1, 1, std::vector<std::string>{"3", "255", "-1", "1", "7"}[walls % 5]);
    WriteTextFile(dir + "/Level1.Map", kinds);
    EXPECT_EQ(RunLevelkit("export " + dir + "/Level1.Map").out, FormatBoard(levels[0])) << walls << " walls of five kinds";
    // A collection with Windows line ends imports to the same files.
    std::string crlf = Collection;
    for (size_t at = 0; (at = crlf.find('\n', at)) != std::string::npos; at += 2) crlf.insert(at, "\r");
    WriteTextFile(dir + "/crlf.txt", crlf);
    ASSERT_EQ(system(("mkdir -p " + dir + "/crlf").c_str()), 0);
    ASSERT_EQ(RunLevelkit("import " + dir + "/crlf.txt " + dir + "/crlf").status, 0);
    for (int n = 2; n <= 3; ++n)
        EXPECT_EQ(ReadTextFile(dir + "/crlf/Level" + std::to_string(n) + ".Map"), ReadTextFile(dir + "/Level" + std::to_string(n) + ".Map"));
}

TEST_F(ImportExport, TurnsTheTextSoItsDirectionsAreTheKeys)
{
    // 7 columns, 4 rows of text: the keeper in text row 2, column 4.
    ImportAndLoad(OnePuzzle("#######\n#     #\n#.$ @ #\n#######\n"), dir);
    EXPECT_EQ(std::vector<int>({boardRows, boardCols, playerRow, playerCol}), std::vector<int>({7, 4, 4, 4 - 1 - 2}));
    EXPECT_EQ(pieceTable[pieceCount - 1].x, playerCol * BoardStep);
    EXPECT_EQ(pieceTable[pieceCount - 1].z, playerRow * BoardStep);
    // Text left is the left key, MoveUp; text up is the up key, MoveRight.
    const struct { void (*move)(); int textRow, textCol; } steps[] = {
        {MoveUp, 2, 3}, {MoveRight, 1, 3}, {MoveDown, 1, 4}, {MoveLeft, 2, 4}};
    for (const auto &s : steps) {
        s.move();
        Puzzle now;
        std::string why;
        ASSERT_TRUE(puzzleFromGame(now, why)) << why;
        EXPECT_EQ(now.keeper, now.index(s.textRow, s.textCol));
    }
}

TEST_F(ImportExport, RefusesWhatIsBrokenOrBeyondTheLimitsAndSaysWhy)
{
    std::string big = "; Field\n" + std::string(20, '#') + "\n";
    for (int r = 0; r < 18; ++r) big += "#" + std::string(r == 0 ? "@" : " ") + std::string(17, ' ') + "#\n";
    big += std::string(20, '#') + "\n";
    std::string crowd = "; Crowd\n" + std::string(14, '#') + "\n";
    for (int r = 0; r < 12; ++r) crowd += "#" + std::string(12, r < 5 ? '$' : r < 10 ? '.' : ' ') + "#\n";
    crowd += std::string(14, '#') + "\n";
    crowd.replace(crowd.rfind(' '), 1, "@");
    const std::string broken = "; Open\n#####\n#@$. \n#####\n\n; Nobody\n#####\n# $.#\n#####\n\n"
                               "; Two keepers\n######\n#@$.@#\n######\n\n";
    WriteTextFile(dir + "/set.txt", big + "\n" + crowd + "\n" + broken + "; Fine\n#####\n#@$.#\n#####\n");
    ToolRun run = RunLevelkit("import " + dir + "/set.txt " + dir);
    EXPECT_EQ(run.status, 0);  // all that could be written was
    for (const char *why : {"level 1 (Field) refused: it is too large for the camera (20 x 20 cells)",
                            "a level may be at most", "level 2 (Crowd) refused: it needs", "49 crates",
                            "(Open) skipped: the keeper's area is not enclosed by walls",
                            "(Nobody) skipped: it has no keeper", "(Two keepers) skipped: it has more than one keeper"})
        EXPECT_NE(run.err.find(why), std::string::npos) << run.err;
    // The good level takes the first number, and the report says so.
    EXPECT_EQ(run.out, "Level1.Map: level 6 (Fine)\n");
    EXPECT_EQ(RunLevelkit("export " + dir + "/Level1.Map").out, "#####\n#@$.#\n#####\n");
    EXPECT_EQ(ReadTextFile(dir + "/Level2.Map"), "");
    WriteTextFile(dir + "/Level5.Map", "1.0\n2.0\nnot a level\n");
    run = RunLevelkit("export " + dir + "/Level5.Map");
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.err.find("the game refuses"), std::string::npos) << run.err;
    // For the solver's tools a level too large for the camera still gets its file, which the
    // game's loader reads back as the same board; no capacity gives way.
    std::string err, map, why;
    std::vector<Puzzle> field = ParsePuzzles(big + "\n" + crowd, err);
    ASSERT_EQ(field.size(), 2u) << err;
    field[0].crates = {field[0].index(2, 2)};  // something to play: a crate and its site
    field[0].sites[field[0].index(2, 17)] = true;
    const struct { bool needCamera, fieldWritten, crowdWritten; } rules[] = {
        {true, false, false}, {false, true, false}};
    for (const auto &rule : rules) {
        EXPECT_EQ(writeMapText(field[0], map, why, rule.needCamera), rule.fieldWritten) << why;
        EXPECT_EQ(writeMapText(field[1], map, why, rule.needCamera), rule.crowdWritten) << why;
    }
    ImportAndLoad(field[0], dir, false);
    Puzzle back;
    ASSERT_TRUE(puzzleFromGame(back, why)) << why;
    EXPECT_EQ(FormatBoard(back), FormatBoard(field[0]));
}

}  // namespace
