// levelkit check finds what is wrong with a level folder: records off the
// grid, a camera that does not show the level, a stored solution that does not
// solve it through the game's rules, a file that strays from its text; and
// which stored solution each file is checked against.
#include "tests/levelkit/levelkit_support.h"
#include "tests/support/test_files.h"
#include "tools/levelkit/levels/camera_fit.h"
#include "tools/levelkit/levels/game_bridge.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace {

const char Levels[] =
    "; Turn\n######\n#@   #\n# $  #\n#  . #\n######\n; solution: dRurD\n; length: 5 moves, 2 pushes\n\n"
    "; Pair\n##########\n#.$  @ $.#\n##########\n; solution: rRllllL\n; length: 7 moves, 2 pushes\n";

class Check : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = MakeTempFolder();
        WriteTextFile(dir + "/levels.txt", Levels);
        ASSERT_EQ(RunLevelkit("import " + dir + "/levels.txt " + dir).status, 0);
        good = ReadTextFile(dir + "/Level1.Map");
    }
    void TearDown() override { RemoveTree(dir); }
    ToolRun check() { return RunLevelkit("check " + dir + " --solutions " + dir + "/levels.txt"); }
    std::string dir, good;
};

TEST_F(Check, PassesAGoodFolderAndFindsBrokenRecordsAndCameras)
{
    ToolRun run = check();
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("Level1.Map: ok: 6x5 cells, 1 crates, 5 moves, 2 pushes"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("2 levels checked, 0 failed"), std::string::npos);
    // Level1.Map with lines changed; Level2.Map stays good and passes.
    const struct { std::function<void(std::vector<std::string> &)> edit; const char *why; } cases[] = {
        {[](auto &l) { l.back() = "99 " + l.back().substr(l.back().find(' ') + 1); },  // the keeper's x
         "is not at the world position of its row and column"},
        {[](auto &l) { l[0] = "-3.000"; }, "Level1.Map: FAILED: camera:"},  // the eye far too near
        {[](auto &l) { l[0] = l[3], l[2] = l[5]; }, "Level1.Map: FAILED: camera: the camera looks straight down"},
        {[](auto &l) { l[11] = "0 1.500000 0 0 0 0"; }, "a wall record's cell is not a wall"},
        {[](auto &l) { l[10] = std::to_string(std::stoi(l[10]) + 1), l.insert(l.begin() + 11, l[11]); }, "two wall records for one cell"},
        {[](auto &l) { l[9] = "1 0 1"; }, "the file does not read back to the same text"}};  // the keeper's position
    for (const auto &c : cases) {
        std::istringstream in(good);
        std::vector<std::string> l;
        for (std::string s; std::getline(in, s);) l.push_back(s);
        c.edit(l);
        std::string text;
        for (const std::string &s : l) text += s + "\n";
        WriteTextFile(dir + "/Level1.Map", text);
        run = check();
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.out.find(c.why), std::string::npos) << run.out;
        EXPECT_NE(run.out.find("Level2.Map: ok"), std::string::npos) << "one bad level stops nothing else";
    }
    ASSERT_EQ(system(("mkdir " + dir + "/empty").c_str()), 0);
    EXPECT_EQ(RunLevelkit("check " + dir + "/empty").status, 1);  // no levels is no success
}

TEST_F(Check, ReplaysTheStoredSolutionThroughTheGame)
{
    const struct { const char *solution, *why; } wrong[] = {
        {"dRur\n; length: 4 moves, 1", "the stored solution leaves 1 sites uncovered"},
        {"dRurd\n; length: 5 moves, 1", "a crate moves at move 5"},
        {"dRuRD\n; length: 5 moves, 3", "no crate moves at move 4"},
        {"uRurD\n; length: 5 moves, 2", "the keeper is blocked at move 1"},
        {"dRurD\n; length: 6 moves, 2", "the stored length does not match the solution"},
        {"dRurD\n; length: 5 moves, 3", "the stored length does not match the solution"},
        {"dRurDl\n; length: 6 moves, 2", "the level is solved early at move 5"},  // a walk after the winning push
    };
    for (const auto &w : wrong) {
        std::string text = Levels;
        WriteTextFile(dir + "/levels.txt", text.replace(text.find("dRurD\n; length: 5 moves, 2"), 26, w.solution));
        ToolRun run = check();
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.out.find(std::string("Level1.Map: FAILED: ") + w.why), std::string::npos) << w.solution << "\n" << run.out;
    }
}

// Which stored level a file holds, and what to do when there is none: the
// files given are looked through by the level each imports to, the shipped
// levels last, and a failure names the file and the way out.
TEST_F(Check, FindsEachFilesSolutionOrSaysWhatToDo)
{
    const std::string shipped = ReadTextFile(CW_SOURCE_DIR "/data/Level5.Map");
    WriteTextFile(dir + "/Level3.Map", shipped);
    ToolRun run = check();
    EXPECT_EQ(run.status, 0) << run.out;
    EXPECT_NE(run.out.find("Level3.Map: ok: "), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("; the shipped level 5 ("), std::string::npos) << run.out;
    std::string text = Levels;
    const struct { std::string levels, why; } cases[] = {
        {std::string(Levels).replace(text.find("#  . #"), 6, "# .  #"),
         "Level1.Map: FAILED: no level of " + dir + "/levels.txt or the shipped levels imports to this file, so it "
         "holds a level from elsewhere: give check the solutions of that collection too"},
        {std::string(Levels).replace(text.find("; solution: dRurD\n"), 18, ""),
         "Level1.Map: FAILED: level 1 (Turn) of " + dir + "/levels.txt has no solution: solve found none within "
         "its limits; solve the collection again with a longer --time-limit"}};
    for (const auto &c : cases) {
        WriteTextFile(dir + "/levels.txt", c.levels);
        run = check();
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.out.find(c.why), std::string::npos) << run.out;
        EXPECT_NE(run.out.find("Level2.Map: ok"), std::string::npos) << run.out;
        EXPECT_NE(run.out.find("Level3.Map: ok"), std::string::npos) << run.out;
        EXPECT_NE(run.out.find("3 levels checked, 1 failed"), std::string::npos) << run.out;
    }
    run = RunLevelkit("check " + dir);
    EXPECT_NE(run.out.find("Level1.Map: FAILED: no stored solution: the file holds none of the shipped levels; give "
                           "check the solutions of its collection"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("Level3.Map: ok"), std::string::npos) << run.out;
    EXPECT_EQ(RunLevelkit("check " + dir + " " + dir).status, 2);
}

// The check's test of each step on the screen: under the level's own camera
// every key's step runs its way; seen from the other side, none does.
TEST_F(Check, AStepRunsTheWayItsKeySaysOnlyUnderTheLevelsCamera)
{
    std::string why;
    ASSERT_TRUE(loadMapFile(dir + "/Level1.Map", why)) << why;
    CameraSetup level = cameraSetup, turned = cameraSetup;
    level.upX = level.upZ = turned.upX = turned.upZ = 0, level.upY = turned.upY = 1;
    turned.eyeX = 2 * turned.centreX - turned.eyeX, turned.eyeZ = 2 * turned.centreZ - turned.eyeZ;
    const WorldPoint from = {pieceTable[pieceCount - 1].x / 65536.0f, -1, pieceTable[pieceCount - 1].z / 65536.0f};
    for (const LetterMove &m : LetterMoves) {
        // One board step the way the letter's rule goes: l and r run MoveUp and
        // MoveDown (rows, along z), u and d MoveRight and MoveLeft (columns, along x).
        const WorldPoint to = {from.x + (m.letter == 'u' ? 2 : m.letter == 'd' ? -2 : 0), from.y,
                               from.z + (m.letter == 'r' ? 2 : m.letter == 'l' ? -2 : 0)};
        EXPECT_TRUE(stepRunsOnScreen(level, m.screenX, m.screenY, from, to)) << m.key;
        EXPECT_FALSE(stepRunsOnScreen(turned, m.screenX, m.screenY, from, to)) << m.key << " seen from the other side";
    }
}

}  // namespace
