#include "tests/input/game_folder.h"

#include "core/level.h"
#include "core/state.h"
#include "tests/support/test_files.h"

#include <sstream>

std::string RoomLevelText()
{
    std::ostringstream text;
    // camera eye, then centre
    text << "8.0\n20.0\n20.0\n8.0\n0.0\n8.0\n";
    text << RoomSize << "\n" << RoomSize << "\n";
    text << "0\n";  // no positions
    const int wallCount = 4 * (RoomSize - 1);
    text << wallCount << "\n";
    for (int r = 0; r < RoomSize; ++r)
        for (int c = 0; c < RoomSize; ++c)
            if (r == 0 || c == 0 || r == RoomSize - 1 || c == RoomSize - 1)
                text << 2 * c << " 1.0 " << 2 * r << " 1 " << r << " " << c << "\n";
    text << "1\n" << 2 * SiteCol << " 0 " << 2 * SiteRow << " 2 " << SiteRow << " " << SiteCol << "\n";
    text << "2\n";
    text << 2 * CrateCol << " 1 " << 2 * CrateRow << " 0 " << CrateRow << " " << CrateCol << "\n";
    text << 2 * KeeperCol << " 1 " << 2 * KeeperRow << " 0 " << KeeperRow << " " << KeeperCol << "\n";
    return text.str();
}

void GameFolderTest::SetUp()
{
    ResetGameState();
    ResetPlatformDouble();
    ResetGlutDouble();
    folder = MakeTempFolder();
    const std::string level = RoomLevelText();
    for (int n = 1; n <= LevelCount; ++n) WriteTextFile(folder + "/Level" + std::to_string(n) + ".Map", level);
    WriteTextFile(folder + "/config.ini", "7\n5\n1\n");
    SetGameFolder(folder);
}

void GameFolderTest::TearDown()
{
    if (!HasFailure()) RemoveTree(folder);
}

void GameFolderTest::StartOn(int level, int screen)
{
    currentLevel = level;
    LoadLevel(level);
    ScreenState = screen;
    ResetPlatformDouble();
    SetGameFolder(folder);
    ResetGlutDouble();
}

std::string GameFolderTest::ProgressText() const { return ReadTextFile(folder + "/config.ini"); }
