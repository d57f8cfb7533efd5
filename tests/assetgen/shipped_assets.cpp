#include "tests/assetgen/shipped_assets.h"

#include "tests/support/platform_double.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

std::string DataFolder()
{
    return std::string(CW_SOURCE_DIR) + "/data/";
}

Texel ShippedPicture::at(int x, int row) const
{
    const size_t rowBytes = BitmapRowBytes(info.width);
    const uint8_t *p = &rgb[size_t(info.height - 1 - row) * rowBytes + size_t(x) * 3];
    return {p[0], p[1], p[2]};
}

ShippedPicture LoadShippedPicture(const std::string &name)
{
    ResetPlatformDouble();
    SetGameFolder(std::string(CW_SOURCE_DIR) + "/data");
    ShippedPicture p;
    uint8_t *pixels = LoadBitmap(name.c_str(), p.info);
    EXPECT_TRUE(platformRecord.messages.empty()) << name << ": " << platformRecord.messages[0].text;
    if (!pixels) {
        ADD_FAILURE() << "the game cannot load " << name;
        p.info = BitmapInfo{};
        return p;
    }
    const size_t bytes = BitmapRowBytes(p.info.width) * size_t(p.info.height);
    p.rgb.assign(pixels, pixels + bytes);
    std::free(pixels);
    return p;
}

int Luminance(Texel t)
{
    return (t.r * 77 + t.g * 150 + t.b * 29) >> 8;
}

int ColourDistance(Texel a, Texel b)
{
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

PixelRect TexelFootprint(const ShippedPicture &p, int x, int row, const OverlayRect &where, int width, int height)
{
    // s runs left to right over x0..x1; t runs bottom to top over y0..y1.
    const double s0 = double(x) / p.width(), s1 = double(x + 1) / p.width();
    const double t1 = 1.0 - double(row) / p.height(), t0 = 1.0 - double(row + 1) / p.height();
    const double left = (where.x0 + s0 * (where.x1 - where.x0)) / 65536.0 * width;
    const double right = (where.x0 + s1 * (where.x1 - where.x0)) / 65536.0 * width;
    const double top = (1.0 - (where.y0 + t1 * (where.y1 - where.y0)) / 65536.0) * height;
    const double bottom = (1.0 - (where.y0 + t0 * (where.y1 - where.y0)) / 65536.0) * height;
    return {int(std::floor(left)), int(std::ceil(right)) - 1, int(std::floor(top)), int(std::ceil(bottom)) - 1};
}

const ScreenSize LaidOutSizes[6] = {
    {240, 320, false}, {480, 640, false}, {240, 240, false}, {480, 480, false}, {320, 240, true}, {640, 480, true},
};

int PictureLeft(const ScreenSize &s) { return s.landscape ? 13107 : 0; }
int PictureRight(const ScreenSize &s) { return s.landscape ? 52428 : 65536; }

static uint32_t read32(const std::vector<uint8_t> &b, size_t at)
{
    return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}

static uint16_t read16(const std::vector<uint8_t> &b, size_t at)
{
    return uint16_t(b[at] | b[at + 1] << 8);
}

Wave LoadShippedWave(const std::string &name)
{
    std::ifstream in(DataFolder() + name, std::ios::binary);
    std::vector<uint8_t> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    Wave w;
    if (b.size() < 12 || std::memcmp(&b[0], "RIFF", 4) != 0 || std::memcmp(&b[8], "WAVE", 4) != 0) {
        ADD_FAILURE() << name << " is not a RIFF/WAVE file";
        return w;
    }
    EXPECT_EQ(read32(b, 4), b.size() - 8) << name << ": the RIFF size does not match the file";
    bool haveFormat = false, haveData = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        const uint32_t size = read32(b, at + 4);
        if (at + 8 + size > b.size()) {
            ADD_FAILURE() << name << ": a chunk runs past the end of the file";
            return w;
        }
        if (std::memcmp(&b[at], "fmt ", 4) == 0 && size >= 16) {
            w.format = read16(b, at + 8);
            w.channels = read16(b, at + 10);
            w.sampleRate = read32(b, at + 12);
            w.byteRate = read32(b, at + 16);
            w.blockAlign = read16(b, at + 20);
            w.bitsPerSample = read16(b, at + 22);
            haveFormat = true;
        } else if (std::memcmp(&b[at], "data", 4) == 0) {
            for (size_t i = 0; i + 1 < size; i += 2) w.samples.push_back(int16_t(read16(b, at + 8 + i)));
            haveData = true;
        }
        at += 8 + size + (size & 1);
    }
    EXPECT_TRUE(haveFormat && haveData) << name << " lacks its fmt or data chunk";
    return w;
}
