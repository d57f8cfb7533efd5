#include "tests/e2e/test_game.h"

#include "tests/support/test_files.h"

#include <algorithm>

namespace {

// Looking down at the yard's middle from the low-column side, as the shipped levels do.
const char YardCamera[] = "0 26 6 6 0 6";

// The mask-then-add drawing of the arrows over a picture.
Colour added(TextureId under, TextureId arrow)
{
    const Rgb c = ArrowOver(TextureTestColour(under), arrow);
    return {c.r, c.g, c.b};
}

}  // namespace

Colour CratewrightTest::Picture(TextureId id)
{
    Rgb c = TextureTestColour(id);
    return {c.r, c.g, c.b};
}

std::string CratewrightTest::Config() const { return ReadTextFile(FilePath("config.ini")); }

void CratewrightTest::WriteLevel(int number, const char *picture)
{
    WriteTextFile(FilePath("Level" + std::to_string(number) + ".Map"), LevelText(picture, YardCamera));
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
    WriteTextFile(FilePath("config.ini"),
                  std::to_string(kept) + "\n" + std::to_string(level) + "\n" + std::to_string(sound) + "\n");
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

bool CratewrightTest::Facing(const Screenshot &s, TextureId arrow) const
{
    int seen[4] = {0, 0, 0, 0};  // UArrowTexture .. LArrowTexture
    for (int y = game.y; y < game.y + game.height; ++y)
        for (int x = game.x; x < game.x + game.width; ++x)
            for (int a = 0; a < 4; ++a)
                seen[a] += SameColour(s.at(x, y), added(GroundTexture, TextureId(UArrowTexture + a)), Tolerance);
    for (int a = 0; a < 4; ++a)
        if ((seen[a] > 0) != (UArrowTexture + a == arrow)) return false;
    return true;
}
