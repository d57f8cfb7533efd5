// Both key callbacks against the key tables, cell by cell: every listed key,
// unlisted keys and the character 10 on every screen, with the state change
// and the redisplay requests each cell must give.
#include "tests/input/game_folder.h"

#include "core/moves.h"
#include "core/state.h"
#include "input/keys.h"
#include "tests/support/test_files.h"

#include <GL/freeglut.h>

#include <cstring>
#include <sstream>
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
    "   48   -        -         -          -         -         -          -",
    "   97   -        -         -          -         -         -          -",
    "   27   -        -         -          -         -         -          -",
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
    "    5   -        -         -          -         -         -          -",
    "   12   -        -         -          -         -         -          -",
    "  104   -        -         -          -         -         -          -",
    "  108   -        -         -          -         -         -          -",
    "   13   -        -         -          -         -         -          -",
    "  257   -        -         -          -         -         -          -",
};

// The screen values each column is tried on; the last column stands for
// every value without a screen.
const std::vector<std::vector<int>> columnScreens = {{0}, {1}, {3}, {4}, {5}, {7}, {2, 6, 9, -1}};

struct Snapshot {
    int screen, selection, level, row, col, facing, sound;
    GLfixed keeperX, keeperZ;
    bool solved;
    int menuFlag, completeFlag;
    std::string levelName;

    static Snapshot take()
    {
        const Piece &keeper = pieceTable[playerIndex];
        return {ScreenState, menuSelection, currentLevel, playerRow, playerCol, ::facing, soundOn,
                keeper.x, keeper.z, levelSolved, menuSoundFlag, completeSoundFlag, levelText};
    }
    bool operator==(const Snapshot &o) const
    {
        return screen == o.screen && selection == o.selection && level == o.level && row == o.row &&
               col == o.col && facing == o.facing && sound == o.sound && keeperX == o.keeperX &&
               keeperZ == o.keeperZ && solved == o.solved && menuFlag == o.menuFlag &&
               completeFlag == o.completeFlag && levelName == o.levelName;
    }
};

std::ostream &operator<<(std::ostream &out, const Snapshot &s)
{
    return out << "screen " << s.screen << " entry " << s.selection << " level " << s.level << " ('"
               << s.levelName << "') keeper " << s.row << "," << s.col << " at " << s.keeperX << ","
               << s.keeperZ << " facing " << s.facing << " sound " << s.sound << " solved " << s.solved
               << " flags " << s.menuFlag << s.completeFlag;
}

struct Outcome {
    Snapshot state;
    int redisplays = 0;
    int exitStatus = -1;  // -1: the game went on
    std::vector<RecordedSound::Kind> sounds;
    std::string progress;
};

class KeyTables : public GameFolderTest {
protected:
    // Level 5 on the given screen, the keeper one step off its start so that
    // a restart shows, every flag and switch set so that clearing them shows.
    void prepare(int screen)
    {
        WriteTextFile(folder + "/config.ini", "0\n0\n0\n");
        keptValue = 7;
        StartOn(5, screen);
        MoveDown();
        menuSelection = 2;
        soundOn = 1;
        menuSoundFlag = completeSoundFlag = 1;
        levelSolved = screen == LevelComplete;
    }

    template <typename Press>
    Outcome press(Press pressKey)
    {
        Outcome outcome;
        try {
            pressKey();
        } catch (const ProcessExit &exit) {
            outcome.exitStatus = exit.status;
        }
        outcome.state = Snapshot::take();
        outcome.redisplays = glutRecord.redisplays;
        for (const RecordedSound &sound : platformRecord.sounds) outcome.sounds.push_back(sound.kind);
        outcome.progress = ProgressText();
        return outcome;
    }

    // What the named cell must give, worked out from the state before it.
    Outcome expected(const std::string &cell, const Snapshot &before)
    {
        Outcome want;
        want.state = before;
        want.redisplays = 1;
        want.progress = "0\n0\n0\n";
        Snapshot &s = want.state;
        const auto atStart = [&s] {
            s.row = KeeperRow;
            s.col = KeeperCol;
            s.keeperX = 2 * KeeperCol * FixedOne;
            s.keeperZ = 2 * KeeperRow * FixedOne;
        };
        if (cell == "-") {
            want.redisplays = 0;
        } else if (cell == "redraw") {
        } else if (cell == "choose") {  // entry 2 is highlighted
            s.screen = Options;
        } else if (cell == "restart") {
            atStart();
            s.facing = Right;
            s.solved = false;
        } else if (cell == "advance") {
            atStart();
            s.level = 6;
            s.levelName = "6";
            s.screen = Playing;
            s.facing = Up;
            s.solved = false;
            s.menuFlag = s.completeFlag = 0;
        } else if (cell == "toggle") {
            s.sound = 0;
            want.sounds = {RecordedSound::StopPlain};
        } else if (cell == "save-menu") {
            s.screen = MainMenu;
            s.selection = 1;
            want.progress = "7\n5\n1\n";
        } else if (cell == "menu") {
            s.screen = MainMenu;
        } else if (cell == "back") {
            s.screen = MainMenu;
            s.selection = 1;
        } else if (cell == "quit") {
            want.redisplays = 0;
            want.exitStatus = 0;
            want.sounds = {RecordedSound::StopPurge};
            want.progress = "7\n5\n1\n";
        } else if (cell == "hl-up") {
            s.selection = 1;
        } else if (cell == "hl-down") {
            s.selection = 3;
        } else if (cell == "MoveUp") {
            s.row -= 1;
            s.keeperZ -= BoardStep;
            s.facing = Up;
        } else if (cell == "MoveDown") {
            s.row += 1;
            s.keeperZ += BoardStep;
            s.facing = Down;
        } else if (cell == "MoveLeft") {
            s.col -= 1;
            s.keeperX -= BoardStep;
            s.facing = Left;
        } else if (cell == "MoveRight") {
            s.col += 1;
            s.keeperX += BoardStep;
            s.facing = Right;
        } else {
            ADD_FAILURE() << "the test's table names an unknown cell " << cell;
        }
        return want;
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
                for (int screen : screens) {
                    SCOPED_TRACE("key " + std::to_string(key) + " on screen " + std::to_string(screen) +
                                 ": " + cell);
                    prepare(screen);
                    const Snapshot before = Snapshot::take();
                    const Outcome got = press([&] { callback(key); });
                    const Outcome want = expected(cell, before);
                    EXPECT_EQ(got.state, want.state);
                    EXPECT_EQ(got.redisplays, want.redisplays);
                    EXPECT_EQ(got.exitStatus, want.exitStatus);
                    EXPECT_EQ(got.sounds, want.sounds);
                    EXPECT_EQ(got.progress, want.progress);
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
