// Reading ".tex" files: the colour order, the messages, and every picture
// shape the loader refuses rather than trusting.
#include "assets/bitmap.h"
#include "core/state.h"
#include "tests/assets/bitmap_file.h"
#include "tests/support/platform_double.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class BitmapLoader : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetGameState();
        ResetPlatformDouble();
        dir = MakeTempFolder();
        SetGameFolder(dir);
    }
    void TearDown() override
    {
        if (!HasFailure()) RemoveTree(dir);
    }
    // The file loaded as "Shape.tex": its pixels, or null with the one message.
    uint8_t *load(const std::string &file, const char *refusal = nullptr)
    {
        WriteTextFile(dir + "/Shape.tex", file);
        platformRecord = PlatformRecord{};
        uint8_t *pixels = LoadBitmap("Shape.tex", info);
        std::string shown;
        for (const RecordedMessage &m : platformRecord.messages) shown += m.text + "|" + m.title;
        EXPECT_EQ(shown, refusal ? std::string(refusal) + "|Error" : "");
        EXPECT_EQ(pixels == nullptr, refusal != nullptr);
        return pixels;
    }
    std::string dir;
    BitmapInfo info{};
};

TEST_F(BitmapLoader, AcceptedPicturesArriveRedGreenBlue)
{
    const std::string plain = SolidBitmap(4, 4, {10, 20, 30}), small = SolidBitmap(2, 2, {10, 20, 30});
    // The picture, and the image size the loader reports: 0 counts the rows, a
    // larger size is fine within the file, rows of two pixels are padded to
    // eight bytes, and the data may start late.
    const std::pair<std::string, uint32_t> cases[] = {
        {plain, 48}, {Patched(plain, ImageSizeField, 0), 48}, {Patched(plain + "xy", ImageSizeField, 50), 50},
        {Patched(Patched(small.substr(0, 54) + std::string(16, 'e') + small.substr(54), DataOffsetField, 70), ImageSizeField, 0), 16}};
    for (const auto &[file, imageSize] : cases) {
        uint8_t *pixels = load(file);
        ASSERT_NE(pixels, nullptr);
        EXPECT_EQ(info.imageSize, imageSize);
        EXPECT_TRUE(pixels[0] == 10 && pixels[1] == 20 && pixels[2] == 30 && pixels[3] == 10);
        // The swap runs over whole triples, row padding included: past a padded row the colours shift.
        if (info.width == 2) EXPECT_TRUE(pixels[6] == 30 && pixels[8] == 0);
        else EXPECT_TRUE(pixels[45] == 10 && pixels[47] == 30);
        std::free(pixels);
        ASSERT_EQ(platformRecord.opens.size(), 1u);  // in binary, from the game's folder
        EXPECT_EQ(platformRecord.opens[0].path + " " + platformRecord.opens[0].mode, dir + "/Shape.tex rb");
    }
    // Two halves, twice as wide as high: each pixel in its place and swapped, the buffer's last one too.
    uint8_t *halves = load(HalvesBitmap(4, 2, {10, 20, 30}, {40, 50, 60}));
    ASSERT_NE(halves, nullptr);
    EXPECT_TRUE(info.width == 4 && info.height == 2) << info.width << " x " << info.height;
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(halves[3 * i] == (i % 4 < 2 ? 10 : 40) && halves[3 * i + 2] == (i % 4 < 2 ? 30 : 60)) << "pixel " << i;
    std::free(halves);
    EXPECT_EQ(LoadBitmap("Absent.tex", info), nullptr);
    EXPECT_EQ(LoadBitmap(std::string(300, 'x').c_str(), info), nullptr);  // never tried cut short
    ASSERT_EQ(platformRecord.messages.size(), 2u);
    EXPECT_EQ(platformRecord.messages[1].text + "|" + platformRecord.messages[1].title, "Can't Find Bitmap|Error");
    EXPECT_EQ(platformRecord.opens.size(), 2u);
}

TEST_F(BitmapLoader, RefusesEveryShapeItCannotUpload)
{
    const std::string plain = SolidBitmap(4, 4, {9, 9, 9});
    const std::string refused[] = {
        Patched(plain, 0, 0x4D43, 2),             // not "BM"
        Patched(plain, BitsField, 32, 2),         // four bytes a pixel
        Patched(plain, CompressionField, 1),      // run-length coded
        Patched(plain, WidthField, 0),            Patched(plain, WidthField, 6),  // no width, not a power of two
        Patched(plain, HeightField, 3),           Patched(plain, HeightField, uint32_t(-4)),  // top-down is not ours
        Patched(plain, WidthField, 0x40000000),   // rows beyond anything the file holds
        Patched(plain, ImageSizeField, 47),       // one byte short of the rows
        Patched(plain, DataOffsetField, 55),      // the last byte would lie beyond the file
        Patched(plain, DataOffsetField, 0xFFFFFFFF), Patched(plain, ImageSizeField, 0xFFFFFFFF),
        plain.substr(0, 1), plain.substr(0, 30), plain.substr(0, 54 + 47)};  // cut short
    for (const std::string &file : refused) load(file, "Incorrect texture type");
}

}  // namespace
