// Where things must sit inside the pictures, in picture pixels (x from the
// left, y from the top). Each number comes from where the game stretches the
// picture on screen and where it lays the tap regions and the menu arrow; the
// comments give the screen figures they come from. Where portrait and
// landscape differ, the box is the part both agree on.
#pragma once

// Full-screen pictures are 512 x 512 so text stays readable at 480 x 640.
constexpr int ScreenPictureSize = 512;
// The pad and the banner fill the bottom fifth: 512 x 128.
constexpr int StripWidth = 512;
constexpr int StripHeight = 128;
// Tiles for the boxes, sites and the ground; the keeper's arrows.
constexpr int TileSize = 128;
constexpr int ArrowSize = 64;
constexpr int OffMarkSize = 128;

struct Box {
    int x0, y0, x1, y1;  // x1, y1 exclusive
};

// Menu.tex is stretched over 15..85 % of the height (and the full width, or
// 20..80 % on landscape), so picture row y = (screen y / H - 0.15) / 0.7 * 512.
// Entry rows are the screen rows every layout accepts taps on (play: 38..43 %
// portrait, 37.5..44.2 % landscape, ...), shrunk by a few rows so smoothing
// never spills ink outside; the quit entry sits on the arrow's row (57..65 %)
// rather than in the middle of its tall tap band.
constexpr int MenuTextLeft = 186;   // the arrow ends at 163 (portrait) and 174 (landscape)
constexpr int MenuTextRight = 396;  // taps end at 81 % portrait (414), 66.6 % landscape (399)
constexpr int MenuEntryTop[4] = {177, 228, 273, 325};  // play, options, credits, quit
constexpr int MenuEntryScaleX = 4;
constexpr int MenuEntryScaleY = 3;
// Band of the picture that holds only the entries: from below the title to
// below the quit entry.
constexpr int MenuEntryBandTop = 165;
constexpr int MenuEntryBandBottom = 385;

// options.tex: the off mark covers screen x 44040..58195 (portrait) or
// 39452..52297 (landscape) of 65536 and y 22216..36241 from the bottom, i.e.
// picture x 344..454 (portrait) or 343..510 (landscape), rows 229..338.
constexpr Box OffMarkArea = {344, 229, 455, 339};
constexpr Box SoundSwitch = {352, 238, 447, 330};  // the switch, inside both

// dpad.tex rows: y = (screen y / H - 0.8) * 5 * 128; columns x = screen x
// (portrait) or (x - 0.2) / 0.6 (landscape), times 512.
constexpr Box PadLeftArrow = {88, 26, 156, 96};     // taps 12..32 % / 27.5..39 %, rows 83.4..95.6 %
constexpr Box PadRightArrow = {356, 26, 424, 96};   // taps 67..87 % / 61..70 %; mirrors the left one
constexpr Box PadTopArrow = {202, 4, 306, 44};      // taps 38.7..60.4 % / 41.5..58 %, rows 80.3..87.2 %
constexpr Box PadBottomArrow = {202, 86, 306, 126}; // same columns, rows 93..100 %
constexpr Box PadCentre = {228, 58, 284, 68};       // 42.1..56.2 % / 46.3..53.8 %, rows 88.7..91.6 / 87.5..90.8 %
constexpr Box PadMenuCorner = {3, 99, 73, 127};     // 0..14.6 % (x 0 itself is out) / 19.5..29 %, rows 95 % / 94.5 %..100 %
constexpr Box PadQuitCorner = {439, 99, 510, 127};  // 85.4..100 % / 70..80 %
