// Walks through the screens with the keys as a player would, on real level
// and progress files: the menu, play and its pieces, the options switch, the
// wrap after level 100 and the saves on the way.
#include "tests/input/game_folder.h"

#include "core/state.h"
#include "input/actions.h"
#include "input/keys.h"
#include "tests/support/test_files.h"

#include <GL/freeglut.h>

#include <sys/stat.h>

namespace {

constexpr unsigned char Enter = 13;

class ScreenFlow : public GameFolderTest {
protected:
    static void press(int specialKey) { special(specialKey, 0, 0); }
    // The action key as the device sends it: 10 as it goes down, then 13.
    static void pressEnter()
    {
        keyboard(10, 0, 0);
        keyboard(Enter, 0, 0);
    }
    static const BoardCell &cell(int row, int col) { return board[row * BoardCapacity + col]; }
};

TEST_F(ScreenFlow, MenuHighlightWrapsAndEnterChoosesIt)
{
    StartOn(5, MainMenu);
    ASSERT_EQ(menuSelection, 1);
    press(GLUT_KEY_UP);
    EXPECT_EQ(menuSelection, 4);
    keyboard('8', 0, 0);
    EXPECT_EQ(menuSelection, 1);
    keyboard('2', 0, 0);
    press(GLUT_KEY_DOWN);
    press(GLUT_KEY_DOWN);
    EXPECT_EQ(menuSelection, 2);
    EXPECT_EQ(glutRecord.redisplays, 5);

    const int chosen[] = {Playing, Options, Credits};
    for (int entry = 1; entry <= 3; ++entry) {
        StartOn(5, MainMenu);
        menuSelection = entry;
        pressEnter();
        EXPECT_EQ(ScreenState, chosen[entry - 1]) << "entry " << entry;
        EXPECT_EQ(menuSelection, entry);
        EXPECT_EQ(glutRecord.redisplays, 1) << "entry " << entry;
    }
    // A highlight outside the four entries chooses nothing.
    for (int entry : {0, 5, -3}) {
        StartOn(5, MainMenu);
        menuSelection = entry;
        pressEnter();
        EXPECT_EQ(ScreenState, MainMenu);
        EXPECT_EQ(glutRecord.redisplays, 0) << "entry " << entry;
    }
    StartOn(5, MainMenu);
    menuSelection = 4;
    keptValue = 7;
    soundOn = 1;
    WriteTextFile(folder + "/config.ini", "0\n0\n0\n");
    EXPECT_THROW(pressEnter(), ProcessExit);
    EXPECT_EQ(ProgressText(), "7\n5\n1\n");
}

TEST_F(ScreenFlow, LeavingPlayKeepsThePiecesAndEnterRestartsTheLevel)
{
    StartOn(5, MainMenu);
    pressEnter();
    ASSERT_EQ(ScreenState, Playing);
    // Right three, up two, then left: the keeper pushes the crate one cell left.
    for (int i = 0; i < 3; ++i) press(GLUT_KEY_UP);
    for (int i = 0; i < 2; ++i) keyboard('4', 0, 0);
    press(GLUT_KEY_DOWN);
    ASSERT_EQ(cell(CrateRow, CrateCol - 1).occupant, 0);
    ASSERT_EQ(cell(CrateRow, CrateCol).occupant, NoOccupant);
    EXPECT_EQ(playerRow, CrateRow);
    EXPECT_EQ(playerCol, CrateCol);
    EXPECT_EQ(facing, Left);

    menuSelection = 3;
    keyboard('1', 0, 0);
    EXPECT_EQ(ScreenState, MainMenu);
    EXPECT_EQ(menuSelection, 3);  // leaving play keeps the highlight
    menuSelection = 1;
    pressEnter();
    ASSERT_EQ(ScreenState, Playing);
    EXPECT_EQ(cell(CrateRow, CrateCol - 1).occupant, 0);
    EXPECT_EQ(pieceTable[0].x, 2 * (CrateCol - 1) * FixedOne);
    EXPECT_EQ(playerCol, CrateCol);

    levelSolved = true;
    menuSoundFlag = completeSoundFlag = 1;
    pressEnter();
    EXPECT_EQ(ScreenState, Playing);
    EXPECT_EQ(cell(CrateRow, CrateCol).occupant, 0);
    EXPECT_EQ(cell(CrateRow, CrateCol - 1).occupant, NoOccupant);
    EXPECT_EQ(pieceTable[0].x, 2 * CrateCol * FixedOne);
    EXPECT_EQ(playerRow, KeeperRow);
    EXPECT_EQ(playerCol, KeeperCol);
    EXPECT_EQ(facing, Right);
    EXPECT_FALSE(levelSolved);
    EXPECT_EQ(menuSoundFlag, 1);  // restarting leaves the music playing
    EXPECT_EQ(completeSoundFlag, 1);
    EXPECT_TRUE(platformRecord.sounds.empty());
    // Nothing of this saved anything.
    EXPECT_EQ(ProgressText(), "7\n5\n1\n");

    // F1 leaves play as the digit 1 does.
    press(GLUT_KEY_F1);
    EXPECT_EQ(ScreenState, MainMenu);
}

TEST_F(ScreenFlow, OptionsEnterFlipsTheLowByteOfTheSoundSwitch)
{
    StartOn(5, MainMenu);
    keptValue = 7;
    soundOn = 257;  // as read from a progress file: the low byte 1 means on
    menuSelection = 2;
    pressEnter();
    ASSERT_EQ(ScreenState, Options);
    menuSoundFlag = 1;

    pressEnter();
    EXPECT_EQ(soundOn & 0xFF, 0);
    ASSERT_EQ(platformRecord.sounds.size(), 1u);
    EXPECT_EQ(platformRecord.sounds[0].kind, RecordedSound::StopPlain);
    EXPECT_EQ(menuSoundFlag, 1);

    pressEnter();
    EXPECT_EQ(soundOn & 0xFF, 1);
    EXPECT_EQ(menuSoundFlag, 0);  // the music starts again next frame
    EXPECT_EQ(platformRecord.sounds.size(), 1u);

    pressEnter();
    // Right, up and down only redraw; left returns to entry 1, not 2.
    for (int key : {GLUT_KEY_RIGHT, GLUT_KEY_UP, GLUT_KEY_DOWN}) press(key);
    EXPECT_EQ(ScreenState, Options);
    press(GLUT_KEY_LEFT);
    EXPECT_EQ(ScreenState, MainMenu);
    EXPECT_EQ(menuSelection, 1);
    EXPECT_EQ(glutRecord.redisplays, 1 + 3 + 3 + 1);

    // Quitting now writes the switch as 0.
    menuSelection = 4;
    EXPECT_THROW(pressEnter(), ProcessExit);
    EXPECT_EQ(ProgressText(), "7\n5\n0\n");
}

TEST_F(ScreenFlow, AdvancingPastLevelOneHundredShowsTheEndAndSavesLevelOne)
{
    StartOn(99, LevelComplete);
    keptValue = 7;
    soundOn = 1;
    levelSolved = true;
    keyboard('4', 0, 0);  // digits only redraw here
    EXPECT_EQ(ScreenState, LevelComplete);
    EXPECT_EQ(currentLevel, 99);
    press(GLUT_KEY_LEFT);
    EXPECT_EQ(ScreenState, Playing);
    EXPECT_EQ(currentLevel, 100);
    EXPECT_EQ(levelText, std::string("100"));
    EXPECT_EQ(facing, Up);

    ScreenState = LevelComplete;  // as the solved test would
    levelSolved = true;
    pressEnter();
    EXPECT_EQ(ScreenState, GameComplete);
    EXPECT_EQ(currentLevel, 1);
    EXPECT_EQ(levelText, std::string("1"));
    EXPECT_FALSE(levelSolved);
    EXPECT_EQ(ProgressText(), "7\n5\n1\n");  // not saved on the way

    for (int key : {GLUT_KEY_LEFT, GLUT_KEY_UP, GLUT_KEY_RIGHT, GLUT_KEY_DOWN}) press(key);
    EXPECT_EQ(ScreenState, GameComplete);
    menuSelection = 3;
    pressEnter();
    EXPECT_EQ(ScreenState, MainMenu);
    EXPECT_EQ(menuSelection, 1);
    EXPECT_EQ(ProgressText(), "7\n1\n1\n");
}

TEST_F(ScreenFlow, AnUnwritableProgressFileIsReportedAndTheMenuStillShows)
{
    // A folder in the file's place cannot be opened for writing, even by root.
    std::remove((folder + "/config.ini").c_str());
    ASSERT_EQ(mkdir((folder + "/config.ini").c_str(), 0755), 0);
    StartOn(1, GameComplete);
    pressEnter();
    EXPECT_EQ(ScreenState, MainMenu);
    EXPECT_EQ(menuSelection, 1);
    ASSERT_EQ(platformRecord.messages.size(), 1u);
    EXPECT_EQ(platformRecord.messages[0].text, "Config.ini file cant be opened");
    EXPECT_EQ(platformRecord.messages[0].title, "Error");
}

TEST_F(ScreenFlow, ALevelNumberBelowOneWrapsLikeOneHundred)
{
    // Compared as unsigned: -1 + 1 is 0, which is not above 100, so level 0
    // ("Level.Map") would load; -5 + 1 is far above 100 and wraps to level 1.
    StartOn(1, LevelComplete);
    currentLevel = -5;
    press(GLUT_KEY_RIGHT);
    EXPECT_EQ(currentLevel, 1);
    EXPECT_EQ(ScreenState, GameComplete);
}

}  // namespace
