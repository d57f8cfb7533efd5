// Every level shipped in data/ loads through the game's own loader and
// describes a game that can end: as many crates as sites, every piece on an
// open cell where its position says, no two pieces on one cell.
#include "core/level.h"
#include "tests/core/core_fixture.h"

#include <set>
#include <sys/stat.h>
#include <utility>

namespace {

using ShippedLevels = CoreTest;

TEST_F(ShippedLevels, LoadAndCanBeSolvedInPrinciple)
{
    int found = 0;
    for (int n = 1; n <= LevelCount; ++n) {
        const std::string source = std::string(CW_SOURCE_DIR) + "/data/Level" + std::to_string(n) + ".Map";
        struct stat info;
        if (stat(source.c_str(), &info) != 0) continue;
        SCOPED_TRACE(source);
        ++found;
        InstallLevelText(ReadTextFile(source), n);
        ASSERT_TRUE(LoadLevel(n));
        EXPECT_EQ(siteCount, pieceCount - 1);
        // Pieces are drawn where x and z say and moved where row and col say:
        // both must come from one origin, two units a cell.
        const Piece &keeper = pieceTable[playerIndex];
        const GLfixed originX = keeper.x - keeper.col * BoardStep;
        const GLfixed originZ = keeper.z - keeper.row * BoardStep;
        std::set<std::pair<int, int>> taken;
        for (uint32_t i = 0; i < pieceCount; ++i) {
            const Piece &piece = pieceTable[i];
            const int32_t kind = Cell(piece.row, piece.col).kind;
            EXPECT_TRUE(kind == Floor || kind == Site) << "piece " << i << " stands in a wall";
            EXPECT_EQ(piece.x, originX + piece.col * BoardStep) << "piece " << i;
            EXPECT_EQ(piece.z, originZ + piece.row * BoardStep) << "piece " << i;
            EXPECT_TRUE(taken.insert({piece.row, piece.col}).second) << "piece " << i << " shares a cell";
        }
    }
    EXPECT_GE(found, 1) << "no level in data/";
    EXPECT_TRUE(platformRecord.messages.empty());
}

}  // namespace
