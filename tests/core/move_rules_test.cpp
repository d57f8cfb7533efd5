// The move rules on boards drawn as pictures and loaded through the real
// loader: blocked moves, pushes on and off sites along each axis, the grid's
// edges, and whole solutions replayed on level files.
#include "tests/core/core_fixture.h"

#include <cstring>

namespace {

using MoveRules = CoreTest;

TEST_F(MoveRules, BlockedMoveOnlyTurnsTheKeeper)
{
    const char *const up = "U", *left = "L", *right = "R", *down = "D";
    const struct { const char *picture, *move; } cases[] = {
        {"###\n#@#\n###", up}, {"###\n#@#\n###", left}, {"###\n#@#\n###", right}, {"###\n#@#\n###", down},
        {"######\n#@$$ #\n######", right},     // crate, crate
        {"######\n# *$@#\n######", left},      // crate, crate on a site
        {"###\n# #\n#$#\n#$#\n#@#\n###", up},  // crate, crate upwards
        {"###\n#@#\n#*#\n###", down},          // crate, wall
        // Open levels: beyond the rectangle lies stale floor, which counts as wall.
        {"@ \n  ", up}, {"@ \n  ", left}, {" @\n  ", right}, {"  \n @", down},
        {"@$", right}, {"$@", left}, {"$ \n@ ", up}, {"@ \n$ ", down}};
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.picture) + " " + c.move);
        LoadPicture(c.picture);
        const Press &press = *std::find_if(presses, presses + 4, [&](const Press &p) { return p.letter == *c.move; });
        facing = press.facing == Up ? Down : Up;
        const std::string before = std::string(reinterpret_cast<const char *>(board), sizeof board) +
                                   std::string(reinterpret_cast<const char *>(pieceTable), sizeof pieceTable);
        press.rule();
        EXPECT_EQ(facing, press.facing);
        EXPECT_TRUE(before == std::string(reinterpret_cast<const char *>(board), sizeof board) +
                                  std::string(reinterpret_cast<const char *>(pieceTable), sizeof pieceTable));
        EXPECT_EQ(std::make_pair(playerRow, playerCol), std::make_pair(pieceTable[pieceCount - 1].row, pieceTable[pieceCount - 1].col));
    }
}

TEST_F(MoveRules, PushesGoAlongTheirAxisOntoAndOffSitesAndPlainStepsLeaveTheKeepersRecord)
{
    for (const Press &p : presses) {
        SCOPED_TRACE(p.letter);
        LoadPicture("#######\n#     #\n#  $  #\n# $@$ #\n#  $  #\n#     #\n#######");
        const int crate = Cell(3 + p.dr, 3 + p.dc).occupant, row = 3 + 2 * p.dr, col = 3 + 2 * p.dc;
        ASSERT_GE(crate, 0);
        const std::vector<Piece> before(pieceTable, pieceTable + 4);
        p.rule();
        EXPECT_EQ(Fields(pieceTable[crate]), (std::vector<GLfixed>{2 * col * F, 2 * F, 2 * row * F, row, col, crate, OffSite}));
        EXPECT_EQ(Cell(row, col).occupant, crate);
        EXPECT_EQ(Cell(3 + p.dr, 3 + p.dc).occupant, NoOccupant);
        for (int i = 0; i < 4; ++i)  // the other crates stay: nothing is pulled
            EXPECT_TRUE(i == crate || std::memcmp(&pieceTable[i], &before[i], sizeof(Piece)) == 0) << i;
        // A push writes the keeper's row and column too.
        EXPECT_EQ(Fields(pieceTable[4]), (std::vector<GLfixed>{2 * (col - p.dc) * F, 0, 2 * (row - p.dr) * F,
                                                               row - p.dr, col - p.dc, 4, OffSite}));
        EXPECT_EQ(std::make_pair(playerRow, playerCol), std::make_pair(row - p.dr, col - p.dc));
    }
    // A crate onto a site and off it; the keeper's plain steps, over a site too:
    // its x follows, its row, column and state stay as a push left them.
    LoadPicture("########\n#+$.   #\n########");
    const std::string states[] = {"1 2 0 2@0 0 0 0 1 ", "1 2 0 2 0@0 0 0 1 ", "1 2 0 2 0 0@0 0 1 "};
    for (int push = 0; push < 3; ++push) {
        MoveRight();
        EXPECT_EQ(Cells(1, 8) + std::to_string(pieceTable[0].state), states[push] + (push ? "2" : "13"));
    }
    MoveLeft();
    MoveLeft();
    EXPECT_EQ(Fields(pieceTable[1]), (std::vector<GLfixed>{4 * F, 0, 2 * F, 1, 4, 1, OnSite}));
}

TEST_F(MoveRules, SolutionsReplayToASolvedBoard)
{
    const struct { const char *file, *moves; } cases[] = {
        {"corridor.Map", "RR"}, {"two-crates.Map", "RRULLLDLDR"}, {"cross.Map", "ULURDDDRDLULUURRDD"},
        {"three-crates.Map", "RDUURRURDDDLUUDDDLL"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.file);
        Install(TestLevelText(c.file), 1);
        ASSERT_TRUE(LoadLevel(1));
        for (const char *m = c.moves; *m; ++m)
            for (const Press &press : presses)
                if (*m == press.letter) press.rule();
        for (uint32_t i = 0; i + 1 < pieceCount; ++i)
            EXPECT_TRUE(pieceTable[i].state == OnSite && Cell(pieceTable[i].row, pieceTable[i].col).kind == Site) << i;
        EXPECT_EQ(siteCount, pieceCount - 1);
    }
}

}  // namespace
