// The move rules on boards drawn as pictures and loaded through the real
// loader: steps, pushes, blocks, grid edges and whole solutions.
#include "tests/core/core_fixture.h"

#include <cstring>
#include <vector>

namespace {

using MoveRules = CoreTest;

// The whole board, every piece and the keeper's cell, byte for byte.
std::string Snapshot()
{
    std::string bytes(reinterpret_cast<const char *>(board), sizeof board);
    bytes.append(reinterpret_cast<const char *>(pieceTable), sizeof pieceTable);
    return bytes + std::to_string(playerRow) + "," + std::to_string(playerCol);
}

const Press &up = presses[0], &left = presses[1], &right = presses[2], &down = presses[3];

TEST_F(MoveRules, BlockedMoveOnlyTurnsTheKeeper)
{
    const struct { const char *what, *picture; const Press &press; } cases[] = {
        {"wall above", "###\n#@#\n###", up},
        {"wall to the left", "###\n#@#\n###", left},
        {"wall to the right", "###\n#@#\n###", right},
        {"wall below", "###\n#@#\n###", down},
        {"crate, crate", "######\n#@$$ #\n######", right},
        {"crate, crate on a site", "######\n# *$@#\n######", left},
        {"crate, wall", "####\n#@$#\n####", right},
        {"crate, crate upwards", "###\n# #\n#$#\n#$#\n#@#\n###", up},
        {"crate, wall downwards", "###\n#@#\n#*#\n###", down},
        // Open levels: beyond the rectangle lies stale floor, which counts as wall.
        {"top edge", "@ \n  ", up},
        {"left edge", "@ \n  ", left},
        {"right edge", " @\n  ", right},
        {"bottom edge", "  \n @", down},
        {"crate at the right edge", "@$", right},
        {"crate at the left edge", "$@", left},
        {"crate at the top edge", "$ \n@ ", up},
        {"crate at the bottom edge", "@ \n$ ", down},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        LoadPicture(c.picture);
        facing = c.press.facing == Up ? Down : Up;
        const std::string before = Snapshot();
        c.press.rule();
        EXPECT_EQ(facing, c.press.facing);
        EXPECT_TRUE(Snapshot() == before);
    }
}

TEST_F(MoveRules, PushOntoASiteAndOffIt)
{
    LoadPicture("######\n#@$. #\n######");
    MoveRight();
    EXPECT_EQ(Fields(pieceTable[0]), (std::vector<GLfixed>{6 * F, 2 * F, 2 * F, 1, 3, 0, OnSite}));
    // A push writes the keeper's row and column too.
    EXPECT_EQ(Fields(pieceTable[1]), (std::vector<GLfixed>{4 * F, 0, 2 * F, 1, 2, 1, OffSite}));
    EXPECT_EQ(Cells(1, 6), "1 0 0 2@0 0 1 ");
    EXPECT_EQ(playerCol, 2);
    EXPECT_EQ(facing, Right);
    MoveRight();  // off the site: OffSite again, and the site stays
    EXPECT_EQ(Fields(pieceTable[0]), (std::vector<GLfixed>{8 * F, 2 * F, 2 * F, 1, 4, 0, OffSite}));
    EXPECT_EQ(Cells(1, 6), "1 0 0 2 0@0 1 ");
}

TEST_F(MoveRules, EachDirectionPushesAlongItsOwnAxisAndNeverPulls)
{
    for (const Press &p : presses) {
        SCOPED_TRACE(p.letter);
        LoadPicture("#######\n#     #\n#  $  #\n# $@$ #\n#  $  #\n#     #\n#######");
        const int crate = Cell(3 + p.dr, 3 + p.dc).occupant;
        ASSERT_GE(crate, 0);
        const std::vector<Piece> before(pieceTable, pieceTable + 4);
        p.rule();
        const int row = 3 + 2 * p.dr, col = 3 + 2 * p.dc;
        EXPECT_EQ(Fields(pieceTable[crate]),
                  (std::vector<GLfixed>{2 * col * F, 2 * F, 2 * row * F, row, col, crate, OffSite}));
        EXPECT_EQ(Cell(row, col).occupant, crate);
        for (int i = 0; i < 4; ++i)  // the crate behind the keeper stays
            EXPECT_TRUE(i == crate || std::memcmp(&pieceTable[i], &before[i], sizeof(Piece)) == 0) << i;
        EXPECT_EQ(Fields(pieceTable[4]), (std::vector<GLfixed>{2 * (col - p.dc) * F, 0, 2 * (row - p.dr) * F,
                                                               row - p.dr, col - p.dc, 4, OffSite}));
        EXPECT_EQ(std::make_pair(playerRow, playerCol), std::make_pair(row - p.dr, col - p.dc));
    }
}

TEST_F(MoveRules, PlainStepsLeaveTheKeepersRecord)
{
    LoadPicture("######\n#+ . #\n######");
    MoveRight();
    MoveRight();  // onto the second site: x follows, row, col and state stay as loaded
    EXPECT_EQ(playerCol, 3);
    EXPECT_EQ(Fields(pieceTable[0]), (std::vector<GLfixed>{6 * F, 0, 2 * F, 1, 1, 0, OnSite}));
    MoveRight();  // and off it
    EXPECT_EQ(pieceTable[0].state, OnSite);
    EXPECT_EQ(Cells(1, 6), "1 2 0 2 0 1 ");
}

TEST_F(MoveRules, SolutionsReplayToASolvedBoard)
{
    const struct { const char *file, *moves; } cases[] = {
        {"corridor.Map", "RR"},
        {"two-crates.Map", "RRULLLDLDR"},
        {"cross.Map", "ULURDDDRDLULUURRDD"},
        {"three-crates.Map", "RDUURRURDDDLUUDDDLL"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        InstallLevelText(TestLevelText(c.file), 1);
        ASSERT_TRUE(LoadLevel(1));
        for (const char *m = c.moves; *m; ++m)
            for (const Press &press : presses)
                if (*m == press.letter) press.rule();
        uint32_t placed = 0;
        for (uint32_t i = 0; i + 1 < pieceCount; ++i) {
            placed += pieceTable[i].state == OnSite;
            EXPECT_EQ(Cell(pieceTable[i].row, pieceTable[i].col).kind, Site) << i;
        }
        EXPECT_EQ(placed, siteCount);
        EXPECT_EQ(placed, pieceCount - 1);
    }
}

}  // namespace
