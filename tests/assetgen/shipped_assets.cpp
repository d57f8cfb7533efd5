#include "tests/assetgen/shipped_assets.h"

#include "tests/support/platform_double.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

std::string DataFolder() { return std::string(CW_SOURCE_DIR) + "/data/"; }

const char *const ShippedFiles[22] = {
    "Ground.tex", "Crate.tex", "Site.tex", "Static.tex", "UArrow.tex", "RArrow.tex", "DArrow.tex",
    "LArrow.tex", "Menu.tex", "SiteCrate.tex", "comp.tex", "credits.tex", "UArrowMask.tex",
    "RArrowMask.tex", "DArrowMask.tex", "LArrowMask.tex", "dpad.tex", "options.tex", "off.tex", "end.tex",
    "Menu.wav", "Complete.wav",
};

Texel ShippedPicture::at(int x, int row) const
{
    const size_t rowBytes = BitmapRowBytes(info.width);
    const uint8_t *p = &rgb[size_t(info.height - 1 - row) * rowBytes + size_t(x) * 3];
    return {p[0], p[1], p[2]};
}

uint32_t LittleEndian(const std::string &bytes, size_t at, int size)
{
    uint32_t v = 0;
    for (int i = size - 1; i >= 0; --i) v = v << 8 | uint8_t(bytes[at + i]);
    return v;
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
