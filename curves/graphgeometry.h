// Geometry of the curve graphs: where the graph panel, its two frames and curve
// boxes lie, how a level becomes a pixel on the background and in a curve box, and
// what the pointer read-out says. Plain numbers, shared by the page, tavik-cli and
// the tests. The background and curve plans below decide everything of a graph that
// is arithmetic (which bands, where, which messages, which curve segments), so that
// the drawing only adds fonts and colours.
#pragma once

#include "curves/curvetext.h"
#include "curves/targets.h"

#include <array>
#include <string>
#include <vector>

// Texts the graphs on the page and on the printed report share.
inline constexpr const char* kCicNoteText = "LOUDMAP data corrected for CIC";
inline constexpr const char* kInputAxisTitle = "INPUT dB SPL @ HA MIC";
inline constexpr const char* kOutputAxisTitle = "OUTPUT (SPL in HA-1 COUPLER)";

// The black panel behind both graphs, in pixels of the curve page.
inline constexpr int kGraphPanelLeft = 18;
inline constexpr int kGraphPanelTop = 159;
inline constexpr int kGraphPanelWidth = 595;
inline constexpr int kGraphPanelHeight = 294;

// The curve boxes, in pixels of the panel, by sideIndex: the left graph first.
inline constexpr int kCurveBoxSize = 250;
inline constexpr int kCurveBoxLeft[kSideCount] = {30, 323};
inline constexpr int kCurveBoxTop = 25;

// The frequency label of each graph, in panel pixels: the caption is right-aligned
// in this box, in the bottom-right corner of the graph, ending at x 276 or 557. The
// box reaches 80 pixels to the left of that, so that "4000 Hz" fits in the sans-serif
// fonts that stand in for the page's font here (about 66 pixels wide at 16 pixels).
inline constexpr int kFrequencyLabelLeft[kSideCount] = {196, 477};
inline constexpr int kFrequencyLabelTop = 250;
inline constexpr int kFrequencyLabelWidth = 80;
inline constexpr int kFrequencyLabelHeight = 20;

// The legend box beside the graphs, in pixels of the curve page.
inline constexpr int kLegendLeft = 690;
inline constexpr int kLegendTop = 158;
inline constexpr int kLegendWidth = 85;
inline constexpr int kLegendHeight = 83;

// Both axes of a graph run from 30 to 130 dB, labelled every 10 dB.
inline constexpr int kGraphLowestLevel = 30;
inline constexpr int kGraphHighestLevel = 130;
inline constexpr int kGraphLevelStep = 10;

// The frame of a graph in panel pixels: the rectangle of its curve box, with
// right = left + width and bottom = top + height.
struct GraphFrame {
    int left;
    int top;
    int right;
    int bottom;
};
GraphFrame graphFrame(GraphSide side);

// Background layer: a level (dB) to a panel pixel, truncating.
int backgroundX(const GraphFrame& frame, double inputLevel);
int backgroundY(const GraphFrame& frame, double outputLevel);

// Curve layer: a level (dB) to a pixel of a curve box of the given size, rounding.
int curveBoxX(int width, double inputLevel);
int curveBoxY(int height, double outputLevel);

// The levels under the pointer at (x, y) of a curve box of the given size.
struct ReadOut {
    int input;
    int output;
};
ReadOut pointerReadOut(int x, int y, int width, int height);
// "I: 30; O: 130"
std::string readOutText(const ReadOut& readOut);

// Caption of a graph's frequency label: "3000 Hz" (an index outside 0..5 is 250 Hz).
std::string graphFrequencyText(int frequencyIndex);

// A share of a length in pixels, cut toward zero: percentOf(12, 290) is 34, the
// integer part of 2.9 x 12. Worked in whole numbers, so that a product that is whole
// in decimals (10 x 1.2) is never cut to the pixel below.
int percentOf(int pixels, int percent);

// The left edge of a text of the given width centred on the frame's width: the
// frame's middle (a half unit when its width is odd) less half the text's width cut
// toward zero, the sum cut toward zero.
int centredTextLeft(const GraphFrame& frame, int textWidth);

// A block of pixels: left and top included, right and bottom excluded.
struct PixelRect {
    int left;
    int top;
    int right;
    int bottom;
    bool operator==(const PixelRect&) const = default;
};

enum class LoudnessBand {
    Loud,        // CSL to UCL: green cross hatch
    Comfortable, // CSS to CSL: blue rising diagonals
    Soft,        // VS to CSS: red diagonal cross hatch
};

struct BandArea {
    LoudnessBand band;
    PixelRect area;
    bool operator==(const BandArea&) const = default;
};

// One of the speech levels of a graph: a dotted line at its input level, its word
// above the frame and, where the ear has a target there, a marker at the target.
struct SpeechMark {
    const char* word;     // "soft", "average", "loud"
    int wordRaisePercent; // the word's top lies this share of an "M" height above the frame
    int input;            // dB SPL at the aid microphone
    int x;                // panel x of the input level
    bool hasTarget;       // false when the target is exactly 0
    int targetY;          // panel y of the target output (when hasTarget)
};

// Everything of one side's background layer that is not a font or a colour.
struct GraphBackground {
    GraphFrame frame;
    int frequencyIndex;               // 0..5
    std::vector<BandArea> bands;      // the bands to fill, in drawing order loud, comf., soft
    bool uclExceeds;                  // the UCL lay above 130 with CSL present
    bool binaural;                    // targets were lowered for a binaural fitting
    bool cic;                         // band levels carry the CIC correction
    std::array<SpeechMark, 3> speech; // soft, average, loud
};

// The background of one side for the ear's stored aid style (only 3 is CIC; a style
// outside 0..3 takes the BTE speech levels). A band is filled only when both of its
// levels are present; levels above 130 are drawn at 130.
GraphBackground planGraphBackground(const TargetState& targets, int32_t aidStyle, bool binaural,
                                    GraphSide side);

// The bands between the given VS, CSS, CSL and UCL levels that have both edge levels,
// in drawing order loud, comfortable, soft: one unit inside the frame's sides, from
// the upper level's row down to and including the lower level's row, cut at the
// frame's top and bottom lines. A level outside 30..130 ends its band at the frame
// line; a band that lies wholly outside the frame is left out.
std::vector<BandArea> bandAreas(const GraphFrame& frame, const int32_t (&levels)[kBandCount]);

// How a graph reads its target outputs: the screen places each target as it is
// stored; the printed report first cuts it to whole dB, so that a target below 1 dB
// has no marker there.
enum class TargetReading { Exact, WholeDb };

// The soft, average and loud speech marks of one side for the ear's aid style and the
// side's graph frequency.
std::array<SpeechMark, 3> speechMarks(const GraphFrame& frame, const TargetState& targets,
                                      GraphSide side, int32_t aidStyle, TargetReading reading);

// One 1-dB step of a curve: from input x to x + 1 with the outputs there (dB).
struct CurveStep {
    int input;
    float from;
    float to;
};

// The steps of a curve that a graph draws: x = 30..129, each only where the curve's
// output at x is at least 30 dB.
std::vector<CurveStep> curveSteps(const CurveParams& curve);

// A straight piece of a curve between two pixels of its curve box.
struct PixelSegment {
    int x1;
    int y1;
    int x2;
    int y2;
    bool operator==(const PixelSegment&) const = default;
};

// The 1-dB segments of a curve in a box of the given size: from input x to x + 1 for
// x = 30..129, each only where the curve's output at x is at least 30 dB. Segments
// may reach outside the box; the drawing clips them.
std::vector<PixelSegment> curveSegments(const CurveParams& curve, int width, int height);
