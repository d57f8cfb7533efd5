#include "tools/assetgen/picture.h"

#include <algorithm>
#include <cstdio>

namespace {

constexpr int SamplesPerSide = 4;
constexpr int SamplesPerPixel = SamplesPerSide * SamplesPerSide;

// Fills a coverage map from a test "is this point inside", sampled on a
// regular grid inside each pixel.
template <typename Inside>
Coverage sampleShape(int w, int h, int x0, int y0, int x1, int y1, Inside inside)
{
    Coverage c(w, h);
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, w);
    y1 = std::min(y1, h);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < SamplesPerSide; ++sy)
                for (int sx = 0; sx < SamplesPerSide; ++sx)
                    if (inside(x + (sx + 0.5) / SamplesPerSide, y + (sy + 0.5) / SamplesPerSide)) ++hits;
            c.at(x, y) = uint8_t((hits * 255 + SamplesPerPixel / 2) / SamplesPerPixel);
        }
    return c;
}

uint32_t hashCell(uint32_t x, uint32_t y, uint32_t seed)
{
    uint32_t h = x * 374761393u + y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

void put16(std::vector<uint8_t> &b, size_t at, uint32_t v)
{
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}

void put32(std::vector<uint8_t> &b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

}  // namespace

Picture::Picture(int w, int h, Colour fill) : width(w), height(h), pixels(size_t(w) * h, fill) {}

Coverage polygonShape(int w, int h, const std::vector<Point> &corners)
{
    double minX = corners[0].x, maxX = minX, minY = corners[0].y, maxY = minY;
    for (const Point &p : corners) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    auto inside = [&](double x, double y) {
        bool in = false;
        for (size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
            const Point &a = corners[i], &b = corners[j];
            if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
        }
        return in;
    };
    return sampleShape(w, h, int(minX) - 1, int(minY) - 1, int(maxX) + 2, int(maxY) + 2, inside);
}

Coverage discShape(int w, int h, double cx, double cy, double radius)
{
    return ringShape(w, h, cx, cy, radius, -1.0);
}

Coverage ringShape(int w, int h, double cx, double cy, double outer, double inner)
{
    const double outer2 = outer * outer, inner2 = inner < 0 ? -1.0 : inner * inner;
    auto inside = [&](double x, double y) {
        double d2 = (x - cx) * (x - cx) + (y - cy) * (y - cy);
        return d2 <= outer2 && d2 > inner2;
    };
    return sampleShape(w, h, int(cx - outer) - 1, int(cy - outer) - 1, int(cx + outer) + 2,
                       int(cy + outer) + 2, inside);
}

Coverage roundRectShape(int w, int h, double x0, double y0, double x1, double y1, double radius)
{
    auto inside = [&](double x, double y) {
        if (x < x0 || x > x1 || y < y0 || y > y1) return false;
        double dx = x < x0 + radius ? x0 + radius - x : (x > x1 - radius ? x - (x1 - radius) : 0.0);
        double dy = y < y0 + radius ? y0 + radius - y : (y > y1 - radius ? y - (y1 - radius) : 0.0);
        return dx * dx + dy * dy <= radius * radius;
    };
    return sampleShape(w, h, int(x0) - 1, int(y0) - 1, int(x1) + 2, int(y1) + 2, inside);
}

Coverage rectShape(int w, int h, int x0, int y0, int x1, int y1)
{
    Coverage c(w, h);
    for (int y = std::max(y0, 0); y < std::min(y1, h); ++y)
        for (int x = std::max(x0, 0); x < std::min(x1, w); ++x) c.at(x, y) = 255;
    return c;
}

Coverage joinShapes(const Coverage &a, const Coverage &b)
{
    Coverage c = a;
    for (size_t i = 0; i < c.amount.size(); ++i) c.amount[i] = std::max(a.amount[i], b.amount[i]);
    return c;
}

Coverage cutShape(const Coverage &a, const Coverage &hole)
{
    Coverage c = a;
    for (size_t i = 0; i < c.amount.size(); ++i)
        c.amount[i] = uint8_t(a.amount[i] * (255 - hole.amount[i]) / 255);
    return c;
}

Coverage shrinkShape(const Coverage &a, int pixels)
{
    Coverage c(a.width, a.height);
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            int least = 255;
            for (int dy = -pixels; dy <= pixels; ++dy)
                for (int dx = -pixels; dx <= pixels; ++dx) {
                    int nx = x + dx, ny = y + dy;
                    bool inPicture = nx >= 0 && ny >= 0 && nx < a.width && ny < a.height;
                    least = std::min(least, inPicture ? int(a.at(nx, ny)) : 0);
                }
            c.at(x, y) = uint8_t(least);
        }
    return c;
}

Colour mix(Colour a, Colour b, int amount)
{
    auto one = [amount](int x, int y) { return uint8_t((x * (255 - amount) + y * amount + 127) / 255); };
    return {one(a.r, b.r), one(a.g, b.g), one(a.b, b.b)};
}

Colour scaled(Colour c, int amount)
{
    return mix({0, 0, 0}, c, amount);
}

int luminance(Colour c)
{
    return (c.r * 77 + c.g * 150 + c.b * 29) >> 8;
}

void paint(Picture &p, const Coverage &shape, Colour c)
{
    for (size_t i = 0; i < p.pixels.size(); ++i)
        if (shape.amount[i]) p.pixels[i] = mix(p.pixels[i], c, shape.amount[i]);
}

void fillRect(Picture &p, int x0, int y0, int x1, int y1, Colour c)
{
    for (int y = std::max(y0, 0); y < std::min(y1, p.height); ++y)
        for (int x = std::max(x0, 0); x < std::min(x1, p.width); ++x) p.at(x, y) = c;
}

void fillGradient(Picture &p, int y0, int y1, Colour top, Colour bottom)
{
    const int span = std::max(y1 - y0 - 1, 1);
    for (int y = std::max(y0, 0); y < std::min(y1, p.height); ++y) {
        Colour c = mix(top, bottom, (y - y0) * 255 / span);
        for (int x = 0; x < p.width; ++x) p.at(x, y) = c;
    }
}

void addNoise(Picture &p, int cellSize, int amount, uint32_t seed)
{
    const int cellsX = p.width / cellSize, cellsY = p.height / cellSize;
    auto value = [&](int cx, int cy) {
        return int(hashCell(uint32_t(cx % cellsX), uint32_t(cy % cellsY), seed) & 0xFF) - 128;
    };
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            int cx = x / cellSize, cy = y / cellSize;
            int fx = (x % cellSize) * 256 / cellSize, fy = (y % cellSize) * 256 / cellSize;
            int top = value(cx, cy) * (256 - fx) + value(cx + 1, cy) * fx;
            int low = value(cx, cy + 1) * (256 - fx) + value(cx + 1, cy + 1) * fx;
            int n = (top * (256 - fy) + low * fy) / (256 * 256);  // -128..127
            int d = n * amount / 128;
            Colour &c = p.at(x, y);
            c.r = uint8_t(std::clamp(c.r + d, 0, 255));
            c.g = uint8_t(std::clamp(c.g + d, 0, 255));
            c.b = uint8_t(std::clamp(c.b + d, 0, 255));
        }
}

void pasteShrunk(Picture &onto, const Picture &from, int factor, int x, int y)
{
    const int n = factor * factor;
    for (int dy = 0; dy < from.height / factor; ++dy)
        for (int dx = 0; dx < from.width / factor; ++dx) {
            int r = 0, g = 0, b = 0;
            for (int sy = 0; sy < factor; ++sy)
                for (int sx = 0; sx < factor; ++sx) {
                    const Colour &c = from.at(dx * factor + sx, dy * factor + sy);
                    r += c.r;
                    g += c.g;
                    b += c.b;
                }
            const int tx = x + dx, ty = y + dy;
            if (tx >= 0 && ty >= 0 && tx < onto.width && ty < onto.height)
                onto.at(tx, ty) = {uint8_t((r + n / 2) / n), uint8_t((g + n / 2) / n), uint8_t((b + n / 2) / n)};
        }
}

bool writeBitmap(const std::string &path, const Picture &p)
{
    const uint32_t rowSize = (uint32_t(p.width) * 3 + 3) & ~3u;
    const uint32_t imageSize = rowSize * uint32_t(p.height);
    std::vector<uint8_t> file(54 + imageSize, 0);
    file[0] = 'B';
    file[1] = 'M';
    put32(file, 2, uint32_t(file.size()));
    put32(file, 10, 54);
    put32(file, 14, 40);
    put32(file, 18, uint32_t(p.width));
    put32(file, 22, uint32_t(p.height));
    put16(file, 26, 1);
    put16(file, 28, 24);
    put32(file, 34, imageSize);
    put32(file, 38, 2835);  // 72 dots per inch, as paint programs write it
    put32(file, 42, 2835);
    for (int row = 0; row < p.height; ++row) {
        const int y = p.height - 1 - row;  // the first stored row is the bottom one
        for (int x = 0; x < p.width; ++x) {
            uint8_t *out = &file[54 + size_t(row) * rowSize + size_t(x) * 3];
            const Colour &c = p.at(x, y);
            out[0] = c.b;
            out[1] = c.g;
            out[2] = c.r;
        }
    }
    FILE *f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(file.data(), 1, file.size(), f) == file.size();
    return std::fclose(f) == 0 && ok;
}
