// The committed pictures and sounds of data/, read the way the game reads
// them, and the screen geometry the pictures are laid over.
#pragma once

#include "assets/bitmap.h"

#include <cstdint>
#include <string>
#include <vector>

std::string DataFolder();  // the source tree's data/, with a trailing '/'
extern const char *const ShippedFiles[22];
uint32_t LittleEndian(const std::string &bytes, size_t at, int size);  // a field of a file's header  // the twenty pictures, then the two sounds

struct Texel {
    uint8_t r, g, b;
};

// A picture loaded by the game's LoadBitmap. Rows are counted from the top
// of the picture (texture t = 1) down, as a person looks at it.
struct ShippedPicture {
    BitmapInfo info{};
    std::vector<uint8_t> rgb;  // bottom row first, rows padded to four bytes
    int width() const { return info.width; }
    int height() const { return info.height; }
    Texel at(int x, int row) const;
};

// Loads data/NAME through LoadBitmap; fails the test (and returns an empty
// picture) when the game would refuse it or shows a message.
ShippedPicture LoadShippedPicture(const std::string &name);

int Luminance(Texel t);
int ColourDistance(Texel a, Texel b);  // sum of the channel differences

// A rectangle of screen pixels, inclusive, x from the left and y from the top.
struct PixelRect {
    int x0, x1, y0, y1;
    bool holds(const PixelRect &r) const { return r.x0 >= x0 && r.x1 <= x1 && r.y0 >= y0 && r.y1 <= y1; }
    bool meets(const PixelRect &r) const { return r.x0 <= x1 && r.x1 >= x0 && r.y0 <= y1 && r.y1 >= y0; }
};

// Where a picture is drawn, in overlay units of 65536 (y up from the bottom).
struct OverlayRect {
    int x0, x1, y0, y1;
};

// The screen pixels one texel of a picture drawn over `where` touches on a
// width x height screen.
PixelRect TexelFootprint(const ShippedPicture &p, int x, int row, const OverlayRect &where, int width,
                         int height);

struct ScreenSize {
    int width, height;
    bool landscape;  // 320 x 240 and 640 x 480: pictures in the middle 60 %
};
extern const ScreenSize LaidOutSizes[6];  // 240x320, 480x640, 240x240, 480x480, 320x240, 640x480

// The horizontal extent of full pictures: the whole width, or 20..80 %.
int PictureLeft(const ScreenSize &s);
int PictureRight(const ScreenSize &s);
