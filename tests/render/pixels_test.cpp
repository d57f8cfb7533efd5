// What the screen shows, read back from a real Mesa context on a portrait and
// a landscape screen: the play scene's pieces where the level's camera puts
// them, the keeper's arrow of each facing through a wall, the pad beside the
// scene, the banner over it, the menu's arrow blended into its row, and a
// picture of two halves the right way round.
#include "assets/textures.h"
#include "tests/render/game_fixture.h"

#include <algorithm>

namespace {

struct Size { int width, height; };
void PrintTo(const Size &s, std::ostream *out) { *out << s.width << " x " << s.height; }

class Pixels : public GameFixture, public ::testing::WithParamInterface<Size> {
protected:
    // The picture across the screen from fy0 to fy1: its colour just inside
    // its side edges, black bars just outside them on a landscape screen.
    void expectPicture(const std::vector<Pixel> &frame, int texture, double fy0, double fy1)
    {
        const int x0 = width > height ? width / 5 : 0, x1 = width - x0;
        for (double fy : {fy0, fy1}) {
            EXPECT_TRUE(ColourIs(At(frame, 0, fy), Colour(texture), 3) == (x0 == 0)) << "left of " << texture;
            EXPECT_TRUE(ColourIs(AtPixel(frame, x0 + 1, int(fy * height)), Colour(texture)) &&
                        ColourIs(AtPixel(frame, x1 - 2, int(fy * height)), Colour(texture))) << texture << " at " << fy;
        }
    }
};

TEST_P(Pixels, PlaySceneMenuAndBanner)
{
    // Walls 2.0 high (tops at y 1.0), a crate off and one on a site, an open
    // site, the keeper, and a tall wall right in front of it.
    // The credits picture is in two halves: sides swapped on the way to GL
    // would show it in stripes.
    const Rgb creditsRight = {250, 130, 190};
    ASSERT_TRUE(StartGame(GetParam().width, GetParam().height,
                          LevelText("#######\n#.$ * #\n#  @  #\n#######", "6 30 12 6 0 3", "6 12 6 1 3 3"), 0, [&] {
                              WriteTextFile(folder + "/credits.tex", HalvesBitmap(8, 4, Colour(CreditsTexture), creditsRight));
                          }));
    const double x0 = width > height ? 0.2 : 0, x1 = 1 - x0;  // landscape pictures fill the middle 60 %
    ScreenState = Playing;
    const std::pair<int32_t, int> crates[] = {{OffSite, CrateTexture}, {OnSite, SiteCrateTexture}, {99, SiteCrateTexture}};
    const std::pair<int32_t, int> arrows[] = {{Up, UArrowTexture}, {Right, RArrowTexture}, {Left, LArrowTexture}, {Down, DArrowTexture}};
    for (int i = 0; i < 4; ++i) {
        pieceTable[1].state = crates[i % 3].first;  // the crate on the right: any state but OffSite shows it home
        facing = arrows[i].first;
        const std::vector<Pixel> frame = DrawFrame();
        EXPECT_TRUE(ColourIs(Projected(frame, 8, 1, 2), Colour(crates[i % 3].second))) << "state " << crates[i % 3].first;
        EXPECT_TRUE(ColourIs(Projected(frame, 6, -1, 4), Added(StaticTexture, arrows[i].second))) << "facing " << facing;
    }
    std::vector<Pixel> frame = DrawFrame();
    const std::pair<std::array<double, 3>, int> seen[] = {
        {{0, 1, 2}, StaticTexture}, {{2, -1, 2}, SiteTexture},  {{4, 1, 2}, CrateTexture},  // tops and the flat site
        {{4, 0, 3}, CrateTexture},  {{10, -1, 4}, GroundTexture}, {{6, -1, 2.5}, StaticTexture}};  // front face, floor, hidden
    for (const auto &[at, texture] : seen)
        EXPECT_TRUE(ColourIs(Projected(frame, at[0], at[1], at[2]), Colour(texture))) << at[0] << ", " << at[1] << ", " << at[2];
    EXPECT_TRUE(ColourIs(At(frame, x0 + 0.01, 0.1), Colour(DpadTexture)) && ColourIs(At(frame, x1 - 0.01, 0.1), Colour(DpadTexture)));
    EXPECT_FALSE(ColourIs(At(frame, 0.5, 0.21), Colour(DpadTexture)) || (x0 > 0 && ColourIs(At(frame, x0 - 0.01, 0.1), Colour(DpadTexture))));
    // A crate on the open site solves the level: the banner lies over all of the pad.
    pieceTable[0].state = pieceTable[1].state = OnSite;
    frame = DrawFrame();
    for (int y = 0; y < height / 5 - 1; y += 3)
        for (int x = int(x0 * width) + 1; x < int(x1 * width) - 1; x += 3)
            ASSERT_TRUE(ColourIs(AtPixel(frame, x, y), Colour(CompTexture))) << "at " << x << ", " << y;
    // The menu, the level open again: the picture between 15 and 85 % of the
    // height, the arrow added into the row of entry 3 only, the clear colour
    // at half alpha around.
    pieceTable[0].state = OffSite, levelSolved = false;
    ScreenState = MainMenu;
    const double arrowX = width > height ? 0.36 : 0.275, rows[] = {38403.5, 34471.5, 29884, 25624.5};
    for (int32_t entry : {3, 4}) {
        menuSelection = entry;
        frame = DrawFrame();
        for (int row = 1; row <= 4; ++row)
            EXPECT_TRUE(ColourIs(At(frame, arrowX, rows[row - 1] / 65536), row == entry ? Added(MenuTexture, RArrowTexture) : Colour(MenuTexture)))
                << "row " << row << " with entry " << entry;
    }
    expectPicture(frame, MenuTexture, 0.16, 0.84);
    EXPECT_TRUE(ColourIs(At(frame, 0.5, 0.86), {0, 0, 0}) && At(frame, 0.5, 0.86).a == 128);
    // The options with the "off" mark while the switch's low byte is 0, credits and the end.
    for (int32_t sound : {256, 1}) {
        soundOn = sound, ScreenState = Options;
        frame = DrawFrame();
        expectPicture(frame, OptionsTexture, 0.01, 0.99);
        const double markX = width > height ? 41000.0 / 65536 : 56000.0 / 65536;  // where only this shape's mark lies
        EXPECT_TRUE(ColourIs(At(frame, markX, 29228.5 / 65536), Colour(sound == 1 ? OptionsTexture : OffTexture))) << sound;
    }
    ScreenState = GameComplete;
    expectPicture(DrawFrame(), EndTexture, 0.01, 0.99);
    ScreenState = Credits;
    frame = DrawFrame();
    for (double fy : {0.1, 0.4, 0.6, 0.9})
        EXPECT_TRUE(ColourIs(At(frame, x0 + 0.1, fy), Colour(CreditsTexture)) && ColourIs(At(frame, x1 - 0.1, fy), creditsRight))
            << "the credits' halves at " << fy;
    ScreenState = 6;  // no picture at all
    frame = DrawFrame();
    EXPECT_TRUE(std::all_of(frame.begin(), frame.end(), [](const Pixel &p) { return !(p.r | p.g | p.b); }));
}

INSTANTIATE_TEST_SUITE_P(TwoShapes, Pixels, ::testing::Values(Size{240, 320}, Size{640, 480}),
                         [](const auto &info) { return std::to_string(info.param.width) + "x" + std::to_string(info.param.height); });

}  // namespace
