// A fresh game state and a fresh game folder for every test case, with the
// platform and GLUT stand-ins cleared and the game pointed at the folder.
#pragma once

#include "core/state.h"
#include "tests/support/glut_double.h"
#include "tests/support/platform_double.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

#include <string>

class GameFolderTest : public ::testing::Test {
protected:
    void SetUp() override { Renew(); }
    void TearDown() override
    {
        if (!HasFailure()) RemoveTree(folder);
    }
    // Starts over with a new empty folder (the old one goes).
    void Renew()
    {
        if (!folder.empty()) RemoveTree(folder);
        ResetGameState();
        ResetPlatformDouble();
        ResetGlutDouble();
        folder = MakeTempFolder();
        SetGameFolder(folder);
    }
    void Install(const std::string &levelText, int level) const
    {
        WriteTextFile(folder + "/Level" + std::to_string(level) + ".Map", levelText);
    }
    std::string ProgressText() const { return ReadTextFile(folder + "/config.ini"); }

    std::string folder;
};
