// Walks through the screens with the keys as a player would, on real level
// and progress files: what the cell-by-cell table sweep does not show.
#include "tests/input/game_folder.h"

#include "input/keys.h"

#include <GL/freeglut.h>

#include <sys/stat.h>

namespace {

class ScreenFlow : public GameFolderTest {
protected:
    static void press(int specialKey) { special(specialKey, 0, 0); }
    // The action key as the device sends it: 10 as it goes down, then 13.
    static void pressEnter()
    {
        keyboard(10, 0, 0);
        keyboard(13, 0, 0);
    }
};

TEST_F(ScreenFlow, AHighlightOutsideTheFourEntriesChoosesNothing)
{
    for (int entry : {0, 5, -3}) {
        StartOn(5, MainMenu);
        menuSelection = entry;
        pressEnter();
        EXPECT_EQ(ScreenState, MainMenu);
        EXPECT_EQ(menuSelection, entry);
        EXPECT_EQ(glutRecord.redisplays, 0) << "entry " << entry;
    }
    // One press of the action key acts once.
    menuSelection = 1;
    pressEnter();
    EXPECT_EQ(ScreenState, Playing);
    EXPECT_EQ(glutRecord.redisplays, 1);
}

TEST_F(ScreenFlow, ALevelNumberBelowOneWrapsLikeOneHundred)
{
    // Compared as unsigned: -5 + 1 is far above 100.
    StartOn(1, LevelComplete);
    currentLevel = -5;
    press(GLUT_KEY_RIGHT);
    EXPECT_EQ(currentLevel, 1);
    EXPECT_EQ(ScreenState, GameComplete);
}

TEST_F(ScreenFlow, AnUnwritableProgressFileIsReportedAndTheMenuStillShows)
{
    // A folder in the file's place cannot be opened for writing, even by root.
    std::remove((folder + "/config.ini").c_str());
    ASSERT_EQ(mkdir((folder + "/config.ini").c_str(), 0755), 0);
    StartOn(1, GameComplete);
    pressEnter();
    EXPECT_EQ(ScreenState, MainMenu);
    ASSERT_EQ(platformRecord.messages.size(), 1u);
    EXPECT_EQ(platformRecord.messages[0].text, "Config.ini file cant be opened");
    EXPECT_EQ(platformRecord.messages[0].title, "Error");
}

}  // namespace
