// The direction pad against the stylus: every button drawn on "dpad.tex"
// lands inside the tap region that answers to it, on every laid-out size, and
// every region has its button.
#include "tests/assetgen/shipped_assets.h"

#include <gtest/gtest.h>

namespace {

// Buttons are lit; the pad's ground between them stays dark.
constexpr int InkLuminance = 70;

enum PadRegion { LeftArrow, RightArrow, TopArrow, BottomArrow, MenuCorner, Centre, QuitCorner, RegionCount };
const char *const RegionNames[RegionCount] = {"left arrow", "right arrow", "top arrow", "bottom arrow",
                                              "menu corner", "centre", "quit corner"};

// The game's pad regions as pixel rectangles (x0, x1, y0, y1, inclusive), for
// the sizes of LaidOutSizes in the same order.
const PixelRect PadRegions[6][RegionCount] = {
    {{29, 75, 267, 305}, {161, 207, 267, 305}, {93, 144, 257, 279}, {93, 144, 298, 319},
     {1, 35, 305, 319}, {102, 134, 284, 293}, {205, 239, 305, 319}},  // 240 x 320
    {{58, 152, 534, 611}, {322, 416, 534, 611}, {186, 289, 514, 558}, {186, 289, 596, 639},
     {1, 70, 609, 639}, {203, 269, 568, 586}, {410, 479, 609, 639}},  // 480 x 640
    {{29, 75, 201, 229}, {161, 207, 201, 229}, {93, 144, 193, 209}, {93, 144, 224, 239},
     {1, 35, 229, 239}, {102, 134, 213, 219}, {205, 239, 229, 239}},  // 240 x 240
    {{58, 152, 401, 458}, {322, 416, 401, 458}, {186, 289, 386, 418}, {186, 289, 447, 479},
     {1, 70, 457, 479}, {203, 269, 426, 439}, {410, 479, 457, 479}},  // 480 x 480
    {{89, 123, 201, 229}, {196, 223, 201, 229}, {133, 184, 193, 209}, {133, 184, 224, 239},
     {63, 91, 227, 239}, {149, 172, 211, 217}, {225, 255, 227, 239}},  // 320 x 240
    {{177, 248, 401, 458}, {391, 447, 401, 458}, {266, 370, 386, 418}, {266, 370, 447, 479},
     {125, 184, 454, 479}, {297, 344, 421, 435}, {449, 511, 454, 479}},  // 640 x 480
};

// Every lit texel lands in a region and every region has its button. The
// arrows point the way they sit (checked on 480 x 640, the finest portrait):
// a triangle's bright head holds more ink on the side of its base than of its
// tip. The pad's meanings turn during play; the picture shows plain screen
// directions.
TEST(PadPicture, EveryButtonLandsInsideItsTapRegionAndArrowsPointOutward)
{
    const ShippedPicture pad = LoadShippedPicture("dpad.tex");
    ASSERT_GT(pad.width(), 0);
    constexpr int ArrowHeadLuminance = 180;  // brighter than the plates
    for (int size = 0; size < 6; ++size) {
        const ScreenSize &s = LaidOutSizes[size];
        const OverlayRect where = {PictureLeft(s), PictureRight(s), 0, 13107};
        int lit[RegionCount] = {}, beforeMiddle[RegionCount] = {}, afterMiddle[RegionCount] = {};
        for (int row = 0; row < pad.height(); ++row)
            for (int x = 0; x < pad.width(); ++x) {
                const int luminance = Luminance(pad.at(x, row));
                if (luminance < InkLuminance) continue;
                const PixelRect f = TexelFootprint(pad, x, row, where, s.width, s.height);
                int hit = -1;
                for (int r = 0; r < RegionCount && hit < 0; ++r)
                    if (PadRegions[size][r].holds(f)) hit = r;
                ASSERT_GE(hit, 0) << s.width << "x" << s.height << ": lit texel " << x << "," << row
                                  << " lands on screen " << f.x0 << ".." << f.x1 << "," << f.y0 << ".." << f.y1
                                  << ", where no tap of the pad answers";
                ++lit[hit];
                if (luminance < ArrowHeadLuminance) continue;
                const PixelRect &g = PadRegions[size][hit];
                const double along = hit == LeftArrow || hit == RightArrow ? f.x0 + f.x1 - g.x0 - g.x1
                                                                           : f.y0 + f.y1 - g.y0 - g.y1;
                ++(along < 0 ? beforeMiddle : afterMiddle)[hit];
            }
        for (int r = 0; r < RegionCount; ++r)
            EXPECT_GT(lit[r], 60) << s.width << "x" << s.height << ": the " << RegionNames[r] << " has no button";
        if (size != 1) continue;
        for (int r : {LeftArrow, RightArrow, TopArrow, BottomArrow}) {
            ASSERT_GT(beforeMiddle[r] + afterMiddle[r], 100) << RegionNames[r] << " shows no arrow";
            EXPECT_EQ(beforeMiddle[r] < afterMiddle[r], r == LeftArrow || r == TopArrow)
                << RegionNames[r] << " points the wrong way";
        }
    }
}

}  // namespace
