#include "tests/assets/bitmap_file.h"

#include <fstream>
#include <stdexcept>

BitmapBytes BitmapBytes::Solid(int width, int height, Rgb colour)
{
    const std::string dir = MakeTempFolder();
    WriteSolidBitmap(dir + "/solid.tex", width, height, colour);
    const std::string text = ReadTextFile(dir + "/solid.tex");
    RemoveTree(dir);
    return BitmapBytes{std::vector<uint8_t>(text.begin(), text.end())};
}

void BitmapBytes::Put16(size_t at, uint16_t value)
{
    bytes.at(at) = value & 0xFF;
    bytes.at(at + 1) = value >> 8;
}

void BitmapBytes::Put32(size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i) bytes.at(at + i) = (value >> (8 * i)) & 0xFF;
}

void BitmapBytes::Write(const std::string &path) const
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}
