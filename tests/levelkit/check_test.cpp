// levelkit check finds what is wrong with a level folder: records off the
// grid, a camera that does not show the level, a stored solution that does not
// solve it through the game's rules, a file that strays from its text.
#include "tests/levelkit/levelkit_support.h"
#include "tests/support/test_files.h"

#include "tools/levelkit/map_writer.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

const char Levels[] =
    "; Turn\n"
    "######\n#@   #\n# $  #\n#  . #\n######\n"
    "; solution: dRurD\n; length: 5 moves, 2 pushes\n"
    "\n"
    "; Pair\n"
    "##########\n#.$  @ $.#\n##########\n"
    "; solution: rRllllL\n; length: 7 moves, 2 pushes\n";

class Check : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = MakeTempFolder();
        WriteTextFile(dir + "/levels.txt", Levels);
        ASSERT_EQ(RunLevelkit("import " + dir + "/levels.txt " + dir).status, 0);
    }
    void TearDown() override { RemoveTree(dir); }

    ToolRun check() { return RunLevelkit("check " + dir + " --solutions " + dir + "/levels.txt"); }

    // Level1.Map as lines, to change one number.
    std::vector<std::string> lines()
    {
        std::vector<std::string> out;
        std::istringstream in(ReadTextFile(dir + "/Level1.Map"));
        for (std::string l; std::getline(in, l);) out.push_back(l);
        return out;
    }
    void write(const std::vector<std::string> &l)
    {
        std::string text;
        for (const std::string &s : l) text += s + "\n";
        WriteTextFile(dir + "/Level1.Map", text);
    }
    std::string dir;
};

TEST_F(Check, PassesAGoodFolderLevelByLevel)
{
    ToolRun run = check();
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("Level1.Map: ok: 6x5 cells, 1 crates, 5 moves, 2 pushes"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Level2.Map: ok"), std::string::npos);
    EXPECT_NE(run.out.find("2 levels checked, 0 failed"), std::string::npos);
}

TEST_F(Check, FindsAPieceAwayFromItsCell)
{
    std::vector<std::string> l = lines();
    l.back() = "99 " + l.back().substr(l.back().find(' ') + 1);  // the keeper's x
    write(l);
    ToolRun run = check();
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("is not at the world position of its row and column"),
              std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Level2.Map: ok"), std::string::npos);  // one bad level stops nothing else
}

TEST_F(Check, FindsACameraThatDoesNotShowTheLevel)
{
    std::vector<std::string> l = lines();
    l[0] = "-3.000";  // eye x: far too near the level
    write(l);
    ToolRun run = check();
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("Level1.Map: FAILED: camera:"), std::string::npos) << run.out;
    l = lines();
    // Straight down over the level's middle.
    l[0] = l[3];
    l[2] = l[5];
    write(l);
    run = check();
    EXPECT_NE(run.out.find("Level1.Map: FAILED: camera: the camera looks straight down"), std::string::npos)
        << run.out;
}

TEST_F(Check, ReplaysTheStoredSolutionThroughTheGame)
{
    const struct {
        const char *solution, *length, *why;
    } wrong[] = {
        {"dRur", "4 moves, 1 pushes", "the stored solution leaves 1 sites uncovered"},
        {"dRurd", "5 moves, 1 pushes", "a crate moves at move 5"},
        {"dRuRD", "5 moves, 3 pushes", "no crate moves at move 4"},
        {"uRurD", "5 moves, 2 pushes", "the keeper is blocked at move 1"},
        {"dRurD", "6 moves, 2 pushes", "the stored length does not match the solution"},
    };
    for (const auto &w : wrong) {
        std::string text = Levels;
        text.replace(text.find("dRurD\n; length: 5 moves, 2 pushes"), 33,
                     std::string(w.solution) + "\n; length: " + w.length);
        WriteTextFile(dir + "/levels.txt", text);
        ToolRun run = check();
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.out.find(std::string("Level1.Map: FAILED: ") + w.why), std::string::npos)
            << w.solution << "\n" << run.out;
    }
}

TEST_F(Check, FindsAFileThatStraysFromItsText)
{
    std::string text = Levels;
    text.replace(text.find("#  . #"), 6, "# .  #");
    WriteTextFile(dir + "/levels.txt", text);
    ToolRun run = check();
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find("Level1.Map: FAILED: the file differs from its level in the text set"), std::string::npos)
        << run.out;
    run = RunLevelkit("check " + dir);
    EXPECT_NE(run.out.find("FAILED: no stored solution"), std::string::npos);
}

}  // namespace
