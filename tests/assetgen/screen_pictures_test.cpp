// The menu and options pictures against the screen: the menu's entries lie
// in the rows the stylus accepts for them and clear of the selection arrow on
// every laid-out size; the options picture's switch lies wholly under the off
// mark in both orientations, and the off mark blends into the picture.
#include "tests/assetgen/shipped_assets.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int InkLuminance = 100;  // text is light on a dark ground

// The tap rectangles of the four entries, pixels inclusive, for the sizes of
// LaidOutSizes in the same order: x range, then y ranges of play, options,
// credits and quit.
struct MenuTaps {
    int x0, x1;
    int rows[4][2];
};
const MenuTaps MenuRegions[6] = {
    {46, 193, {{122, 136}, {145, 159}, {164, 178}, {186, 213}}},   // 240 x 320
    {92, 387, {{244, 274}, {289, 319}, {327, 357}, {372, 427}}},   // 480 x 640
    {46, 193, {{92, 102}, {109, 119}, {123, 133}, {140, 159}}},    // 240 x 240
    {92, 387, {{183, 205}, {217, 239}, {245, 267}, {279, 320}}},   // 480 x 480
    {115, 213, {{91, 106}, {108, 119}, {124, 135}, {138, 159}}},   // 320 x 240
    {230, 426, {{181, 212}, {215, 238}, {247, 270}, {275, 320}}},  // 640 x 480
};
const char *const EntryNames[4] = {"play", "options", "credits", "quit"};

TEST(MenuPicture, EntriesLieInTheirTapRowsAndClearOfTheArrowOnEverySize)
{
    const ShippedPicture menu = LoadShippedPicture("Menu.tex");
    ASSERT_GT(menu.width(), 0);
    for (int size = 0; size < 6; ++size) {
        const ScreenSize &s = LaidOutSizes[size];
        const MenuTaps &taps = MenuRegions[size];
        const OverlayRect where = {PictureLeft(s), PictureRight(s), 9830, 55705};  // 15..85 % of the height
        const PixelRect band = {0, s.width - 1, taps.rows[0][0], taps.rows[3][1]};
        // The selection arrow's columns: 15204..20840 overlay units, landscape 20840..26476.
        const int arrowX0 = (s.landscape ? 20840 : 15204) * s.width / 65536;
        const int arrowX1 = ((s.landscape ? 26476 : 20840) * s.width + 65535) / 65536;
        int inkPerEntry[4] = {0, 0, 0, 0};
        for (int row = 0; row < menu.height(); ++row)
            for (int x = 0; x < menu.width(); ++x) {
                if (Luminance(menu.at(x, row)) < InkLuminance) continue;
                const PixelRect f = TexelFootprint(menu, x, row, where, s.width, s.height);
                if (!band.meets(f)) continue;
                int entry = -1;
                for (int e = 0; e < 4; ++e)
                    if (PixelRect{taps.x0, taps.x1, taps.rows[e][0], taps.rows[e][1]}.holds(f)) entry = e;
                ASSERT_GE(entry, 0) << s.width << "x" << s.height << ": ink at picture " << x << "," << row
                                    << " lands on screen " << f.x0 << "," << f.y0
                                    << " outside every entry's tap region";
                ASSERT_TRUE(f.x1 < arrowX0 || f.x0 > arrowX1)
                    << s.width << "x" << s.height << ": the arrow covers ink at picture " << x << "," << row;
                ++inkPerEntry[entry];
            }
        for (int e = 0; e < 4; ++e)
            EXPECT_GT(inkPerEntry[e], 20) << s.width << "x" << s.height << ": no " << EntryNames[e] << " entry";
    }
}

// The off mark's rectangle in options.tex texels for one orientation.
struct TexelBox {
    double x0, x1, row0, row1;
};

TexelBox offMarkOnOptions(bool landscape, const ShippedPicture &options)
{
    const double picLeft = landscape ? 13107 : 0, picRight = landscape ? 52428 : 65536;
    auto column = [&](double x) { return (x - picLeft) / (picRight - picLeft) * options.width(); };
    auto row = [&](double y) { return (1.0 - y / 65536.0) * options.height(); };
    return {column(landscape ? 39452 : 44040), column(landscape ? 52297 : 58195), row(36241), row(22216)};
}

// The switch lies wholly under the off mark in both orientations; along its
// border the mark shows the picture's own ground, so no box edge appears
// round it, and inside it looks clearly unlike the "on" switch.
TEST(OptionsPicture, TheOffMarkCoversTheSwitchAndBlendsIn)
{
    const ShippedPicture options = LoadShippedPicture("options.tex"), off = LoadShippedPicture("off.tex");
    ASSERT_GT(options.width(), 0);
    ASSERT_GT(off.width(), 0);
    const TexelBox boxes[2] = {offMarkOnOptions(false, options), offMarkOnOptions(true, options)};
    constexpr double Margin = 2.0;  // smoothing reaches a texel or so past the edge
    int covered[2] = {0, 0};
    for (int row = 0; row < options.height(); ++row)
        for (int x = 0; x < options.width(); ++x) {
            if (Luminance(options.at(x, row)) < InkLuminance) continue;
            for (int o = 0; o < 2; ++o) {
                const TexelBox &b = boxes[o];
                const bool inside = x >= b.x0 + Margin && x + 1 <= b.x1 - Margin && row >= b.row0 + Margin &&
                                    row + 1 <= b.row1 - Margin;
                const bool outside = x + 1 <= b.x0 - Margin || x >= b.x1 + Margin || row + 1 <= b.row0 - Margin ||
                                     row >= b.row1 + Margin;
                ASSERT_TRUE(inside || outside) << (o ? "landscape" : "portrait")
                                               << ": the off mark's edge cuts through a drawing at " << x << "," << row;
                covered[o] += inside;
            }
        }
    EXPECT_GT(covered[0], 200) << "nothing of the switch lies under the off mark";
    EXPECT_EQ(covered[0], covered[1]) << "the off mark hides a different part of the picture in landscape";
    const TexelBox &b = boxes[0];
    int borderOff = 0, changed = 0;
    for (int row = 0; row < off.height(); ++row)
        for (int x = 0; x < off.width(); ++x) {
            const Texel under = options.at(int(b.x0 + (x + 0.5) * (b.x1 - b.x0) / off.width()),
                                           int(b.row0 + (row + 0.5) * (b.row1 - b.row0) / off.height()));
            const int d = ColourDistance(off.at(x, row), under);
            if (std::min({x, row, off.width() - 1 - x, off.height() - 1 - row}) < 2)
                borderOff += d > 12;
            else
                changed += d > 120;
        }
    EXPECT_EQ(borderOff, 0) << "texels of the off mark's border differ from the ground under them";
    EXPECT_GT(changed, off.width() * off.height() / 4) << "the off mark hardly changes the switch";
}

}  // namespace
