// Bitmap files patched field by field, for the loader's bad-input cases.
#pragma once

#include "tests/support/test_files.h"

#include <cstdint>
#include <string>

// Field offsets of the file and info headers.
enum BitmapField : size_t { DataOffsetField = 10, WidthField = 18, HeightField = 22, BitsField = 28,
                            CompressionField = 30, ImageSizeField = 34 };

// The picture with value stored little-endian in the `bytes` bytes from `at`.
inline std::string Patched(std::string file, size_t at, uint32_t value, int bytes = 4)
{
    for (int i = 0; i < bytes; ++i) file.at(at + i) = char(value >> (8 * i));
    return file;
}
