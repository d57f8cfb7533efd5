// The two sound cues frame by frame, as the display callback runs them, with
// the keys and taps that stop and re-arm them in between.
#include "tests/input/game_folder.h"

#include "assets/sound_cues.h"
#include "core/state.h"
#include "input/actions.h"
#include "input/keys.h"
#include "input/stylus.h"
#include "tests/support/test_files.h"

#include <GL/freeglut.h>

#include <sstream>

namespace {

class SoundCues : public GameFolderTest {
protected:
    void SetUp() override
    {
        GameFolderTest::SetUp();
        WriteTextFile(folder + "/Menu.wav", "RIFF");
        WriteTextFile(folder + "/Complete.wav", "RIFF");
        StartOn(5, MainMenu);
        soundOn = 1;
    }

    // One frame's sound step on the given screen; what it asked for, as text.
    std::string frame(int screen)
    {
        ScreenState = screen;
        const size_t before = platformRecord.sounds.size();
        playSoundCues();
        return soundsSince(before);
    }
    std::string frames(int screen, int count)
    {
        std::string all;
        for (int i = 0; i < count; ++i) all += frame(screen);
        return all;
    }
    std::string soundsSince(size_t first) const
    {
        std::ostringstream text;
        for (size_t i = first; i < platformRecord.sounds.size(); ++i) {
            const RecordedSound &s = platformRecord.sounds[i];
            if (s.kind == RecordedSound::StopPlain) text << "stop ";
            if (s.kind == RecordedSound::StopPurge) text << "purge ";
            if (s.kind == RecordedSound::Play) {
                const std::string name = s.path.substr(s.path.rfind('/') + 1);
                EXPECT_EQ(s.path, folder + "/" + name);
                text << (s.loop ? "loop " : "once ") << name << " ";
            }
        }
        return text.str();
    }
    // The effect of a key pressed between frames.
    std::string between(void (*action)())
    {
        const size_t before = platformRecord.sounds.size();
        action();
        return soundsSince(before);
    }
};

TEST_F(SoundCues, MusicStartsOnTheFirstFrameAndLoopsAcrossScreens)
{
    EXPECT_EQ(frame(MainMenu), "loop Menu.wav ");
    EXPECT_EQ(frames(MainMenu, 3), "");
    EXPECT_EQ(frames(Playing, 3), "");
    EXPECT_EQ(frames(Options, 2), "");
    EXPECT_EQ(menuSoundFlag, 1);
    // Restarting and going back to the menu leave it playing.
    ScreenState = Playing;
    EXPECT_EQ(between([] { keyboard(13, 0, 0); }), "");
    EXPECT_EQ(between([] { keyboard('1', 0, 0); }), "");
    EXPECT_EQ(frames(MainMenu, 2) + frames(Playing, 2), "");
    EXPECT_TRUE(platformRecord.messages.empty());
}

TEST_F(SoundCues, SoundOffPlaysNothingUntilItIsSwitchedOn)
{
    soundOn = 256;  // the low byte is 0: off
    EXPECT_EQ(frames(MainMenu, 3) + frames(Playing, 2) + frames(LevelComplete, 3) + frames(Options, 1), "");
    EXPECT_EQ(completeSoundFlag, 0);
    EXPECT_EQ(menuSoundFlag, 0);
    ScreenState = Options;
    EXPECT_EQ(between([] { keyboard(13, 0, 0); }), "");
    EXPECT_EQ(frame(Options), "loop Menu.wav ");
    EXPECT_EQ(frames(Options, 2), "");
}

TEST_F(SoundCues, CompletionSoundPlaysOncePerSolvedLevel)
{
    EXPECT_EQ(frame(Playing), "loop Menu.wav ");
    EXPECT_EQ(frame(Playing), "");
    // The frame after the solved test switched screens.
    EXPECT_EQ(frame(LevelComplete), "purge once Complete.wav ");
    EXPECT_EQ(frames(LevelComplete, 5), "");
    // Advancing re-arms both: the music starts over, unasked to stop first.
    EXPECT_EQ(between(AdvanceLevel), "");
    EXPECT_EQ(frame(Playing), "loop Menu.wav ");
    EXPECT_EQ(frames(Playing, 2), "");
    EXPECT_EQ(frame(LevelComplete), "purge once Complete.wav ");
    EXPECT_EQ(frame(LevelComplete), "");
    // A tap on the level-complete screen advances the same way.
    ScreenState = LevelComplete;
    mouse(GLUT_LEFT_BUTTON, GLUT_UP, 5, 5);
    EXPECT_EQ(frame(ScreenState), "loop Menu.wav ");
}

TEST_F(SoundCues, BothCuesCanStartInOneFrameMusicFirst)
{
    EXPECT_EQ(frame(LevelComplete), "loop Menu.wav purge once Complete.wav ");
    EXPECT_EQ(frame(LevelComplete), "");
}

TEST_F(SoundCues, TogglingStopsAndReArmsTheMusic)
{
    ScreenState = Options;
    EXPECT_EQ(frame(Options), "loop Menu.wav ");
    EXPECT_EQ(between(ToggleSound), "stop ");
    EXPECT_EQ(menuSoundFlag, 1);
    EXPECT_EQ(frames(Options, 3), "");
    EXPECT_EQ(between(ToggleSound), "");
    EXPECT_EQ(frame(Options), "loop Menu.wav ");
    EXPECT_EQ(frame(MainMenu), "");
    // Switched off on the level-complete screen's way: nothing plays there.
    EXPECT_EQ(between(ToggleSound), "stop ");
    EXPECT_EQ(frames(LevelComplete, 2), "");
    EXPECT_EQ(completeSoundFlag, 0);
}

TEST_F(SoundCues, AMissingSoundIsReportedOnceUntilReArmed)
{
    std::remove((folder + "/Menu.wav").c_str());
    std::remove((folder + "/Complete.wav").c_str());
    frames(MainMenu, 4);
    ASSERT_EQ(platformRecord.messages.size(), 1u);
    EXPECT_EQ(platformRecord.messages[0].text, "Can't locate Menu.wav!");
    EXPECT_EQ(platformRecord.messages[0].title, "Error");
    EXPECT_EQ(menuSoundFlag, 1);

    frames(LevelComplete, 3);
    ASSERT_EQ(platformRecord.messages.size(), 2u);
    EXPECT_EQ(platformRecord.messages[1].text, "Can't locate Complete.wav!");
    EXPECT_EQ(platformRecord.messages[1].title, "Error");

    AdvanceLevel();
    frames(Playing, 3);
    ASSERT_EQ(platformRecord.messages.size(), 3u);
    EXPECT_EQ(platformRecord.messages[2].text, "Can't locate Menu.wav!");
}

}  // namespace
