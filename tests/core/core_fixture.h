// A fresh game and a fresh game folder for every core test case, and levels
// drawn as pictures: '#' wall, ' ' floor, '.' site, '$' crate, '*' crate on a
// site, '@' keeper, '+' keeper on a site. Cell (r, c) lies at world x = 2c,
// z = 2r, so a piece's position and its cell can be checked against each other.
#pragma once

#include "core/level.h"
#include "core/moves.h"
#include "core/state.h"
#include "tests/support/platform_double.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

inline std::string TestLevelText(const std::string &name)
{
    return ReadTextFile(std::string(CW_SOURCE_DIR) + "/tests/data/levels/" + name);
}

inline std::string LevelTextFromPicture(const std::string &picture)
{
    std::istringstream in(picture);
    std::ostringstream lists[4];  // walls, sites, crates, keeper
    int counts[3] = {0, 0, 0}, rows = 0;
    size_t cols = 0;
    for (std::string line; std::getline(in, line); ++rows) {
        cols = std::max(cols, line.size());
        for (size_t c = 0; c < line.size(); ++c) {
            const std::string at = std::to_string(2 * c) + " ", cell = " " + std::to_string(rows) + " " +
                                   std::to_string(c) + "\n", z = " " + std::to_string(2 * rows);
            const char ch = line[c];
            if (ch == '#') lists[0] << at << "2.0" << z << " 1" << cell, ++counts[0];
            if (ch == '.' || ch == '*' || ch == '+') lists[1] << at << "0" << z << " 2" << cell, ++counts[1];
            if (ch == '$' || ch == '*') lists[2] << at << "2" << z << " 0" << cell, ++counts[2];
            if (ch == '@' || ch == '+') lists[3] << at << "0" << z << " 0" << cell;
        }
    }
    std::ostringstream text;
    text << "0 20 0 0 0 0\n" << rows << "\n" << cols << "\n0\n" << counts[0] << "\n" << lists[0].str()
         << counts[1] << "\n" << lists[1].str() << counts[2] + 1 << "\n" << lists[2].str() << lists[3].str();
    return text.str();
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

class CoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetGameState();
        ResetPlatformDouble();
        folder = MakeTempFolder();
        SetGameFolder(folder);
    }
    void TearDown() override
    {
        if (!HasFailure()) RemoveTree(folder);
    }
    void InstallLevelText(const std::string &text, int n) const
    {
        WriteTextFile(folder + "/Level" + std::to_string(n) + ".Map", text);
    }
    // Every cell stale floor first, which a careless rule would walk onto.
    void LoadPicture(const std::string &picture)
    {
        for (BoardCell &cell : board) cell = {Floor, NoOccupant};
        InstallLevelText(LevelTextFromPicture(picture), 1);
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
    std::string folder;
};
