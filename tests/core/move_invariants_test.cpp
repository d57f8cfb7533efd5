// Thousands of random moves on random levels, enclosed or open: after every
// move the board and the pieces still agree, and nothing outside the level
// rectangle has changed.
#include "tests/core/core_fixture.h"

#include <cstdio>
#include <random>
#include <vector>

namespace {

std::string RandomPicture(std::mt19937 &random, bool enclosed)
{
    std::uniform_int_distribution<int> size(enclosed ? 3 : 1, 12), percent(0, 99);
    const int rows = size(random), cols = size(random);
    std::vector<std::string> picture(rows, std::string(cols, ' '));
    int crates = 0;
    std::vector<std::pair<int, int>> free = {{enclosed, enclosed}};  // cleared when nothing else is free
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            char &cell = picture[r][c];
            const int roll = percent(random);
            if ((enclosed && (r == 0 || c == 0 || r == rows - 1 || c == cols - 1)) || roll < 15) cell = '#';
            else if (roll < 45 && crates < PieceCapacity - 1) cell = roll < 35 ? '$' : '*', ++crates;
            else if (roll < 60) cell = '.';
            if (cell == ' ' || cell == '.') free.push_back({r, c});
        }
    if (free.size() > 1) free.erase(free.begin());
    const auto [kr, kc] = free[std::uniform_int_distribution<size_t>(0, free.size() - 1)(random)];
    picture[kr][kc] = picture[kr][kc] == '.' ? '+' : '@';
    std::string text;
    for (const std::string &row : picture) text += row + "\n";
    return text;
}

class MoveInvariants : public CoreTest {
protected:
    void ExpectInvariants(const std::vector<int32_t> &kinds, int32_t keeperState)
    {
        std::vector<int> seen(pieceCount, 0);
        for (int r = 0; r < boardRows; ++r)
            for (int c = 0; c < boardCols; ++c) {
                ASSERT_EQ(Cell(r, c).kind, kinds[r * boardCols + c]);
                const int32_t k = Cell(r, c).occupant;
                ASSERT_TRUE(k == NoOccupant || (k >= 0 && k < playerIndex)) << k;
                if (k != NoOccupant) ++seen[k];
            }
        ASSERT_TRUE(playerRow >= 0 && playerRow < boardRows && playerCol >= 0 && playerCol < boardCols);
        for (int32_t i = 0; i <= playerIndex; ++i) {  // each crate on its one cell, the keeper on none
            const Piece &p = pieceTable[i];
            const bool keeper = i == playerIndex;
            const int32_t row = keeper ? playerRow : p.row, col = keeper ? playerCol : p.col;
            ASSERT_EQ(seen[i], keeper ? 0 : 1) << i;
            ASSERT_EQ(Cell(row, col).occupant, keeper ? NoOccupant : i);
            ASSERT_EQ(p.state, keeper ? keeperState : Cell(row, col).kind == Site ? OnSite : OffSite);
            ASSERT_EQ(p.x, 2 * col * F);
            ASSERT_EQ(p.z, 2 * row * F);
        }
    }
};

TEST_F(MoveInvariants, HoldAfterRandomMovesOnRandomLevels)
{
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> direction(0, 3);
    int outcomes[3] = {0, 0, 0};  // blocked, steps, pushes
    for (int level = 0; level < 240; ++level) {
        const std::string picture = RandomPicture(random, level % 2 == 0);
        SCOPED_TRACE(picture);
        LoadPicture(picture);
        std::vector<int32_t> kinds(boardRows * boardCols);
        for (int r = 0; r < boardRows; ++r)
            for (int c = 0; c < boardCols; ++c) kinds[r * boardCols + c] = Cell(r, c).kind;
        const int32_t keeperState = pieceTable[playerIndex].state;
        ASSERT_NO_FATAL_FAILURE(ExpectInvariants(kinds, keeperState));
        for (int move = 0; move < 300; ++move) {
            const Press &press = presses[direction(random)];
            const std::vector<Piece> before(pieceTable, pieceTable + pieceCount);
            press.rule();
            ASSERT_EQ(facing, press.facing);
            ASSERT_NO_FATAL_FAILURE(ExpectInvariants(kinds, keeperState));
            // Whole steps along the move's own axis only, one crate at most,
            // and never a crate without the keeper.
            int moved = 0;
            for (uint32_t i = 0; i < pieceCount; ++i) {
                const GLfixed dx = pieceTable[i].x - before[i].x, dz = pieceTable[i].z - before[i].z;
                if (dx == 0 && dz == 0) continue;
                ASSERT_EQ(dx, press.dc * BoardStep);
                ASSERT_EQ(dz, press.dr * BoardStep);
                ++moved;
            }
            ASSERT_LE(moved, 2);
            ASSERT_TRUE(moved == 0 || pieceTable[playerIndex].x != before[playerIndex].x ||
                        pieceTable[playerIndex].z != before[playerIndex].z);
            ++outcomes[moved];
        }
        for (int r = 0; r < BoardCapacity; ++r)  // outside the level: still the stale floor
            for (int c = r < boardRows ? boardCols : 0; c < BoardCapacity; ++c)
                ASSERT_TRUE(Cell(r, c).kind == Floor && Cell(r, c).occupant == NoOccupant) << r << "," << c;
    }
    // The random levels must exercise every outcome, or the test proves little.
    EXPECT_GT(outcomes[0], 10000);
    EXPECT_GT(outcomes[1], 10000);
    EXPECT_GT(outcomes[2], 500);
    std::printf("random moves: %d pushes, %d steps, %d blocked\n", outcomes[2], outcomes[1], outcomes[0]);
}

}  // namespace
