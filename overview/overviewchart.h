// The overview charts as plain data: where the frames, the scales, the points, the
// lines, the loudness bands and the marks of an ear's loudness map and of its gain
// chart lie in a picture of a given size. The drawing (overviewdrawing.cpp) only adds
// pens, brushes and fonts, so every position here is tested without a display.
//
// The loudness map is one plot; the gain chart three side by side, for soft, average
// and loud speech, on one gain scale. Every plot runs the six frequencies across,
// octave-spaced: 250 Hz on its frame's left line, 4000 Hz on its right line, and each
// frequency log2(f / 250) / 4 of the width in from the left (3000 Hz at log2(12) / 4).
// The loudness map's level scale grows downwards, as on an audiogram, in the unit the
// loudness page shows; the gain scale grows upwards.
#pragma once

#include "curves/graphgeometry.h"
#include "model/fittingrecord.h"
#include "model/patienthistory.h"
#include "model/prediction.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

enum class OverviewChart { LoudnessMap, Gain };

// A position in the picture's logical pixels.
struct ChartPoint {
    double x;
    double y;
    bool operator==(const ChartPoint&) const = default;
};

// What a point or a line stands for. The loudness map uses the eight categories
// (Thr .. Ucl in category order), the gain chart the targets and the curves.
enum class Series {
    Thr,
    Vs,
    S,
    Css,
    C,
    Csl,
    Lok,
    Ucl,
    TargetSoft,
    TargetAverage,
    TargetLoud,
    Fitted,
    User,
    Aid,
};
Series categorySeries(int category);
// TargetSoft, TargetAverage, TargetLoud of speech level 0..2.
Series targetSeries(int level);
// Fitted, User, Aid of curve 0..2.
Series curveSeries(int curve);

// The shape of a point, told apart without colour. Audiogram habit for the threshold
// (right O, left X); the UCL as an angle opening away from the ear's side (right "<",
// left ">"); the levels between them small discs (right) or squares (left). The gain
// chart's targets are triangles down (soft), diamonds (average) and triangles up
// (loud); the curves squares (fitted), discs (user) and plus signs (aid).
enum class Marker {
    Circle,
    Cross,
    LeftAngle,
    RightAngle,
    Disc,
    Square,
    TriangleDown,
    Diamond,
    TriangleUp,
    Plus
};
Marker seriesMarker(Series series, Ear ear);

// How a series' line is stroked: the threshold and the UCL solid, the loudness levels
// between them thin; the targets solid, the fitted curve dashed, the user curve
// dash-dotted and the aid dotted. A line with a predicted end is always dashed.
enum class Stroke { Solid, Thin, Dashed, DashDot, Dotted };
Stroke seriesStroke(Series series);

struct ChartMarker {
    Series series;
    int panel;     // the plot it lies in, left to right
    int frequency; // 0..5
    ChartPoint at;
    bool measured; // false: drawn hollow, as predicted
    bool operator==(const ChartMarker&) const = default;
};

// A line between the same series at neighbouring frequencies; none where either
// level is missing, so a gap stays a gap.
struct ChartLine {
    Series series;
    int panel;
    ChartPoint from;
    ChartPoint to;
    bool measured; // both ends measured
    bool operator==(const ChartLine&) const = default;
};

// A loudness band between two categories over a run of neighbouring frequencies at
// which both are present: the upper edge left to right, then the lower edge back.
// A run of one frequency is a narrow column kBandColumnWidth wide.
struct ChartBand {
    LoudnessBand band;
    std::vector<ChartPoint> outline;
};
inline constexpr double kBandColumnWidth = 8;

// A level lower than a category before it at the same frequency: the loudness does
// not rise from THR to UCL there.
struct OrderMark {
    int frequency;
    int category;
    ChartPoint at;
    bool operator==(const OrderMark&) const = default;
};

struct ScaleTick {
    double position;   // x for frequencies, y for levels
    std::string label; // empty: a grid line without a number
    bool operator==(const ScaleTick&) const = default;
};

// One entry of the legend under the frame: its cell and what it shows.
struct LegendEntry {
    PixelRect cell;
    std::optional<Series> series; // none for the band and mark entries below
    std::optional<LoudnessBand> band;
    enum class Extra {
        None,
        Predicted,
        OrderMark,
        DisplayFrequency,
        PreviousVisit
    } extra = Extra::None;
    std::string text;
};

// One plot of a chart, with its own frequency scale. A frequency's number is left out
// (its grid line stays) where the plot is too narrow for it beside its neighbours.
struct ChartPanel {
    PixelRect frame;   // its frame lines lie on left, top, right - 1, bottom - 1
    std::string title; // above the frame; empty for the loudness map's one plot
    std::vector<ScaleTick> frequencyTicks;
    std::vector<double> displayFrequencyX; // the gain chart's two graph frequencies
};

struct ChartPlan {
    OverviewChart chart;
    Ear ear;
    std::string title;
    std::vector<ChartPanel> panels;    // left to right, all of one height
    std::vector<ScaleTick> levelTicks; // numbered left of the first plot, across every plot
    std::vector<ChartBand> bands;
    std::vector<ChartLine> lines;
    std::vector<ChartMarker> markers;
    std::vector<OrderMark> orderMarks;
    std::vector<LegendEntry> legend;
    // The previous visit's thresholds and UCLs, drawn under this visit's: a line
    // between neighbouring frequencies, and a short level stroke kBandColumnWidth wide
    // at a frequency with neither neighbour. Series Thr or Ucl; measured is true.
    std::vector<ChartLine> previousLines;
};

// The x of a frequency index (0..5) in a plot's frame.
double frequencyX(const PixelRect& frame, int frequency);

// The level scale of a loudness map in the shown unit: -10 to 120 dB HL or 0 to 130 dB
// SPL, widened in 10 dB steps to take in every level between -30 and 160; a level
// outside that is left out of the picture.
struct LevelScale {
    int lowest;
    int highest;
};
LevelScale loudnessScale(const int32_t (&loudness)[kFrequencyCount][kCategoryCount], bool showInHL);

// A stored level (dB SPL) in the unit the loudness page shows, held within int.
int chartLevel(int32_t stored, int frequency, bool showInHL);

// With a previous visit, its thresholds and UCLs too, in the legend its date, and the
// level scale wide enough for both visits.
ChartPlan planLoudnessMap(const FittingRecord& record, const LevelFlags& measured, Ear ear,
                          int width, int height, const KeptVersion* previous = nullptr);

// The gains of an ear at each frequency, as the curve page fits and draws them with
// that frequency in its graphs, for soft, average and loud speech (index 0..2): target
// output minus the speech input (none where the target is 0), and the fitted, user and
// aid curves' output at the speech input minus that input (none where a curve is not
// complete).
inline constexpr int kSpeechLevelCount = 3;
inline constexpr int kGainCurveCount = 3; // fitted, user, aid
// The aid is the one stored at each frequency: the ear's one aid (oneAid, its short
// name) or, in a file that holds several, each with its frequencies (aidsByFrequency,
// "HA-2 at 250 Hz; HA-3 at 500 Hz, ..."); the other text is then empty.
struct GainTable {
    std::optional<double> target[kSpeechLevelCount][kFrequencyCount];
    std::optional<double> curve[kGainCurveCount][kSpeechLevelCount][kFrequencyCount];
    std::string oneAid;
    std::string aidsByFrequency;
};
GainTable gainTable(const FittingRecord& record, const AidDatabase& database, Ear ear);

ChartPlan planGainChart(const FittingRecord& record, const AidDatabase& database, Ear ear,
                        int width, int height);

// "Loudness map, right ear", "Gain, left ear".
std::string chartName(OverviewChart chart, Ear ear);
// A short factual description for a screen reader, numbers from the data.
// With a previous visit, how the ear's thresholds moved since (overviewvisit.h).
std::string loudnessMapDescription(const FittingRecord& record, const LevelFlags& measured, Ear ear,
                                   const KeptVersion* previous = nullptr);
std::string gainDescription(const GainTable& table, Ear ear);
