// The tap regions as data. Every comparison is strict; an edge written as a
// whole percentage is an integer threshold, truncated, and one written with a
// decimal point is a real threshold, so that each lands on the pixel the
// pictures of the menu and the direction pad were drawn for.
#include "input/regions.h"

#include "core/state.h"

#include <cstddef>

namespace {

struct Edge {
    enum Kind : uint8_t { Open, Whole, Real } kind;
    double percent;
};

constexpr Edge open{Edge::Open, 0};
constexpr Edge whole(int percent) { return {Edge::Whole, static_cast<double>(percent)}; }
constexpr Edge real(double percent) { return {Edge::Real, percent}; }

// x lies strictly between left and right, y strictly between top and bottom
// (window y grows downwards).
struct Bounds {
    Edge left, right, top, bottom;
};

struct RegionRow {
    StylusRegion region;
    Bounds portrait, landscape;
    FlowAction portraitAction, landscapeAction;
};

using R = StylusRegion;
using A = FlowAction;

// All four entries share one x range.
constexpr Edge entryLeft = whole(19), entryRight = whole(81);
constexpr Edge wideEntryLeft = real(35.9), wideEntryRight = real(66.6);

const RegionRow menuRegions[] = {
    // region          portrait: left, right, top, bottom                        landscape: left, right, top, bottom                              actions
    {R::PlayEntry,    {entryLeft, entryRight, whole(38), whole(43)},           {wideEntryLeft, wideEntryRight, real(37.5), real(44.2)},       A::ShowPlaying, A::ShowPlaying},
    {R::OptionsEntry, {entryLeft, entryRight, whole(45), whole(50)},           {wideEntryLeft, wideEntryRight, real(44.6), real(49.6)},       A::ShowOptions, A::ShowOptions},
    {R::CreditsEntry, {entryLeft, entryRight, whole(51), whole(56)},           {wideEntryLeft, wideEntryRight, real(51.3), real(56.3)},       A::ShowCredits, A::ShowCredits},
    {R::QuitEntry,    {entryLeft, entryRight, whole(58), whole(67)},           {wideEntryLeft, wideEntryRight, real(57.1), whole(67)},        A::Quit,        A::Quit},
};

// In table order: where a corner meets a pad arrow, the arrow wins. The pad
// is turned against the board like the direction keys: its left arrow walks
// up the board.
const RegionRow playRegions[] = {
    // region            portrait: left, right, top, bottom                         landscape: left, right, top, bottom                        actions
    {R::PadLeftArrow,   {whole(12),  whole(32),  real(83.4), real(95.6)},          {real(27.5), whole(39),  real(83.4), real(95.6)},          A::StepUp,    A::StepUp},
    {R::LeftBand,       {open,       whole(50),  whole(25),  whole(55)},           {open,       whole(50),  whole(25),  whole(55)},           A::StepUp,    A::StepUp},
    {R::PadRightArrow,  {whole(67),  whole(87),  real(83.4), real(95.6)},          {whole(61),  whole(70),  real(83.4), real(95.6)},          A::StepDown,  A::StepDown},
    {R::RightBand,      {whole(50),  open,       whole(25),  whole(55)},           {whole(50),  open,       whole(25),  whole(55)},           A::StepDown,  A::StepDown},
    {R::PadTopArrow,    {real(38.7), real(60.4), real(80.3), real(87.2)},          {real(41.5), whole(58),  real(80.3), real(87.2)},          A::StepRight, A::StepRight},
    {R::TopBand,        {open,       open,       open,       whole(20)},           {open,       open,       open,       whole(20)},           A::StepRight, A::StepRight},
    {R::PadBottomArrow, {real(38.7), real(60.4), whole(93),  whole(100)},          {real(41.5), whole(58),  whole(93),  whole(100)},          A::StepLeft,  A::StepLeft},
    {R::LowerBand,      {open,       open,       whole(60),  whole(80)},           {open,       open,       whole(60),  whole(80)},           A::StepLeft,  A::StepLeft},
    {R::MenuCorner,     {whole(0),   real(14.6), whole(95),  whole(100)},          {real(19.5), whole(29),  real(94.5), whole(100)},          A::LeavePlay, A::LeavePlay},
    {R::PadCentre,      {real(42.1), real(56.2), real(88.7), real(91.6)},          {real(46.3), real(53.8), real(87.5), real(90.8)},          A::Skip,      A::Restart},
    {R::QuitCorner,     {real(85.4), whole(100), whole(95),  whole(100)},          {whole(70),  whole(80),  real(94.5), whole(100)},          A::Quit,      A::Quit},
};

struct LayoutRow {
    int width, height;
    StylusLayout layout;
};

const LayoutRow layouts[] = {
    // width height  layout
    {240, 320, StylusLayout::Portrait},
    {240, 240, StylusLayout::Portrait},
    {480, 640, StylusLayout::Portrait},
    {480, 480, StylusLayout::Portrait},
    {320, 240, StylusLayout::Landscape},
    {640, 480, StylusLayout::Landscape},
};

// Is the coordinate past the edge (above it when low, below it otherwise)?
bool beyond(const Edge &edge, int size, int coordinate, bool low)
{
    switch (edge.kind) {
    case Edge::Open:
        return true;
    case Edge::Whole: {
        const int64_t threshold = static_cast<uint32_t>(size) * static_cast<uint32_t>(edge.percent) / 100u;
        return low ? coordinate > threshold : coordinate < threshold;
    }
    case Edge::Real: {
        const double threshold = (static_cast<double>(size) * edge.percent) * 0.01;
        return low ? coordinate > threshold : coordinate < threshold;
    }
    }
    return false;
}

bool holds(const Bounds &b, int width, int height, int x, int y)
{
    return beyond(b.left, width, x, true) && beyond(b.right, width, x, false) &&
           beyond(b.top, height, y, true) && beyond(b.bottom, height, y, false);
}

template <std::size_t RowCount>
StylusHit firstHit(const RegionRow (&rows)[RowCount], StylusLayout layout, int width, int height, int x, int y)
{
    const bool portrait = layout == StylusLayout::Portrait;
    for (const RegionRow &row : rows)
        if (holds(portrait ? row.portrait : row.landscape, width, height, x, y))
            return {row.region, portrait ? row.portraitAction : row.landscapeAction};
    return {StylusRegion::None, FlowAction::Nothing};
}

}  // namespace

StylusLayout StylusLayoutFor(int width, int height)
{
    for (const LayoutRow &row : layouts)
        if (row.width == width && row.height == height) return row.layout;
    return StylusLayout::None;
}

StylusHit StylusHitAt(int32_t screen, int width, int height, int x, int y)
{
    const StylusLayout layout = StylusLayoutFor(width, height);
    if (layout == StylusLayout::None) return {StylusRegion::None, FlowAction::Nothing};
    if (screen == MainMenu) return firstHit(menuRegions, layout, width, height, x, y);
    if (screen == Playing) return firstHit(playRegions, layout, width, height, x, y);
    return {StylusRegion::None, FlowAction::Nothing};
}
