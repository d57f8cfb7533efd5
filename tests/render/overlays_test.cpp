// The pictures of every screen on each of the six screen sizes, read back
// from a real Mesa context: extents, black bars, the menu arrow's row, the
// "off" mark, the pad and the banner, and screens that show nothing.
#include "assets/textures.h"
#include "core/state.h"
#include "tests/render/game_fixture.h"
#include "tests/render/gl_state.h"
#include "tests/support/glut_double.h"
#include "tests/support/test_files.h"

namespace {

struct Size { int width, height; bool landscape; };
void PrintTo(const Size &s, std::ostream *out) { *out << s.width << " x " << s.height; }
const Size Sizes[] = {{240, 320, false}, {320, 240, true}, {480, 640, false},
                      {640, 480, true},  {240, 240, false}, {480, 480, false}};

// One uncovered site, so nothing is solved behind the pictures.
LevelPlan Plan(const char *middleRow = "#. @#")
{
    LevelPlan plan;
    plan.rows = {"#####", middleRow, "#####"};
    plan.eye[0] = plan.centre[0] = 4.0f;
    plan.eye[1] = 30.0f;
    plan.eye[2] = 8.0f;
    plan.centre[2] = 2.0f;
    return plan;
}

::testing::AssertionResult IsTexture(const Pixel &p, TextureId id)
{
    const Rgb c = TextureTestColour(id);
    return ColourIs(p, c.r, c.g, c.b) << " (" << TextureFileNames[id] << ")";
}

// Arrow rows as fractions of the height: the centre of each entry's row.
const double ArrowRowCentre[] = {38403.5 / 65536, 34471.5 / 65536, 29884 / 65536.0, 25624.5 / 65536};

class Overlays : public GameFixture, public ::testing::WithParamInterface<Size> {
protected:
    void SetUp() override
    {
        size = GetParam();
        ASSERT_TRUE(StartGame(size.width, size.height, Plan()));
        x0 = size.landscape ? 0.2 : 0.0;
        x1 = size.landscape ? 0.8 : 1.0;
    }
    std::vector<Pixel> frameOf(int32_t screen)
    {
        ScreenState = screen;
        std::vector<Pixel> frame = DrawFrame();
        ExpectRestingState("display");
        return frame;
    }
    // A full-width picture: its colour inside x0 .. x1, black bars beside it in landscape.
    void expectAcross(const std::vector<Pixel> &frame, double fy, TextureId id, Rgb beside = {0, 0, 0})
    {
        const int row = int(fy * height);
        EXPECT_TRUE(IsTexture(AtPixel(frame, int(x0 * width) + 1, row), id)) << "left edge, y " << fy;
        EXPECT_TRUE(IsTexture(AtPixel(frame, int(x1 * width) - 2, row), id)) << "right edge, y " << fy;
        if (!size.landscape) return;
        EXPECT_TRUE(ColourIs(AtPixel(frame, int(x0 * width) - 2, row), beside.r, beside.g, beside.b)) << "left";
        EXPECT_TRUE(ColourIs(AtPixel(frame, int(x1 * width) + 1, row), beside.r, beside.g, beside.b)) << "right";
    }
    Size size;
    double x0 = 0, x1 = 1;
};

TEST_P(Overlays, MenuPictureAndTheArrowOnTheSelectedRow)
{
    const double arrowX = size.landscape ? 0.36 : 0.275;  // mid-arrow: 23658 or 18022 of 65536
    const double otherX = size.landscape ? 0.275 : 0.36;  // where the arrow is on the other layout
    for (int32_t selection = 0; selection <= 5; ++selection) {
        SCOPED_TRACE(::testing::Message() << "menuSelection " << selection);
        menuSelection = selection;
        const std::vector<Pixel> frame = frameOf(MainMenu);
        EXPECT_EQ(ScreenState, MainMenu);
        // The picture leaves the top and bottom fifteen percent clear.
        for (double fy : {0.16, 0.5, 0.84}) expectAcross(frame, fy, MenuTexture);
        for (double fy : {0.005, 0.14, 0.86, 0.995}) EXPECT_TRUE(ColourIs(At(frame, 0.5, fy), 0, 0, 0)) << fy;
        // White mask keeps the menu under it, then the red arrow is added;
        // rows 1 and 2 overlap a little, their centres do not.
        for (int row = 1; row <= 4; ++row) {
            const Pixel p = At(frame, arrowX, ArrowRowCentre[row - 1]);
            if (row == selection) EXPECT_TRUE(ColourIs(p, 255, 0, 160)) << "row " << row;
            else EXPECT_TRUE(IsTexture(p, MenuTexture)) << "row " << row;
            EXPECT_TRUE(IsTexture(At(frame, otherX, ArrowRowCentre[row - 1]), MenuTexture));
        }
    }
}

TEST_P(Overlays, OffMarkOnlyWithSoundOff)
{
    // Centre of the mark: x (39452 + 52297) / 2 landscape, (44040 + 58195) / 2 otherwise; y 29228.5.
    const double markX = size.landscape ? 45874.5 / 65536 : 51117.5 / 65536, markY = 29228.5 / 65536;
    const double leftOfMark = size.landscape ? 39000.0 / 65536 : 43500.0 / 65536;
    for (int32_t sound : {1, 0, 256, 257}) {
        SCOPED_TRACE(::testing::Message() << "soundOn " << sound);
        soundOn = sound;
        const std::vector<Pixel> frame = frameOf(Options);
        expectAcross(frame, 0.02, OptionsTexture);
        expectAcross(frame, 0.98, OptionsTexture);
        EXPECT_TRUE(IsTexture(At(frame, markX, markY), (sound & 0xFF) == 0 ? OffTexture : OptionsTexture));
        // Just outside the mark the options picture shows.
        EXPECT_TRUE(IsTexture(At(frame, leftOfMark, markY), OptionsTexture));
        EXPECT_TRUE(IsTexture(At(frame, markX, 21500.0 / 65536), OptionsTexture));
    }
}

TEST_P(Overlays, CreditsAndEndFillTheHeightOtherScreensShowOnlyTheClearColour)
{
    for (auto [screen, texture] : {std::pair{Credits, CreditsTexture}, std::pair{GameComplete, EndTexture}}) {
        const std::vector<Pixel> frame = frameOf(screen);
        for (double fy : {0.005, 0.5, 0.995}) expectAcross(frame, fy, texture);
    }
    for (int32_t screen : {2, 6, 8, -1}) {
        SCOPED_TRACE(::testing::Message() << "ScreenState " << screen);
        const std::vector<Pixel> frame = frameOf(screen);
        size_t lit = 0;
        for (const Pixel &p : frame) lit += (p.r | p.g | p.b) != 0;
        EXPECT_EQ(lit, 0u);
        EXPECT_NEAR(frame[0].a, 128, 1);  // alpha 0x8000
    }
}

TEST_P(Overlays, PadFillsTheBottomFifthAndTheBannerCoversIt)
{
    std::vector<Pixel> frame = frameOf(Playing);
    // Beside the pad in landscape lies the ground of the scene.
    for (double fy : {0.005, 0.1, 0.195}) expectAcross(frame, fy, DpadTexture, TextureTestColour(GroundTexture));
    EXPECT_FALSE(IsTexture(At(frame, 0.5, 0.21), DpadTexture));
    EXPECT_EQ(glutRecord.swaps, 1);
    EXPECT_EQ(glutRecord.redisplays, 0);  // nothing solved, nothing asks for more frames

    // In the frame that finds the level solved the banner lies over all of the pad.
    ASSERT_TRUE(StartGame(size.width, size.height, Plan("#* @#")));
    frame = frameOf(Playing);
    EXPECT_EQ(ScreenState, LevelComplete);
    for (int y = 0; y < height * 2 / 10 - 1; y += 2)
        for (int x = int(x0 * width) + 1; x < int(x1 * width) - 1; x += 2)
            ASSERT_TRUE(IsTexture(AtPixel(frame, x, y), CompTexture)) << "at " << x << ", " << y;
    EXPECT_FALSE(IsTexture(At(frame, 0.5, 0.21), CompTexture));
}

INSTANTIATE_TEST_SUITE_P(EverySize, Overlays, ::testing::ValuesIn(Sizes), [](const auto &info) {
    return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
});

}  // namespace
