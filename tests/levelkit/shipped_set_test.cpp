// The shipped set: one hundred levels in data/levels.txt, their level files in
// data/ exactly as a fresh import makes them, all different, each with its
// solution, and steadily harder from the one-push lesson on.
#include "tests/levelkit/levelkit_support.h"
#include "tests/support/test_files.h"

#include "core/state.h"
#include "tools/levelkit/map_writer.h"

#include <gtest/gtest.h>

#include <set>

namespace {

class ShippedSet : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string err;
        levels = ParsePuzzles(ReadTextFile(std::string(CW_SOURCE_DIR) + "/data/levels.txt"), err);
        EXPECT_EQ(err, "");
    }
    std::vector<Puzzle> levels;
};

TEST_F(ShippedSet, FilesAreAFreshImportOfTheText)
{
    ASSERT_EQ(levels.size(), size_t(LevelCount));
    for (size_t i = 0; i < levels.size(); ++i) {
        std::string map, why;
        ASSERT_TRUE(writeMapText(levels[i], map, why)) << "level " << i + 1 << ": " << why;
        EXPECT_EQ(map, ReadTextFile(std::string(CW_SOURCE_DIR) + "/data/Level" + std::to_string(i + 1) + ".Map"))
            << "level " << i + 1;
    }
    EXPECT_EQ(ReadTextFile(std::string(CW_SOURCE_DIR) + "/data/Level101.Map"), "");
}

TEST_F(ShippedSet, LevelsDifferAndCarryTheirSolutions)
{
    std::set<std::string> boards, titles;
    for (const Puzzle &p : levels) {
        EXPECT_TRUE(boards.insert(FormatBoard(p)).second) << p.title;
        EXPECT_TRUE(titles.insert(p.title).second) << p.title;
        EXPECT_FALSE(p.solution.empty()) << p.title;
        EXPECT_EQ(p.storedMoves, long(p.solution.size())) << p.title;
        EXPECT_FALSE(p.sites[p.keeper]) << p.title;  // no site is covered by the keeper for a whole level
    }
}

TEST_F(ShippedSet, DifficultyRisesFromOnePushToTheHardest)
{
    ASSERT_EQ(levels.size(), size_t(LevelCount));
    EXPECT_EQ(levels[0].storedPushes, 1);
    EXPECT_EQ(levels[0].crates.size(), 1u);
    // Each tenth of the set is harder on the whole than the one before: its
    // mean of moves + 3 pushes rises, and neither part falls by a tenth.
    double lastScore = 0, lastMoves = 0, lastPushes = 0;
    for (int tenth = 0; tenth < 10; ++tenth) {
        double moves = 0, pushes = 0;
        for (int i = tenth * 10; i < tenth * 10 + 10; ++i) {
            moves += double(levels[i].storedMoves) / 10;
            pushes += double(levels[i].storedPushes) / 10;
        }
        EXPECT_GT(moves + 3 * pushes, lastScore) << "tenth " << tenth;
        EXPECT_GE(moves, lastMoves * 0.9) << "tenth " << tenth;
        EXPECT_GE(pushes, lastPushes * 0.9) << "tenth " << tenth;
        lastScore = moves + 3 * pushes;
        lastMoves = moves;
        lastPushes = pushes;
    }
    EXPECT_GE(levels.back().storedMoves, 100);
}

}  // namespace
