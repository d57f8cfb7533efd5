// A fresh game and a fresh game folder for every core test case.
#pragma once

#include "core/state.h"
#include "tests/support/platform_double.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <string>

// The text of a hand-made level in tests/data/levels.
inline std::string TestLevelText(const std::string &name)
{
    return ReadTextFile(std::string(CW_SOURCE_DIR) + "/tests/data/levels/" + name);
}

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

    // Puts a level of tests/data/levels into the game folder as level n.
    void InstallLevel(const std::string &name, int n) const { InstallLevelText(TestLevelText(name), n); }
    void InstallLevelText(const std::string &text, int n) const
    {
        WriteTextFile(folder + "/Level" + std::to_string(n) + ".Map", text);
    }

    static const BoardCell &Cell(int row, int col) { return board[row * BoardCapacity + col]; }

    std::string folder;
};
