// The two sound cues frame by frame, as the display callback runs them, with
// the keys and taps that stop and re-arm them in between.
#include "tests/input/rooms.h"

#include "assets/sound_cues.h"
#include "input/actions.h"
#include "input/keys.h"
#include "input/stylus.h"

#include <GL/freeglut.h>

#include <sstream>

namespace {

// One step of a player's session, then what it must ask of the sound.
// "frame N" is one frame's cues on screen N; "key N" a character key on the
// screen the last frame showed; "sound N" sets the switch as a progress file would.
const char *const script[][2] = {
    {"frame 0", "loop Menu.wav "}, {"frame 0", ""}, {"frame 1", ""}, {"frame 4", ""},
    {"frame 1", ""}, {"key 13", ""}, {"key 49", ""},  // restarting and the menu leave the music
    {"frame 0", ""}, {"frame 1", ""},
    {"frame 3", "purge once Complete.wav "}, {"frame 3", ""}, {"frame 3", ""},
    {"advance", ""}, {"frame 3", "loop Menu.wav purge once Complete.wav "}, {"frame 3", ""},
    {"tap", ""}, {"frame 1", "loop Menu.wav "}, {"frame 1", ""},  // a tap advances the same way
    {"frame 4", ""}, {"toggle", "stop "}, {"frame 4", ""}, {"frame 0", ""},
    {"toggle", ""}, {"frame 4", "loop Menu.wav "}, {"frame 0", ""},
    // Off by the low byte, nothing plays nor is it marked as played.
    {"advance", ""}, {"sound 256", ""}, {"frame 0", ""}, {"frame 1", ""}, {"frame 3", ""}, {"frame 3", ""},
    {"frame 4", ""}, {"key 13", ""}, {"frame 3", "loop Menu.wav purge once Complete.wav "}, {"frame 3", ""},
};

class SoundCues : public RoomsTest {
protected:
    void SetUp() override
    {
        RoomsTest::SetUp();
        WriteTextFile(folder + "/Menu.wav", "RIFF");
        WriteTextFile(folder + "/Complete.wav", "RIFF");
        StartOn(5, MainMenu);
        soundOn = 1;
    }
    // Runs one step of the script; what it asked of the sound, as text.
    std::string run(const std::string &step)
    {
        const size_t first = platformRecord.sounds.size();
        std::istringstream in(step);
        std::string verb, text;
        int n = 0;
        in >> verb >> n;
        if (verb == "frame") ScreenState = n, playSoundCues();
        if (verb == "key") keyboard(static_cast<unsigned char>(n), 0, 0);
        if (verb == "sound") soundOn = n;
        if (verb == "advance") AdvanceLevel();
        if (verb == "toggle") ToggleSound();
        if (verb == "tap") mouse(GLUT_LEFT_BUTTON, GLUT_UP, 5, 5);
        for (size_t i = first; i < platformRecord.sounds.size(); ++i) {
            const RecordedSound &s = platformRecord.sounds[i];
            if (s.kind != RecordedSound::Play) text += s.kind == RecordedSound::StopPlain ? "stop " : "purge ";
            if (s.kind != RecordedSound::Play) continue;
            const std::string name = s.path.substr(s.path.rfind('/') + 1);
            EXPECT_EQ(s.path, folder + "/" + name);
            text += (s.loop ? "loop " : "once ") + name + " ";
        }
        return text;
    }
};

TEST_F(SoundCues, MusicOnceCompletionOncePerLevelStopsAndReArms)
{
    for (size_t i = 0; i < sizeof script / sizeof script[0]; ++i)
        EXPECT_EQ(run(script[i][0]), script[i][1]) << "step " << i << ": " << script[i][0];
    EXPECT_TRUE(platformRecord.messages.empty());
}

TEST_F(SoundCues, AMissingSoundIsReportedOnceUntilReArmed)
{
    std::remove((folder + "/Menu.wav").c_str());
    std::remove((folder + "/Complete.wav").c_str());
    for (const char *step : {"frame 0", "frame 0", "frame 3", "frame 3", "advance", "frame 1", "frame 1"}) run(step);
    std::string shown;
    for (const RecordedMessage &m : platformRecord.messages) shown += m.text + " (" + m.title + ") ";
    EXPECT_EQ(shown, "Can't locate Menu.wav! (Error) Can't locate Complete.wav! (Error) Can't locate Menu.wav! (Error) ");
}

}  // namespace
