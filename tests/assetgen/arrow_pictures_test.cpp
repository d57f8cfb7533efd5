// The keeper's arrows and their masks: the mask clears exactly the arrow's
// shape, and each arrow points where the keeper went, on the floor and (for
// "RArrow.tex") on the menu.
#include "tests/assetgen/shipped_assets.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Directions in the picture as a person looks at it: right is s up, up is t up.
enum Way { PictureRight, PictureUp, PictureLeft, PictureDown, NoWay };

// On the floor the marker has the top face's texture layout, so +s is world
// +x (screen up) and +t is world -z (screen left). The left key runs MoveUp
// (facing Up, the screen's left): "UArrow" must point up in its picture; the
// up key (MoveRight, screen up): "RArrow" right; the right key (MoveDown,
// screen right): "DArrow" down; the down key (MoveLeft): "LArrow" left. The
// menu draws "RArrow" unturned, (0, 0) bottom left, pointing at the entries:
// right, the same picture the floor needs.
const struct {
    const char *arrow, *mask;
    Way tip;
} Arrows[] = {
    {"UArrow.tex", "UArrowMask.tex", PictureUp},
    {"RArrow.tex", "RArrowMask.tex", PictureRight},
    {"DArrow.tex", "DArrowMask.tex", PictureDown},
    {"LArrow.tex", "LArrowMask.tex", PictureLeft},
};

// The way the arrow's tip points: the one side where the shape ends in a
// point (a short run of ink on its outermost line) while the opposite side
// ends flat (a long run, the tail).
Way tipOf(const ShippedPicture &mask)
{
    const int n = mask.width();
    auto ink = [&](int x, int row) { return mask.at(x, row).r < 128; };
    int lo[2] = {n, n}, hi[2] = {-1, -1};  // outermost ink column [0] and row [1]
    for (int x = 0; x < n; ++x)
        for (int row = 0; row < n; ++row)
            if (ink(x, row)) {
                lo[0] = std::min(lo[0], x), hi[0] = std::max(hi[0], x);
                lo[1] = std::min(lo[1], row), hi[1] = std::max(hi[1], row);
            }
    auto column = [&](int x) { int c = 0; for (int k = 0; k < n; ++k) c += ink(x, k); return c; };
    auto line = [&](int row) { int c = 0; for (int k = 0; k < n; ++k) c += ink(k, row); return c; };
    const int ends[4] = {column(hi[0]), line(lo[1]), column(lo[0]), line(hi[1])};  // in Way order
    Way tip = NoWay;
    for (int w = 0; w < 4; ++w)
        if (ends[w] <= 3 && ends[(w + 2) % 4] >= n / 8) {
            if (tip != NoWay) return NoWay;  // two candidates: not an arrow
            tip = Way(w);
        }
    return tip;
}

TEST(ArrowPictures, EachMaskClearsExactlyTheShapeItsArrowAddsAwayFromTheEdges)
{
    for (const auto &a : Arrows) {
        const ShippedPicture arrow = LoadShippedPicture(a.arrow), mask = LoadShippedPicture(a.mask);
        ASSERT_EQ(arrow.width(), mask.width()) << a.arrow;
        ASSERT_EQ(arrow.height(), mask.height()) << a.arrow;
        const int n = arrow.width();
        int inside = 0;
        for (int row = 0; row < n; ++row)
            for (int x = 0; x < n; ++x) {
                const Texel m = mask.at(x, row), c = arrow.at(x, row);
                ASSERT_TRUE(m.r == m.g && m.g == m.b) << a.mask << " is not grey at " << x << "," << row;
                const bool black = c.r == 0 && c.g == 0 && c.b == 0;
                ASSERT_EQ(m.r == 255, black) << a.arrow << " and its mask disagree at " << x << "," << row;
                // Mask then add never brightens past the arrow's colour on a
                // white floor: the arrow is premultiplied by its cover.
                EXPECT_LE(std::max({c.r, c.g, c.b}), 255 - m.r + 1) << a.arrow << " at " << x << "," << row;
                // A clear border, so the repeated texture never bleeds.
                if (std::min({x, row, n - 1 - x, n - 1 - row}) < 2) {
                    EXPECT_EQ(m.r, 255) << a.mask << " touches its edge at " << x << "," << row;
                }
                inside += m.r != 255;
            }
        EXPECT_GT(inside, n * n / 8) << a.arrow << " is too thin to read";
        EXPECT_LT(inside, n * n * 2 / 3) << a.arrow << " fills its cell";
    }
}

TEST(ArrowPictures, EachPointsWhereItsKeyMovedTheKeeper)
{
    for (const auto &a : Arrows) EXPECT_EQ(tipOf(LoadShippedPicture(a.mask)), a.tip) << a.mask;
}

}  // namespace
