// Both key callbacks against the key tables, cell by cell: every listed key,
// unlisted keys and the character 10 on every screen, with the state change
// and the redisplay requests each cell must give.
#include "tests/input/game_folder.h"

#include "core/moves.h"
#include "input/keys.h"

#include <GL/freeglut.h>

#include <sstream>
#include <tuple>
#include <vector>

namespace {

// The tables as the game's rules give them. Columns: the screens 0, 1, 3, 4,
// 5, 7, then any other value. "-" means nothing at all, "redraw" a redisplay
// and no change; the moves name the rule they must run.
const char *const characterRows[] = {
    //  key  0 menu   1 play    3 complete 4 options 5 credits 7 end      other
    "   13   choose   restart   advance    toggle    -         save-menu  -",
    "   49   -        menu      -          -         -         -          -",
    "   50   hl-up    MoveRight redraw     redraw    redraw    redraw     redraw",
    "   51   -        quit      -          -         -         -          -",
    "   52   redraw   MoveUp    redraw     back      back      redraw     redraw",
    "   54   redraw   MoveDown  redraw     redraw    redraw    redraw     redraw",
    "   56   hl-down  MoveLeft  redraw     redraw    redraw    redraw     redraw",
    "   10   -        -         -          -         -         -          -",
    "   53   -        -         -          -         -         -          -",
    "   97   -        -         -          -         -         -          -",
    "  255   -        -         -          -         -         -          -",
};

const char *const specialRows[] = {
    //  key  0 menu   1 play    3 complete 4 options 5 credits 7 end      other
    "    1   -        menu      -          -         -         -          -",
    "    3   -        quit      -          -         -         -          -",
    "  100   redraw   MoveUp    advance    back      back      redraw     redraw",
    "  101   hl-up    MoveRight advance    redraw    redraw    redraw     redraw",
    "  102   redraw   MoveDown  advance    redraw    redraw    redraw     redraw",
    "  103   hl-down  MoveLeft  advance    redraw    redraw    redraw     redraw",
    "    2   -        -         -          -         -         -          -",
    "    4   -        -         -          -         -         -          -",
    "  104   -        -         -          -         -         -          -",
    "   13   -        -         -          -         -         -          -",
    "  257   -        -         -          -         -         -          -",
};

// The screen values each column is tried on; the last stands for every value
// without a screen.
const std::vector<std::vector<int>> columnScreens = {{0}, {1}, {3}, {4}, {5}, {7}, {2, 6, 9, -1}};

// Each cell is tried from these levels with these menu entries highlighted,
// so that the highlight wraps, every entry is chosen and level 100 wraps.
const struct { int level, selection; } starts[] = {{5, 2}, {100, 4}, {99, 1}, {7, 3}};

struct Outcome {
    int screen, selection, level, row, col, facing, sound, menuFlag, completeFlag;
    GLfixed keeperX, keeperZ;
    bool solved;
    std::string levelName, progress;
    int redisplays, exitStatus;  // exitStatus -1: the game went on
    std::vector<RecordedSound::Kind> sounds;

    auto tied() const
    {
        return std::tie(screen, selection, level, row, col, facing, sound, menuFlag, completeFlag, keeperX,
                        keeperZ, solved, levelName, progress, redisplays, exitStatus, sounds);
    }
    bool operator==(const Outcome &o) const { return tied() == o.tied(); }
};
void PrintTo(const Outcome &o, std::ostream *out) { *out << ::testing::PrintToString(o.tied()); }

class KeyTables : public GameFolderTest {
protected:
    Outcome now(int exitStatus)
    {
        const Piece &keeper = pieceTable[playerIndex];
        Outcome o{ScreenState, menuSelection, currentLevel, playerRow, playerCol, facing, soundOn,
                  menuSoundFlag, completeSoundFlag, keeper.x, keeper.z, levelSolved, levelText,
                  ProgressText(), glutRecord.redisplays, exitStatus, {}};
        for (const RecordedSound &sound : platformRecord.sounds) o.sounds.push_back(sound.kind);
        return o;
    }

    // The keeper one step off its start so that a restart shows, every flag
    // and switch set so that clearing them shows.
    void prepare(int level, int selection, int screen)
    {
        WriteTextFile(folder + "/config.ini", "0\n0\n0\n");
        keptValue = 7;
        StartOn(level, screen);
        MoveDown();
        menuSelection = selection;
        soundOn = 257;  // only the low byte is the switch
        menuSoundFlag = completeSoundFlag = 1;
        levelSolved = true;
    }

    // What the named cell must give, worked out from the state before it.
    static Outcome expected(std::string cell, Outcome s)
    {
        const auto atStart = [&s] {
            s.row = KeeperRow, s.col = KeeperCol;
            s.keeperX = 2 * KeeperCol * FixedOne, s.keeperZ = 2 * KeeperRow * FixedOne;
            s.solved = false;
        };
        const std::string saved = "7\n" + std::to_string(s.level) + "\n1\n";
        if (cell == "choose" && s.selection == 4) cell = "quit";
        s.redisplays = cell == "-" || cell == "quit" ? 0 : 1;
        if (cell == "choose") {
            s.screen = s.selection == 1 ? Playing : s.selection == 2 ? Options : Credits;
        } else if (cell == "restart") {
            atStart();
            s.facing = Right;
        } else if (cell == "advance") {
            atStart();
            s.level = s.level == 100 ? 1 : s.level + 1;
            s.levelName = std::to_string(s.level), s.screen = s.level == 1 ? GameComplete : Playing;
            s.facing = Up, s.menuFlag = s.completeFlag = 0;
        } else if (cell == "toggle") {
            s.sound = 256, s.sounds = {RecordedSound::StopPlain};
        } else if (cell == "save-menu") {
            s.screen = MainMenu, s.selection = 1, s.progress = saved;
        } else if (cell == "menu") {
            s.screen = MainMenu;
        } else if (cell == "back") {
            s.screen = MainMenu, s.selection = 1;
        } else if (cell == "quit") {
            s.exitStatus = 0, s.sounds = {RecordedSound::StopPurge}, s.progress = saved;
        } else if (cell == "hl-up") {
            s.selection = s.selection == 1 ? 4 : s.selection - 1;
        } else if (cell == "hl-down") {
            s.selection = s.selection == 4 ? 1 : s.selection + 1;
        } else if (cell == "MoveUp" || cell == "MoveDown") {
            const int step = cell == "MoveUp" ? -1 : 1;
            s.row += step, s.keeperZ += step * BoardStep, s.facing = step < 0 ? Up : Down;
        } else if (cell == "MoveLeft" || cell == "MoveRight") {
            const int step = cell == "MoveLeft" ? -1 : 1;
            s.col += step, s.keeperX += step * BoardStep, s.facing = step < 0 ? Left : Right;
        } else if (cell != "-" && cell != "redraw") {
            ADD_FAILURE() << "the test's table names an unknown cell " << cell;
        }
        return s;
    }

    template <size_t RowCount, typename Callback>
    void checkTable(const char *const (&rows)[RowCount], Callback callback)
    {
        for (const char *line : rows) {
            std::istringstream row(line);
            int key;
            row >> key;
            for (const std::vector<int> &screens : columnScreens) {
                std::string cell;
                row >> cell;
                for (int screen : screens)
                    for (const auto &start : starts) {
                        SCOPED_TRACE("key " + std::to_string(key) + " on screen " + std::to_string(screen) +
                                     ", level " + std::to_string(start.level) + " entry " +
                                     std::to_string(start.selection) + ": " + cell);
                        prepare(start.level, start.selection, screen);
                        const Outcome before = now(-1);
                        int exitStatus = -1;
                        try {
                            callback(key);
                        } catch (const ProcessExit &exit) {
                            exitStatus = exit.status;
                        }
                        EXPECT_EQ(now(exitStatus), expected(cell, before));
                    }
            }
        }
    }
};

TEST_F(KeyTables, CharacterKeysActCellByCell)
{
    checkTable(characterRows, [](int key) { keyboard(static_cast<unsigned char>(key), 17, 33); });
}

TEST_F(KeyTables, SpecialKeysActCellByCell)
{
    checkTable(specialRows, [](int key) { special(key, 17, 33); });
}

}  // namespace
