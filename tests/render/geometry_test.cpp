// What each draw of a frame writes into the one quad: the box faces in their
// strip order, the flat site and arrow, the ground, the exact rectangle of
// every picture, and which texture and blend state each draw uses.
#include "assets/textures.h"
#include "core/state.h"
#include "render/overlays.h"
#include "tests/render/draw_log.h"
#include "tests/render/game_fixture.h"
#include "tests/render/gl_state.h"
#include "tests/support/glut_double.h"

#include <array>

namespace {

using Quad = std::array<GLfixed, 12>;
using Coords = std::array<GLfixed, 8>;
constexpr GLfixed O = 65536;
const Coords Unit = {0, 0, O, 0, 0, O, O, O};

class Geometry : public GameFixture {
protected:
    void start(LevelPlan plan, int w = 240, int h = 320)
    {
        ASSERT_TRUE(StartGame(w, h, plan));
        drawLog.clear();
    }
    const std::vector<DrawRecord> &frame(int32_t screen)
    {
        ScreenState = screen;
        drawLog.clear();
        glutRecord.display();
        ExpectRestingState("display");
        for (const DrawRecord &d : drawLog.draws) {
            EXPECT_EQ(d.mode, GLenum(GL_TRIANGLE_STRIP));
            EXPECT_EQ(d.first, 0);
            EXPECT_EQ(d.count, 4);
        }
        return drawLog.draws;
    }
};

// One crate at (4.0, 2.0, 6.0), the keeper at (8.0, 0, 6.0) and one open site at the origin.
LevelPlan oneCrate()
{
    LevelPlan plan;
    plan.rows = {".", "", "", "  $ @"};
    return plan;
}

TEST_F(Geometry, PlaySceneDrawsGroundSitesCrateFacesArrowAndPad)
{
    start(oneCrate());
    ASSERT_EQ(pieceTable[0].x, 262144);
    ASSERT_EQ(pieceTable[0].y, 131072);
    ASSERT_EQ(pieceTable[0].z, 393216);
    const std::vector<DrawRecord> &draws = frame(Playing);
    ASSERT_EQ(draws.size(), 10u);

    // Ground: the whole window, the picture five times each way, no depth test.
    EXPECT_EQ(draws[0].texture, TextureSet[GroundTexture]);
    EXPECT_EQ(draws[0].vertices, (Quad{0, 0, 0, O, 0, 0, 0, O, 0, O, O, 0}));
    EXPECT_EQ(draws[0].texCoords, (Coords{0, 0, 5 * O, 0, 0, 5 * O, 5 * O, 5 * O}));
    EXPECT_FALSE(draws[0].depthTest);

    // The site: the top-face layout at y = 0 - 1.0 around (0, 0).
    EXPECT_EQ(draws[1].texture, TextureSet[SiteTexture]);
    EXPECT_EQ(draws[1].vertices, (Quad{-O, -O, -O, -O, -O, O, O, -O, -O, O, -O, O}));
    EXPECT_EQ(draws[1].texCoords, (Coords{0, O, 0, 0, O, O, O, 0}));
    EXPECT_TRUE(draws[1].depthTest);

    // The crate: L 196608, R 327680, N 327680, F 458752, B -65536, T 65536.
    const GLfixed L = 196608, R = 327680, N = 327680, F = 458752, B = -65536, T = 65536;
    const Quad faces[5] = {
        {L, B, F, R, B, F, L, T, F, R, T, F},  // front
        {L, B, N, L, T, N, R, B, N, R, T, N},  // back
        {L, T, N, L, T, F, R, T, N, R, T, F},  // top
        {R, B, N, R, T, N, R, B, F, R, T, F},  // right
        {L, B, N, L, B, F, L, T, N, L, T, F},  // left
    };
    const Coords coords[5] = {
        {0, 0, O, 0, 0, O, O, O}, {O, 0, O, O, 0, O, 0, 0}, {0, O, 0, 0, O, O, O, 0},
        {O, 0, O, O, 0, 0, 0, O}, {0, 0, O, 0, 0, O, O, O},
    };
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(::testing::Message() << "face " << i);
        const DrawRecord &d = draws[2 + i];
        EXPECT_EQ(d.texture, TextureSet[CrateTexture]);
        EXPECT_EQ(d.vertices, faces[i]);
        EXPECT_EQ(d.texCoords, coords[i]);
        EXPECT_TRUE(d.depthTest);
        EXPECT_FALSE(d.blend);
    }

    // The keeper's arrow: mask multiplied in, then the arrow added, both over
    // the same square at y -1.0 and with no depth test.
    const Quad marker = {7 * O, -O, 5 * O, 7 * O, -O, 7 * O, 9 * O, -O, 5 * O, 9 * O, -O, 7 * O};
    const std::pair<TextureId, std::pair<GLint, GLint>> passes[2] = {
        {UArrowMaskTexture, {GL_DST_COLOR, GL_ZERO}}, {UArrowTexture, {GL_ONE, GL_ONE}}};
    for (int i = 0; i < 2; ++i) {
        const DrawRecord &d = draws[7 + i];
        EXPECT_EQ(d.texture, TextureSet[passes[i].first]);
        EXPECT_EQ(d.vertices, marker);
        EXPECT_EQ(d.texCoords, (Coords{0, O, 0, 0, O, O, O, 0}));
        EXPECT_TRUE(d.blend);
        EXPECT_FALSE(d.depthTest);
        EXPECT_EQ(d.blendSource, passes[i].second.first);
        EXPECT_EQ(d.blendDestination, passes[i].second.second);
    }

    EXPECT_EQ(draws[9].texture, TextureSet[DpadTexture]);
    EXPECT_EQ(draws[9].vertices, (Quad{0, 0, 0, O, 0, 0, 0, 13107, 0, O, 13107, 0}));
    EXPECT_EQ(draws[9].texCoords, Unit);
    EXPECT_FALSE(draws[9].depthTest);
}

TEST_F(Geometry, WallOfTopZeroKeepsOnlyItsTopSquare)
{
    LevelPlan plan = oneCrate();
    plan.rows[0] = ".       ";  // room for the walls on the first row
    plan.towers = {{5, 0, 0.0f}, {6, 0, 2.0f}, {7, 0, 1.5f}};
    start(plan);
    const std::vector<DrawRecord> &draws = frame(Playing);
    std::vector<DrawRecord> walls;
    for (const DrawRecord &d : draws)
        if (d.texture == TextureSet[StaticTexture]) walls.push_back(d);
    ASSERT_EQ(walls.size(), 15u);
    // Top 0: all five faces lie flat at y -1.0; only the top one has area.
    for (int face = 0; face < 5; ++face)
        for (int v = 0; v < 4; ++v) EXPECT_EQ(walls[face].vertices[3 * v + 1], -O) << "face " << face;
    // Top 2.0: a cube from -1.0 to 1.0; top 1.5: up to 0.5.
    for (int v = 0; v < 4; ++v) EXPECT_EQ(walls[7].vertices[3 * v + 1], O);
    for (int v = 0; v < 4; ++v) EXPECT_EQ(walls[12].vertices[3 * v + 1], O / 2);
    EXPECT_EQ(walls[5].vertices[1], -O);  // the front face of the cube starts at the floor
    EXPECT_EQ(walls[5].vertices[7], O);
}

TEST_F(Geometry, EachListBindsItsTextureOnce)
{
    LevelPlan plan;
    plan.rows = {"####", "#..#", "#$*#", "# @#", "####"};
    start(plan);
    ScreenState = Playing;
    drawLog.clear();
    glutRecord.display();
    // ground, the walls' one bind, the sites' one bind, one per crate, mask, arrow, pad
    const std::vector<GLuint> expected = {
        TextureSet[GroundTexture], TextureSet[StaticTexture],   TextureSet[SiteTexture],
        TextureSet[CrateTexture],  TextureSet[SiteCrateTexture], TextureSet[UArrowMaskTexture],
        TextureSet[UArrowTexture], TextureSet[DpadTexture]};
    EXPECT_EQ(drawLog.binds, expected);
    EXPECT_EQ(drawLog.draws.size(), 1 + 14 * 5 + 3 + 2 * 5 + 2 + 1u);
}

struct PictureCase {
    int width, height;
    GLfixed x0, x1, arrowX0, arrowX1, offX0, offX1;
};
const PictureCase PictureCases[] = {
    {240, 320, 0, 65536, 15204, 20840, 44040, 58195},     {320, 240, 13107, 52428, 20840, 26476, 39452, 52297},
    {480, 640, 0, 65536, 15204, 20840, 44040, 58195},     {640, 480, 13107, 52428, 20840, 26476, 39452, 52297},
    {240, 240, 0, 65536, 15204, 20840, 44040, 58195},     {800, 600, 0, 65536, 15204, 20840, 44040, 58195},
};

Quad flat(GLfixed x0, GLfixed y0, GLfixed x1, GLfixed y1, GLfixed z)
{
    return {x0, y0, z, x1, y0, z, x0, y1, z, x1, y1, z};
}

TEST_F(Geometry, PicturesTakeTheirExactRectangles)
{
    LevelPlan plan;
    plan.rows = {". @"};
    for (const PictureCase &c : PictureCases) {
        SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height);
        start(plan, c.width, c.height);
        EXPECT_EQ(isLandscapeScreen(), c.x0 != 0);

        menuSelection = 2;
        const std::vector<DrawRecord> menu = frame(MainMenu);
        ASSERT_EQ(menu.size(), 3u);
        EXPECT_EQ(menu[0].vertices, flat(c.x0, 9830, c.x1, 55705, 0));
        EXPECT_EQ(menu[0].texCoords, Unit);
        EXPECT_EQ(menu[0].texture, TextureSet[MenuTexture]);
        for (int i = 1; i < 3; ++i) EXPECT_EQ(menu[i].vertices, flat(c.arrowX0, 32047, c.arrowX1, 36896, 6553));
        EXPECT_EQ(menu[1].texture, TextureSet[RArrowMaskTexture]);
        EXPECT_EQ(menu[2].texture, TextureSet[RArrowTexture]);
        EXPECT_EQ(menu[1].blendDestination, GL_ZERO);
        EXPECT_EQ(menu[2].blendSource, GL_ONE);

        // Options, credits and end write no texture coordinates: what the
        // last writer left is used as it is.
        const Coords left = {1, 2, 3, 4, 5, 6, 7, 8};
        std::copy(left.begin(), left.end(), QuadTexCoords);
        soundOn = 0;
        const std::vector<DrawRecord> options = frame(Options);
        ASSERT_EQ(options.size(), 2u);
        EXPECT_EQ(options[0].vertices, flat(c.x0, 0, c.x1, 65536, 0));
        EXPECT_EQ(options[1].vertices, flat(c.offX0, 22216, c.offX1, 36241, 6553));
        EXPECT_EQ(options[1].texture, TextureSet[OffTexture]);
        EXPECT_FALSE(options[1].blend);
        EXPECT_EQ(options[1].texCoords, left);
        const std::vector<DrawRecord> credits = frame(Credits);
        ASSERT_EQ(credits.size(), 1u);
        EXPECT_EQ(credits[0].vertices, flat(c.x0, 0, c.x1, 65536, 0));
        EXPECT_EQ(credits[0].texCoords, left);
        const std::vector<DrawRecord> end = frame(GameComplete);
        ASSERT_EQ(end.size(), 1u);
        EXPECT_EQ(end[0].texture, TextureSet[EndTexture]);
        EXPECT_EQ(end[0].vertices, flat(c.x0, 0, c.x1, 65536, 0));
        EXPECT_TRUE(frame(2).empty());
        EXPECT_TRUE(frame(6).empty());

        const std::vector<DrawRecord> play = frame(Playing);
        EXPECT_EQ(play.back().vertices, flat(c.x0, 0, c.x1, 13107, 0));
        DestroyEglContext();
        contextMade = false;
    }
}

TEST_F(Geometry, OverlayOperationsEachRestoreTheState)
{
    start(oneCrate());
    // The frame's default view; every operation must leave it as it found it.
    glutRecord.display();
    GLfloat before[16], after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    void (*const operations[])() = {drawMenuScreen, drawOptionsScreen, drawCreditsScreen,
                                    drawEndScreen,  drawDirectionPad,  drawCompletionBanner};
    for (auto operation : operations) {
        operation();
        ExpectRestingState("overlay operation");
        glGetFloatv(GL_MODELVIEW_MATRIX, after);
        for (int i = 0; i < 16; ++i) EXPECT_EQ(before[i], after[i]);
    }
}

}  // namespace
