#include "tests/e2e/test_game.h"

#include "assets/textures.h"
#include "tests/support/test_files.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <sstream>

namespace {

// Looking down at the yard's middle from the low-column side (as the shipped
// levels do), so that screen up is column + 1 and screen right is row + 1.
const char YardCamera[] = "0.0\n26.0\n6.0\n6.0\n0.0\n6.0\n";
constexpr int WallKind = 1;
constexpr int SiteKind = 2;
constexpr int CrateHeight = 2;
constexpr int KeeperHeight = 1;
constexpr int Tolerance = 14;

Colour texture(TextureId id)
{
    Rgb c = TextureTestColour(id);
    return {c.r, c.g, c.b};
}

// The mask-then-add drawing of the arrows: the masks are white, so the arrow's
// colour is added to what lies under it.
Colour added(Colour under, Colour over)
{
    return {std::min(255, under.r + over.r), std::min(255, under.g + over.g), std::min(255, under.b + over.b)};
}

void put(std::ostringstream &out, int x, const std::string &height, int z, int kind, Cell at)
{
    out << x << ' ' << height << ' ' << z << ' ' << kind << ' ' << at.row << ' ' << at.col << '\n';
}

// A WAV file of a few milliseconds of silence.
void writeSilentWav(const std::string &path)
{
    const uint32_t rate = 8000, samples = 80;
    std::vector<uint8_t> w;
    auto text = [&](const char *s) { w.insert(w.end(), s, s + 4); };
    auto u32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) w.push_back((v >> (8 * i)) & 0xFF); };
    auto u16 = [&](uint16_t v) { w.push_back(v & 0xFF); w.push_back(v >> 8); };
    text("RIFF"); u32(36 + samples * 2); text("WAVE");
    text("fmt "); u32(16); u16(1); u16(1); u32(rate); u32(rate * 2); u16(2); u16(16);
    text("data"); u32(samples * 2);
    w.insert(w.end(), samples * 2, 0);
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(w.data()), w.size());
}

}  // namespace

std::string LevelText(const TestLevel &level)
{
    std::ostringstream out;
    out << YardCamera << level.rows << '\n' << level.cols << '\n' << 0 << '\n';
    std::vector<Cell> walls;
    for (int r = 0; r < level.rows; ++r)
        for (int c = 0; c < level.cols; ++c)
            if (r == 0 || c == 0 || r == level.rows - 1 || c == level.cols - 1) walls.push_back({r, c});
    out << walls.size() << '\n';
    for (Cell w : walls) put(out, 2 * w.col, "2.0", 2 * w.row, WallKind, w);
    out << level.sites.size() << '\n';
    for (Cell s : level.sites) put(out, 2 * s.col, "0", 2 * s.row, SiteKind, s);
    out << level.crates.size() + 1 << '\n';
    for (Cell c : level.crates) put(out, 2 * c.col, std::to_string(CrateHeight), 2 * c.row, 0, c);
    put(out, 2 * level.keeper.col, std::to_string(KeeperHeight), 2 * level.keeper.row, 0, level.keeper);
    return out.str();
}

TestLevel RoomyLevel()
{
    TestLevel level;
    level.crates = {{3, 4}};
    level.sites = {{1, 5}};
    return level;
}

TestLevel OnePushLevel()
{
    TestLevel level;
    level.crates = {{3, 3}};
    level.sites = {{3, 4}};
    return level;
}

TestLevel MarkedLevel()
{
    TestLevel level;
    level.keeper = {3, 3};
    level.crates = {{1, 1}, {4, 4}};
    level.sites = {{1, 1}, {5, 5}};
    return level;
}

void CratewrightTest::WriteConfig(int kept, int level, int sound)
{
    WriteTextFile(FilePath("config.ini"),
                  std::to_string(kept) + "\n" + std::to_string(level) + "\n" + std::to_string(sound) + "\n");
}

std::string CratewrightTest::ReadConfig() { return ReadTextFile(FilePath("config.ini")); }

void CratewrightTest::WriteLevel(int number, const TestLevel &level)
{
    WriteTextFile(FilePath("Level" + std::to_string(number) + ".Map"), LevelText(level));
}

void CratewrightTest::WriteTestGame(int level, int sound, int kept)
{
    if (folder.empty()) MakeGameFolder();
    WriteTestTextureSet(folder);
    writeSilentWav(FilePath("Menu.wav"));
    writeSilentWav(FilePath("Complete.wav"));
    WriteLevel(1, RoomyLevel());
    WriteLevel(2, OnePushLevel());
    WriteLevel(3, MarkedLevel());
    WriteLevel(100, OnePushLevel());
    WriteConfig(kept, level, sound);
}

void CratewrightTest::Launch(int width, int height)
{
    StartDisplay(width, height);
    StartGame();
    game = WaitWindow("Cratewright");
    ASSERT_NE(game.id, 0u) << "no game window appeared; the game said:\n" << GameLog();
}

void CratewrightTest::LaunchToMenu(int width, int height)
{
    Launch(width, height);
    if (HasFatalFailure()) return;
    ASSERT_TRUE(WaitScreen([&](const Screenshot &s) { return OnMenu(s) && ArrowAt(s, 1); }))
        << "no menu with entry 1 highlighted; at the middle " << Describe(lastShot.at(GameX(0.5), GameY(0.5)))
        << "\n" << GameLog();
}

void CratewrightTest::EnterPlay()
{
    Key("Return");
    ASSERT_TRUE(WaitScreen([&](const Screenshot &s) { return OnPlay(s); })) << "the play screen did not show";
}

bool CratewrightTest::Landscape() const
{
    return (game.width == 320 && game.height == 240) || (game.width == 640 && game.height == 480);
}

bool CratewrightTest::OnMenu(const Screenshot &s) const
{
    return SameColour(s.at(GameX(0.5), GameY(0.5)), texture(MenuTexture), Tolerance) &&
           SameColour(s.at(GameX(0.5), GameY(0.05)), {0, 0, 0}, Tolerance);
}

// Entry rows of the arrow, as fractions of the height from the top.
bool CratewrightTest::ArrowAt(const Screenshot &s, int entry) const
{
    static const double rowMiddle[4] = {0.414, 0.474, 0.544, 0.609};
    Colour arrow = added(texture(MenuTexture), texture(RArrowTexture));
    int x = GameX(Landscape() ? 0.359 : 0.275);
    for (int e = 1; e <= 4; ++e) {
        bool lit = SameColour(s.at(x, GameY(rowMiddle[e - 1])), arrow, Tolerance);
        if (lit != (e == entry)) return false;
    }
    return true;
}

bool CratewrightTest::OnPlay(const Screenshot &s) const
{
    return SameColour(s.at(GameX(0.5), GameY(0.97)), texture(DpadTexture), Tolerance);
}

bool CratewrightTest::BannerShown(const Screenshot &s) const
{
    return SameColour(s.at(GameX(0.5), GameY(0.97)), texture(CompTexture), Tolerance);
}

bool CratewrightTest::OnOptions(const Screenshot &s) const
{
    return SameColour(s.at(GameX(0.45), GameY(0.2)), texture(OptionsTexture), Tolerance);
}

bool CratewrightTest::OffMarkShown(const Screenshot &s) const
{
    return SameColour(s.at(GameX(Landscape() ? 0.70 : 0.78), GameY(0.554)), texture(OffTexture), Tolerance);
}

bool CratewrightTest::OnCredits(const Screenshot &s) const
{
    return SameColour(s.at(GameX(0.5), GameY(0.5)), texture(CreditsTexture), Tolerance);
}

bool CratewrightTest::OnEnd(const Screenshot &s) const
{
    return SameColour(s.at(GameX(0.5), GameY(0.5)), texture(EndTexture), Tolerance);
}

PixelRect CratewrightTest::PlayArea() const { return GameArea(0, 0, 1, 0.8); }

bool CratewrightTest::Keeper(const Screenshot &s, KeeperFacing facing, Point *at) const
{
    static const TextureId arrows[4] = {UArrowTexture, RArrowTexture, DArrowTexture, LArrowTexture};
    Colour colour = added(texture(GroundTexture), texture(arrows[static_cast<int>(facing)]));
    return s.centroid(colour, PlayArea(), Tolerance, at);
}

bool CratewrightTest::Crate(const Screenshot &s, Point *at) const
{
    return s.centroid(texture(CrateTexture), PlayArea(), Tolerance, at);
}

bool CratewrightTest::CrateOnSite(const Screenshot &s, Point *at) const
{
    return s.centroid(texture(SiteCrateTexture), PlayArea(), Tolerance, at);
}

bool CratewrightTest::WaitKeeper(KeeperFacing facing, const std::function<bool(Point)> &test, Point *at,
                                 int timeoutMs)
{
    return WaitScreen([&](const Screenshot &s) { return Keeper(s, facing, at) && test(*at); }, timeoutMs);
}
