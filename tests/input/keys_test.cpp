// Both key callbacks against the rules, cell by cell: every listed key, keys
// the rules do not list and the character 10 on every screen, with the state
// change, the saving and the redisplay requests each cell must give.
#include "tests/input/rooms.h"

#include "core/moves.h"
#include "input/keys.h"

#include <GL/freeglut.h>

#include <sstream>
#include <tuple>
#include <vector>

namespace {

// The key tables as the game's rules give them: the callback (c keyboard, s
// special), the key, then the screens 0, 1, 3, 4, 5, 7 and any other value.
// "-" means nothing at all, "redraw" a redisplay and no change; the moves
// name the rule they must run.
const char *const keyRows[] = {
    //   key  0 menu   1 play    3 complete 4 options 5 credits 7 end      other
    "c   13   choose   restart   advance    toggle    -         save-menu  -",  // the action key
    "c   49   -        menu      -          -         -         -          -",
    "c   50   hl-up    MoveRight redraw     redraw    redraw    redraw     redraw",
    "c   51   -        quit      -          -         -         -          -",
    "c   52   redraw   MoveUp    redraw     back      back      redraw     redraw",
    "c   54   redraw   MoveDown  redraw     redraw    redraw    redraw     redraw",
    "c   56   hl-down  MoveLeft  redraw     redraw    redraw    redraw     redraw",
    "c   10   -        -         -          -         -         -          -",  // the action key going down
    "c   53   -        -         -          -         -         -          -",
    "c  255   -        -         -          -         -         -          -",
    "s    1   -        menu      -          -         -         -          -",  // F1
    "s    3   -        quit      -          -         -         -          -",  // F3
    "s  100   redraw   MoveUp    advance    back      back      redraw     redraw",  // left
    "s  101   hl-up    MoveRight advance    redraw    redraw    redraw     redraw",  // up
    "s  102   redraw   MoveDown  advance    redraw    redraw    redraw     redraw",  // right
    "s  103   hl-down  MoveLeft  advance    redraw    redraw    redraw     redraw",  // down
    "s    2   -        -         -          -         -         -          -",
    "s    4   -        -         -          -         -         -          -",
    "s   13   -        -         -          -         -         -          -",
};
// The screen values each column is tried on; the last stands for every value
// without a screen.
const std::vector<std::vector<int>> columnScreens = {{0}, {1}, {3}, {4}, {5}, {7}, {2, 6, 9, -1}};
// Each cell is tried from these levels with these entries highlighted, so
// that the highlight wraps, every entry is chosen and level 100 wraps.
const struct { int level, selection; } starts[] = {{5, 2}, {100, 4}, {99, 1}, {7, 3}};

struct Outcome {
    int screen, selection, level, row, col, facing, sound, menuFlag, completeFlag;
    bool solved;
    std::string levelName, progress;
    int redisplays, exitStatus;  // exitStatus -1: the game went on
    std::vector<RecordedSound::Kind> sounds;
    auto tied() const
    {
        return std::tie(screen, selection, level, row, col, facing, sound, menuFlag, completeFlag, solved, levelName,
                        progress, redisplays, exitStatus, sounds);
    }
    bool operator==(const Outcome &o) const { return tied() == o.tied(); }
};
void PrintTo(const Outcome &o, std::ostream *out) { *out << ::testing::PrintToString(o.tied()); }

class Keys : public RoomsTest {
protected:
    Outcome now(int exitStatus)
    {
        Outcome o{ScreenState, menuSelection, currentLevel, playerRow, playerCol, facing, soundOn, menuSoundFlag,
                  completeSoundFlag, levelSolved, levelText, ProgressText(), glutRecord.redisplays, exitStatus, {}};
        for (const RecordedSound &sound : platformRecord.sounds) o.sounds.push_back(sound.kind);
        return o;
    }
    // What the named cell must give, worked out from the state before it.
    static Outcome expected(std::string cell, Outcome s)
    {
        const std::string saved = "7\n" + std::to_string(s.level) + "\n1\n";
        if (cell == "choose" && s.selection == 4) cell = "quit";
        s.redisplays = cell == "-" || cell == "quit" ? 0 : 1;
        const int step = cell == "MoveUp" || cell == "MoveLeft" ? -1 : 1;
        if (cell == "choose") s.screen = s.selection == 1 ? Playing : s.selection == 2 ? Options : Credits;
        if (cell == "restart" || cell == "advance") s.row = KeeperRow, s.col = KeeperCol, s.solved = false;
        if (cell == "restart") s.facing = Right;
        if (cell == "advance") {
            s.level = s.level == 100 ? 1 : s.level + 1;
            s.levelName = std::to_string(s.level), s.screen = s.level == 1 ? GameComplete : Playing;
            s.facing = Up, s.menuFlag = s.completeFlag = 0;
        }
        if (cell == "toggle") s.sound = 256, s.sounds = {RecordedSound::StopPlain};
        if (cell == "save-menu") s.progress = saved;
        if (cell == "save-menu" || cell == "back" || cell == "menu") s.screen = MainMenu;
        if (cell == "save-menu" || cell == "back") s.selection = 1;
        if (cell == "quit") s.exitStatus = 0, s.sounds = {RecordedSound::StopPurge}, s.progress = saved;
        if (cell == "hl-up") s.selection = s.selection == 1 ? 4 : s.selection - 1;
        if (cell == "hl-down") s.selection = s.selection == 4 ? 1 : s.selection + 1;
        if (cell == "MoveUp" || cell == "MoveDown") s.row += step, s.facing = step < 0 ? Up : Down;
        if (cell == "MoveLeft" || cell == "MoveRight") s.col += step, s.facing = step < 0 ? Left : Right;
        return s;
    }
};

TEST_F(Keys, EveryKeyActsCellByCellOnEveryScreen)
{
    for (const char *line : keyRows) {
        std::istringstream row(line);
        char callback;
        int key;
        row >> callback >> key;
        for (const std::vector<int> &screens : columnScreens) {
            std::string cell;
            row >> cell;
            for (int screen : screens)
                for (const auto &start : starts) {
                    SCOPED_TRACE(::testing::Message() << callback << " key " << key << " on screen " << screen << ", level "
                                                      << start.level << " entry " << start.selection << ": " << cell);
                    // The keeper a step off its start, every flag and switch set,
                    // so that a restart and each clearing shows.
                    WriteTextFile(folder + "/config.ini", "0\n0\n0\n");
                    keptValue = 7;
                    StartOn(start.level, screen);
                    MoveDown();
                    menuSelection = start.selection;
                    soundOn = 257;  // only the low byte is the switch
                    menuSoundFlag = completeSoundFlag = 1;
                    levelSolved = true;
                    const Outcome before = now(-1);
                    int exitStatus = -1;
                    try {
                        callback == 'c' ? keyboard(static_cast<unsigned char>(key), 17, 33) : special(key, 17, 33);
                    } catch (const ProcessExit &exit) {
                        exitStatus = exit.status;
                    }
                    EXPECT_EQ(now(exitStatus), expected(cell, before));
                }
        }
    }
}

TEST_F(Keys, AHighlightOutsideTheEntriesChoosesNothingAndLevelsBelowOneWrap)
{
    for (int entry : {0, 5, -3}) {
        StartOn(5, MainMenu);
        menuSelection = entry;
        keyboard(13, 0, 0);
        EXPECT_EQ(std::vector<int>({ScreenState, menuSelection, glutRecord.redisplays}), std::vector<int>({MainMenu, entry, 0}));
    }
    // Compared as unsigned: -5 + 1 is far above 100.
    StartOn(1, LevelComplete);
    currentLevel = -5;
    special(GLUT_KEY_RIGHT, 0, 0);
    EXPECT_EQ(currentLevel, 1);
    EXPECT_EQ(ScreenState, GameComplete);
}

}  // namespace
