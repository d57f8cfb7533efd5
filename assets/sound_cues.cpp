// The two sound cues, started from the frame: the music once until something
// re-arms it, the completion sound once per solved level.
#include "assets/sound_cues.h"

#include "app/platform.h"
#include "core/paths.h"
#include "core/state.h"

namespace {

constexpr int32_t AnyScreen = -1;

struct SoundCue {
    const char *file;
    bool loop;
    uint8_t *startedFlag;  // once set, the cue waits to be re-armed
    int32_t screen;        // the screen the cue belongs to, or AnyScreen
    bool purgeFirst;       // the completion sound cuts the music off
    const char *missing;   // shown, titled "Error", when the file will not play
};

// In this order: both can start in one frame, the music first.
const SoundCue soundCues[] = {
    // file            loop   flag                start on       purge  message
    {"Menu.wav",     true,  &menuSoundFlag,     AnyScreen,     false, "Can't locate Menu.wav!"},
    {"Complete.wav", false, &completeSoundFlag, LevelComplete, true,  "Can't locate Complete.wav!"},
};

}  // namespace

void playSoundCues()
{
    if ((soundOn & 0xFF) == 0) return;
    for (const SoundCue &cue : soundCues) {
        if (*cue.startedFlag) continue;
        if (cue.screen != AnyScreen && cue.screen != ScreenState) continue;
        // Built afresh like every data path; one that cannot be built stays
        // empty and fails to play like a missing file.
        char path[PathCapacity] = "";
        if (!BuildAppDirectory() || !DataFilePath(cue.file, path)) path[0] = '\0';
        if (cue.purgeFirst) StopSound(SoundStop::Purge);
        if (!PlaySoundFile(path, cue.loop)) ShowMessageBox(cue.missing, "Error");
        // Set even after a failure, so the message shows once until re-armed.
        *cue.startedFlag = 1;
    }
}
