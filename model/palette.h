// The program's colours, each written once: the page backgrounds, the ears, the
// loudness bands and the three curves of a graph. Plain red, green and blue values,
// so that the core's chart plans can name them; the widgets and drawings turn them
// into Qt colours with qColor (platform/qtcolour.h). Where one thing has a colour on
// each of two surfaces, the reason stands beside the two.
#pragma once

#include "model/ear.h"

struct RgbColour {
    int red;
    int green;
    int blue;

    friend constexpr bool operator==(RgbColour, RgbColour) = default;
};

// Page backgrounds. The patient and database pages share one light blue.
inline constexpr RgbColour kFormPageColour{166, 202, 240};
inline constexpr RgbColour kLoudnessPageColour{223, 255, 240};
// The curve page and the Overview: navy, with yellow captions on it.
inline constexpr RgbColour kGraphPageColour{0, 0, 128};
inline constexpr RgbColour kGraphCaptionColour{255, 255, 0};

// The loudness bands behind the curves and on the Overview's loudness map.
inline constexpr RgbColour kSoftBandColour{255, 0, 0};        // red
inline constexpr RgbColour kComfortableBandColour{0, 0, 255}; // blue
inline constexpr RgbColour kLoudBandColour{0, 128, 0};        // green

// The loudness grids' cells: white where a level is measured, grey where it is
// predicted. Marked levels keep the white or grey meaning of their cell in a paler or
// deeper tint: orange for a level lower than one to its left, red for one outside the
// range; predicted levels that are not what their threshold (and UCL) predict now are
// blue, on grey cells only, since only predicted levels go out of date. The page's key
// to the marks shows the same colours.
struct LoudnessCellColours {
    RgbColour measured;
    RgbColour predicted;
    RgbColour notRising;
    RgbColour notRisingPredicted;
    RgbColour outOfRange;
    RgbColour outOfRangePredicted;
    RgbColour outOfDate;
};
inline constexpr LoudnessCellColours kLoudnessCellColours{
    {255, 255, 255}, {230, 230, 230}, {255, 222, 173}, {222, 196, 160},
    {255, 196, 196}, {222, 170, 170}, {196, 212, 240}};

// The ears: right red, left blue, as on an audiogram. On the pages the ears' headings
// and captions are pure red and blue.
constexpr RgbColour pageEarColour(Ear ear) {
    return ear == Ear::Right ? RgbColour{255, 0, 0} : RgbColour{0, 0, 255};
}
// On the Overview's charts an ear's marks lie over the soft and comfortable bands,
// which are pure red and blue: a darker red and a deeper blue keep them apart.
constexpr RgbColour chartEarColour(Ear ear) {
    return ear == Ear::Right ? RgbColour{210, 0, 0} : RgbColour{0, 60, 220};
}

// The three curves of a graph: fitted, the clinician's own, the hearing aid's.
struct CurveColours {
    RgbColour fitted;
    RgbColour user;
    RgbColour aid;
};
// On the curve page, bright on the graphs' black ground: aqua, lime and fuchsia, also
// the faces of the lists and panels above the grid columns each curve comes from.
inline constexpr CurveColours kGraphCurveColours{{0, 255, 255}, {0, 255, 0}, {255, 0, 255}};
// On the Overview's white charts aqua and lime all but vanish: teal, green and magenta
// of the same hues.
inline constexpr CurveColours kChartCurveColours{{0, 130, 150}, {40, 140, 0}, {190, 0, 190}};

// The previous visit's thresholds and UCLs on the Overview's loudness map: a light grey,
// so that they read as a thin background to this visit's coloured lines and stay
// apart from the dark grey of the levels between THR and UCL and the pale grid.
inline constexpr RgbColour kPreviousVisitColour{150, 150, 150};
