// Every pixel of the six screen sizes the stylus knows, classified by the
// region finder that the mouse callback uses, against the inclusive pixel
// rectangles the tap regions must give.
#include "input/regions.h"

#include "core/state.h"

#include <gtest/gtest.h>

#include <cstdio>
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

// Row i of the table is region i + 1 of the region list, PlayEntry first.
struct Rect {
    std::string name;
    int x0, x1, y0, y1;
};

// The rectangles of one size column, in table order.
std::vector<Rect> rectsFor(int column)
{
    std::vector<Rect> rects;
    for (const char *line : pixelRows) {
        std::istringstream row(line);
        std::string cell;
        Rect rect;
        row >> rect.name;
        for (int c = 0; c <= column; ++c) row >> cell;
        std::sscanf(cell.c_str(), "%d-%d,%d-%d", &rect.x0, &rect.x1, &rect.y0, &rect.y1);
        rects.push_back(rect);
    }
    return rects;
}

// The first of the four menu rows or of the eleven play rows that holds the
// pixel, as its place in the region list (0: none).
int expectedRegion(const std::vector<Rect> &rects, bool menu, int x, int y)
{
    for (int i = menu ? 0 : 4; i < (menu ? 4 : 15); ++i)
        if (x >= rects[i].x0 && x <= rects[i].x1 && y >= rects[i].y0 && y <= rects[i].y1) return i + 1;
    return 0;
}

TEST(StylusRegions, EveryPixelOfTheSixSizesFallsInItsRegion)
{
    for (int column = 0; column < 6; ++column) {
        const Size size = sizes[column];
        const std::vector<Rect> rects = rectsFor(column);
        const auto name = [&rects](int region) { return region ? rects[region - 1].name : "no region"; };
        for (int screen : {int(MainMenu), int(Playing)}) {
            SCOPED_TRACE(std::to_string(size.width) + "x" + std::to_string(size.height) + " screen " +
                         std::to_string(screen));
            std::map<int, int> wrong, hits;
            for (int y = 0; y < size.height; ++y)
                for (int x = 0; x < size.width; ++x) {
                    const int want = expectedRegion(rects, screen == MainMenu, x, y);
                    const int got = int(StylusHitAt(screen, size.width, size.height, x, y).region);
                    ++hits[want];
                    if (got != want && wrong[want]++ == 0)
                        ADD_FAILURE() << "at (" << x << ", " << y << "): " << name(got) << " instead of " << name(want);
                }
            for (const auto &entry : wrong)
                EXPECT_EQ(entry.second, 0) << "pixels of " << name(entry.first) << " classified wrongly, of "
                                           << hits[entry.first];
            // Every region of the screen holds some pixels on every size.
            EXPECT_EQ(hits.size(), screen == MainMenu ? 5u : 12u);
        }
    }
    // Where the bottom corners meet the side arrows, the arrow wins.
    for (int x = 29; x <= 35; ++x)
        EXPECT_EQ(StylusHitAt(Playing, 240, 320, x, 305).region, StylusRegion::PadLeftArrow) << x;
}

TEST(StylusRegions, OnlyTheListedSizesHaveALayout)
{
    const struct { Size size; StylusLayout layout; } sizeLayouts[] = {
        {{240, 320}, StylusLayout::Portrait}, {{480, 480}, StylusLayout::Portrait},
        {{640, 480}, StylusLayout::Landscape}, {{800, 480}, StylusLayout::None}, {{800, 600}, StylusLayout::None},
        {{320, 320}, StylusLayout::None},     {{0, 0}, StylusLayout::None},      {{241, 320}, StylusLayout::None}};
    for (const auto &row : sizeLayouts) {
        EXPECT_EQ(StylusLayoutFor(row.size.width, row.size.height), row.layout) << row.size.width << "x" << row.size.height;
        EXPECT_EQ(StylusHitAt(Playing, row.size.width, row.size.height, 10, 10).region,
                  row.layout == StylusLayout::None ? StylusRegion::None : StylusRegion::TopBand);
    }
}

}  // namespace
