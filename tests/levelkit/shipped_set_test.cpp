// The shipped set: one hundred levels in data/levels.txt, their level files in
// data/ exactly as a fresh import makes them, all different, and steadily
// harder from the one-push lesson on. (levelkit_check_shipped_set replays
// every stored solution.)
#include "tests/levelkit/levelkit_support.h"
#include "tests/support/test_files.h"

#include "core/state.h"
#include "tools/levelkit/map_writer.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(ShippedSet, FilesAreAFreshImportOfDistinctLevelsGrowingHarder)
{
    const std::string data = std::string(CW_SOURCE_DIR) + "/data/";
    std::string err;
    const std::vector<Puzzle> levels = ParsePuzzles(ReadTextFile(data + "levels.txt"), err);
    EXPECT_EQ(err, "");
    ASSERT_EQ(levels.size(), size_t(LevelCount));
    std::set<std::string> boards, titles;
    for (size_t i = 0; i < levels.size(); ++i) {
        const Puzzle &p = levels[i];
        std::string map, why;
        ASSERT_TRUE(writeMapText(p, map, why)) << "level " << i + 1 << ": " << why;
        EXPECT_EQ(map, ReadTextFile(data + "Level" + std::to_string(i + 1) + ".Map")) << "level " << i + 1;
        EXPECT_TRUE(boards.insert(FormatBoard(p)).second && titles.insert(p.title).second) << p.title;
        EXPECT_FALSE(p.solution.empty() || p.sites[p.keeper]) << p.title;  // no site covered by the keeper all level
    }
    EXPECT_TRUE(levels[0].storedPushes == 1 && levels[0].crates.size() == 1 && levels.back().storedMoves >= 100);
    // Each tenth of the set is harder on the whole than the one before: its
    // mean of moves + 3 pushes rises, and neither part falls by a tenth.
    double lastMoves = 0, lastPushes = 0;
    for (int tenth = 0; tenth < 10; ++tenth) {
        double moves = 0, pushes = 0;
        for (int i = tenth * 10; i < tenth * 10 + 10; ++i) moves += levels[i].storedMoves / 10.0, pushes += levels[i].storedPushes / 10.0;
        EXPECT_GT(moves + 3 * pushes, lastMoves + 3 * lastPushes) << "tenth " << tenth;
        EXPECT_TRUE(moves >= lastMoves * 0.9 && pushes >= lastPushes * 0.9) << "tenth " << tenth;
        lastMoves = moves, lastPushes = pushes;
    }
}

}  // namespace
