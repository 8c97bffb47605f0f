// Input/output curves: the output a curve gives for an input level, the fitting of
// the five standard shapes to a side's fit points, and the RMS error that scores any
// curve against them.
#pragma once

#include "curves/curvetext.h"
#include "curves/targets.h"
#include "model/fittingrecord.h"
#include "model/recordtexts.h"

#include <array>
#include <cstdint>
#include <optional>

// What each shape is, in one line, from how it is fitted: the curve lists' tool tips.
inline constexpr const char* curveShapeHints[kCurveShapeCount] = {
    "No fitted curve on this graph",
    "Linear: the same gain at every level (ratio 1), set to come closest to all five targets",
    "Compression from the soft-speech input: through the soft target, with the ratio (1 to 4) "
    "that best meets the louder targets",
    "Compression from midway between soft and average speech: through that target, with the "
    "ratio (1 to 4) that best meets the louder targets",
    "Compression from the average-speech input: the ratio of the average to the loud target "
    "(at most 4), the gain set to come closest to all five targets",
    "Compression from midway between average and loud speech: the ratio of the average to the "
    "loud target (at most 4), the gain set to come closest to all five targets",
};

// A curve or aid choice read from a file: outside 0..5 it means the first entry.
int choiceOrFirst(int32_t choice);

// RMS error of a curve that cannot be scored.
inline constexpr float kRmsNotComputable = 121.0f;

// The fit points of both graphs of an ear, indexed by sideIndex: [0] left, [1] right.
using EarFitPoints = std::array<FitPoints, kSideCount>;

// Output level for an input level of 30 to 130 dB: slope 1 below threshold 1, the
// two compression segments above, capped at the maximum output.
float curveOutput(const CurveParams& curve, float input);

// What fitting a shape gives; -99 where nothing was fitted.
struct FitResult {
    float gainAt50 = kEmptyValue;
    float threshold1 = kEmptyValue;
    float ratio1 = kEmptyValue;
};

// Fits one shape (1..5, Curve A to E) to the fit points of a side. Shape 0, any
// other shape, and a soft target of 0 or less fit nothing.
FitResult fitShape(const FitPoints& points, int shape);

// Fits a shape for a graph and writes the result into rows 0 to 6 of its fitted
// curve's grid column (1 left, 4 right), with maxOutput as the maximum output. A
// fitted curve has one kneepoint: threshold 2 and ratio 2 repeat threshold 1 and
// ratio 1.
void fitCurve(CurveGrid& grid, GraphSide side, int shape, const FitPoints& points,
              int32_t maxOutput);

// The RMS error of a curve against the fit points of its side; nothing when it cannot
// be computed (no soft target, a perfect fit, or a curve whose outputs overflow).
std::optional<float> curveRmsError(const CurveParams& curve, const FitPoints& points);

// Scores curves[index] (0..2 left graph, 3..5 right graph) against the fit points of
// its side: writes row 6 of grid column index + 1 ("Error" when it cannot be
// computed) and sets its rmsError (121 then).
void rmsError(CurveGrid& grid, CurveParams (&curves)[kCurveCount], int index,
              const EarFitPoints& points);
