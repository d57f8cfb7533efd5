// The desktop icon: the game's crate on the night-blue ground of its screens,
// with the keeper's arrow pushing it. It is drawn once at the largest size and
// shrunk by area for the others, so every size shows the same picture.
#include "tools/assetgen/pictures.h"

#include <png.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

namespace {

constexpr int MasterSize = 256;
// The tile leaves a margin, as desktop icons do, and has a light rim.
constexpr double TileInset = 8;
constexpr double TileRadius = 44;
constexpr double RimWidth = 8;
constexpr Colour Rim = {130, 156, 220};
// Where the 128-pixel crate and the 64-pixel arrow sit on the master.
constexpr int CrateX = 98, CrateY = 64;
constexpr int ArrowX = 24, ArrowY = 96;

// The arrow drawn as the game draws it: the mask multiplies, the arrow adds.
void drawArrow(Picture &p, int x0, int y0)
{
    const Picture arrow = makeArrowRight(), mask = makeArrowMaskRight();
    auto blend = [](int under, int keep, int add) { return uint8_t(std::min(255, (under * keep + 127) / 255 + add)); };
    for (int y = 0; y < arrow.height; ++y)
        for (int x = 0; x < arrow.width; ++x) {
            Colour &c = p.at(x0 + x, y0 + y);
            const Colour &m = mask.at(x, y), &a = arrow.at(x, y);
            c = {blend(c.r, m.r, a.r), blend(c.g, m.g, a.g), blend(c.b, m.b, a.b)};
        }
}

// Source pixel s spans [s * to, (s + 1) * to) and target pixel d spans
// [d * from, (d + 1) * from) of the same line: how much they share.
long long overlap(int s, int d, int from, int to)
{
    const long long a = std::max<long long>(s * to, d * from), b = std::min<long long>((s + 1) * to, (d + 1) * from);
    return b > a ? b - a : 0;
}

// A square plane of values shrunk from from x from to to x to, each target
// pixel the mean of the source area it covers. Integer sums only, so the
// result is the same on every machine.
std::vector<uint8_t> shrinkPlane(const std::vector<uint8_t> &in, int from, int to)
{
    std::vector<long long> rows(size_t(from) * to, 0);  // columns shrunk, rows not yet
    for (int y = 0; y < from; ++y)
        for (int d = 0; d < to; ++d)
            for (int s = d * from / to; s < from && s * to < (d + 1) * from; ++s)
                rows[size_t(y) * to + d] += in[size_t(y) * from + s] * overlap(s, d, from, to);
    std::vector<uint8_t> out(size_t(to) * to);
    const long long area = (long long)from * from;
    for (int d = 0; d < to; ++d)
        for (int x = 0; x < to; ++x) {
            long long sum = 0;
            for (int s = d * from / to; s < from && s * to < (d + 1) * from; ++s)
                sum += rows[size_t(s) * to + x] * overlap(s, d, from, to);
            out[size_t(d) * to + x] = uint8_t((sum + area / 2) / area);
        }
    return out;
}

Icon masterIcon()
{
    Picture ground = nightGround(MasterSize);
    const double far = MasterSize - TileInset;
    const Coverage tile = roundRectShape(MasterSize, MasterSize, TileInset, TileInset, far, far, TileRadius);
    const Coverage inside = roundRectShape(MasterSize, MasterSize, TileInset + RimWidth, TileInset + RimWidth,
                                           far - RimWidth, far - RimWidth, TileRadius - RimWidth);
    // Outside the tile the colour is the rim's, so shrunk edges take no dark fringe.
    Picture p(MasterSize, MasterSize, Rim);
    for (size_t i = 0; i < p.pixels.size(); ++i) p.pixels[i] = mix(Rim, ground.pixels[i], inside.amount[i]);
    pasteShrunk(p, makeCrate(), 1, CrateX, CrateY);
    drawArrow(p, ArrowX, ArrowY);
    return {p, tile};
}

}  // namespace

Icon makeIcon(int size)
{
    const Icon master = masterIcon();
    if (size == MasterSize) return master;
    std::vector<uint8_t> planes[3];
    for (int channel = 0; channel < 3; ++channel) {
        std::vector<uint8_t> plane(master.colour.pixels.size());
        for (size_t i = 0; i < plane.size(); ++i) {
            const Colour &c = master.colour.pixels[i];
            plane[i] = channel == 0 ? c.r : channel == 1 ? c.g : c.b;
        }
        planes[channel] = shrinkPlane(plane, MasterSize, size);
    }
    Icon icon = {Picture(size, size, Rim), Coverage(size, size)};
    icon.opacity.amount = shrinkPlane(master.opacity.amount, MasterSize, size);
    for (size_t i = 0; i < icon.colour.pixels.size(); ++i)
        icon.colour.pixels[i] = {planes[0][i], planes[1][i], planes[2][i]};
    return icon;
}

bool writePng(const std::string &path, const Icon &icon)
{
    FILE *f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    const int width = icon.colour.width, height = icon.colour.height;
    std::vector<uint8_t> rgba(size_t(width) * height * 4);
    for (size_t i = 0; i < icon.colour.pixels.size(); ++i) {
        const Colour &c = icon.colour.pixels[i];
        rgba[i * 4] = c.r;
        rgba[i * 4 + 1] = c.g;
        rgba[i * 4 + 2] = c.b;
        rgba[i * 4 + 3] = icon.opacity.amount[i];
    }
    bool ok = info != nullptr;
    // libpng reports a failed write by jumping back here.
    if (ok && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, f);
        // Fixed settings and no time stamp: the same bytes on every run.
        png_set_compression_level(png, 9);
        png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < height; ++y) png_write_row(png, &rgba[size_t(y) * width * 4]);
        png_write_end(png, nullptr);
    } else {
        ok = false;
    }
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    return std::fclose(f) == 0 && ok;
}
