#include "render/scene.h"

#include "assets/textures.h"
#include "core/state.h"
#include "render/camera.h"
#include "render/overlays.h"
#include "render/quad.h"

#include <GLES/gl.h>

namespace {

// The ground picture, five times across and five times up the whole window.
constexpr GLfixed GroundRepeats = 5 * FixedOne;
const GLfixed GroundTexCoords[8] = {0, 0, GroundRepeats, 0, 0, GroundRepeats, GroundRepeats, GroundRepeats};

constexpr GLfixed HalfStep = FixedOne;      // a box spans one step around its centre
constexpr GLfixed BoxBottom = -FixedOne;    // every box stands on y = -1.0
constexpr GLfixed FlatLift = FixedOne;      // sites and the arrow lie at their y - 1.0

// One corner of a face: which bound it takes on each axis, and its texture coordinate.
enum Bound : uint8_t { Low, High };
struct Corner {
    Bound x, y, z;  // x: L or R; y: B or T; z: N or F
    GLfixed s, t;
};
constexpr GLfixed One = FixedOne;

// Strip order; every face winds counter-clockwise seen from outside, so the
// culling drops the faces turned away. No bottom face.
const Corner BoxFaces[][4] = {
    //   x     y     z     s    t
    {{Low,  Low,  High, 0,   0  }, {High, Low,  High, One, 0  }, {Low,  High, High, 0,   One}, {High, High, High, One, One}},  // front z = F
    {{Low,  Low,  Low,  One, 0  }, {Low,  High, Low,  One, One}, {High, Low,  Low,  0,   One}, {High, High, Low,  0,   0  }},  // back z = N (kept: not a mirror of the front)
    {{Low,  High, Low,  0,   One}, {Low,  High, High, 0,   0  }, {High, High, Low,  One, One}, {High, High, High, One, 0  }},  // top y = T
    {{High, Low,  Low,  One, 0  }, {High, High, Low,  One, One}, {High, Low,  High, 0,   0  }, {High, High, High, 0,   One}},  // right x = R
    {{Low,  Low,  Low,  0,   0  }, {Low,  Low,  High, One, 0  }, {Low,  High, Low,  0,   One}, {Low,  High, High, One, One}},  // left x = L
};
const Corner (&TopFace)[4] = BoxFaces[2];

// The keeper's arrow by facing, Up (5) to Left (8).
struct MarkerPictures { int32_t facing; TextureId mask, arrow; };
const MarkerPictures Markers[] = {
    // facing  mask                arrow
    {Up,    UArrowMaskTexture, UArrowTexture},
    {Right, RArrowMaskTexture, RArrowTexture},
    {Down,  DArrowMaskTexture, DArrowTexture},
    {Left,  LArrowMaskTexture, LArrowTexture},
};

}  // namespace

static GLfixed add(GLfixed a, GLfixed b) { return GLfixed(uint32_t(a) + uint32_t(b)); }
static GLfixed sub(GLfixed a, GLfixed b) { return GLfixed(uint32_t(a) - uint32_t(b)); }

// Writes one face of the box around (x, z) whose top is at top, and draws it.
static void drawFace(const Corner (&face)[4], GLfixed x, GLfixed top, GLfixed z)
{
    const GLfixed xs[2] = {sub(x, HalfStep), add(x, HalfStep)};
    const GLfixed ys[2] = {BoxBottom, top};
    const GLfixed zs[2] = {sub(z, HalfStep), add(z, HalfStep)};
    for (int i = 0; i < 4; ++i) {
        QuadVertices[3 * i + 0] = xs[face[i].x];
        QuadVertices[3 * i + 1] = ys[face[i].y];
        QuadVertices[3 * i + 2] = zs[face[i].z];
        QuadTexCoords[2 * i + 0] = face[i].s;
        QuadTexCoords[2 * i + 1] = face[i].t;
    }
    drawQuad();
}

// A wall or crate: from y = -1.0 up to height - 1.0.
static void drawBox(GLfixed x, GLfixed height, GLfixed z)
{
    const GLfixed top = sub(height, FixedOne);
    for (const auto &face : BoxFaces) drawFace(face, x, top, z);
}

static void drawGround()
{
    bindTexture(GroundTexture);
    beginOrthoPass();
    writeTexCoords(GroundTexCoords);
    writeFlatQuad(0, 0, FixedOne, FixedOne, 0);
    drawQuad();
    endOrthoPass();
}

static void drawKeeperMarker()
{
    const Piece &keeper = pieceTable[playerIndex];
    const MarkerPictures *pictures = nullptr;
    for (const MarkerPictures &m : Markers)
        if (m.facing == facing) pictures = &m;
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);  // the arrow shows through walls and crates
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    // A facing outside the four leaves the textures as the last draw had them.
    if (pictures) bindTexture(pictures->mask);
    drawFace(TopFace, keeper.x, sub(keeper.y, FlatLift), keeper.z);
    glBlendFunc(GL_ONE, GL_ONE);
    if (pictures) bindTexture(pictures->arrow);
    drawQuad();
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
}

void drawPlayScene()
{
    glLoadIdentity();
    lookAtf(cameraSetup.eyeX, cameraSetup.eyeY, cameraSetup.eyeZ, cameraSetup.centreX, cameraSetup.centreY,
            cameraSetup.centreZ, cameraSetup.upX, cameraSetup.upY, cameraSetup.upZ);
    drawGround();

    bindTexture(StaticTexture);
    for (uint32_t i = 0; i < wallCount; ++i) drawBox(wallList[i].x, wallList[i].top, wallList[i].z);

    bindTexture(SiteTexture);
    for (uint32_t i = 0; i < siteCount; ++i) drawFace(TopFace, siteList[i].x, sub(siteList[i].y, FlatLift), siteList[i].z);

    for (uint32_t i = 0; i + 1 < pieceCount; ++i) {
        const Piece &crate = pieceTable[i];
        bindTexture(crate.state == OffSite ? CrateTexture : SiteCrateTexture);
        drawBox(crate.x, crate.y, crate.z);
    }

    drawKeeperMarker();
    drawDirectionPad();
}
