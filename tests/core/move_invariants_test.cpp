// Thousands of random moves on random levels, enclosed or open: after every
// move the board and the pieces still agree, and nothing outside the level
// rectangle has changed.
#include "core/level.h"
#include "core/moves.h"
#include "tests/core/core_fixture.h"
#include "tests/core/level_pictures.h"

#include <cstdlib>
#include <random>
#include <vector>

namespace {

// Stale floor round the level: the cells a careless rule would walk onto.
constexpr BoardCell Sentinel = {Floor, NoOccupant};

struct Axis {
    void (*rule)();
    int32_t facing;
    int dr, dc;
};
//  rule       facing  dr  dc
const Axis axes[] = {
    {MoveUp,    Up,    -1,  0},
    {MoveLeft,  Left,   0, -1},
    {MoveRight, Right,  0,  1},
    {MoveDown,  Down,   1,  0},
};

std::string RandomPicture(std::mt19937 &random, bool enclosed)
{
    std::uniform_int_distribution<int> size(enclosed ? 3 : 1, 12), percent(0, 99);
    const int rows = size(random), cols = size(random);
    std::vector<std::string> picture(rows, std::string(cols, ' '));
    int crates = 0;
    std::vector<std::pair<int, int>> free;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            char &cell = picture[r][c];
            const bool border = r == 0 || c == 0 || r == rows - 1 || c == cols - 1;
            const int roll = percent(random);
            if ((enclosed && border) || roll < 15) cell = '#';
            else if (roll < 45 && crates < PieceCapacity - 1) cell = roll < 35 ? '$' : '*', ++crates;
            else if (roll < 60) cell = '.';
            if (cell == ' ' || cell == '.') free.push_back({r, c});
        }
    if (free.empty()) {  // no room for the keeper: clear a cell for it
        const int r = enclosed ? 1 : 0, c = enclosed ? 1 : 0;
        picture[r][c] = ' ';
        free.push_back({r, c});
    }
    const auto [kr, kc] = free[std::uniform_int_distribution<size_t>(0, free.size() - 1)(random)];
    picture[kr][kc] = picture[kr][kc] == '.' ? '+' : '@';
    std::string text;
    for (const std::string &row : picture) text += row + "\n";
    return text;
}

class MoveInvariants : public CoreTest {
protected:
    static const BoardCell &At(int r, int c) { return board[r * BoardCapacity + c]; }

    void ExpectInvariants(const std::vector<int32_t> &kinds, int32_t keeperState)
    {
        const uint32_t crates = pieceCount - 1;
        std::vector<int> seen(crates, 0);
        for (int r = 0; r < boardRows; ++r)
            for (int c = 0; c < boardCols; ++c) {
                const BoardCell &cell = At(r, c);
                ASSERT_EQ(cell.kind, kinds[r * boardCols + c]);
                if (cell.occupant == NoOccupant) continue;
                ASSERT_TRUE(cell.occupant >= 0 && uint32_t(cell.occupant) < crates) << cell.occupant;
                ++seen[cell.occupant];
            }
        for (uint32_t i = 0; i < crates; ++i) {
            const Piece &crate = pieceTable[i];
            ASSERT_EQ(seen[i], 1) << "crate " << i;
            ASSERT_EQ(At(crate.row, crate.col).occupant, int32_t(i));
            ASSERT_EQ(crate.state, At(crate.row, crate.col).kind == Site ? OnSite : OffSite);
            ASSERT_EQ(crate.x, 2 * crate.col * FixedOne);
            ASSERT_EQ(crate.z, 2 * crate.row * FixedOne);
        }
        const Piece &keeper = pieceTable[playerIndex];
        ASSERT_TRUE(playerRow >= 0 && playerRow < boardRows && playerCol >= 0 && playerCol < boardCols);
        ASSERT_EQ(At(playerRow, playerCol).occupant, NoOccupant);
        ASSERT_EQ(keeper.x, 2 * playerCol * FixedOne);
        ASSERT_EQ(keeper.z, 2 * playerRow * FixedOne);
        ASSERT_EQ(keeper.state, keeperState);
    }

    static void ExpectOutsideUntouched()
    {
        for (int r = 0; r < BoardCapacity; ++r)
            for (int c = 0; c < BoardCapacity; ++c) {
                if (r < boardRows && c < boardCols) continue;
                ASSERT_TRUE(At(r, c).kind == Sentinel.kind && At(r, c).occupant == Sentinel.occupant)
                    << r << "," << c;
            }
    }
};

TEST_F(MoveInvariants, HoldAfterRandomMovesOnRandomLevels)
{
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> direction(0, 3);
    int pushes = 0, steps = 0, blocked = 0;
    for (int level = 0; level < 240; ++level) {
        const bool enclosed = level % 2 == 0;
        const std::string picture = RandomPicture(random, enclosed);
        SCOPED_TRACE(picture);
        for (BoardCell &cell : board) cell = Sentinel;
        InstallLevelText(LevelTextFromPicture(picture), 1);
        ASSERT_TRUE(LoadLevel(1));
        std::vector<int32_t> kinds(boardRows * boardCols);
        for (int r = 0; r < boardRows; ++r)
            for (int c = 0; c < boardCols; ++c) kinds[r * boardCols + c] = At(r, c).kind;
        const int32_t keeperState = pieceTable[playerIndex].state;
        ASSERT_NO_FATAL_FAILURE(ExpectInvariants(kinds, keeperState));

        for (int move = 0; move < 300; ++move) {
            const Axis &axis = axes[direction(random)];
            const std::vector<Piece> before(pieceTable, pieceTable + pieceCount);
            axis.rule();
            ASSERT_EQ(facing, axis.facing);
            ASSERT_NO_FATAL_FAILURE(ExpectInvariants(kinds, keeperState));
            // Whole steps along the move's own axis only, one crate at most,
            // and never a crate without the keeper behind it.
            int moved = 0;
            for (uint32_t i = 0; i < pieceCount; ++i) {
                const GLfixed dx = pieceTable[i].x - before[i].x, dz = pieceTable[i].z - before[i].z;
                if (dx == 0 && dz == 0) continue;
                ASSERT_EQ(dx, axis.dc * BoardStep);
                ASSERT_EQ(dz, axis.dr * BoardStep);
                ++moved;
            }
            const bool keeperMoved = pieceTable[playerIndex].x != before[playerIndex].x ||
                                     pieceTable[playerIndex].z != before[playerIndex].z;
            ASSERT_LE(moved, 2);
            ASSERT_TRUE(keeperMoved || moved == 0);
            pushes += moved == 2;
            steps += moved == 1;
            blocked += moved == 0;
        }
        ASSERT_NO_FATAL_FAILURE(ExpectOutsideUntouched());
    }
    // The random levels must exercise every outcome, or the test proves little.
    EXPECT_GT(pushes, 500);
    EXPECT_GT(steps, 10000);
    EXPECT_GT(blocked, 10000);
    std::printf("random moves: %d pushes, %d steps, %d blocked\n", pushes, steps, blocked);
}

}  // namespace
