// The two pictures of the bottom fifth of the play screen: the direction pad
// and the level-complete banner that covers it. Every button of the pad lies
// inside the tap region that answers to it on both portrait and landscape
// screens (layout.h); between them is only the dark ground.
#include "tools/assetgen/font.h"
#include "tools/assetgen/layout.h"
#include "tools/assetgen/pictures.h"

namespace {

constexpr Colour PadTop = {30, 34, 52};
constexpr Colour PadBottom = {12, 14, 24};
constexpr Colour PadLine = {46, 52, 74};
constexpr Colour ButtonPlate = {70, 92, 150};
constexpr Colour ButtonRim = {130, 156, 220};
constexpr Colour ArrowInk = {255, 232, 120};

enum class Way { Left, Right, Up, Down };

// A plate filling the box, with a triangle pointing the given way on it.
void drawPadArrow(Picture &p, const Box &b, Way way)
{
    const double x0 = b.x0, y0 = b.y0, x1 = b.x1, y1 = b.y1;
    paint(p, roundRectShape(p.width, p.height, x0, y0, x1, y1, 8), ButtonRim);
    paint(p, roundRectShape(p.width, p.height, x0 + 3, y0 + 3, x1 - 3, y1 - 3, 6), ButtonPlate);
    const double cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
    const double hw = (x1 - x0) / 2 - 12, hh = (y1 - y0) / 2 - 8;  // half extents of the triangle
    std::vector<Point> tri;
    switch (way) {
    case Way::Left: tri = {{cx - hw, cy}, {cx + hw, cy - hh}, {cx + hw, cy + hh}}; break;
    case Way::Right: tri = {{cx + hw, cy}, {cx - hw, cy + hh}, {cx - hw, cy - hh}}; break;
    case Way::Up: tri = {{cx, cy - hh}, {cx + hw * 0.6, cy + hh}, {cx - hw * 0.6, cy + hh}}; break;
    case Way::Down: tri = {{cx, cy + hh}, {cx - hw * 0.6, cy - hh}, {cx + hw * 0.6, cy - hh}}; break;
    }
    paint(p, polygonShape(p.width, p.height, tri), ArrowInk);
}

void drawCornerButton(Picture &p, const Box &b, const char *label, Colour plate)
{
    paint(p, roundRectShape(p.width, p.height, b.x0, b.y0, b.x1, b.y1, 5), plate);
    const TextStyle style = {3, 3, {255, 255, 255}, {0, 0, 0}, false};
    drawTextCentred(p, (b.x0 + b.x1) / 2 + 1, (b.y0 + b.y1) / 2 - textHeight(style) / 2, label, style);
}

}  // namespace

Picture makePad()
{
    Picture p(StripWidth, StripHeight, PadBottom);
    fillGradient(p, 0, StripHeight, PadTop, PadBottom);
    fillRect(p, 0, 0, StripWidth, 2, PadLine);
    drawPadArrow(p, PadLeftArrow, Way::Left);
    drawPadArrow(p, PadRightArrow, Way::Right);
    drawPadArrow(p, PadTopArrow, Way::Up);
    drawPadArrow(p, PadBottomArrow, Way::Down);
    const Box &c = PadCentre;
    paint(p, roundRectShape(p.width, p.height, c.x0, c.y0, c.x1, c.y1, (c.y1 - c.y0) / 2.0), {240, 130, 60});
    drawCornerButton(p, PadMenuCorner, "MENU", {50, 104, 200});
    drawCornerButton(p, PadQuitCorner, "QUIT", {190, 46, 50});
    return p;
}

Picture makeBanner()
{
    Picture p(StripWidth, StripHeight, {10, 40, 20});
    fillGradient(p, 0, StripHeight, {40, 120, 60}, {8, 40, 18});
    fillRect(p, 0, 0, StripWidth, 4, {170, 250, 160});
    fillRect(p, 0, StripHeight - 4, StripWidth, StripHeight, {20, 70, 30});
    const TextStyle title = {5, 5, {255, 240, 140}, {0, 30, 0}, true};
    const TextStyle hint = {3, 3, {220, 255, 220}, {0, 30, 0}, true};
    drawTextCentred(p, StripWidth / 2, 24, "LEVEL COMPLETE!", title);
    drawTextCentred(p, StripWidth / 2, 84, "TAP OR PRESS ENTER", hint);
    return p;
}
