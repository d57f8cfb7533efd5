// Every shipped picture loads as the game loads it, in the sizes GL ES takes;
// the play-scene tiles tile, differ and stand out where the player needs them.
#include "tests/assetgen/shipped_assets.h"
#include "tests/support/test_files.h"

#include <gtest/gtest.h>

namespace {

TEST(ShippedPictures, EveryFileIsAnUncompressedPowerOfTwoBitmap)
{
    for (int i = 0; i < 20; ++i) {
        const char *name = ShippedFiles[i];
        const ShippedPicture p = LoadShippedPicture(name);
        const int w = p.width(), h = p.height();
        EXPECT_TRUE(w > 0 && h > 0 && (w & (w - 1)) == 0 && (h & (h - 1)) == 0) << name << " is " << w << "x" << h;
        EXPECT_EQ(p.info.headerSize, 40u) << name;
        EXPECT_EQ(p.info.planes, 1) << name;
        EXPECT_EQ(p.info.imageSize, BitmapRowBytes(w) * uint64_t(h)) << name;
        // The parts of the file header the loader skips must still be right
        // for any other program that opens the picture.
        const std::string bytes = ReadTextFile(DataFolder() + name);
        ASSERT_GE(bytes.size(), 54u) << name;
        EXPECT_EQ(bytes.compare(0, 2, "BM"), 0) << name;
        EXPECT_EQ(LittleEndian(bytes, 2, 4), bytes.size()) << name << ": file size field";
        EXPECT_EQ(LittleEndian(bytes, 10, 4), 54u) << name << ": pixel data offset";
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
    double sum[2] = {0, 0}, count[2] = {0, 0};  // inside, across the wrap
    for (int row = 0; row < h; ++row)
        for (int x = 0; x < w; ++x) {
            const bool wrap = x == w - 1 || row == h - 1;
            sum[wrap] += ColourDistance(g.at(x, row), g.at((x + 1) % w, row)) +
                         ColourDistance(g.at(x, row), g.at(x, (row + 1) % h));
            ++count[wrap];
        }
    EXPECT_LT(sum[1] / count[1], sum[0] / count[0] * 1.5 + 1.0) << "a seam at the picture's edge";
}

Texel meanColour(const ShippedPicture &p)
{
    long c[3] = {0, 0, 0}, n = long(p.width()) * p.height();
    for (int row = 0; row < p.height(); ++row)
        for (int x = 0; x < p.width(); ++x) c[0] += p.at(x, row).r, c[1] += p.at(x, row).g, c[2] += p.at(x, row).b;
    return {uint8_t(c[0] / n), uint8_t(c[1] / n), uint8_t(c[2] / n)};
}

// Crates, walls and sites stand off the floor (the ground picture), and a
// crate on its site looks clearly unlike one off it.
TEST(TilePictures, PiecesStandOutFromTheGroundAndFromEachOther)
{
    const Texel ground = meanColour(LoadShippedPicture("Ground.tex"));
    for (const char *name : {"Crate.tex", "SiteCrate.tex", "Static.tex", "Site.tex"}) {
        const ShippedPicture p = LoadShippedPicture(name);
        int standing = 0;
        for (int row = 0; row < p.height(); ++row)
            for (int x = 0; x < p.width(); ++x) standing += ColourDistance(p.at(x, row), ground) > 150;
        EXPECT_GT(standing, p.width() * p.height() / 4) << name << " is hard to tell from the floor";
    }
    EXPECT_GT(ColourDistance(meanColour(LoadShippedPicture("Crate.tex")), meanColour(LoadShippedPicture("SiteCrate.tex"))),
              120);
}

}  // namespace
