// A game folder for the input tests: a hundred small enclosed levels and a
// progress file in a fresh temporary folder, and the game pointed at it.
#pragma once

#include "core/level.h"
#include "core/state.h"
#include "tests/support/glut_double.h"
#include "tests/support/platform_double.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

// Every level is a 9 x 9 room walled all round: the keeper starts at
// (KeeperRow, KeeperCol) with free floor on every side, one crate stands at
// (CrateRow, CrateCol) and one site at (SiteRow, SiteCol), none of them
// next to each other.
constexpr int RoomSize = 9;
constexpr int KeeperRow = 4, KeeperCol = 4;
constexpr int CrateRow = 2, CrateCol = 6;
constexpr int SiteRow = 6, SiteCol = 2;

inline std::string RoomLevelText()
{
    std::ostringstream text;
    // camera eye, then centre; the size; no positions; then walls, site, crate and keeper
    text << "8.0\n20.0\n20.0\n8.0\n0.0\n8.0\n" << RoomSize << "\n" << RoomSize << "\n0\n" << 4 * (RoomSize - 1) << "\n";
    for (int r = 0; r < RoomSize; ++r)
        for (int c = 0; c < RoomSize; ++c)
            if (r == 0 || c == 0 || r == RoomSize - 1 || c == RoomSize - 1)
                text << 2 * c << " 1.0 " << 2 * r << " 1 " << r << " " << c << "\n";
    text << "1\n" << 2 * SiteCol << " 0 " << 2 * SiteRow << " 2 " << SiteRow << " " << SiteCol << "\n2\n";
    text << 2 * CrateCol << " 1 " << 2 * CrateRow << " 0 " << CrateRow << " " << CrateCol << "\n";
    text << 2 * KeeperCol << " 1 " << 2 * KeeperRow << " 0 " << KeeperRow << " " << KeeperCol << "\n";
    return text.str();
}

class GameFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetGameState();
        ResetPlatformDouble();
        ResetGlutDouble();
        folder = MakeTempFolder();
        for (int n = 1; n <= LevelCount; ++n)
            WriteTextFile(folder + "/Level" + std::to_string(n) + ".Map", RoomLevelText());
        WriteTextFile(folder + "/config.ini", "7\n5\n1\n");
        SetGameFolder(folder);
    }
    void TearDown() override
    {
        if (!HasFailure()) RemoveTree(folder);
    }

    // Loads level n as start-up would and shows screen, with nothing recorded yet.
    void StartOn(int level, int screen)
    {
        currentLevel = level;
        LoadLevel(level);
        ScreenState = screen;
        ResetPlatformDouble();
        SetGameFolder(folder);
        ResetGlutDouble();
    }
    std::string ProgressText() const { return ReadTextFile(folder + "/config.ini"); }

    std::string folder;
};
