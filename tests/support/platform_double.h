// The tests' stand-in for the platform seam: real files, recorded message
// boxes and sounds, and an exit that throws ProcessExit back to the test.
#pragma once

#include <string>
#include <vector>

struct ProcessExit {
    int status;
};

struct RecordedMessage {
    std::string text;
    std::string title;
};

// One PlaySoundFile or StopSound call, in call order.
struct RecordedSound {
    enum Kind { Play, StopPlain, StopPurge } kind;
    std::string path;  // Play only
    bool loop;         // Play only
    bool started;      // Play only: what PlaySoundFile returned
};

struct RecordedOpen {
    std::string path;
    std::string mode;
    bool opened;
};

struct PlatformRecord {
    std::vector<RecordedMessage> messages;
    std::vector<RecordedSound> sounds;
    std::vector<RecordedOpen> opens;
    std::vector<int> exits;
};

extern PlatformRecord platformRecord;

// What the double answers. Reset by ResetPlatformDouble.
struct PlatformSettings {
    std::string executablePath = "/nonexistent/cratewright";
    int screenWidth = 240, screenHeight = 320;
    bool replaceFails = false;  // ReplaceFile fails before the rename
};

extern PlatformSettings platformSettings;

// Clears the record and restores the default settings.
void ResetPlatformDouble();
// Points the game at a data folder: the executable path becomes dir + "/cratewright".
void SetGameFolder(const std::string &dir);
