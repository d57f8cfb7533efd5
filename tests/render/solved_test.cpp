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
    LevelPlan plan(std::vector<std::string> rows)
    {
        LevelPlan p;
        p.rows = std::move(rows);
        return p;
    }
};

TEST_F(SolvedTest, LevelSolvedAtLoadTurnsEvenTheMenuIntoLevelComplete)
{
    ASSERT_TRUE(StartGame(240, 320, plan({"#####", "#*$.#", "# @ #", "#####"})));
    EXPECT_EQ(ScreenState, MainMenu);
    // Two sites, one covered: not solved; cover the other and the next frame sees it.
    DrawFrame();
    EXPECT_EQ(ScreenState, MainMenu);
    EXPECT_EQ(uncoveredSites, 1);
    EXPECT_EQ(glutRecord.redisplays, 0);

    ASSERT_TRUE(StartGame(240, 320, plan({"#####", "#**@#", "#####"})));
    EXPECT_EQ(ScreenState, MainMenu);
    DrawFrame();
    EXPECT_TRUE(levelSolved);
    EXPECT_EQ(uncoveredSites, 0);
    EXPECT_EQ(ScreenState, LevelComplete);
    EXPECT_EQ(glutRecord.redisplays, 1);
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

TEST_F(SolvedTest, KeeperOnASiteCoversIt)
{
    ASSERT_TRUE(StartGame(240, 320, plan({"#####", "#*+ #", "#####"})));
    DrawFrame();
    EXPECT_TRUE(levelSolved);
    EXPECT_EQ(ScreenState, LevelComplete);

    ASSERT_TRUE(StartGame(240, 320, plan({"######", "#.+$ #", "######"})));
    DrawFrame();
    EXPECT_FALSE(levelSolved);
    EXPECT_EQ(uncoveredSites, 1);
    // A level with no sites at all is solved at once.
    ASSERT_TRUE(StartGame(240, 320, plan({"#####", "# @$#", "#####"})));
    DrawFrame();
    EXPECT_TRUE(levelSolved);
}

TEST_F(SolvedTest, CountStaysFrozenUntilLevelSolvedIsCleared)
{
    ASSERT_TRUE(StartGame(240, 320, plan({"#####", "#*@ #", "#####"})));
    DrawFrame();
    ASSERT_TRUE(levelSolved);
    pieceTable[0].state = OffSite;  // the crate leaves its site
    DrawFrame();
    EXPECT_TRUE(levelSolved);
    EXPECT_EQ(uncoveredSites, 0);
    // A restart clears the flag: the next frame counts again and finds it open.
    levelSolved = false;
    ScreenState = Playing;
    const int redisplays = glutRecord.redisplays;
    DrawFrame();
    EXPECT_FALSE(levelSolved);
    EXPECT_EQ(uncoveredSites, 1);
    EXPECT_EQ(ScreenState, Playing);
    EXPECT_EQ(glutRecord.redisplays, redisplays);
}

TEST_F(SolvedTest, CompletionSoundStartsTheFrameAfterTheBanner)
{
    ASSERT_TRUE(StartGame(240, 320, plan({"#####", "#*@ #", "#####"}), 1));
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
