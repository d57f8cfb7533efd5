#include "tests/e2e/test_game.h"

#include "tests/support/test_files.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace {

// Looking down at the yard's middle from the low-column side (as the shipped
// levels do), so that screen up is column + 1 and screen right is row + 1.
const char YardCamera[] = "0.0\n26.0\n6.0\n6.0\n0.0\n6.0\n";


// The mask-then-add drawing of the arrows: the masks are white, so the arrow's
// colour is added to what lies under it.
Colour added(TextureId under, TextureId over)
{
    Colour a = CratewrightTest::Picture(under), b = CratewrightTest::Picture(over);
    return {std::min(255, a.r + b.r), std::min(255, a.g + b.g), std::min(255, a.b + b.b)};
}

// One piece line: x, height, z, kind (0 piece, 1 wall, 2 site), row, column.
void put(std::ostringstream &out, const char *height, int kind, Cell at)
{
    out << 2 * at.col << ' ' << height << ' ' << 2 * at.row << ' ' << kind << ' ' << at.row << ' ' << at.col << '\n';
}

std::string levelText(const TestLevel &level)
{
    std::ostringstream out;
    out << YardCamera << level.rows << '\n' << level.cols << "\n0\n" << 2 * (level.rows + level.cols) - 4 << '\n';
    for (int r = 0; r < level.rows; ++r)
        for (int c = 0; c < level.cols; ++c)
            if (r == 0 || c == 0 || r == level.rows - 1 || c == level.cols - 1) put(out, "2.0", 1, {r, c});
    out << level.sites.size() << '\n';
    for (Cell s : level.sites) put(out, "0", 2, s);
    out << level.crates.size() + 1 << '\n';
    for (Cell c : level.crates) put(out, "2", 0, c);
    put(out, "1", 0, level.keeper);
    return out.str();
}

}  // namespace

Colour CratewrightTest::Picture(TextureId id)
{
    Rgb c = TextureTestColour(id);
    return {c.r, c.g, c.b};
}

void CratewrightTest::WriteConfig(int kept, int level, int sound)
{
    WriteTextFile(FilePath("config.ini"),
                  std::to_string(kept) + "\n" + std::to_string(level) + "\n" + std::to_string(sound) + "\n");
}

std::string CratewrightTest::Config() const { return ReadTextFile(FilePath("config.ini")); }

void CratewrightTest::WriteLevel(int number, const TestLevel &level)
{
    WriteTextFile(FilePath("Level" + std::to_string(number) + ".Map"), levelText(level));
}

void CratewrightTest::WriteTestGame(int level, int sound, int kept)
{
    if (folder.empty()) MakeGameFolder();
    WriteTestTextureSet(folder);
    // Sounds are only heard, never seen: the shipped ones serve.
    RunTool({"cp", CW_SOURCE_DIR "/data/Menu.wav", CW_SOURCE_DIR "/data/Complete.wav", folder});
    WriteLevel(1, RoomyLevel);
    WriteLevel(2, OnePushLevel);
    WriteLevel(3, MarkedLevel);
    WriteLevel(100, OnePushLevel);
    WriteConfig(kept, level, sound);
}

void CratewrightTest::Launch(int width, int height)
{
    StartDisplay(width, height);
    StartGame();
    ASSERT_NE(WaitWindow("Cratewright").id, 0u) << "no game window appeared; the game said:\n" << GameLog();
}

void CratewrightTest::LaunchToMenu(int width, int height)
{
    Launch(width, height);
    if (HasFatalFailure()) return;
    ASSERT_TRUE(WaitMenu(1)) << "no menu with entry 1 highlighted; the game said:\n" << GameLog();
}

void CratewrightTest::EnterPlay()
{
    Key("Return");
    ASSERT_TRUE(WaitFor(&CratewrightTest::OnPlay)) << "the play screen did not show";
}

bool CratewrightTest::Shows(const Screenshot &s, TextureId picture, double fx, double fy) const
{
    return SameColour(s.at(GameX(fx), GameY(fy)), Picture(picture), Tolerance);
}

// The menu picture in the middle, the clear colour above and below it.
bool CratewrightTest::OnMenu(const Screenshot &s) const
{
    return Shows(s, MenuTexture, 0.5, 0.5) && SameColour(s.at(GameX(0.5), GameY(0.05)), {0, 0, 0}, Tolerance) &&
           SameColour(s.at(GameX(0.5), GameY(0.95)), {0, 0, 0}, Tolerance);
}

// Entry rows of the arrow, as fractions of the height from the top.
bool CratewrightTest::ArrowAt(const Screenshot &s, int entry) const
{
    static const double rowMiddle[4] = {0.414, 0.474, 0.544, 0.609};
    int x = GameX(Landscape() ? 0.359 : 0.275);
    for (int e = 1; e <= 4; ++e)
        if (SameColour(s.at(x, GameY(rowMiddle[e - 1])), added(MenuTexture, RArrowTexture), Tolerance) != (e == entry))
            return false;
    return true;
}

bool CratewrightTest::Keeper(const Screenshot &s, Way went, Point *at) const
{
    // The yard is seen from its low-column side, so the arrow pictures are a
    // quarter turn off the screen directions.
    TextureId arrow = went.dx < 0 ? UArrowTexture : went.dx > 0 ? DArrowTexture : went.dy < 0 ? RArrowTexture : LArrowTexture;
    return Spot(s, added(GroundTexture, arrow), at);
}

bool CratewrightTest::Moved(Point from, Point to, Way way) const
{
    auto along = [&](double d, int sign) { return sign ? d * sign > CellPixels() * 0.5 : std::fabs(d) < CellPixels() * 0.45; };
    return along(to.x - from.x, way.dx) && along(to.y - from.y, way.dy);
}

Point CratewrightTest::ExpectKeeper(Point from, Way way, const char *what, Way went)
{
    Point at{0, 0};
    if (!went.dx && !went.dy) went = way;
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return Keeper(s, went, &at) && Moved(from, at, way); }))
        << what << ": the keeper is not where it should be";
    return at;
}

Point CratewrightTest::KeeperAtStart()
{
    Point at{0, 0};
    EXPECT_TRUE(WaitScreen([&](const Screenshot &s) { return Keeper(s, Left, &at); })) << "no keeper";
    return at;
}
