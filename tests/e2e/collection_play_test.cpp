// A player's own collection, from its text file to the game showing its
// first level: once by the README's recipe, typed as the README prints it,
// and once by levelkit play, on collections made here: fewer than a hundred
// levels, more than a hundred with refused ones, and one saved by a Windows
// editor that starts with a level complete as soon as it loads. Each ends with
// check passing, the real game started on the folder solving level 1 with the
// keys written beside its solution, and the player's other folders as they were.
#include "tests/e2e/harness.h"

#include "tests/support/test_files.h"

#include <cstdlib>
#include <dirent.h>
#include <map>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

namespace {

// The largest square level (walls included) the camera shows, as import says.
constexpr int LargestSide = 14;
// Long enough for a check of a hundred level files in the sanitizer build on a busy machine.
constexpr int SlowStepMs = 600000;

// A walled room w x h with the keeper, one crate and its site in a line through
// the middle, starting at the wall the crate moves away from: solved by pushes
// pushes the way dir says (l r u d), each a key.
std::string Room(int w, int h, char dir, int pushes)
{
    std::vector<std::string> rows(h, std::string(w, ' '));
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c)
            if (r == 0 || c == 0 || r == h - 1 || c == w - 1) rows[r][c] = '#';
    const int dr = (dir == 'd') - (dir == 'u'), dc = (dir == 'r') - (dir == 'l');
    const int r = dr > 0 ? 1 : dr < 0 ? h - 2 : h / 2, c = dc > 0 ? 1 : dc < 0 ? w - 2 : w / 2;
    rows[r][c] = '@';
    rows[r + dr][c + dc] = '$';
    rows[r + dr * (1 + pushes)][c + dc * (1 + pushes)] = '.';
    std::string text;
    for (const std::string &row : rows) text += row + "\n";
    return text;
}

// The game's key digits for pushes the way dir says.
std::string Keys(char dir, int pushes)
{
    const std::map<char, char> digit = {{'l', '4'}, {'r', '6'}, {'u', '2'}, {'d', '8'}};
    return std::string(size_t(pushes), digit.at(dir));
}

// The nth room of a collection: every size from 5 to the camera's limit, all
// four directions, from one push to as many as the room allows.
std::string NthRoom(int n)
{
    const int w = 5 + n % (LargestSide - 4), h = 5 + (n * 3) % (LargestSide - 4);
    const char dir = "rdlu"[n % 4];
    return Room(w, h, dir, 1 + n % ((dir == 'l' || dir == 'r' ? w : h) - 4));
}

// Levels that import refuses, each for another reason.
const char *const Refused[] = {
    nullptr,  // too large for the camera: made below
    "#####\n# $.#\n#####\n",                     // no keeper
    "######\n#@$.@#\n######\n",                  // two keepers
    "#####\n#@$. \n#####\n",                     // open to the edge
    nullptr,  // more crates than the game holds: made below
};

std::string Crowd()  // 50 crates already on their sites and one to push: 51 crates, 2 too many
{
    std::string text = std::string(LargestSide, '#') + "\n";
    for (int r = 1; r < LargestSide - 1; ++r) {
        std::string row = "#" + std::string(LargestSide - 2, ' ') + "#";
        for (int c = 1; c < LargestSide - 1 && r <= 5; ++c) row[c] = (r - 1) * 12 + c <= 50 ? '*' : ' ';
        text += row + "\n";
    }
    text.replace(text.rfind("#\n#") - 4, 3, "@$.");
    return text + std::string(LargestSide, '#') + "\n";
}

struct Shape {
    const char *name;
    int screenWidth, screenHeight;  // where the game is played
    int boards, refused, written;   // in the collection; refused by import; level files written
    std::string firstKeys;          // the keys that solve Level1.Map
    bool windows;                   // CRLF line ends and a byte-order mark
};

// name       screen     boards refused written  Level1.Map's keys  Windows
const Shape Shapes[] = {
    {"Small",   240, 320,  30,    0,      30,      Keys('r', 1),      false},
    {"Large",   640, 480,  110,   5,      100,     Keys('r', 1),      false},
    {"Windows", 480, 640,  8,     2,      6,       Keys('r', 2),      true},
};

void PrintTo(const Shape &s, std::ostream *out) { *out << s.name; }

std::string CollectionText(const Shape &s)
{
    std::string text;
    auto add = [&](const std::string &title, const std::string &board) { text += "; " + title + "\n" + board + "\n"; };
    if (s.windows) {
        add("Done at load", "######\n#+* *#\n######\n");  // the keeper's site counted: both covered
        add("No sites", "#####\n#@$ #\n#####\n");
        add("Keeper on a site", "######\n#+$ .#\n######\n");  // complete one crate early: 2 pushes
        for (int n = 1; n < s.boards - 2; ++n) add("Room " + std::to_string(n), NthRoom(n));
        std::string crlf = "\xEF\xBB\xBF";
        for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        return crlf;
    }
    for (int n = 0, refused = 0; n < s.boards; ++n) {
        // The refused ones spread over the first hundred.
        if (refused < s.refused && n % 19 == 18) {
            const char *board = Refused[refused];
            std::string big = Room(LargestSide + 1, LargestSide + 1, 'r', 3);
            add("Refused " + std::to_string(refused), board ? board : refused == 0 ? big : Crowd());
            ++refused;
            continue;
        }
        // The largest room the camera shows comes early.
        add("Room " + std::to_string(n), n == 5 ? Room(LargestSide, LargestSide, 'u', LargestSide - 4) : NthRoom(n));
    }
    return text;
}

// Every file of a folder, by name, with its bytes.
std::map<std::string, std::string> Contents(const std::string &dir)
{
    std::map<std::string, std::string> files;
    if (DIR *d = opendir(dir.c_str())) {
        while (dirent *e = readdir(d))
            if (e->d_name[0] != '.') files[e->d_name] = ReadTextFile(dir + "/" + e->d_name);
        closedir(d);
    }
    return files;
}

bool Contains(const std::string &text, const std::string &part) { return text.find(part) != std::string::npos; }

class CollectionPlay : public GameTest, public ::testing::WithParamInterface<std::tuple<Shape, bool>> {
protected:
    void SetUp() override
    {
        root = MakeTempFolder();
        home = root + "/home";
        mkdir(home.c_str(), 0755);
        oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
        setenv("HOME", home.c_str(), 1);
        // The player's other game folder, and the build's: neither may change.
        other = home + "/cratewright-mine";
        mkdir(other.c_str(), 0755);
        WriteTextFile(other + "/config.ini", "3\n42\n0\n");
        WriteTextFile(other + "/Level1.Map", ReadTextFile(CW_SOURCE_DIR "/data/Level9.Map"));
        buildGame = std::string(CW_GAME_EXECUTABLE).substr(0, std::string(CW_GAME_EXECUTABLE).rfind('/'));
        before = Contents(other), buildBefore = Contents(buildGame);
    }
    void TearDown() override
    {
        EXPECT_TRUE(Contents(other) == before) << "the player's other game folder changed";
        EXPECT_TRUE(Contents(buildGame) == buildBefore) << "the build's game folder changed";
        GameTest::TearDown();
        if (oldHome.empty()) unsetenv("HOME");
        else setenv("HOME", oldHome.c_str(), 1);
        if (!HasFailure()) RemoveTree(root);
    }

    // A shell line run in the root folder, as a player types it there.
    std::string Typed(const std::string &line, int *status, int timeoutMs = SlowStepMs)
    {
        return RunTool({"sh", "-c", "cd '" + root + "' && " + line}, status, timeoutMs);
    }

    // The README's recipe: its lines from the import to the start of the game.
    std::vector<std::string> Recipe()
    {
        std::vector<std::string> lines;
        std::string readme = ReadTextFile(CW_SOURCE_DIR "/README.md");
        size_t at = readme.find("build/levelkit import MY-LEVELS.txt ~/my-cratewright");
        at = readme.rfind('\n', at) + 1;
        for (size_t end; at < readme.size() && readme[at] == ' '; at = end + 1) {
            end = readme.find('\n', at);
            lines.push_back(readme.substr(readme.find_first_not_of(' ', at), end - readme.find_first_not_of(' ', at)));
        }
        return lines;
    }

    // The real game on the folder, judged by its real pictures: the menu
    // leaves the top of the screen black, the play screen's ground covers it,
    // and the level-complete banner takes the bottom from the direction pad.
    void PlayLevelOne(const Shape &s, const std::vector<std::string> &command)
    {
        StartDisplay(s.screenWidth, s.screenHeight);
        if (command.empty()) StartGame();
        else StartGame(command);
        ASSERT_NE(WaitWindow("Cratewright", SlowStepMs).id, 0u) << GameLog();
        ASSERT_TRUE(WaitScreen([&](const Screenshot &shot) { return Dark(shot, 0.0, 0.03) > 0.98 && Dark(shot, 0.3, 0.7) < 0.7; }))
            << "the game did not start on its menu\n" << GameLog();
        Key("Return");
        ASSERT_TRUE(WaitScreen([&](const Screenshot &shot) { return Dark(shot, 0.0, 0.03) < 0.1; })) << "no play screen";
        const Screenshot play = lastShot;
        std::string keys;
        for (char k : s.firstKeys) keys += std::string(1, k) + " ";
        Key(keys);
        EXPECT_TRUE(WaitScreen([&](const Screenshot &shot) { return Changed(play, shot, 0.92, 1.0) > 0.3; }))
            << "the keys " << s.firstKeys << " did not solve level 1";
        Key("Return F3");  // on to level 2, then save and quit
        EXPECT_EQ(WaitExit(), 0) << GameLog();
        EXPECT_EQ(ReadTextFile(folder + "/config.ini"), "0\n2\n1\n");
    }

    // The share of the game window's rows from y0 to y1 (fractions) that is black, or that differs between shots.
    double Dark(const Screenshot &shot, double y0, double y1) const { return Share(shot, nullptr, y0, y1); }
    double Changed(const Screenshot &a, const Screenshot &b, double y0, double y1) const { return Share(b, &a, y0, y1); }
    double Share(const Screenshot &shot, const Screenshot *other, double y0, double y1) const
    {
        int hits = 0, all = 0;
        for (int y = GameY(y0); y < GameY(y1); ++y)
            for (int x = GameX(0); x < GameX(1.0); ++x, ++all)
                hits += other ? !SameColour(shot.at(x, y), other->at(x, y), 8) : SameColour(shot.at(x, y), {0, 0, 0}, 8);
        return all ? double(hits) / all : 0;
    }

    std::string root, home, other, buildGame, oldHome;
    std::map<std::string, std::string> before, buildBefore;
};

TEST_P(CollectionPlay, EndsWithCheckPassingAndTheGameOnLevelOne)
{
    const auto [shape, oneCommand] = GetParam();
    const std::string file = std::string(shape.name) + ".txt";
    int status = -1;
    std::string said;
    if (!oneCommand) {
        WriteTextFile(root + "/MY-LEVELS.txt", CollectionText(shape));
        ASSERT_EQ(symlink(LEVELKIT_DIR, (root + "/build").c_str()), 0);
        const std::vector<std::string> recipe = Recipe();
        ASSERT_EQ(recipe.size(), 4u) << "the README's recipe is not import, solve, check and the game";
        ASSERT_EQ(recipe.back(), "~/my-cratewright/cratewright");
        for (size_t i = 0; i + 1 < recipe.size(); ++i) {
            std::string line = recipe[i];
            // Levels of a few pushes: a second is plenty, should the solver ever stall.
            if (line.find("--time-limit 10") != std::string::npos) line.replace(line.find("--time-limit 10"), 15, "--time-limit 1");
            said = Typed(line, &status);
            SCOPED_TRACE(line + "\n" + said);
            if (i == 0) {
                EXPECT_EQ(status, 0);
                EXPECT_TRUE(Contains(said, "made the game folder " + home + "/my-cratewright"));
                EXPECT_TRUE(Contains(said, "Level" + std::to_string(shape.written) + ".Map: "));
                EXPECT_FALSE(Contains(said, "Level" + std::to_string(shape.written + 1) + ".Map: "));
            }
            if (i == 2) {
                EXPECT_EQ(status, 0);
                EXPECT_TRUE(Contains(said, "100 levels checked, 0 failed"));
            }
        }
        const std::string solutions = ReadTextFile(root + "/MY-SOLVED.txt");
        EXPECT_TRUE(Contains(solutions, "; keys: " + shape.firstKeys + "\n")) << solutions;
        folder = home + "/my-cratewright";
        PlayLevelOne(shape, {});
    } else {
        WriteTextFile(root + "/" + file, CollectionText(shape));
        folder = home + "/cratewright-" + shape.name;
        PlayLevelOne(shape, {LEVELKIT_EXE, "play", root + "/" + file});
        said = GameLog();
        EXPECT_TRUE(Contains(said, "  import: " + std::to_string(shape.written) + " level files, Level1.Map to Level" +
                                       std::to_string(shape.written) + ".Map")) << said;
        EXPECT_EQ(Contains(said, std::to_string(shape.refused) + " refused"), shape.refused > 0) << said;
        EXPECT_TRUE(Contains(said, "  solve:  " + std::to_string(shape.written) + " of " +
                                       std::to_string(shape.written) + " solved, " + std::to_string(shape.written) +
                                       " with the fewest pushes proven")) << said;
        EXPECT_TRUE(Contains(said, "  check:  100 level files, all pass")) << said;
        const std::string record = ReadTextFile(folder + "/levels.txt");
        EXPECT_TRUE(Contains(record, "; keys: " + shape.firstKeys + "\n")) << record;
    }
}

INSTANTIATE_TEST_SUITE_P(Collections, CollectionPlay,
                         ::testing::Combine(::testing::ValuesIn(Shapes), ::testing::Bool()),
                         [](const ::testing::TestParamInfo<std::tuple<Shape, bool>> &info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) ? "ByPlay" : "ByTheReadme");
                         });

}  // namespace
