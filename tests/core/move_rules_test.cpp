// The move rules on boards drawn as pictures and loaded through the real
// loader: steps, pushes, blocks, grid edges and whole solutions.
#include "core/level.h"
#include "core/moves.h"
#include "tests/core/core_fixture.h"
#include "tests/core/level_pictures.h"

#include <cstring>
#include <vector>

namespace {

using MoveRule = void (*)();

struct Snapshot {
    std::vector<BoardCell> cells;
    std::vector<Piece> pieces;
    int32_t row, col;

    static Snapshot Take()
    {
        return {std::vector<BoardCell>(board, board + BoardCapacity * BoardCapacity),
                std::vector<Piece>(pieceTable, pieceTable + PieceCapacity), playerRow, playerCol};
    }
    bool operator==(const Snapshot &o) const
    {
        return std::memcmp(cells.data(), o.cells.data(), cells.size() * sizeof cells[0]) == 0 &&
               std::memcmp(pieces.data(), o.pieces.data(), pieces.size() * sizeof pieces[0]) == 0 &&
               row == o.row && col == o.col;
    }
};

class MoveRules : public CoreTest {
protected:
    void Load(const std::string &picture)
    {
        InstallLevelText(LevelTextFromPicture(picture), 1);
        ASSERT_TRUE(LoadLevel(1));
    }
    static Piece &Keeper() { return pieceTable[playerIndex]; }
};

// Pressing a direction: the move rule, the facing it sets and the name.
struct Press {
    MoveRule rule;
    int32_t facing;
    const char *name;
    char letter;  // in the solutions below
    int dr, dc;
};
//                 rule       facing  name     letter  dr  dc
const Press up    = {MoveUp,    Up,    "up",    'U',   -1,  0};
const Press left  = {MoveLeft,  Left,  "left",  'L',    0, -1};
const Press right = {MoveRight, Right, "right", 'R',    0,  1};
const Press down  = {MoveDown,  Down,  "down",  'D',    1,  0};

TEST_F(MoveRules, BlockedMoveOnlyTurnsTheKeeper)
{
    struct Case {
        const char *what;
        const char *picture;
        Press press;
    };
    const Case cases[] = {
        {"wall above", "###\n#@#\n###", up},
        {"wall to the left", "###\n#@#\n###", left},
        {"wall to the right", "###\n#@#\n###", right},
        {"wall below", "###\n#@#\n###", down},
        {"crate, crate", "######\n#@$$ #\n######", right},
        {"crate, crate on a site", "######\n# *$@#\n######", left},
        {"crate, wall", "####\n#@$#\n####", right},
        {"crate, crate upwards", "###\n# #\n#$#\n#$#\n#@#\n###", up},
        {"crate, wall downwards", "###\n#@#\n#*#\n###", down},
        {"open level, top edge", "@ \n  ", up},
        {"open level, left edge", "@ \n  ", left},
        {"open level, right edge", " @\n  ", right},
        {"open level, bottom edge", "  \n @", down},
        {"open level, crate at the edge", "@$", right},
        {"open level, crate at the top edge", "$ \n@ ", up},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Load(c.picture);
        facing = c.press.facing == Up ? Down : Up;
        const Snapshot before = Snapshot::Take();
        c.press.rule();
        EXPECT_EQ(facing, c.press.facing);
        EXPECT_TRUE(Snapshot::Take() == before);
    }
}

TEST_F(MoveRules, PushOntoASite)
{
    Load("######\n#@$. #\n######");
    const Piece keeperBefore = Keeper();
    MoveRight();
    const Piece &crate = pieceTable[0];
    EXPECT_EQ(crate.row, 1);
    EXPECT_EQ(crate.col, 3);
    EXPECT_EQ(crate.x, 6 * FixedOne);
    EXPECT_EQ(crate.z, 2 * FixedOne);
    EXPECT_EQ(crate.state, OnSite);
    EXPECT_EQ(Cell(1, 3).occupant, 0);
    EXPECT_EQ(Cell(1, 2).occupant, NoOccupant);
    EXPECT_EQ(playerCol, 2);
    EXPECT_EQ(Keeper().col, 2);  // a push writes the keeper's record too
    EXPECT_EQ(Keeper().x, keeperBefore.x + BoardStep);
    EXPECT_EQ(Keeper().z, keeperBefore.z);
    EXPECT_EQ(Keeper().state, keeperBefore.state);
    EXPECT_EQ(facing, Right);

    // Pushing it on, off the site, makes it OffSite again; the site stays.
    MoveRight();
    EXPECT_EQ(crate.state, OffSite);
    EXPECT_EQ(crate.col, 4);
    EXPECT_EQ(Cell(1, 3).kind, Site);
    EXPECT_EQ(Cell(1, 3).occupant, NoOccupant);
    EXPECT_EQ(Cell(1, 4).occupant, 0);
}

TEST_F(MoveRules, KeeperNeverPulls)
{
    Load("#####\n# $@ #\n#####");
    MoveRight();
    EXPECT_EQ(playerCol, 4);
    EXPECT_EQ(pieceTable[0].col, 2);
    EXPECT_EQ(Cell(1, 2).occupant, 0);
}

TEST_F(MoveRules, EachDirectionChangesItsOwnAxis)
{
    const char *cross = "#######\n#     #\n#  $  #\n# $@$ #\n#  $  #\n#     #\n#######";
    for (const Press &press : {up, left, right, down}) {
        SCOPED_TRACE(press.name);
        Load(cross);
        const int crate = Cell(3 + press.dr, 3 + press.dc).occupant;
        ASSERT_GE(crate, 0);
        const Piece before = pieceTable[crate];
        press.rule();
        const Piece &after = pieceTable[crate];
        EXPECT_EQ(after.x - before.x, press.dc * BoardStep);
        EXPECT_EQ(after.z - before.z, press.dr * BoardStep);
        EXPECT_EQ(after.y, before.y);
        EXPECT_EQ(after.row, 3 + 2 * press.dr);
        EXPECT_EQ(after.col, 3 + 2 * press.dc);
        EXPECT_EQ(Cell(after.row, after.col).occupant, crate);
        EXPECT_EQ(playerRow, 3 + press.dr);
        EXPECT_EQ(playerCol, 3 + press.dc);
        EXPECT_EQ(Keeper().x, 2 * playerCol * FixedOne);
        EXPECT_EQ(Keeper().z, 2 * playerRow * FixedOne);
        EXPECT_EQ(Keeper().row, playerRow);  // a push writes the keeper's record
        EXPECT_EQ(Keeper().col, playerCol);
    }
}

TEST_F(MoveRules, PlainStepsLeaveTheKeepersRecord)
{
    Load("######\n#+ . #\n######");
    ASSERT_EQ(Keeper().state, OnSite);
    MoveRight();
    MoveRight();  // onto the second site
    EXPECT_EQ(playerCol, 3);
    EXPECT_EQ(Keeper().x, 6 * FixedOne);
    EXPECT_EQ(Keeper().col, 1);  // still the cell it was loaded on
    EXPECT_EQ(Keeper().row, 1);
    EXPECT_EQ(Keeper().state, OnSite);
    MoveRight();  // off the site: the state stays as it was loaded
    EXPECT_EQ(Keeper().state, OnSite);
    for (int c = 0; c < 6; ++c) EXPECT_EQ(Cell(1, c).occupant, NoOccupant);

    Load("#####\n#@  #\n#####");
    const GLfixed startX = Keeper().x;
    MoveRight();
    MoveLeft();
    EXPECT_EQ(Keeper().x, startX);
    EXPECT_EQ(facing, Left);
}

TEST_F(MoveRules, StaleCellsBeyondAnOpenLevelAreWalls)
{
    // A large open floor first, so that every cell around the small level is
    // stale floor a careless rule would walk onto.
    Load(std::string(9, ' ') + "\n" + std::string(9, ' ') + "\n" + std::string(4, ' ') + "@    ");
    Load("$@$");
    const Snapshot before = Snapshot::Take();
    for (const Press &press : {up, down}) {
        press.rule();
        EXPECT_TRUE(Snapshot::Take() == before) << press.name;
    }
    MoveRight();  // the crate would go to column 3, beyond the level
    MoveLeft();   // and this one to column -1
    EXPECT_TRUE(Snapshot::Take() == before);
}

TEST_F(MoveRules, SolutionsReplayToASolvedBoard)
{
    struct Case {
        const char *file;
        const char *moves;
    };
    const Case cases[] = {
        {"corridor.Map", "RR"},
        {"two-crates.Map", "RRULLLDLDR"},
        {"cross.Map", "ULURDDDRDLULUURRDD"},
        {"three-crates.Map", "RDUURRURDDDLUUDDDLL"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file);
        InstallLevel(c.file, 1);
        ASSERT_TRUE(LoadLevel(1));
        for (const char *m = c.moves; *m; ++m)
            for (const Press &press : {up, left, right, down})
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
