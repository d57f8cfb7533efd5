// The keeper's arrows and their masks: the mask clears exactly the arrow's
// shape, and each arrow points where the keeper went, on the floor and (for
// "RArrow.tex") on the menu.
#include "tests/assetgen/shipped_assets.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Directions in the picture as a person looks at it: right is s up, up is t up.
enum Way { PictureRight, PictureUp, PictureLeft, PictureDown, NoWay };
const char *const WayNames[] = {"right", "up", "left", "down", "nowhere"};

struct ArrowPair {
    std::string arrow, mask;
    const char *facing;
    // The screen direction of the key that gives this facing during play.
    Way keyOnScreen;
};

// Left key -> MoveUp -> facing Up; up key -> MoveRight; right key -> MoveDown;
// down key -> MoveLeft.
const ArrowPair Arrows[] = {
    {"UArrow.tex", "UArrowMask.tex", "Up", PictureLeft},
    {"RArrow.tex", "RArrowMask.tex", "Right", PictureUp},
    {"DArrow.tex", "DArrowMask.tex", "Down", PictureRight},
    {"LArrow.tex", "LArrowMask.tex", "Left", PictureDown},
};

bool inShape(const ShippedPicture &mask, int x, int row)
{
    return mask.at(x, row).r < 128;
}

// The way the arrow's tip points: the one side where the shape ends in a
// point (a short run of ink on its outermost line) while the opposite side
// ends flat (a long run, the tail).
Way tipOf(const ShippedPicture &mask)
{
    const int n = mask.width();
    int first[4] = {-1, -1, -1, -1}, last[4] = {-1, -1, -1, -1};  // outermost ink line per side
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            if (inShape(mask, i, j)) {
                if (first[PictureLeft] < 0 || i < first[PictureLeft]) first[PictureLeft] = i;
                if (i > last[PictureRight]) last[PictureRight] = i;
                if (first[PictureUp] < 0 || j < first[PictureUp]) first[PictureUp] = j;
                if (j > last[PictureDown]) last[PictureDown] = j;
            }
    auto runOn = [&](Way side) {
        int run = 0;
        for (int k = 0; k < n; ++k) {
            if (side == PictureRight) run += inShape(mask, last[PictureRight], k);
            if (side == PictureLeft) run += inShape(mask, first[PictureLeft], k);
            if (side == PictureUp) run += inShape(mask, k, first[PictureUp]);
            if (side == PictureDown) run += inShape(mask, k, last[PictureDown]);
        }
        return run;
    };
    Way tip = NoWay;
    for (Way w : {PictureRight, PictureUp, PictureLeft, PictureDown}) {
        const Way back = Way((w + 2) % 4);
        if (runOn(w) <= 3 && runOn(back) >= n / 8) {
            if (tip != NoWay) return NoWay;  // two candidates: not an arrow
            tip = w;
        }
    }
    return tip;
}

// On the floor the keeper's marker is drawn with the top-face layout: corner
// (L, N) has texture (0, 1), (L, F) (0, 0), (R, N) (1, 1), (R, F) (1, 0). So
// s grows with world x and t grows toward -z. The play camera shows world +x
// as the screen's up and +z as the screen's right.
Way onScreenFromFloor(Way inPicture)
{
    switch (inPicture) {
    case PictureRight: return PictureUp;    // +s = +x = screen up
    case PictureUp: return PictureLeft;     // +t = -z = screen left
    case PictureLeft: return PictureDown;   // -s = -x = screen down
    case PictureDown: return PictureRight;  // -t = +z = screen right
    default: return NoWay;
    }
}

TEST(ArrowPictures, EachMaskClearsExactlyTheShapeItsArrowAdds)
{
    for (const ArrowPair &a : Arrows) {
        const ShippedPicture arrow = LoadShippedPicture(a.arrow), mask = LoadShippedPicture(a.mask);
        ASSERT_EQ(arrow.width(), mask.width()) << a.arrow;
        ASSERT_EQ(arrow.height(), mask.height()) << a.arrow;
        int inside = 0, outside = 0;
        for (int row = 0; row < arrow.height(); ++row)
            for (int x = 0; x < arrow.width(); ++x) {
                const Texel m = mask.at(x, row), c = arrow.at(x, row);
                ASSERT_TRUE(m.r == m.g && m.g == m.b) << a.mask << " is not grey at " << x << "," << row;
                const bool black = c.r == 0 && c.g == 0 && c.b == 0;
                if (m.r == 255) {
                    ASSERT_TRUE(black) << a.arrow << " adds colour outside the mask's shape at " << x << "," << row;
                    ++outside;
                } else {
                    ASSERT_FALSE(black) << a.mask << " clears " << x << "," << row << " where the arrow is black";
                    ++inside;
                }
                // Mask then add must never brighten past the arrow's colour
                // on a white floor: the arrow is premultiplied by its cover.
                const int cover = 255 - m.r;
                EXPECT_LE(std::max({c.r, c.g, c.b}), cover + 1) << a.arrow << " at " << x << "," << row;
            }
        EXPECT_GT(inside, arrow.width() * arrow.height() / 8) << a.arrow << " is too thin to read";
        EXPECT_GT(outside, arrow.width() * arrow.height() / 3) << a.arrow << " fills its cell";
    }
}

TEST(ArrowPictures, EdgesStayClearSoTheRepeatedTextureNeverBleeds)
{
    for (const ArrowPair &a : Arrows) {
        const ShippedPicture mask = LoadShippedPicture(a.mask);
        const int n = mask.width();
        for (int k = 0; k < n; ++k)
            for (int edge : {0, 1, n - 2, n - 1}) {
                EXPECT_EQ(mask.at(k, edge).r, 255) << a.mask << " touches its top or bottom edge";
                EXPECT_EQ(mask.at(edge, k).r, 255) << a.mask << " touches its left or right edge";
            }
    }
}

TEST(ArrowPictures, OnTheFloorEachArrowPointsWhereItsKeyMovedTheKeeper)
{
    for (const ArrowPair &a : Arrows) {
        const Way tip = tipOf(LoadShippedPicture(a.mask));
        ASSERT_NE(tip, NoWay) << a.mask << " has no single tip";
        const Way screen = onScreenFromFloor(tip);
        EXPECT_EQ(screen, a.keyOnScreen) << a.arrow << " (facing " << a.facing << ") points " << WayNames[tip]
                                         << " in the picture, " << WayNames[screen] << " on the screen";
    }
}

TEST(ArrowPictures, TheMenuHighlightPointsRightAtTheEntries)
{
    // The menu draws "RArrow.tex" unturned, texture (0, 0) at the bottom left.
    EXPECT_EQ(tipOf(LoadShippedPicture("RArrowMask.tex")), PictureRight);
}

}  // namespace
