// The stylus's tap regions: rectangles whose edges are percentages of the
// screen, one set for portrait and square screens, one for landscape ones.
#pragma once

#include "input/flow.h"

#include <cstdint>

enum class StylusRegion : uint8_t {
    None,
    // main menu
    PlayEntry,
    OptionsEntry,
    CreditsEntry,
    QuitEntry,
    // play
    PadLeftArrow,
    LeftBand,
    PadRightArrow,
    RightBand,
    PadTopArrow,
    TopBand,
    PadBottomArrow,
    LowerBand,
    MenuCorner,
    PadCentre,
    QuitCorner,
};

enum class StylusLayout : uint8_t { None, Portrait, Landscape };

// The layout the stylus uses on a screen of that size (None: taps on the menu
// and in play do nothing).
StylusLayout StylusLayoutFor(int width, int height);

struct StylusHit {
    StylusRegion region;
    FlowAction action;  // Nothing when no region holds the point
};

// The first region of that screen (MainMenu or Playing) that holds the
// window point, on a screen of width x height pixels.
StylusHit StylusHitAt(int32_t screen, int width, int height, int x, int y);
