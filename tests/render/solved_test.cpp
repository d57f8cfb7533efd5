// The solved test that ends each frame: counting pieces on sites (the keeper
// too), switching any screen to the level-complete one, the frozen count,
// and the frame's order around it (sound cues first, swap last).
#include "core/state.h"
#include "tests/render/game_fixture.h"
#include "tests/render/gl_state.h"
#include "tests/support/glut_double.h"
#include "tests/support/platform_double.h"

namespace {

class SolvedTest : public GameFixture {
protected:
    bool start(std::vector<std::string> rows, int soundOn = 0)
    {
        LevelPlan p;
        p.rows = std::move(rows);
        return StartGame(240, 320, p, soundOn);
    }
};

TEST_F(SolvedTest, FirstFrameCountsSitesCoveredByCratesAndTheKeeper)
{
    const struct {
        std::vector<std::string> rows;
        int uncovered;
    } cases[] = {
        {{"#####", "#*$.#", "# @ #", "#####"}, 1},
        {{"######", "#.+$ #", "######"}, 1},  // the keeper covers one site, not two
        {{"#####", "#*+ #", "#####"}, 0},
        {{"#####", "#**@#", "#####"}, 0},
        {{"#####", "# @$#", "#####"}, 0},  // no sites at all: solved at once
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.rows[1]);
        ASSERT_TRUE(start(c.rows));
        EXPECT_EQ(ScreenState, MainMenu);
        DrawFrame();
        EXPECT_EQ(levelSolved, c.uncovered == 0);
        EXPECT_EQ(uncoveredSites, c.uncovered);
        // Even the menu turns into the level-complete screen, and frames keep coming.
        EXPECT_EQ(ScreenState, c.uncovered ? MainMenu : LevelComplete);
        EXPECT_EQ(glutRecord.redisplays, c.uncovered ? 0 : 1);
    }
    // Every further frame re-asserts the screen and asks for the next one.
    for (int32_t screen : {int32_t(Playing), int32_t(Options), 6}) {
        ScreenState = screen;
        DrawFrame();
        EXPECT_EQ(ScreenState, LevelComplete);
        ExpectRestingState("solved frame");
    }
    EXPECT_EQ(glutRecord.redisplays, 4);
    EXPECT_EQ(glutRecord.swaps, 4);
}

TEST_F(SolvedTest, CountStaysFrozenUntilLevelSolvedIsCleared)
{
    ASSERT_TRUE(start({"#####", "#*@ #", "#####"}));
    DrawFrame();
    ASSERT_TRUE(levelSolved);
    pieceTable[0].state = OffSite;  // the crate leaves its site
    DrawFrame();
    EXPECT_TRUE(levelSolved);
    EXPECT_EQ(uncoveredSites, 0);
    // A restart clears the flag: the next frame counts again and finds it open.
    levelSolved = false;
    ScreenState = Playing;
    DrawFrame();
    EXPECT_FALSE(levelSolved);
    EXPECT_EQ(uncoveredSites, 1);
    EXPECT_EQ(ScreenState, Playing);
    EXPECT_EQ(glutRecord.redisplays, 2);
}

TEST_F(SolvedTest, CompletionSoundStartsTheFrameAfterTheBanner)
{
    ASSERT_TRUE(start({"#####", "#*@ #", "#####"}, 1));
    ScreenState = Playing;
    DrawFrame();
    // The cues ran before the solved test: only the music has started.
    EXPECT_EQ(ScreenState, LevelComplete);
    ASSERT_EQ(platformRecord.sounds.size(), 1u);
    EXPECT_EQ(platformRecord.sounds[0].path, dir + "/Menu.wav");
    DrawFrame();
    ASSERT_EQ(platformRecord.sounds.size(), 3u);
    EXPECT_EQ(platformRecord.sounds[1].kind, RecordedSound::StopPurge);
    EXPECT_EQ(platformRecord.sounds[2].path, dir + "/Complete.wav");
    EXPECT_FALSE(platformRecord.sounds[2].loop);
    EXPECT_TRUE(platformRecord.messages.empty());
}

}  // namespace
