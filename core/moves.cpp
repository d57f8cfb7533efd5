// The move rules: one step of the keeper, pushing at most one crate. The four
// moves are one rule applied to the rows of a table.
#include "core/moves.h"

#include "core/state.h"

namespace {

struct Direction {
    int32_t facing;
    int32_t dr, dc;
    GLfixed Piece::*field;  // the position that changes: x for columns, z for rows
    GLfixed step;
};

//  facing  dr  dc  field      step
const Direction directions[] = {
    {Up,    -1,  0, &Piece::z, -BoardStep},
    {Left,   0, -1, &Piece::x, -BoardStep},
    {Right,  0, +1, &Piece::x, +BoardStep},
    {Down,  +1,  0, &Piece::z, +BoardStep},
};

enum DirectionRow { UpRow, LeftRow, RightRow, DownRow };

// Stands in for every cell beyond the level rectangle: a wall with no crate,
// so a level that is not enclosed keeps its pieces on the board.
const BoardCell outsideCell = {1, NoOccupant};

}  // namespace

static bool isOpen(const BoardCell &cell) { return cell.kind == Floor || cell.kind == Site; }

static const BoardCell &cellAt(int32_t row, int32_t col)
{
    if (row < 0 || row >= boardRows || row >= BoardCapacity || col < 0 || col >= boardCols ||
        col >= BoardCapacity)
        return outsideCell;
    return board[row * BoardCapacity + col];
}

// Only called for cells that cellAt found inside the rectangle.
static BoardCell &boardCell(int32_t row, int32_t col) { return board[row * BoardCapacity + col]; }

// A level file places pieces where it likes, up to the edge of what GLfixed
// holds; a step past that edge wraps round instead of overflowing.
static void advance(GLfixed &position, GLfixed step)
{
    position = static_cast<GLfixed>(static_cast<uint32_t>(position) + static_cast<uint32_t>(step));
}

static void move(const Direction &d)
{
    facing = d.facing;  // also when the move is blocked
    Piece &keeper = pieceTable[playerIndex];
    const int32_t targetRow = playerRow + d.dr, targetCol = playerCol + d.dc;
    const BoardCell &target = cellAt(targetRow, targetCol);

    if (target.occupant == NoOccupant) {
        if (!isOpen(target)) return;
        // A plain step leaves the keeper's own row, col and state as they were.
        advance(keeper.*d.field, d.step);
        playerRow = targetRow;
        playerCol = targetCol;
        return;
    }

    const int32_t beyondRow = targetRow + d.dr, beyondCol = targetCol + d.dc;
    const BoardCell &beyond = cellAt(beyondRow, beyondCol);
    if (!isOpen(beyond) || beyond.occupant != NoOccupant) return;  // one crate at a time

    const int32_t k = target.occupant;
    Piece &crate = pieceTable[k];
    boardCell(beyondRow, beyondCol).occupant = k;
    boardCell(targetRow, targetCol).occupant = NoOccupant;
    crate.row = beyondRow;
    crate.col = beyondCol;
    crate.state = beyond.kind == Site ? OnSite : OffSite;
    playerRow = targetRow;
    playerCol = targetCol;
    keeper.row = targetRow;
    keeper.col = targetCol;
    advance(crate.*d.field, d.step);
    advance(keeper.*d.field, d.step);
}

void MoveUp() { move(directions[UpRow]); }
void MoveLeft() { move(directions[LeftRow]); }
void MoveRight() { move(directions[RightRow]); }
void MoveDown() { move(directions[DownRow]); }
