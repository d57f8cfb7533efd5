// The play scene drawn for real and read back: each piece where the level's
// camera puts it, crates by state, the keeper's arrow by facing and through
// a wall, and the ground tiled five times each way.
#include "assets/textures.h"
#include "core/state.h"
#include "tests/render/game_fixture.h"
#include "tests/render/gl_state.h"
#include "tests/support/glut_double.h"
#include "tests/support/test_files.h"

#include <fstream>

namespace {

Rgb colourOf(TextureId id) { return TextureTestColour(id); }

// White masks keep what lies under the arrow; the arrow's colour is added.
Rgb markerOver(Rgb under, TextureId arrow)
{
    const Rgb a = colourOf(arrow);
    auto add = [](int x, int y) { return uint8_t(std::min(255, x + y)); };
    return {add(under.r, a.r), add(under.g, a.g), add(under.b, a.b)};
}

class PlayScene : public GameFixture {
protected:
    Pixel at(const std::vector<Pixel> &frame, double x, double y, double z)
    {
        double px, py;
        Project(x, y, z, px, py);
        EXPECT_TRUE(px >= 0 && px < width && py >= 0 && py < height) << "off screen: " << px << ", " << py;
        return AtPixel(frame, int(px), int(py));
    }
    ::testing::AssertionResult is(const Pixel &p, Rgb c) { return ColourIs(p, c.r, c.g, c.b); }
};

LevelPlan storehouse()
{
    LevelPlan plan;
    plan.rows = {"#######", "#.$ * #", "#  @  #", "#######"};
    plan.eye[0] = 6, plan.eye[1] = 30, plan.eye[2] = 12;
    plan.centre[0] = 6, plan.centre[1] = 0, plan.centre[2] = 3;
    return plan;
}

TEST_F(PlayScene, PiecesShowWhereTheLevelCameraPutsThem)
{
    for (const auto &size : {std::pair{240, 320}, std::pair{640, 480}}) {
        SCOPED_TRACE(::testing::Message() << size.first << " x " << size.second);
        ASSERT_TRUE(StartGame(size.first, size.second, storehouse()));
        ScreenState = Playing;
        const std::vector<Pixel> frame = DrawFrame();
        ExpectRestingState("play frame");
        EXPECT_FALSE(levelSolved);
        EXPECT_EQ(uncoveredSites, 1);  // two sites, one crate on one of them
        EXPECT_EQ(ScreenState, Playing);
        // The tops of the boxes (walls 2.0 high: top at y 1.0) and the flat
        // site and arrow at y -1.0, each at its cell's centre.
        EXPECT_TRUE(is(at(frame, 0, 1, 2), colourOf(StaticTexture))) << "wall";
        EXPECT_TRUE(is(at(frame, 12, 1, 6), colourOf(StaticTexture))) << "wall";
        EXPECT_TRUE(is(at(frame, 2, -1, 2), colourOf(SiteTexture))) << "site";
        EXPECT_TRUE(is(at(frame, 4, 1, 2), colourOf(CrateTexture))) << "crate off site";
        EXPECT_TRUE(is(at(frame, 8, 1, 2), colourOf(SiteCrateTexture))) << "crate on site";
        EXPECT_TRUE(is(at(frame, 6, -1, 4), markerOver(colourOf(GroundTexture), UArrowTexture))) << "keeper";
        EXPECT_TRUE(is(at(frame, 10, -1, 4), colourOf(GroundTexture))) << "floor";
        // The side faces turned to the camera are walls too; the crate's front face.
        EXPECT_TRUE(is(at(frame, 4, 0, 3), colourOf(CrateTexture))) << "crate front face";
        DestroyEglContext();
        contextMade = false;
    }
}

TEST_F(PlayScene, CrateTextureFollowsItsState)
{
    ASSERT_TRUE(StartGame(240, 320, storehouse()));
    ScreenState = Playing;
    // Any state but OffSite draws as a crate on a site.
    const int32_t states[] = {OffSite, OnSite, 0, 99};
    for (int32_t state : states) {
        pieceTable[1].state = state;  // the crate on the right
        const std::vector<Pixel> frame = DrawFrame();
        EXPECT_TRUE(is(at(frame, 8, 1, 2), colourOf(state == OffSite ? CrateTexture : SiteCrateTexture)))
            << "state " << state;
    }
}

TEST_F(PlayScene, KeeperArrowFollowsFacing)
{
    ASSERT_TRUE(StartGame(240, 320, storehouse()));
    ScreenState = Playing;
    const std::pair<int32_t, TextureId> arrows[] = {
        {Up, UArrowTexture}, {Right, RArrowTexture}, {Down, DArrowTexture}, {Left, LArrowTexture}};
    for (const auto &[f, arrow] : arrows) {
        facing = f;
        const std::vector<Pixel> frame = DrawFrame();
        EXPECT_TRUE(is(at(frame, 6, -1, 4), markerOver(colourOf(GroundTexture), arrow))) << "facing " << f;
        ExpectRestingState("keeper marker");
    }
}

TEST_F(PlayScene, KeeperArrowShowsThroughAWallInFront)
{
    LevelPlan plan = storehouse();
    plan.towers.push_back({3, 3, 12.0f});  // a tall wall on the cell in front of the keeper
    ASSERT_TRUE(StartGame(240, 320, plan));
    ScreenState = Playing;
    const std::vector<Pixel> frame = DrawFrame();
    EXPECT_TRUE(is(at(frame, 6, -1, 4), markerOver(colourOf(StaticTexture), UArrowTexture)));
    EXPECT_TRUE(is(at(frame, 6, -1, 3.2), markerOver(colourOf(StaticTexture), UArrowTexture)));
    // The wall itself hides the floor behind the keeper, and the depth test is back on.
    EXPECT_TRUE(is(at(frame, 6, -1, 2.5), colourOf(StaticTexture)));
    ExpectRestingState("keeper marker");
}

TEST_F(PlayScene, KeeperAloneDrawsNoCrateButItsArrow)
{
    LevelPlan plan = storehouse();
    plan.rows = {"#######", "#.    #", "#  @  #", "#######"};
    ASSERT_TRUE(StartGame(240, 320, plan));
    ScreenState = Playing;
    ASSERT_EQ(pieceCount, 1u);
    const std::vector<Pixel> frame = DrawFrame();
    EXPECT_TRUE(is(at(frame, 6, -1, 4), markerOver(colourOf(GroundTexture), UArrowTexture)));
    size_t crates = 0;
    for (const Pixel &p : frame)
        crates += is(p, colourOf(CrateTexture)) || is(p, colourOf(SiteCrateTexture));
    EXPECT_EQ(crates, 0u);
}

// A 4 x 4 checker of two colours, two texels a square.
void writeCheckerGround(const std::string &path)
{
    std::vector<uint8_t> file(54 + 48, 0);
    const uint8_t header[] = {'B', 'M'};
    std::copy(header, header + 2, file.begin());
    auto put32 = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i) file[at + i] = uint8_t(v >> (8 * i));
    };
    put32(10, 54), put32(14, 40), put32(18, 4), put32(22, 4), put32(34, 48);
    file[26] = 1, file[28] = 24;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            const bool red = (x < 2) != (y < 2);
            uint8_t *p = &file[54 + 12 * y + 3 * x];
            p[0] = red ? 0 : 255;  // blue, green, red
            p[2] = red ? 255 : 0;
        }
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char *>(file.data()), file.size());
}

int bands(const std::vector<Pixel> &line)
{
    int changes = 0;
    for (size_t i = 1; i < line.size(); ++i) changes += (line[i].r > 128) != (line[i - 1].r > 128);
    return changes + 1;
}

TEST_F(PlayScene, GroundRepeatsFiveTimesAcrossAndUp)
{
    LevelPlan plan = storehouse();
    plan.eye[1] = 59;  // far away: the board is small in the middle
    plan.eye[2] = 3.5f;
    ASSERT_TRUE(StartGame(240, 320, plan));
    writeCheckerGround(dir + "/Ground.tex");
    ASSERT_TRUE(LoadTexture("Ground.tex", TextureSet[GroundTexture]));
    ScreenState = Playing;
    const std::vector<Pixel> frame = DrawFrame();
    std::vector<Pixel> topRow(frame.end() - width, frame.end()), column;
    for (int y = height / 5 + 2; y < height; ++y) column.push_back(AtPixel(frame, 1, y));  // above the pad
    EXPECT_EQ(bands(topRow), 10);  // five pictures of two squares
    // From the pad's top edge (a fifth of five pictures: one picture) up: four pictures.
    EXPECT_EQ(bands(column), 8);
}

}  // namespace
