// Geometry of the curve graphs: where the graph panel, its two frames and curve
// boxes lie, how a level becomes a pixel on the background and in a curve box, and
// what the pointer read-out says. Plain numbers, shared by the page, tavik-cli and
// the tests.
#pragma once

#include "curves/targets.h"

#include <string>

// The black panel behind both graphs, in pixels of the curve page.
inline constexpr int kGraphPanelLeft = 18;
inline constexpr int kGraphPanelTop = 159;
inline constexpr int kGraphPanelWidth = 595;
inline constexpr int kGraphPanelHeight = 294;

// The curve boxes, in pixels of the panel: side 0 is the left graph, side 1 the right.
inline constexpr int kCurveBoxSize = 250;
inline constexpr int kCurveBoxLeft[kSideCount] = {30, 323};
inline constexpr int kCurveBoxTop = 25;

// The frequency label of each graph, in panel pixels: the caption is right-aligned
// in this box, in the bottom-right corner of the graph.
inline constexpr int kFrequencyLabelLeft[kSideCount] = {216, 497};
inline constexpr int kFrequencyLabelTop = 250;
inline constexpr int kFrequencyLabelWidth = 60;
inline constexpr int kFrequencyLabelHeight = 20;

// The frame of a graph in panel pixels: the rectangle of its curve box, with
// right = left + width and bottom = top + height.
struct GraphFrame {
    int left;
    int top;
    int right;
    int bottom;
};
GraphFrame graphFrame(int side);

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
