// Every shipped picture loads as the game loads it, in the sizes GL ES takes;
// the play-scene tiles tile, differ and stand out where the player needs them.
#include "tests/assetgen/shipped_assets.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

const char *const Pictures[20] = {
    "Ground.tex", "Crate.tex", "Site.tex", "Static.tex", "UArrow.tex", "RArrow.tex", "DArrow.tex",
    "LArrow.tex", "Menu.tex", "SiteCrate.tex", "comp.tex", "credits.tex", "UArrowMask.tex",
    "RArrowMask.tex", "DArrowMask.tex", "LArrowMask.tex", "dpad.tex", "options.tex", "off.tex", "end.tex",
};

bool powerOfTwo(int n) { return n > 0 && (n & (n - 1)) == 0; }

uint32_t read32(const std::string &b, size_t at)
{
    return uint32_t(uint8_t(b[at])) | uint32_t(uint8_t(b[at + 1])) << 8 | uint32_t(uint8_t(b[at + 2])) << 16 |
           uint32_t(uint8_t(b[at + 3])) << 24;
}

TEST(ShippedPictures, EveryFileIsAnUncompressedPowerOfTwoBitmap)
{
    for (const char *name : Pictures) {
        const ShippedPicture p = LoadShippedPicture(name);
        EXPECT_EQ(p.info.headerSize, 40u) << name;
        EXPECT_EQ(p.info.bitsPerPixel, 24) << name;
        EXPECT_EQ(p.info.compression, 0u) << name;
        EXPECT_EQ(p.info.planes, 1) << name;
        EXPECT_TRUE(powerOfTwo(p.width()) && powerOfTwo(p.height())) << name << " is " << p.width() << "x"
                                                                        << p.height();
        EXPECT_EQ(p.info.imageSize, BitmapRowBytes(p.width()) * uint64_t(p.height())) << name;
        // The parts of the file header the loader skips must still be right
        // for any other program that opens the picture.
        std::ifstream in(DataFolder() + name, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        ASSERT_GE(bytes.size(), 54u) << name;
        EXPECT_EQ(read32(bytes, 2), bytes.size()) << name << ": file size field";
        EXPECT_EQ(read32(bytes, 10), 54u) << name << ": pixel data offset";
        EXPECT_EQ(bytes.size(), 54u + p.info.imageSize) << name;
    }
}

// The mean difference across the picture's wrap-round edges compared with
// the mean difference between neighbours inside it: a seam stands out.
TEST(GroundPicture, RepeatsWithoutASeam)
{
    const ShippedPicture g = LoadShippedPicture("Ground.tex");
    const int w = g.width(), h = g.height();
    ASSERT_GT(w, 0);
    long inner = 0, innerCount = 0, wrap = 0, wrapCount = 0;
    for (int row = 0; row < h; ++row)
        for (int x = 0; x < w; ++x) {
            const int d = ColourDistance(g.at(x, row), g.at((x + 1) % w, row)) +
                          ColourDistance(g.at(x, row), g.at(x, (row + 1) % h));
            if (x == w - 1 || row == h - 1) {
                wrap += d;
                ++wrapCount;
            } else {
                inner += d;
                ++innerCount;
            }
        }
    const double innerMean = double(inner) / innerCount, wrapMean = double(wrap) / wrapCount;
    EXPECT_LT(wrapMean, innerMean * 1.5 + 1.0) << "edge " << wrapMean << " against inside " << innerMean;
}

Texel meanColour(const ShippedPicture &p)
{
    long r = 0, g = 0, b = 0;
    for (int row = 0; row < p.height(); ++row)
        for (int x = 0; x < p.width(); ++x) {
            const Texel t = p.at(x, row);
            r += t.r;
            g += t.g;
            b += t.b;
        }
    const long n = long(p.width()) * p.height();
    return {uint8_t(r / n), uint8_t(g / n), uint8_t(b / n)};
}

TEST(TilePictures, ACrateOnItsSiteLooksClearlyUnlikeOneOff)
{
    const Texel plain = meanColour(LoadShippedPicture("Crate.tex"));
    const Texel done = meanColour(LoadShippedPicture("SiteCrate.tex"));
    EXPECT_GT(ColourDistance(plain, done), 120);
}

// The floor of the play scene is the ground picture; crates, walls and sites
// must stand off it, and a site must show through its own strong marking.
TEST(TilePictures, PiecesStandOutFromTheGround)
{
    const Texel ground = meanColour(LoadShippedPicture("Ground.tex"));
    for (const char *name : {"Crate.tex", "SiteCrate.tex", "Static.tex", "Site.tex"}) {
        const ShippedPicture p = LoadShippedPicture(name);
        int standing = 0;
        for (int row = 0; row < p.height(); ++row)
            for (int x = 0; x < p.width(); ++x) standing += ColourDistance(p.at(x, row), ground) > 150;
        EXPECT_GT(standing, p.width() * p.height() / 4) << name << " is hard to tell from the floor";
    }
}

}  // namespace
