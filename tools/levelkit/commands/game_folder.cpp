// Game folders of a player's own: the game finds every file beside its
// executable, so a folder with the executable, the pictures, the sounds, the
// levels and a progress file is a whole game, kept apart from the build's.
#include "tools/levelkit/commands/steps.h"

#include "tools/levelkit/commands/commands.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

const char Executable[] = "cratewright";
const char ProgressFile[] = "config.ini";
// The shipped files a game folder holds, by extension; config.ini apart.
const char *const GameFileTypes[] = {".tex", ".wav", ".Map"};

// Copies through a temporary name and a rename, so that a game running from
// the folder (its executable busy) or a copy stopped half-way never leaves a
// broken file behind.
bool replaceFile(const fs::path &from, const fs::path &to, std::string &why)
{
    std::error_code e;
    fs::path temp = to;
    temp += ".new";
    fs::copy_file(from, temp, fs::copy_options::overwrite_existing, e);
    if (!e) fs::rename(temp, to, e);
    if (!e) return true;
    fs::remove(temp);
    why = "cannot write " + to.string() + ": " + e.message();
    return false;
}

bool sameFolder(const std::string &a, const char *b)
{
    std::error_code e;
    return fs::equivalent(a, b, e);
}

}  // namespace

bool fillGameFolder(const std::string &dir, std::string &why)
{
    const fs::path game = fs::path(LEVELKIT_GAME_FOLDER) / Executable, data = LEVELKIT_DATA_FOLDER;
    std::error_code e;
    if (!fs::is_regular_file(game, e)) {
        why = "the game is not built (there is no " + game.string() + "; bash setup.sh build builds it)";
        return false;
    }
    fs::create_directories(dir, e);
    if (e) {
        why = "cannot make the folder: " + e.message();
        return false;
    }
    if (!replaceFile(game, fs::path(dir) / Executable, why)) return false;
    for (const fs::directory_entry &f : fs::directory_iterator(data, e))
        for (const char *type : GameFileTypes)
            if (f.path().extension() == type && !replaceFile(f.path(), fs::path(dir) / f.path().filename(), why))
                return false;
    if (e) {
        why = "cannot read " + data.string() + ": " + e.message();
        return false;
    }
    // The player's progress is theirs: only a folder without it gets the default.
    if (!fs::exists(fs::path(dir) / ProgressFile))
        return replaceFile(data / ProgressFile, fs::path(dir) / ProgressFile, why);
    return true;
}

bool isBuildGameFolder(const std::string &dir) { return sameFolder(dir, LEVELKIT_GAME_FOLDER); }

bool isShippedData(const std::string &dir) { return sameFolder(dir, LEVELKIT_DATA_FOLDER); }

bool isShippedLevel(const std::string &dir, int n)
{
    const std::string name = levelFileName(n);
    std::string ours, shipped;
    return readWholeFile(dir + "/" + name, ours) && readWholeFile(std::string(LEVELKIT_DATA_FOLDER) + "/" + name, shipped) &&
           ours == shipped;
}

int progressLevel(const std::string &dir)
{
    std::ifstream in(dir + "/" + ProgressFile);
    int kept = 0, level = 0;
    in >> kept >> level;
    return level;
}
