// What each draw of the play scene writes into the one quad, with its texture
// and blend state: the ground, the box faces in their strip order, the flat
// site and arrow, the pad; the solved test that ends each frame; and the
// camera's matrices on GL.
#include "assets/textures.h"
#include "render/camera.h"
#include "tests/render/game_fixture.h"

#include <algorithm>

namespace {

using Quad = std::array<GLfixed, 12>;
using Coords = std::array<GLfixed, 8>;
constexpr GLfixed O = 65536;
const Coords Unit = {0, 0, O, 0, 0, O, O, O}, Flat = {0, O, 0, 0, O, O, O, 0};

Quad flat(GLfixed x0, GLfixed y0, GLfixed x1, GLfixed y1, GLfixed z) { return {x0, y0, z, x1, y0, z, x0, y1, z, x1, y1, z}; }

using Frame = GameFixture;

TEST_F(Frame, PlaySceneDrawsGroundSiteCrateFacesArrowAndPad)
{
    // One crate at (4.0, 2.0, 6.0), the keeper at (8.0, 0, 6.0) and one open site at the origin.
    ASSERT_TRUE(StartGame(240, 320, LevelText(".\n\n\n  $ @")));
    const std::vector<DrawRecord> draws = DrawsOf(Playing);
    ASSERT_EQ(draws.size(), 10u);
    const GLfixed L = 196608, R = 327680, N = 327680, F = 458752, B = -65536, T = 65536;
    const Quad arrow = {7 * O, -O, 5 * O, 7 * O, -O, 7 * O, 9 * O, -O, 5 * O, 9 * O, -O, 7 * O};
    const struct { TextureId texture; Quad vertices; Coords coords; bool depthTest, blend; GLint source, destination; } expected[10] = {
        // The ground fills the window, the picture five times each way.
        {GroundTexture, flat(0, 0, O, O, 0), {0, 0, 5 * O, 0, 0, 5 * O, 5 * O, 5 * O}, false, false, 0, 0},
        // The site: the top-face layout at y = 0 - 1.0 around (0, 0).
        {SiteTexture, {-O, -O, -O, -O, -O, O, O, -O, -O, O, -O, O}, Flat, true, false, 0, 0},
        // The crate: front, back, top, right, left, each counter-clockwise seen from outside.
        {CrateTexture, {L, B, F, R, B, F, L, T, F, R, T, F}, Unit, true, false, 0, 0},
        {CrateTexture, {L, B, N, L, T, N, R, B, N, R, T, N}, {O, 0, O, O, 0, O, 0, 0}, true, false, 0, 0},
        {CrateTexture, {L, T, N, L, T, F, R, T, N, R, T, F}, Flat, true, false, 0, 0},
        {CrateTexture, {R, B, N, R, T, N, R, B, F, R, T, F}, {O, 0, O, O, 0, 0, 0, O}, true, false, 0, 0},
        {CrateTexture, {L, B, N, L, B, F, L, T, N, L, T, F}, Unit, true, false, 0, 0},
        // The keeper's arrow: mask multiplied in, then the arrow added, no depth test.
        {UArrowMaskTexture, arrow, Flat, false, true, GL_DST_COLOR, GL_ZERO},
        {UArrowTexture, arrow, Flat, false, true, GL_ONE, GL_ONE},
        {DpadTexture, flat(0, 0, O, 13107, 0), Unit, false, false, 0, 0},
    };
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(::testing::Message() << "draw " << i << " " << TextureFileNames[expected[i].texture]);
        const DrawRecord &d = draws[i];
        EXPECT_EQ(d.texture, GLint(TextureSet[expected[i].texture]));
        EXPECT_EQ(d.vertices, expected[i].vertices);
        EXPECT_EQ(d.texCoords, expected[i].coords);
        EXPECT_EQ(d.depthTest, expected[i].depthTest);
        EXPECT_EQ(d.blend, expected[i].blend);
        EXPECT_TRUE(!d.blend || (d.blendSource == expected[i].source && d.blendDestination == expected[i].destination));
    }
}

TEST_F(Frame, SolvedTestCountsSitesCoveredByCratesAndTheKeeperOnEveryScreen)
{
    const struct { const char *level; int uncovered; } cases[] = {
        {"#####\n#*$.#\n# @ #\n#####", 1}, {"######\n#.+$ #\n######", 1},  // the keeper covers one site, not two
        {"#####\n# @$#\n#####", 0},  // no sites at all: solved at once
        {"#####\n#*+ #\n#####", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.level);
        ASSERT_TRUE(StartGame(240, 320, LevelText(c.level)));
        DrawFrame();
        EXPECT_TRUE(uncoveredSites == c.uncovered && levelSolved == (c.uncovered == 0)) << uncoveredSites;
        // Even the menu turns into the level-complete screen, and frames keep coming.
        EXPECT_EQ(ScreenState, c.uncovered ? MainMenu : LevelComplete);
        EXPECT_EQ(glutRecord.redisplays, c.uncovered ? 0 : 1);
    }
    for (int32_t screen : {int32_t(Playing), int32_t(Options), 6}) {
        ScreenState = screen;
        DrawFrame();
        EXPECT_EQ(ScreenState, LevelComplete);
    }
    EXPECT_TRUE(glutRecord.redisplays == 4 && glutRecord.swaps == 4);
    // Once solved the count stays frozen, until levelSolved is cleared.
    pieceTable[0].state = OffSite;  // the crate leaves its site
    DrawFrame();
    EXPECT_TRUE(levelSolved && uncoveredSites == 0);
    levelSolved = false;
    ScreenState = Playing;
    DrawFrame();
    EXPECT_TRUE(uncoveredSites == 1 && !levelSolved && ScreenState == Playing) << uncoveredSites;
}

TEST_F(Frame, CompletionSoundStartsTheFrameAfterTheBanner)
{
    ASSERT_TRUE(StartGame(240, 320, LevelText("#####\n#*@ #\n#####"), 1));
    ScreenState = Playing;
    DrawFrame();
    EXPECT_EQ(ScreenState, LevelComplete);  // the cues ran before the solved test: only the music
    ASSERT_EQ(platformRecord.sounds.size(), 1u);
    EXPECT_EQ(platformRecord.sounds[0].path, folder + "/Menu.wav");
    EXPECT_EQ(drawLog.back().texture, GLint(TextureSet[CompTexture]));  // the banner is the last draw
    DrawFrame();
    ASSERT_EQ(platformRecord.sounds.size(), 3u);
    EXPECT_EQ(platformRecord.sounds[1].kind, RecordedSound::StopPurge);
    EXPECT_TRUE(platformRecord.sounds[2].path == folder + "/Complete.wav" && !platformRecord.sounds[2].loop);
}

}  // namespace

namespace {

TEST_F(Frame, ReshapeSetsTheProjectionAndTheLookAtsMoveTheEyeToTheOrigin)
{
    ASSERT_TRUE(StartGame(240, 320, LevelText(". @")));  // start-up reshaped to 240 x 320
    GLint viewport[4], mode = 0;
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_TRUE(viewport[0] == 0 && viewport[1] == 0 && viewport[2] == 240 && viewport[3] == 320);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    // 45 degrees, near 1, far 60; reshaping replaces the projection, and a
    // window of no height is taken as one pixel high; one of no width gives
    // no projection at all.
    const GLfloat portrait[16] = {3.2189512f, 0, 0, 0, 0, 2.4142134f, 0, 0, 0, 0, -1.0338984f, -1, 0, 0, -2.0338984f, 0};
    const struct { int width, height; float m0; } sizes[] = {{240, 320, 3.2189512f}, {640, 480, 2.4142134f * 0.75f},
                                                             {240, 0, 2.4142134f / 240}, {0, 240, 1}};
    for (const auto &s : sizes) {
        reshape(s.width, s.height);
        GLfloat m[16];
        glGetFloatv(GL_PROJECTION_MATRIX, m);
        EXPECT_FLOAT_EQ(m[0], s.m0) << s.width << " x " << s.height;
        for (int i = 1; i < 16 && s.width == 240 && s.height == 320; ++i) EXPECT_FLOAT_EQ(m[i], portrait[i]) << i;
        for (int i = 1; i < 16 && s.width == 0; ++i) EXPECT_EQ(m[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
    }
    for (bool fixed : {false, true}) {
        glLoadIdentity();
        const double eye[3] = {fixed ? 0 : 1.6, fixed ? 20.5 : 30.5, fixed ? 3.0 : 13.0};
        if (fixed) lookAtx(0, 1343488, 196608, 0, 0, 163840, 0, 65536, 0);
        else lookAtf(1.6f, 30.5f, 13.0f, 1.6f, 0.0f, -5.0f, 0.0f, 65536.0f, 0.0f);
        GLfloat m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        for (int row = 0; row < 3; ++row)
            EXPECT_NEAR(m[row] * eye[0] + m[4 + row] * eye[1] + m[8 + row] * eye[2] + m[12 + row], 0, 1e-3)
                << (fixed ? "lookAtx" : "lookAtf") << " row " << row;
    }
}

}  // namespace
