// A game folder for the input tests: a hundred small enclosed levels and a
// progress file in a fresh temporary folder, and the game pointed at it.
#pragma once

#include "tests/support/glut_double.h"
#include "tests/support/platform_double.h"

#include <gtest/gtest.h>

#include <string>

// Every level is a 9 x 9 room walled all round: the keeper starts at
// (KeeperRow, KeeperCol) with free floor on every side, one crate stands at
// (CrateRow, CrateCol) and one site at (SiteRow, SiteCol), none of them
// next to each other.
constexpr int RoomSize = 9;
constexpr int KeeperRow = 4, KeeperCol = 4;
constexpr int CrateRow = 2, CrateCol = 6;
constexpr int SiteRow = 6, SiteCol = 2;

// The text of such a level.
std::string RoomLevelText();

class GameFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Loads level n as start-up would and shows screen.
    void StartOn(int level, int screen);
    std::string ProgressText() const;

    std::string folder;
};
