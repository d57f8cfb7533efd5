#include "render/overlays.h"

#include "assets/textures.h"
#include "core/state.h"
#include "render/quad.h"

#include <GLES/gl.h>

namespace {

struct LayoutSize { int32_t width, height; };
// The two sizes the landscape pictures were laid out for; every other size,
// an unknown one included, draws the pictures across the full width.
const LayoutSize LandscapeScreens[] = {{320, 240}, {640, 480}};

struct Extent { GLfixed x0, x1; };
const Extent PortraitPicture = {0, 65536};
const Extent LandscapePicture = {13107, 52428};  // 0.2 .. 0.8, black bars beside

// A picture that spans the screen's picture extent across.
struct Picture {
    TextureId texture;
    GLfixed y0, y1, z;
    bool writesTexCoords;  // the others reuse what the last picture wrote
};
//                              texture          y0     y1     z  writes coords
const Picture MenuPicture    = {MenuTexture,     9830,  55705, 0, true};
const Picture OptionsPicture = {OptionsTexture,  0,     65536, 0, false};
const Picture CreditsPicture = {CreditsTexture,  0,     65536, 0, false};
const Picture EndPicture     = {EndTexture,      0,     65536, 0, false};
const Picture PadPicture     = {DpadTexture,     0,     13107, 0, true};
const Picture BannerPicture  = {CompTexture,     0,     13107, 0, true};

constexpr GLfixed MarkZ = 6553;  // in front of the picture under it (0.1)

// The menu arrow, one row per entry: menuSelection 1 to 4.
struct Row { GLfixed y0, y1; };
const Row ArrowRows[] = {
    //  y0      y1
    {35979, 40828},  // 1 play
    {32047, 36896},  // 2 options
    {27459, 32309},  // 3 credits
    {22872, 28377},  // 4 quit
};
const Extent PortraitArrow = {15204, 20840};
const Extent LandscapeArrow = {20840, 26476};

// The "off" mark beside the sound line of the options picture.
const Extent PortraitOffMark = {44040, 58195};
const Extent LandscapeOffMark = {39452, 52297};
const Row OffMarkRow = {22216, 36241};

constexpr int32_t SoundSwitchMask = 0xFF;  // only the low byte of soundOn is the switch

}  // namespace

bool isLandscapeScreen()
{
    for (const LayoutSize &size : LandscapeScreens)
        if (screenWidth == size.width && screenHeight == size.height) return true;
    return false;
}

static Extent pictureExtent() { return isLandscapeScreen() ? LandscapePicture : PortraitPicture; }

// Writes and draws a picture inside an orthographic pass; the texture is bound.
static void drawPictureQuad(const Picture &picture)
{
    const Extent across = pictureExtent();
    if (picture.writesTexCoords) writeTexCoords(UnitTexCoords);
    writeFlatQuad(across.x0, picture.y0, across.x1, picture.y1, picture.z);
    drawQuad();
}

// A full-screen picture: bound first, then drawn in its own pass.
static void drawScreenPicture(const Picture &picture)
{
    bindTexture(picture.texture);
    beginOrthoPass();
    drawPictureQuad(picture);
    endOrthoPass();
}

static void drawMenuArrow()
{
    if (menuSelection < 1 || menuSelection > int32_t(sizeof ArrowRows / sizeof ArrowRows[0])) return;
    const Row &row = ArrowRows[menuSelection - 1];
    const Extent across = isLandscapeScreen() ? LandscapeArrow : PortraitArrow;
    writeFlatQuad(across.x0, row.y0, across.x1, row.y1, MarkZ);
    // The mask darkens the shape's outline, then the arrow is added into it.
    glEnable(GL_BLEND);
    glBlendFunc(GL_DST_COLOR, GL_ZERO);
    bindTexture(RArrowMaskTexture);
    drawQuad();
    glBlendFunc(GL_ONE, GL_ONE);
    bindTexture(RArrowTexture);
    drawQuad();
    glDisable(GL_BLEND);
}

void drawMenuScreen()
{
    bindTexture(MenuPicture.texture);
    beginOrthoPass();
    drawPictureQuad(MenuPicture);
    drawMenuArrow();
    endOrthoPass();
}

void drawOptionsScreen()
{
    bindTexture(OptionsPicture.texture);
    beginOrthoPass();
    drawPictureQuad(OptionsPicture);
    if ((soundOn & SoundSwitchMask) == 0) {
        const Extent across = isLandscapeScreen() ? LandscapeOffMark : PortraitOffMark;
        bindTexture(OffTexture);
        writeFlatQuad(across.x0, OffMarkRow.y0, across.x1, OffMarkRow.y1, MarkZ);
        drawQuad();
    }
    endOrthoPass();
}

void drawCreditsScreen() { drawScreenPicture(CreditsPicture); }
void drawEndScreen() { drawScreenPicture(EndPicture); }
void drawDirectionPad() { drawScreenPicture(PadPicture); }
void drawCompletionBanner() { drawScreenPicture(BannerPicture); }
