// Bitmap files patched field by field, for the loader's bad-input cases.
#pragma once

#include "tests/support/test_files.h"

#include <cstdint>
#include <string>
#include <vector>

// Field offsets of the file and info headers.
enum BitmapField : size_t { DataOffsetField = 10, WidthField = 18, HeightField = 22, BitsField = 28,
                            CompressionField = 30, ImageSizeField = 34 };

// A solid-colour picture as WriteSolidBitmap makes it, as bytes.
inline std::vector<uint8_t> SolidBitmapBytes(int width, int height, Rgb colour)
{
    const std::string dir = MakeTempFolder();
    WriteSolidBitmap(dir + "/solid.tex", width, height, colour);
    const std::string text = ReadTextFile(dir + "/solid.tex");
    RemoveTree(dir);
    return {text.begin(), text.end()};
}

// Stores value little-endian in the `bytes` bytes from `at`.
inline void PutField(std::vector<uint8_t> &file, size_t at, uint32_t value, int bytes = 4)
{
    for (int i = 0; i < bytes; ++i) file.at(at + i) = uint8_t(value >> (8 * i));
}

inline void WriteBytes(const std::string &path, const std::vector<uint8_t> &file)
{
    WriteTextFile(path, std::string(file.begin(), file.end()));
}
