// Our own 5 x 7 capital letters, digits and a few signs, drawn into pictures
// at whole-number scales.
#pragma once

#include "tools/assetgen/picture.h"

#include <string>

constexpr int GlyphColumns = 5;
constexpr int GlyphRows = 7;

struct TextStyle {
    int scaleX, scaleY;   // picture pixels per glyph pixel
    Colour ink;
    Colour shadow;        // drawn one glyph pixel down and right first
    bool withShadow;
};

// Width in picture pixels of a line of text: glyphs one glyph pixel apart.
int textWidth(const std::string &text, const TextStyle &style);
int textHeight(const TextStyle &style);
// Draws a line with its top-left corner at (x, y). Letters are taken as
// capitals; characters the font lacks are drawn as blanks.
void drawText(Picture &p, int x, int y, const std::string &text, const TextStyle &style);
void drawTextCentred(Picture &p, int centreX, int y, const std::string &text, const TextStyle &style);
