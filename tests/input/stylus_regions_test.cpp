// Every pixel of the six screen sizes the stylus knows, classified by the
// region finder that the mouse callback uses, against the inclusive pixel
// rectangles the tap regions must give.
#include "input/regions.h"

#include "core/state.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Size {
    int width, height;
};

// Column order of the rectangles below.
const Size sizes[] = {{240, 320}, {480, 640}, {240, 240}, {480, 480}, {320, 240}, {640, 480}};

// Region, then per size "x0-x1,y0-y1", inclusive. On play, where two regions
// overlap, the earlier row wins.
const char *const pixelRows[] = {
    // region         240x320          480x640          240x240          480x480          320x240          640x480
    "PlayEntry       46-193,122-136   92-387,244-274   46-193,92-102    92-387,183-205   115-213,91-106   230-426,181-212",
    "OptionsEntry    46-193,145-159   92-387,289-319   46-193,109-119   92-387,217-239   115-213,108-119  230-426,215-238",
    "CreditsEntry    46-193,164-178   92-387,327-357   46-193,123-133   92-387,245-267   115-213,124-135  230-426,247-270",
    "QuitEntry       46-193,186-213   92-387,372-427   46-193,140-159   92-387,279-320   115-213,138-159  230-426,275-320",
    "PadLeftArrow    29-75,267-305    58-152,534-611   29-75,201-229    58-152,401-458   89-123,201-229   177-248,401-458",
    "LeftBand        0-119,81-175     0-239,161-351    0-119,61-131     0-239,121-263    0-159,61-131     0-319,121-263",
    "PadRightArrow   161-207,267-305  322-416,534-611  161-207,201-229  322-416,401-458  196-223,201-229  391-447,401-458",
    "RightBand       121-239,81-175   241-479,161-351  121-239,61-131   241-479,121-263  161-319,61-131   321-639,121-263",
    "PadTopArrow     93-144,257-279   186-289,514-558  93-144,193-209   186-289,386-418  133-184,193-209  266-370,386-418",
    "TopBand         0-239,0-63       0-479,0-127      0-239,0-47       0-479,0-95       0-319,0-47       0-639,0-95",
    "PadBottomArrow  93-144,298-319   186-289,596-639  93-144,224-239   186-289,447-479  133-184,224-239  266-370,447-479",
    "LowerBand       0-239,193-255    0-479,385-511    0-239,145-191    0-479,289-383    0-319,145-191    0-639,289-383",
    "MenuCorner      1-35,305-319     1-70,609-639     1-35,229-239     1-70,457-479     63-91,227-239    125-184,454-479",
    "PadCentre       102-134,284-293  203-269,568-586  102-134,213-219  203-269,426-439  149-172,211-217  297-344,421-435",
    "QuitCorner      205-239,305-319  410-479,609-639  205-239,229-239  410-479,457-479  225-255,227-239  449-511,454-479",
};

const std::map<std::string, StylusRegion> regionNames = {
    {"PlayEntry", StylusRegion::PlayEntry},         {"OptionsEntry", StylusRegion::OptionsEntry},
    {"CreditsEntry", StylusRegion::CreditsEntry},   {"QuitEntry", StylusRegion::QuitEntry},
    {"PadLeftArrow", StylusRegion::PadLeftArrow},   {"LeftBand", StylusRegion::LeftBand},
    {"PadRightArrow", StylusRegion::PadRightArrow}, {"RightBand", StylusRegion::RightBand},
    {"PadTopArrow", StylusRegion::PadTopArrow},     {"TopBand", StylusRegion::TopBand},
    {"PadBottomArrow", StylusRegion::PadBottomArrow}, {"LowerBand", StylusRegion::LowerBand},
    {"MenuCorner", StylusRegion::MenuCorner},       {"PadCentre", StylusRegion::PadCentre},
    {"QuitCorner", StylusRegion::QuitCorner},
};

struct Rect {
    StylusRegion region;
    int x0, x1, y0, y1;
    bool holds(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

std::string nameOf(StylusRegion region)
{
    for (const auto &entry : regionNames)
        if (entry.second == region) return entry.first;
    return "no region";
}

// The rectangles of one size column, in table order.
std::vector<Rect> rectsFor(int column)
{
    std::vector<Rect> rects;
    for (const char *line : pixelRows) {
        std::istringstream row(line);
        std::string name, cell;
        row >> name;
        for (int c = 0; c <= column; ++c) row >> cell;
        Rect rect{regionNames.at(name), 0, 0, 0, 0};
        char dash1, comma, dash2;
        std::istringstream(cell) >> rect.x0 >> dash1 >> rect.x1 >> comma >> rect.y0 >> dash2 >> rect.y1;
        rects.push_back(rect);
    }
    return rects;
}

bool isMenuRegion(StylusRegion region) { return region <= StylusRegion::QuitEntry; }

StylusRegion expectedRegion(const std::vector<Rect> &rects, bool menu, int x, int y)
{
    for (const Rect &rect : rects)
        if (isMenuRegion(rect.region) == menu && rect.holds(x, y)) return rect.region;
    return StylusRegion::None;
}

TEST(StylusRegions, EveryPixelOfTheSixSizesFallsInItsRegion)
{
    for (int column = 0; column < 6; ++column) {
        const Size size = sizes[column];
        const std::vector<Rect> rects = rectsFor(column);
        for (int screen : {int(MainMenu), int(Playing)}) {
            std::map<StylusRegion, int> wrong, hits;
            bool reported = false;
            for (int y = 0; y < size.height; ++y)
                for (int x = 0; x < size.width; ++x) {
                    const StylusRegion want = expectedRegion(rects, screen == MainMenu, x, y);
                    const StylusRegion got = StylusHitAt(screen, size.width, size.height, x, y).region;
                    ++hits[want];
                    if (got != want) {
                        ++wrong[want];
                        if (!reported) {
                            reported = true;
                            ADD_FAILURE() << size.width << "x" << size.height << " screen " << screen << " at ("
                                          << x << ", " << y << "): " << nameOf(got) << " instead of "
                                          << nameOf(want);
                        }
                    }
                }
            for (const auto &entry : wrong)
                ADD_FAILURE() << size.width << "x" << size.height << ": " << entry.second << " of " << hits[entry.first]
                              << " pixels of " << nameOf(entry.first) << " classified wrongly";
            // Every region of the screen holds some pixels on every size.
            EXPECT_EQ(hits.size(), screen == MainMenu ? 5u : 12u) << size.width << "x" << size.height;
        }
    }
}

TEST(StylusRegions, OverlapsGoToThePadArrows)
{
    // Where the bottom corners meet the side arrows, the arrow wins.
    for (int x = 29; x <= 35; ++x)
        EXPECT_EQ(StylusHitAt(Playing, 240, 320, x, 305).region, StylusRegion::PadLeftArrow) << x;
    EXPECT_EQ(StylusHitAt(Playing, 240, 320, 28, 305).region, StylusRegion::MenuCorner);
    EXPECT_EQ(StylusHitAt(Playing, 240, 320, 30, 306).region, StylusRegion::MenuCorner);
    for (int x = 205; x <= 207; ++x)
        EXPECT_EQ(StylusHitAt(Playing, 240, 320, x, 305).region, StylusRegion::PadRightArrow) << x;
}

TEST(StylusRegions, OnlyTheListedSizesHaveALayout)
{
    EXPECT_EQ(StylusLayoutFor(240, 320), StylusLayout::Portrait);
    EXPECT_EQ(StylusLayoutFor(480, 480), StylusLayout::Portrait);
    EXPECT_EQ(StylusLayoutFor(640, 480), StylusLayout::Landscape);
    for (Size other : {Size{800, 480}, Size{800, 600}, Size{320, 320}, Size{0, 0}, Size{241, 320}}) {
        EXPECT_EQ(StylusLayoutFor(other.width, other.height), StylusLayout::None);
        EXPECT_EQ(StylusHitAt(Playing, other.width, other.height, 10, 10).region, StylusRegion::None);
    }
}

}  // namespace
