// The drawing kit of the asset generator: a picture in memory, shapes that
// give a coverage map, painting with coverage, and the bitmap writer.
// Everything is integer or plain IEEE arithmetic so the output is the same
// byte for byte on every run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Colour {
    uint8_t r, g, b;
};

// Row 0 is the top of the picture, as a person looks at it; the writer turns
// it bottom-up, so row 0 becomes texture t = 1.
struct Picture {
    int width = 0, height = 0;
    std::vector<Colour> pixels;

    Picture(int w, int h, Colour fill);
    Colour &at(int x, int y) { return pixels[size_t(y) * width + x]; }
    const Colour &at(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

// How much of each pixel a shape covers, 0 (none) to 255 (all).
struct Coverage {
    int width = 0, height = 0;
    std::vector<uint8_t> amount;

    Coverage(int w, int h) : width(w), height(h), amount(size_t(w) * h, 0) {}
    uint8_t at(int x, int y) const { return amount[size_t(y) * width + x]; }
    uint8_t &at(int x, int y) { return amount[size_t(y) * width + x]; }
};

struct Point {
    double x, y;
};

// Shapes, in pixel units (pixel (x, y) spans x..x+1, y..y+1), each sampled
// 4 x 4 times per pixel for smooth edges.
Coverage polygonShape(int w, int h, const std::vector<Point> &corners);
Coverage discShape(int w, int h, double cx, double cy, double radius);
Coverage ringShape(int w, int h, double cx, double cy, double outer, double inner);
Coverage roundRectShape(int w, int h, double x0, double y0, double x1, double y1, double radius);
Coverage rectShape(int w, int h, int x0, int y0, int x1, int y1);  // x1, y1 exclusive
// The union of two shapes, and a shape with another cut out of it.
Coverage joinShapes(const Coverage &a, const Coverage &b);
Coverage cutShape(const Coverage &a, const Coverage &hole);
// The shape shrunk by whole pixels (a pixel keeps the least coverage of its
// neighbourhood), for rims and insets.
Coverage shrinkShape(const Coverage &a, int pixels);

Colour mix(Colour a, Colour b, int amount);  // amount 0 gives a, 255 gives b
Colour scaled(Colour c, int amount);         // c * amount / 255
int luminance(Colour c);                     // 0..255

void paint(Picture &p, const Coverage &shape, Colour c);
void fillRect(Picture &p, int x0, int y0, int x1, int y1, Colour c);  // x1, y1 exclusive
// Top-to-bottom blend from one colour to another over rows y0..y1.
void fillGradient(Picture &p, int y0, int y1, Colour top, Colour bottom);
// Periodic value noise in -amount..amount added to every pixel; the period
// divides the picture, so the result tiles.
void addNoise(Picture &p, int cellSize, int amount, uint32_t seed);

// The picture made smaller by a whole factor (each pixel the mean of a square
// of the original), then copied in with its top-left corner at (x, y).
void pasteShrunk(Picture &onto, const Picture &from, int factor, int x, int y);

// A 24-bit uncompressed bitmap ("BM", 54-byte header, bottom-up rows padded
// to four bytes). False when the file cannot be written.
bool writeBitmap(const std::string &path, const Picture &p);
