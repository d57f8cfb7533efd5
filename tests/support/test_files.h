// Real files for the tests: fresh temporary folders, bitmaps, text.
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

// A 24-bit uncompressed bitmap, bottom-up rows padded to four bytes, filled
// with one colour.
void WriteSolidBitmap(const std::string &path, int width, int height, Rgb colour);

// All twenty ".tex" files of the game in dir, each a solid colour that
// TextureTestColour gives, so a test can tell the pictures apart on screen.
void WriteTestTextureSet(const std::string &dir, int size = 8);
Rgb TextureTestColour(int textureIndex);
