// The shipped set: one hundred levels in data/levels.txt, their level files in
// data/ exactly as a fresh import makes them, no two alike, every crate moving,
// and a steady climb from the one-push lesson to a hard last ten.
// (levelkit_check_shipped_set replays every stored solution.)
#include "tests/levelkit/levelkit_support.h"
#include "tests/support/test_files.h"

#include "core/state.h"
#include "tools/levelkit/levels/level_traits.h"
#include "tools/levelkit/levels/map_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

long Median(std::vector<long> v)
{
    std::sort(v.begin(), v.end());
    return (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

TEST(ShippedSet, FilesAreAFreshImportOfDistinctLevelsClimbingSteadily)
{
    const std::string data = std::string(CW_SOURCE_DIR) + "/data/";
    std::string err;
    const std::vector<Puzzle> levels = ParsePuzzles(ReadTextFile(data + "levels.txt"), err);
    EXPECT_EQ(err, "");
    ASSERT_EQ(levels.size(), size_t(LevelCount));
    EXPECT_EQ(FormatBoard(levels[0]), "#####\n#@$.#\n#####\n");
    std::set<std::string> same, titles;
    std::vector<long> difficulty;
    for (size_t i = 0; i < levels.size(); ++i) {
        const Puzzle &p = levels[i];
        SCOPED_TRACE("level " + std::to_string(i + 1));
        std::string map, why;
        ASSERT_TRUE(writeMapText(p, map, why)) << why;
        EXPECT_EQ(map, ReadTextFile(data + "Level" + std::to_string(i + 1) + ".Map"));
        EXPECT_TRUE(same.insert(sameLevelKey(p)).second) << "turned or mirrored, it is an earlier level";
        EXPECT_TRUE(titles.insert(p.title).second) << p.title;
        EXPECT_FALSE(p.sites[p.keeper]);  // no site covered by the keeper all level
        LevelTraits t;
        ASSERT_TRUE(traitsOf(p, t));
        EXPECT_TRUE(t.everyCrateMoves);
        EXPECT_EQ(t.pushes, p.storedPushes);
        EXPECT_EQ(t.moves, p.storedMoves);
        if (i >= 90) {
            EXPECT_TRUE(t.crates >= 6 && t.pushes >= 60 && t.moves >= 200) << t.crates << " crates";
        }
        difficulty.push_back(t.difficulty());
    }
    // The first ten stay gentle; every ten is harder than the ten before, and
    // no level is harder than the one ten places on.
    EXPECT_LE(*std::max_element(difficulty.begin(), difficulty.begin() + 10), 20);
    for (size_t i = 0; i + 10 < difficulty.size(); ++i) {
        EXPECT_LE(difficulty[i], difficulty[i + 10]) << "level " << i + 1;
        if (i % 10 == 0) {
            EXPECT_LT(Median({difficulty.begin() + i, difficulty.begin() + i + 10}),
                      Median({difficulty.begin() + i + 10, difficulty.begin() + i + 20}))
                << "levels " << i + 1 << " to " << i + 10;
        }
    }
}

}  // namespace
