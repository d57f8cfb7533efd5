// What each draw of a frame writes into the one quad: the box faces in their
// strip order, the flat site and arrow, the ground, the exact rectangle of
// every picture, and which texture and blend state each draw uses.
#include "assets/textures.h"
#include "core/state.h"
#include "render/overlays.h"
#include "tests/render/game_fixture.h"
#include "tests/render/gl_state.h"
#include "tests/support/glut_double.h"

#include <GLES/gl.h>
#include <algorithm>
#include <array>
#include <vector>

// Every glDrawArrays and glBindTexture the game makes, caught through the
// linker's --wrap, with the quad and the GL state at the moment of the draw.
struct DrawRecord {
    GLenum mode = 0;
    GLint first = 0;
    GLsizei count = 0;
    std::array<GLfixed, 12> vertices{};
    std::array<GLfixed, 8> texCoords{};
    GLint texture = 0, blendSource = 0, blendDestination = 0;
    bool blend = false, depthTest = false;
};
static std::vector<DrawRecord> drawLog;
static std::vector<GLuint> bindLog;

extern "C" {
void __real_glDrawArrays(GLenum, GLint, GLsizei);
void __real_glBindTexture(GLenum, GLuint);
void __wrap_glDrawArrays(GLenum mode, GLint first, GLsizei count)
{
    DrawRecord r;
    r.mode = mode, r.first = first, r.count = count;
    std::copy(QuadVertices, QuadVertices + 12, r.vertices.begin());
    std::copy(QuadTexCoords, QuadTexCoords + 8, r.texCoords.begin());
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &r.texture);
    glGetIntegerv(GL_BLEND_SRC, &r.blendSource);
    glGetIntegerv(GL_BLEND_DST, &r.blendDestination);
    r.blend = glIsEnabled(GL_BLEND);
    r.depthTest = glIsEnabled(GL_DEPTH_TEST);
    drawLog.push_back(r);
    __real_glDrawArrays(mode, first, count);
}
void __wrap_glBindTexture(GLenum target, GLuint texture)
{
    bindLog.push_back(texture);
    __real_glBindTexture(target, texture);
}
}

namespace {

using Quad = std::array<GLfixed, 12>;
using Coords = std::array<GLfixed, 8>;
constexpr GLfixed O = 65536;
const Coords Unit = {0, 0, O, 0, 0, O, O, O}, Flat = {0, O, 0, 0, O, O, O, 0};

Quad flat(GLfixed x0, GLfixed y0, GLfixed x1, GLfixed y1, GLfixed z) { return {x0, y0, z, x1, y0, z, x0, y1, z, x1, y1, z}; }

class Geometry : public GameFixture {
protected:
    // The draws of one frame of the screen, each one strip of four.
    std::vector<DrawRecord> frame(int32_t screen)
    {
        ScreenState = screen;
        drawLog.clear();
        bindLog.clear();
        glutRecord.display();
        ExpectRestingState("display");
        for (const DrawRecord &d : drawLog) EXPECT_TRUE(d.mode == GL_TRIANGLE_STRIP && d.first == 0 && d.count == 4);
        return drawLog;
    }
};

// One crate at (4.0, 2.0, 6.0), the keeper at (8.0, 0, 6.0) and one open site at the origin.
LevelPlan oneCrate()
{
    LevelPlan plan;
    plan.rows = {".", "", "", "  $ @"};
    return plan;
}

TEST_F(Geometry, PlaySceneDrawsGroundSiteCrateFacesArrowAndPad)
{
    ASSERT_TRUE(StartGame(240, 320, oneCrate()));
    ASSERT_TRUE(pieceTable[0].x == 262144 && pieceTable[0].y == 131072 && pieceTable[0].z == 393216);
    const std::vector<DrawRecord> draws = frame(Playing);
    ASSERT_EQ(draws.size(), 10u);
    const GLfixed L = 196608, R = 327680, N = 327680, F = 458752, B = -65536, T = 65536;
    const struct {
        TextureId texture;
        Quad vertices;
        Coords coords;
        bool depthTest, blend;
        GLint source = 0, destination = 0;
    } expected[10] = {
        // The ground fills the window, the picture five times each way.
        {GroundTexture, {0, 0, 0, O, 0, 0, 0, O, 0, O, O, 0}, {0, 0, 5 * O, 0, 0, 5 * O, 5 * O, 5 * O}, false, false},
        // The site: the top-face layout at y = 0 - 1.0 around (0, 0).
        {SiteTexture, {-O, -O, -O, -O, -O, O, O, -O, -O, O, -O, O}, Flat, true, false},
        // The crate: front, back, top, right, left.
        {CrateTexture, {L, B, F, R, B, F, L, T, F, R, T, F}, Unit, true, false},
        {CrateTexture, {L, B, N, L, T, N, R, B, N, R, T, N}, {O, 0, O, O, 0, O, 0, 0}, true, false},
        {CrateTexture, {L, T, N, L, T, F, R, T, N, R, T, F}, Flat, true, false},
        {CrateTexture, {R, B, N, R, T, N, R, B, F, R, T, F}, {O, 0, O, O, 0, 0, 0, O}, true, false},
        {CrateTexture, {L, B, N, L, B, F, L, T, N, L, T, F}, Unit, true, false},
        // The keeper's arrow: mask multiplied in, then the arrow added, no depth test.
        {UArrowMaskTexture, {7 * O, -O, 5 * O, 7 * O, -O, 7 * O, 9 * O, -O, 5 * O, 9 * O, -O, 7 * O}, Flat, false,
         true, GL_DST_COLOR, GL_ZERO},
        {UArrowTexture, {7 * O, -O, 5 * O, 7 * O, -O, 7 * O, 9 * O, -O, 5 * O, 9 * O, -O, 7 * O}, Flat, false, true,
         GL_ONE, GL_ONE},
        {DpadTexture, flat(0, 0, O, 13107, 0), Unit, false, false},
    };
    for (int i = 0; i < 10; ++i) {
        SCOPED_TRACE(::testing::Message() << "draw " << i << " " << TextureFileNames[expected[i].texture]);
        const DrawRecord &d = draws[i];
        EXPECT_EQ(d.texture, GLint(TextureSet[expected[i].texture]));
        EXPECT_EQ(d.vertices, expected[i].vertices);
        EXPECT_EQ(d.texCoords, expected[i].coords);
        EXPECT_EQ(d.depthTest, expected[i].depthTest);
        EXPECT_EQ(d.blend, expected[i].blend);
        if (d.blend) {
            EXPECT_EQ(d.blendSource, expected[i].source);
            EXPECT_EQ(d.blendDestination, expected[i].destination);
        }
    }
}

TEST_F(Geometry, WallsOfAnyTopAndOneBindPerList)
{
    LevelPlan plan;
    plan.rows = {"####   ", "#..#", "#$*#", "# @#", "####"};
    plan.towers = {{5, 0, 0.0f}, {6, 0, 1.5f}};
    ASSERT_TRUE(StartGame(240, 320, plan));
    const std::vector<DrawRecord> draws = frame(Playing);
    // ground, the walls' one bind, the sites' one bind, one per crate, mask, arrow, pad
    const std::vector<GLuint> binds = {
        TextureSet[GroundTexture], TextureSet[StaticTexture],    TextureSet[SiteTexture],
        TextureSet[CrateTexture],  TextureSet[SiteCrateTexture], TextureSet[UArrowMaskTexture],
        TextureSet[UArrowTexture], TextureSet[DpadTexture]};
    EXPECT_EQ(bindLog, binds);
    ASSERT_EQ(draws.size(), 1 + 16 * 5 + 3 + 2 * 5 + 2 + 1u);
    // The towers are the last walls. Each face's corners, low or high, in
    // strip order (front, back, top, right, left); the floor is y -1.0 and a
    // top of 2.0 reaches 1.0, 1.5 reaches 0.5, and 0 leaves only the flat top.
    const bool high[5][4] = {{0, 0, 1, 1}, {0, 1, 0, 1}, {1, 1, 1, 1}, {0, 1, 0, 1}, {0, 0, 1, 1}};
    const std::pair<int, GLfixed> walls[] = {{0, O}, {14, -O}, {15, O / 2}};
    for (const auto &[wall, top] : walls)
        for (int face = 0; face < 5; ++face)
            for (int v = 0; v < 4; ++v)
                EXPECT_EQ(draws[1 + 5 * wall + face].vertices[3 * v + 1], high[face][v] ? top : -O)
                    << "wall " << wall << " face " << face << " corner " << v;
}

TEST_F(Geometry, PicturesTakeTheirExactRectanglesAndRestoreTheState)
{
    const struct {
        int width, height;
        GLfixed x0, x1, arrowX0, arrowX1, offX0, offX1;
    } cases[] = {
        {240, 320, 0, O, 15204, 20840, 44040, 58195},     {320, 240, 13107, 52428, 20840, 26476, 39452, 52297},
        {480, 640, 0, O, 15204, 20840, 44040, 58195},     {640, 480, 13107, 52428, 20840, 26476, 39452, 52297},
        {240, 240, 0, O, 15204, 20840, 44040, 58195},     {800, 600, 0, O, 15204, 20840, 44040, 58195},
    };
    LevelPlan plan;
    plan.rows = {". @"};
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.width << " x " << c.height);
        ASSERT_TRUE(StartGame(c.width, c.height, plan));
        EXPECT_EQ(isLandscapeScreen(), c.x0 != 0);
        menuSelection = 2;
        const std::vector<DrawRecord> menu = frame(MainMenu);
        ASSERT_EQ(menu.size(), 3u);
        EXPECT_EQ(menu[0].vertices, flat(c.x0, 9830, c.x1, 55705, 0));
        EXPECT_EQ(menu[0].texCoords, Unit);
        EXPECT_EQ(menu[0].texture, GLint(TextureSet[MenuTexture]));
        for (int i = 1; i < 3; ++i) EXPECT_EQ(menu[i].vertices, flat(c.arrowX0, 32047, c.arrowX1, 36896, 6553));
        EXPECT_EQ(menu[1].texture, GLint(TextureSet[RArrowMaskTexture]));
        EXPECT_EQ(menu[2].texture, GLint(TextureSet[RArrowTexture]));
        EXPECT_EQ(menu[1].blendDestination, GL_ZERO);
        EXPECT_EQ(menu[2].blendSource, GL_ONE);

        // Options, credits and end write no texture coordinates: what the
        // last writer left is used as it is.
        const Coords left = {1, 2, 3, 4, 5, 6, 7, 8};
        std::copy(left.begin(), left.end(), QuadTexCoords);
        soundOn = 0;
        const std::vector<DrawRecord> options = frame(Options);
        ASSERT_EQ(options.size(), 2u);
        EXPECT_EQ(options[0].vertices, flat(c.x0, 0, c.x1, O, 0));
        EXPECT_EQ(options[1].vertices, flat(c.offX0, 22216, c.offX1, 36241, 6553));
        EXPECT_EQ(options[1].texture, GLint(TextureSet[OffTexture]));
        EXPECT_FALSE(options[1].blend);
        EXPECT_EQ(options[1].texCoords, left);
        for (auto [screen, texture] : {std::pair{Credits, CreditsTexture}, std::pair{GameComplete, EndTexture}}) {
            const std::vector<DrawRecord> full = frame(screen);
            ASSERT_EQ(full.size(), 1u);
            EXPECT_EQ(full[0].texture, GLint(TextureSet[texture]));
            EXPECT_EQ(full[0].vertices, flat(c.x0, 0, c.x1, O, 0));
            EXPECT_EQ(full[0].texCoords, left);
        }
        EXPECT_TRUE(frame(2).empty());
        EXPECT_TRUE(frame(6).empty());
        EXPECT_EQ(frame(Playing).back().vertices, flat(c.x0, 0, c.x1, 13107, 0));
    }
    // Each operation on its own leaves the frame's view and state as it found them.
    GLfloat before[16], after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    for (auto operation : {drawMenuScreen, drawOptionsScreen, drawCreditsScreen, drawEndScreen, drawDirectionPad,
                           drawCompletionBanner}) {
        operation();
        ExpectRestingState("overlay operation");
        glGetFloatv(GL_MODELVIEW_MATRIX, after);
        EXPECT_TRUE(std::equal(before, before + 16, after));
    }
}

}  // namespace
