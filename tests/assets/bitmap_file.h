// Bitmap files patched field by field, for the loader's bad-input cases.
#pragma once

#include "tests/support/test_files.h"

#include <cstdint>
#include <string>
#include <vector>

struct BitmapBytes {
    std::vector<uint8_t> bytes;

    // A solid-colour width x height picture as WriteSolidBitmap makes it.
    static BitmapBytes Solid(int width, int height, Rgb colour);
    void Put16(size_t at, uint16_t value);
    void Put32(size_t at, uint32_t value);
    void Write(const std::string &path) const;
};

// Field offsets of the file and info headers.
enum BitmapField : size_t {
    MagicField = 0,
    DataOffsetField = 10,
    WidthField = 18,
    HeightField = 22,
    BitsField = 28,
    CompressionField = 30,
    ImageSizeField = 34,
};
