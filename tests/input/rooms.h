// A game folder for the input tests: a hundred small enclosed levels and a
// progress file.
#pragma once

#include "core/level.h"
#include "tests/support/game_folder.h"

// Every level is this room: the keeper with free floor on every side, one
// crate and one site, none of them next to each other.
constexpr int KeeperRow = 4, KeeperCol = 4;
const char RoomLevel[] = "#########\n#       #\n#     $ #\n#       #\n#   @   #\n#       #\n# .     #\n#       #\n#########";

class RoomsTest : public GameFolderTest {
protected:
    void SetUp() override
    {
        GameFolderTest::SetUp();
        for (int n = 1; n <= LevelCount; ++n) Install(LevelText(RoomLevel), n);
        WriteTextFile(folder + "/config.ini", "7\n5\n1\n");
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
};
