// Reading ".tex" files: the colour order, the messages, and every picture
// shape the loader refuses rather than trusting.
#include "assets/bitmap.h"
#include "core/state.h"
#include "tests/assets/bitmap_file.h"
#include "tests/support/platform_double.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

struct FreeDeleter {
    void operator()(uint8_t *p) const { std::free(p); }
};
using Pixels = std::unique_ptr<uint8_t, FreeDeleter>;

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
    Pixels load(const char *name) { return Pixels(LoadBitmap(name, info)); }
    // The file is refused with the one message, and nothing is handed back.
    void expectRefused(const BitmapBytes &file, const char *message)
    {
        file.Write(dir + "/Shape.tex");
        platformRecord.messages.clear();
        EXPECT_EQ(load("Shape.tex"), nullptr);
        ASSERT_EQ(platformRecord.messages.size(), 1u);
        EXPECT_EQ(platformRecord.messages[0].text, message);
        EXPECT_EQ(platformRecord.messages[0].title, "Error");
    }
    std::string dir;
    BitmapInfo info{};
};

TEST_F(BitmapLoader, TurnsBlueGreenRedIntoRedGreenBlue)
{
    WriteSolidBitmap(dir + "/Red.tex", 4, 4, {255, 0, 0});
    Pixels pixels = load("Red.tex");
    ASSERT_NE(pixels, nullptr);
    EXPECT_TRUE(platformRecord.messages.empty());
    EXPECT_EQ(info.width, 4);
    EXPECT_EQ(info.height, 4);
    EXPECT_EQ(info.imageSize, 48u);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(pixels.get()[3 * i], 0xFF) << "pixel " << i;
        EXPECT_EQ(pixels.get()[3 * i + 1], 0x00) << "pixel " << i;
        EXPECT_EQ(pixels.get()[3 * i + 2], 0x00) << "pixel " << i;
    }
    // Read in binary from the game's folder, nowhere else.
    ASSERT_EQ(platformRecord.opens.size(), 1u);
    EXPECT_EQ(platformRecord.opens[0].path, dir + "/Red.tex");
    EXPECT_EQ(platformRecord.opens[0].mode, "rb");
}

TEST_F(BitmapLoader, ReadsThePixelsWhereTheOffsetSays)
{
    // 16 bytes of something else between the headers and the pixels.
    BitmapBytes file = BitmapBytes::Solid(4, 2, {10, 20, 30});
    file.bytes.insert(file.bytes.begin() + 54, 16, 0xEE);
    file.Put32(DataOffsetField, 70);
    file.Write(dir + "/Gap.tex");
    Pixels pixels = load("Gap.tex");
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(pixels.get()[0], 10);
    EXPECT_EQ(pixels.get()[1], 20);
    EXPECT_EQ(pixels.get()[2], 30);
    EXPECT_EQ(pixels.get()[23], 30);
}

TEST_F(BitmapLoader, ImageSizeZeroMeansTheSizeOfTheRows)
{
    BitmapBytes file = BitmapBytes::Solid(8, 2, {1, 2, 3});
    file.Put32(ImageSizeField, 0);
    file.Write(dir + "/Zero.tex");
    Pixels pixels = load("Zero.tex");
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(info.imageSize, 48u);
    EXPECT_EQ(pixels.get()[45], 1);
}

TEST_F(BitmapLoader, MissingFileAndPathTooLongAreNotFound)
{
    EXPECT_EQ(load("Absent.tex"), nullptr);
    const std::string longName(300, 'x');
    EXPECT_EQ(load(longName.c_str()), nullptr);
    ASSERT_EQ(platformRecord.messages.size(), 2u);
    for (const RecordedMessage &m : platformRecord.messages) {
        EXPECT_EQ(m.text, "Can't Find Bitmap");
        EXPECT_EQ(m.title, "Error");
    }
    // The long name was never tried as a cut-down path.
    EXPECT_EQ(platformRecord.opens.size(), 1u);
}

TEST_F(BitmapLoader, RefusesWhatIsNotABitmap)
{
    BitmapBytes file = BitmapBytes::Solid(4, 4, {0, 0, 0});
    file.Put16(MagicField, 0x4D43);
    expectRefused(file, "Incorrect texture type");
    expectRefused(BitmapBytes{{'B'}}, "Incorrect texture type");
    expectRefused(BitmapBytes{{}}, "Incorrect texture type");
    BitmapBytes headerOnly = BitmapBytes::Solid(4, 4, {0, 0, 0});
    headerOnly.bytes.resize(30);  // the info header cut short
    expectRefused(headerOnly, "Incorrect texture type");
}

TEST_F(BitmapLoader, RefusesPicturesItCannotUpload)
{
    struct Patch {
        size_t field;
        uint32_t value;
        bool wide;
    };
    const Patch patches[] = {
        {BitsField, 32, false},          // four bytes a pixel
        {BitsField, 8, false},           // a palette picture
        {CompressionField, 1, true},     // run-length coded
        {WidthField, 0, true},
        {WidthField, 6, true},           // not a power of two
        {WidthField, uint32_t(-4), true},
        {HeightField, 0, true},
        {HeightField, 3, true},
        {HeightField, uint32_t(-4), true},  // top-down pictures are not ours
        {WidthField, 0x40000000, true},  // rows beyond anything the file holds
        {ImageSizeField, 47, true},      // one byte short of the rows
        {DataOffsetField, 55, true},     // the last byte would lie beyond the file
        {DataOffsetField, 1000, true},   // starts beyond the file
        {DataOffsetField, 0xFFFFFFFF, true},
        {ImageSizeField, 0xFFFFFFFF, true},  // more than the file holds
    };
    for (const Patch &p : patches) {
        SCOPED_TRACE(::testing::Message() << "field " << p.field << " = " << p.value);
        BitmapBytes file = BitmapBytes::Solid(4, 4, {9, 9, 9});
        if (p.wide) file.Put32(p.field, p.value);
        else file.Put16(p.field, uint16_t(p.value));
        expectRefused(file, "Incorrect texture type");
    }
    BitmapBytes cut = BitmapBytes::Solid(4, 4, {9, 9, 9});
    cut.bytes.pop_back();
    expectRefused(cut, "Incorrect texture type");
}

TEST_F(BitmapLoader, AcceptsPaddedRowsAndALargerImageSize)
{
    // Two pixels a row: six bytes and two of padding, which GL skips too.
    BitmapBytes file = BitmapBytes::Solid(2, 2, {7, 8, 9});
    file.Put32(ImageSizeField, 16);
    file.bytes.resize(54 + 20, 0);
    file.Put32(ImageSizeField, 20);  // more than the rows need, within the file
    file.Write(dir + "/Padded.tex");
    Pixels pixels = load("Padded.tex");
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(info.imageSize, 20u);
    EXPECT_EQ(pixels.get()[0], 7);
    EXPECT_EQ(pixels.get()[2], 9);
}

}  // namespace
