// Reading ".tex" files: the colour order, the messages, and every picture
// shape the loader refuses rather than trusting.
#include "assets/bitmap.h"
#include "core/state.h"
#include "tests/assets/bitmap_file.h"
#include "tests/support/platform_double.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

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
    // Loads the bytes as "Shape.tex"; the pixels (to be freed) or null with the one message.
    uint8_t *load(const std::vector<uint8_t> &file, const char *refusal = nullptr)
    {
        WriteBytes(dir + "/Shape.tex", file);
        platformRecord = PlatformRecord{};
        uint8_t *pixels = LoadBitmap("Shape.tex", info);
        EXPECT_EQ(pixels == nullptr, refusal != nullptr);
        EXPECT_EQ(platformRecord.messages.size(), refusal ? 1u : 0u);
        for (const RecordedMessage &m : platformRecord.messages) {
            EXPECT_EQ(m.text, refusal);
            EXPECT_EQ(m.title, "Error");
        }
        return pixels;
    }
    std::string dir;
    BitmapInfo info{};
};

using Edit = std::function<void(std::vector<uint8_t> &)>;

TEST_F(BitmapLoader, AcceptedPicturesArriveRedGreenBlue)
{
    struct Case {
        const char *what;
        int width, height;
        uint32_t imageSize;
        Edit edit;
    };
    const Case cases[] = {
        {"plain", 4, 4, 48, [](auto &) {}},
        {"16 bytes between the headers and the pixels", 4, 2, 24,
         [](auto &f) { f.insert(f.begin() + 54, 16, 0xEE), PutField(f, DataOffsetField, 70); }},
        {"image size 0: the size of the rows", 8, 2, 48, [](auto &f) { PutField(f, ImageSizeField, 0); }},
        {"padded rows and a larger image size within the file", 2, 2, 20,
         [](auto &f) { f.resize(54 + 20, 0), PutField(f, ImageSizeField, 20); }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<uint8_t> file = SolidBitmapBytes(c.width, c.height, {10, 20, 30});
        c.edit(file);
        uint8_t *pixels = load(file);
        ASSERT_NE(pixels, nullptr);
        EXPECT_EQ(info.width, c.width);
        EXPECT_EQ(info.height, c.height);
        EXPECT_EQ(info.imageSize, c.imageSize);
        // The swap runs over whole triples, row padding included (as it always
        // did): past the first padded row the colours shift, so check that one only.
        const int row = (3 * c.width + 3) / 4 * 4, rows = row == 3 * c.width ? c.height : 1;
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < c.width; ++x) {
                const uint8_t *p = pixels + y * row + 3 * x;
                EXPECT_TRUE(p[0] == 10 && p[1] == 20 && p[2] == 30) << "pixel " << x << ", " << y;
            }
        std::free(pixels);
        // Read in binary from the game's folder, nowhere else.
        ASSERT_EQ(platformRecord.opens.size(), 1u);
        EXPECT_EQ(platformRecord.opens[0].path, dir + "/Shape.tex");
        EXPECT_EQ(platformRecord.opens[0].mode, "rb");
    }
}

TEST_F(BitmapLoader, MissingFileAndPathTooLongAreNotFound)
{
    EXPECT_EQ(LoadBitmap("Absent.tex", info), nullptr);
    EXPECT_EQ(LoadBitmap(std::string(300, 'x').c_str(), info), nullptr);
    ASSERT_EQ(platformRecord.messages.size(), 2u);
    for (const RecordedMessage &m : platformRecord.messages) {
        EXPECT_EQ(m.text, "Can't Find Bitmap");
        EXPECT_EQ(m.title, "Error");
    }
    EXPECT_EQ(platformRecord.opens.size(), 1u);  // the long name was never tried cut down
}

TEST_F(BitmapLoader, RefusesEveryShapeItCannotUpload)
{
    struct Patch {
        size_t field;
        uint32_t value;
        int bytes;
    };
    const Patch patches[] = {
        {0, 0x4D43, 2},                  // not "BM"
        {BitsField, 32, 2},              // four bytes a pixel
        {BitsField, 8, 2},               // a palette picture
        {CompressionField, 1, 4},        // run-length coded
        {WidthField, 0, 4},
        {WidthField, 6, 4},              // not a power of two
        {WidthField, uint32_t(-4), 4},
        {HeightField, 0, 4},
        {HeightField, 3, 4},
        {HeightField, uint32_t(-4), 4},  // top-down pictures are not ours
        {WidthField, 0x40000000, 4},     // rows beyond anything the file holds
        {ImageSizeField, 47, 4},         // one byte short of the rows
        {DataOffsetField, 55, 4},        // the last byte would lie beyond the file
        {DataOffsetField, 1000, 4},      // starts beyond the file
        {DataOffsetField, 0xFFFFFFFF, 4},
        {ImageSizeField, 0xFFFFFFFF, 4}, // more than the file holds
    };
    for (const Patch &p : patches) {
        SCOPED_TRACE(::testing::Message() << "field " << p.field << " = " << p.value);
        std::vector<uint8_t> file = SolidBitmapBytes(4, 4, {9, 9, 9});
        PutField(file, p.field, p.value, p.bytes);
        load(file, "Incorrect texture type");
    }
    // Files cut short: empty, one byte, inside the info header, one pixel byte missing.
    for (size_t size : {0, 1, 30, 54 + 47}) {
        SCOPED_TRACE(::testing::Message() << size << " bytes");
        std::vector<uint8_t> file = SolidBitmapBytes(4, 4, {9, 9, 9});
        file.resize(size);
        load(file, "Incorrect texture type");
    }
}

}  // namespace
