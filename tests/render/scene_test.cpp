// The play scene drawn for real and read back: each piece where the level's
// camera puts it, crates by state, the keeper's arrow by facing and through
// a wall.
#include "assets/textures.h"
#include "core/state.h"
#include "tests/render/game_fixture.h"
#include "tests/render/gl_state.h"
#include "tests/support/test_files.h"

namespace {

::testing::AssertionResult Is(const Pixel &p, TextureId id)
{
    const Rgb c = TextureTestColour(id);
    return ColourIs(p, c.r, c.g, c.b) << " (" << TextureFileNames[id] << ")";
}

// White masks keep what lies under the arrow; the arrow's colour is added.
::testing::AssertionResult IsMarker(const Pixel &p, TextureId under, TextureId arrow)
{
    const Rgb u = TextureTestColour(under), a = TextureTestColour(arrow);
    return ColourIs(p, std::min(255, u.r + a.r), std::min(255, u.g + a.g), std::min(255, u.b + a.b));
}

LevelPlan storehouse()
{
    LevelPlan plan;
    plan.rows = {"#######", "#.$ * #", "#  @  #", "#######"};
    plan.eye[0] = 6, plan.eye[1] = 30, plan.eye[2] = 12;
    plan.centre[0] = 6, plan.centre[1] = 0, plan.centre[2] = 3;
    return plan;
}

class PlayScene : public GameFixture {};

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
        EXPECT_TRUE(Is(Projected(frame, 0, 1, 2), StaticTexture)) << "wall";
        EXPECT_TRUE(Is(Projected(frame, 12, 1, 6), StaticTexture)) << "wall";
        EXPECT_TRUE(Is(Projected(frame, 2, -1, 2), SiteTexture)) << "site";
        EXPECT_TRUE(Is(Projected(frame, 4, 1, 2), CrateTexture)) << "crate off site";
        EXPECT_TRUE(Is(Projected(frame, 4, 0, 3), CrateTexture)) << "crate front face";
        EXPECT_TRUE(Is(Projected(frame, 8, 1, 2), SiteCrateTexture)) << "crate on site";
        EXPECT_TRUE(IsMarker(Projected(frame, 6, -1, 4), GroundTexture, UArrowTexture)) << "keeper";
        EXPECT_TRUE(Is(Projected(frame, 10, -1, 4), GroundTexture)) << "floor";
    }
}

TEST_F(PlayScene, CratesByStateAndTheKeeperArrowByFacing)
{
    ASSERT_TRUE(StartGame(240, 320, storehouse()));
    ScreenState = Playing;
    // Any state but OffSite draws as a crate on a site.
    const std::pair<int32_t, TextureId> crates[] = {
        {OffSite, CrateTexture}, {OnSite, SiteCrateTexture}, {0, SiteCrateTexture}, {99, SiteCrateTexture}};
    const std::pair<int32_t, TextureId> arrows[] = {
        {Up, UArrowTexture}, {Right, RArrowTexture}, {Down, DArrowTexture}, {Left, LArrowTexture}};
    for (int i = 0; i < 4; ++i) {
        pieceTable[1].state = crates[i].first;  // the crate on the right
        facing = arrows[i].first;
        const std::vector<Pixel> frame = DrawFrame();
        EXPECT_TRUE(Is(Projected(frame, 8, 1, 2), crates[i].second)) << "state " << crates[i].first;
        EXPECT_TRUE(IsMarker(Projected(frame, 6, -1, 4), GroundTexture, arrows[i].second)) << "facing " << facing;
    }
}

TEST_F(PlayScene, KeeperArrowShowsThroughAWallInFront)
{
    LevelPlan plan = storehouse();
    plan.towers.push_back({3, 3, 12.0f});  // a tall wall on the cell in front of the keeper
    ASSERT_TRUE(StartGame(240, 320, plan));
    ScreenState = Playing;
    const std::vector<Pixel> frame = DrawFrame();
    EXPECT_TRUE(IsMarker(Projected(frame, 6, -1, 4), StaticTexture, UArrowTexture));
    EXPECT_TRUE(IsMarker(Projected(frame, 6, -1, 3.2), StaticTexture, UArrowTexture));
    // The wall itself hides the floor behind the keeper: the depth test is back on.
    EXPECT_TRUE(Is(Projected(frame, 6, -1, 2.5), StaticTexture));
    ExpectRestingState("keeper marker");
}

}  // namespace
