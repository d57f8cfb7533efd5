// Real files for the tests: fresh temporary folders, text, bitmaps, levels.
#pragma once

#include <cstdint>
#include <string>

struct Rgb {
    uint8_t r, g, b;
};

// A new empty folder under the system's temporary folder, removed by
// RemoveTree (or left for inspection when a test fails).
std::string MakeTempFolder();
void RemoveTree(const std::string &dir);

void WriteTextFile(const std::string &path, const std::string &text);
std::string ReadTextFile(const std::string &path);

// The bytes of a 24-bit uncompressed bitmap, bottom-up rows padded to four
// bytes, filled with one colour, or with left on its left half and right on
// its right half.
std::string SolidBitmap(int width, int height, Rgb colour);
std::string HalvesBitmap(int width, int height, Rgb left, Rgb right);

// All twenty ".tex" files of the game in dir, each twice as wide as high and
// of the colour that TextureTestColour gives, so a test can tell the pictures
// apart on screen and sides swapped on the way to GL show.
void WriteTestTextureSet(const std::string &dir, int height = 4);
Rgb TextureTestColour(int textureIndex);
// What an arrow (UArrowTexture .. LArrowTexture) drawn over a colour shows:
// the colour multiplied by the arrow's mask, then the arrow added.
Rgb ArrowOver(Rgb under, int arrowTexture);

// A level file drawn as a picture, one line per board row: '#' wall, ' '
// floor, '.' site, '$' crate, '*' crate on a site, '@' keeper, '+' keeper on a
// site. Cell (r, c) stands at x = 2c, z = 2r; walls are 2.0 high, crates 2.
// camera is eye and centre, six numbers; extraWalls more wall records, one a
// line ("x top z kind row col").
std::string LevelText(const std::string &picture, const std::string &camera = "6 24 10 6 0 4",
                      const std::string &extraWalls = "");
