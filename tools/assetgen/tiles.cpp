// The keeper's arrows and the tiles of the play scene: ground, crates, sites
// and walls. They are seen small and tilted (a cell is some 20 pixels across
// on a 240 x 320 screen), so they use bold shapes and strong contrast.
#include "tools/assetgen/layout.h"
#include "tools/assetgen/pictures.h"

namespace {

// The arrow toward +x: a stem and a head, clear of the picture's edges so
// smoothing of the repeated texture never pulls in the far side.
const std::vector<Point> ArrowOutline = {
    {5, 22}, {30, 22}, {30, 5}, {59, 32}, {30, 59}, {30, 42}, {5, 42},
};
constexpr int ArrowRimWidth = 3;
constexpr Colour ArrowRim = {50, 24, 0};
constexpr Colour ArrowTail = {255, 160, 16};
constexpr Colour ArrowTip = {255, 240, 110};

Coverage arrowShape()
{
    return polygonShape(ArrowSize, ArrowSize, ArrowOutline);
}

struct CrateColours {
    Colour wood, plankLine, frame, frameLight, frameDark, edge, nail;
};

// Wood of an ordinary crate, and the green of one standing on its site.
constexpr CrateColours PlainCrate = {
    {186, 118, 52}, {110, 62, 24}, {132, 80, 34}, {196, 136, 70}, {82, 46, 16}, {36, 18, 4}, {60, 60, 60}};
constexpr CrateColours DoneCrate = {
    {96, 206, 120}, {30, 110, 60}, {40, 150, 84}, {150, 250, 160}, {18, 84, 40}, {200, 255, 200}, {230, 255, 230}};

constexpr int CrateFrame = 14;    // width of the frame round the face
constexpr int CratePlanks = 4;    // boards inside the frame
constexpr int CrateBrace = 18;    // thickness of the diagonal brace

Picture crateFace(const CrateColours &c, uint32_t seed)
{
    const int n = TileSize, f = CrateFrame;
    Picture p(n, n, c.wood);
    addNoise(p, 8, 12, seed);
    const int plank = (n - 2 * f) / CratePlanks;
    for (int i = 1; i < CratePlanks; ++i) fillRect(p, f, f + i * plank - 1, n - f, f + i * plank + 2, c.plankLine);
    // The brace, with a dark edge so it stands off the boards.
    const double d = CrateBrace;
    std::vector<Point> brace = {{double(f), f + d}, {double(f), double(f)}, {f + d, double(f)},
                                {double(n - f), n - f - d}, {double(n - f), double(n - f)}, {n - f - d, double(n - f)}};
    std::vector<Point> braceEdge = {{f - 2.0, f + d + 3}, {f - 2.0, f - 2.0}, {f + d + 3, f - 2.0},
                                    {n - f + 2.0, n - f - d - 3}, {n - f + 2.0, n - f + 2.0}, {n - f - d - 3, n - f + 2.0}};
    paint(p, polygonShape(n, n, braceEdge), c.plankLine);
    paint(p, polygonShape(n, n, brace), c.frame);
    // The frame: light on the top and left, dark on the bottom and right.
    fillRect(p, 0, 0, n, f, c.frame);
    fillRect(p, 0, n - f, n, n, c.frame);
    fillRect(p, 0, 0, f, n, c.frame);
    fillRect(p, n - f, 0, n, n, c.frame);
    fillRect(p, 0, 0, n, 3, c.frameLight);
    fillRect(p, 0, 0, 3, n, c.frameLight);
    fillRect(p, f - 3, f - 3, n - f + 3, f, c.frameDark);
    fillRect(p, f - 3, f - 3, f, n - f + 3, c.frameDark);
    fillRect(p, 0, n - 3, n, n, c.frameDark);
    fillRect(p, n - 3, 0, n, n, c.frameDark);
    fillRect(p, f, n - f, n - f + 3, n - f + 3, c.frameLight);
    fillRect(p, n - f, f, n - f + 3, n - f + 3, c.frameLight);
    // A thin edge keeps neighbouring crates apart.
    fillRect(p, 0, 0, n, 1, c.edge);
    fillRect(p, 0, n - 1, n, n, c.edge);
    fillRect(p, 0, 0, 1, n, c.edge);
    fillRect(p, n - 1, 0, n, n, c.edge);
    for (int y : {f / 2, n - f / 2})
        for (int x : {f / 2, n - f / 2}) paint(p, discShape(n, n, x, y, 3.2), c.nail);
    return p;
}

}  // namespace

Picture makeArrowRight()
{
    const Coverage shape = arrowShape();
    const Coverage inner = shrinkShape(shape, ArrowRimWidth);
    Picture p(ArrowSize, ArrowSize, {0, 0, 0});
    for (int y = 0; y < ArrowSize; ++y)
        for (int x = 0; x < ArrowSize; ++x) {
            if (!shape.at(x, y)) continue;
            // Brighter toward the tip, rimmed dark; black outside adds nothing.
            Colour fill = mix(ArrowTail, ArrowTip, x * 255 / (ArrowSize - 1));
            p.at(x, y) = scaled(mix(ArrowRim, fill, inner.at(x, y)), shape.at(x, y));
        }
    return p;
}

Picture makeArrowMaskRight()
{
    const Coverage shape = arrowShape();
    Picture p(ArrowSize, ArrowSize, {255, 255, 255});
    for (int y = 0; y < ArrowSize; ++y)
        for (int x = 0; x < ArrowSize; ++x) {
            const uint8_t keep = uint8_t(255 - shape.at(x, y));
            p.at(x, y) = {keep, keep, keep};
        }
    return p;
}

Picture turnLeft(const Picture &p)
{
    Picture t(p.height, p.width, {0, 0, 0});
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) t.at(y, p.width - 1 - x) = p.at(x, y);
    return t;
}

Picture makeGround()
{
    // Dark concrete: two layers of noise whose periods divide the picture, so
    // the five repeats across the screen join without seams.
    Picture p(TileSize, TileSize, {42, 46, 58});
    addNoise(p, 32, 7, 11);
    addNoise(p, 8, 6, 12);
    addNoise(p, 2, 3, 13);
    return p;
}

Picture makeCrate()
{
    return crateFace(PlainCrate, 21);
}

Picture makeSiteCrate()
{
    return crateFace(DoneCrate, 22);
}

Picture makeSite()
{
    // A red target on a dark pad: it fills the cell, so it reads even when a
    // crate or the keeper's arrow hides its middle.
    const int n = TileSize;
    const Colour pad = {52, 22, 34}, border = {110, 36, 60}, target = {250, 72, 104};
    Picture p(n, n, pad);
    addNoise(p, 8, 5, 31);
    fillRect(p, 0, 0, n, 8, border);
    fillRect(p, 0, n - 8, n, n, border);
    fillRect(p, 0, 0, 8, n, border);
    fillRect(p, n - 8, 0, n, n, border);
    paint(p, ringShape(n, n, n / 2.0, n / 2.0, 48, 34), target);
    paint(p, discShape(n, n, n / 2.0, n / 2.0, 15), target);
    return p;
}

Picture makeWall()
{
    // Blue-grey bricks, four courses to a face, every other course offset.
    const int n = TileSize, course = n / 4, brick = n / 2, joint = 3;
    const Colour mortar = {48, 52, 66}, stone = {118, 126, 150};
    Picture p(n, n, mortar);
    for (int row = 0; row < 4; ++row) {
        const int y0 = row * course, shift = (row % 2) * (brick / 2);
        for (int col = -1; col < 2; ++col) {
            const int x0 = col * brick + shift;
            const int tint = int((row * 7 + col * 13 + 40) % 5) * 6 - 12;  // bricks differ a little
            Colour c = {uint8_t(stone.r + tint), uint8_t(stone.g + tint), uint8_t(stone.b + tint)};
            fillRect(p, x0 + joint, y0 + joint, x0 + brick, y0 + course, c);
            fillRect(p, x0 + joint, y0 + joint, x0 + brick, y0 + joint + 3, mix(c, {255, 255, 255}, 70));
            fillRect(p, x0 + joint, y0 + course - 3, x0 + brick, y0 + course, mix(c, {0, 0, 0}, 80));
        }
    }
    addNoise(p, 4, 7, 41);
    return p;
}
