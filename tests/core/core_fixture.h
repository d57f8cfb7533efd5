// A fresh game and a fresh game folder for every core test case. Levels are
// real files: the ones in tests/data/levels, or pictures (LevelText), whose
// cell (r, c) lies at world x = 2c, z = 2r.
#pragma once

#include "core/level.h"
#include "core/moves.h"
#include "core/state.h"
#include "tests/support/game_folder.h"

#include <string>
#include <vector>

inline std::string TestLevelText(const std::string &name)
{
    return ReadTextFile(std::string(CW_SOURCE_DIR) + "/tests/data/levels/" + name);
}

constexpr GLfixed F = FixedOne;

// Records as lists, to compare against expectations written out in full.
template <class R> std::vector<GLfixed> Fields(const R &r) { return {r.x, r.y, r.z}; }
inline std::vector<GLfixed> Fields(const WallRecord &w) { return {w.x, w.top, w.z}; }
inline std::vector<GLfixed> Fields(const Piece &p) { return {p.x, p.y, p.z, p.row, p.col, p.index, p.state}; }

// The four moves: rule, the facing it sets, its letter in a solution, its step.
struct Press {
    void (*rule)();
    int32_t facing;
    char letter;
    int dr, dc;
};
const Press presses[4] = {{MoveUp, Up, 'U', -1, 0}, {MoveLeft, Left, 'L', 0, -1},
                          {MoveRight, Right, 'R', 0, 1}, {MoveDown, Down, 'D', 1, 0}};

class CoreTest : public GameFolderTest {
protected:
    // Every cell stale floor first, which a careless rule would walk onto.
    void LoadPicture(const std::string &picture)
    {
        for (BoardCell &cell : board) cell = {Floor, NoOccupant};
        Install(LevelText(picture), 1);
        ASSERT_TRUE(LoadLevel(1));
    }
    static const BoardCell &Cell(int row, int col) { return board[row * BoardCapacity + col]; }
    // A row of cells from column 0 as "kind" or "kind@crate", each followed by a space.
    static std::string Cells(int row, int cols)
    {
        std::string text;
        for (int c = 0; c < cols; ++c)
            text += std::to_string(Cell(row, c).kind) +
                    (Cell(row, c).occupant == NoOccupant ? "" : "@" + std::to_string(Cell(row, c).occupant)) + " ";
        return text;
    }
};
