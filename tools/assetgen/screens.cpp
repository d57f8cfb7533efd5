// The full-screen pictures: menu, options with its off mark, credits and the
// end picture. Light text on a dark night-blue ground; the entries and the
// switch sit where the game's arrow, tap regions and off mark fall (layout.h).
#include "tools/assetgen/font.h"
#include "tools/assetgen/layout.h"
#include "tools/assetgen/pictures.h"

namespace {

constexpr Colour SkyTop = {26, 34, 70};
constexpr Colour SkyBottom = {8, 10, 26};
constexpr Colour Shadow = {0, 0, 0};

// Title, entry and hint lettering.
constexpr TextStyle TitleStyle = {7, 7, {255, 186, 60}, {90, 40, 0}, true};
constexpr TextStyle HeadingStyle = {5, 5, {255, 226, 140}, Shadow, true};
constexpr TextStyle EntryStyle = {MenuEntryScaleX, MenuEntryScaleY, {255, 232, 150}, Shadow, true};
constexpr TextStyle BodyStyle = {3, 4, {226, 232, 250}, Shadow, true};
constexpr TextStyle HintStyle = {3, 3, {150, 176, 230}, Shadow, false};

constexpr int Centre = ScreenPictureSize / 2;

// A row of crates as the play screen shows them, for decoration.
void drawCrateRow(Picture &p, const Picture &crate, int factor, int y, int count)
{
    const int size = crate.width / factor, gap = size / 2, width = count * size + (count - 1) * gap;
    for (int i = 0; i < count; ++i) pasteShrunk(p, crate, factor, Centre - width / 2 + i * (size + gap), y);
}

// The sound switch in either state, in a box of the picture. The off mark
// draws the same switch in its own picture, so both look alike.
void drawSwitch(Picture &p, const Box &b, bool on)
{
    const Colour plate = on ? Colour{40, 170, 80} : Colour{190, 44, 50};
    const Colour rim = on ? Colour{150, 255, 170} : Colour{255, 150, 150};
    const int w = b.x1 - b.x0, h = b.y1 - b.y0;
    paint(p, roundRectShape(p.width, p.height, b.x0, b.y0, b.x1, b.y1, w / 5.0), rim);
    paint(p, roundRectShape(p.width, p.height, b.x0 + 4, b.y0 + 4, b.x1 - 4, b.y1 - 4, w / 5.0 - 4), plate);
    // A lamp above the word: lit when on, dark when off.
    const double lampY = b.y0 + h * 0.27, lampR = h * 0.12;
    paint(p, discShape(p.width, p.height, b.x0 + w / 2.0, lampY, lampR + 3), {20, 20, 20});
    paint(p, discShape(p.width, p.height, b.x0 + w / 2.0, lampY, lampR), on ? Colour{210, 255, 120} : Colour{70, 20, 20});
    const std::string word = on ? "ON" : "OFF";
    const int scale = on ? w / 16 : w / 19;
    const TextStyle style = {scale, scale, {255, 255, 255}, Shadow, true};
    drawTextCentred(p, b.x0 + w / 2, b.y0 + int(h * 0.48), word, style);
}

}  // namespace

Picture nightGround(int size)
{
    Picture p(size, size, SkyBottom);
    fillGradient(p, 0, size, SkyTop, SkyBottom);
    return p;
}

Picture makeMenu()
{
    Picture p = nightGround(ScreenPictureSize);
    drawTextCentred(p, Centre, 42, "CRATEWRIGHT", TitleStyle);
    drawCrateRow(p, makeCrate(), 4, 106, 5);
    const char *entries[4] = {"PLAY", "OPTIONS", "CREDITS", "QUIT"};
    for (int i = 0; i < 4; ++i) drawText(p, MenuTextLeft, MenuEntryTop[i], entries[i], EntryStyle);
    drawTextCentred(p, Centre, 420, "UP, DOWN: CHOOSE", HintStyle);
    drawTextCentred(p, Centre, 448, "ENTER: GO", HintStyle);
    return p;
}

Picture makeOptions()
{
    Picture p = nightGround(ScreenPictureSize);
    drawTextCentred(p, Centre, 48, "OPTIONS", TitleStyle);
    const TextStyle label = HeadingStyle;
    const int switchMiddle = (SoundSwitch.y0 + SoundSwitch.y1) / 2;
    drawText(p, 84, switchMiddle - textHeight(label) / 2, "SOUND", label);
    drawSwitch(p, SoundSwitch, true);
    drawTextCentred(p, Centre, 392, "ENTER: SOUND ON/OFF", BodyStyle);
    drawTextCentred(p, Centre, 436, "LEFT: BACK", BodyStyle);
    return p;
}

Picture makeOffMark()
{
    // The off mark is stretched over the switch area of the options picture;
    // it repeats that area's ground and draws the switch where the options
    // picture has it, scaled to this picture's size.
    Picture p(OffMarkSize, OffMarkSize, SkyBottom);
    const int areaW = OffMarkArea.x1 - OffMarkArea.x0, areaH = OffMarkArea.y1 - OffMarkArea.y0;
    for (int y = 0; y < OffMarkSize; ++y) {
        const int optionsRow = OffMarkArea.y0 + y * areaH / OffMarkSize;
        const Colour c = mix(SkyTop, SkyBottom, optionsRow * 255 / (ScreenPictureSize - 1));
        for (int x = 0; x < OffMarkSize; ++x) p.at(x, y) = c;
    }
    auto toMark = [](int v, int from, int span) { return (v - from) * OffMarkSize / span; };
    const Box b = {toMark(SoundSwitch.x0, OffMarkArea.x0, areaW), toMark(SoundSwitch.y0, OffMarkArea.y0, areaH),
                   toMark(SoundSwitch.x1, OffMarkArea.x0, areaW), toMark(SoundSwitch.y1, OffMarkArea.y0, areaH)};
    drawSwitch(p, b, false);
    return p;
}

Picture makeCredits()
{
    Picture p = nightGround(ScreenPictureSize);
    drawTextCentred(p, Centre, 30, "CREDITS", TitleStyle);
    drawTextCentred(p, Centre, 104, "CRATEWRIGHT", HeadingStyle);
    drawTextCentred(p, Centre, 150, "A CRATE-PUSHING PUZZLE", BodyStyle);
    drawTextCentred(p, Centre, 212, "LEVELS BY", BodyStyle);
    drawTextCentred(p, Centre, 246, "LEVELKIT", HeadingStyle);
    drawTextCentred(p, Centre, 308, "PICTURES AND SOUNDS BY", BodyStyle);
    drawTextCentred(p, Centre, 342, "ASSETGEN", HeadingStyle);
    drawTextCentred(p, Centre, 392, "OPENGL ES, FREEGLUT, SDL2", HintStyle);
    drawTextCentred(p, Centre, 424, "FREE UNDER THE MIT LICENSE", HintStyle);
    drawTextCentred(p, Centre, 462, "LEFT: BACK", BodyStyle);
    return p;
}

Picture makeEnd()
{
    Picture p = nightGround(ScreenPictureSize);
    drawTextCentred(p, Centre, 60, "WELL DONE!", TitleStyle);
    drawTextCentred(p, Centre, 150, "ALL 100 LEVELS", HeadingStyle);
    drawTextCentred(p, Centre, 196, "SOLVED", HeadingStyle);
    drawCrateRow(p, makeSiteCrate(), 2, 262, 3);
    drawTextCentred(p, Centre, 390, "THE STOREHOUSE IS IN ORDER", BodyStyle);
    drawTextCentred(p, Centre, 450, "ENTER: MENU", BodyStyle);
    return p;
}
