#include "curves/curvefit.h"

#include "model/numbers.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

enum FitPointIndex { kSoft = 0, kSoftAverage = 1, kAverage = 2, kAverageLoud = 3, kLoud = 4 };

// The searches step their running variable by these amounts (the constants are the
// nearest doubles of the decimal steps; each sum is rounded back to a float).
constexpr double kShiftStep = 0.01;  // Curve A: shift of the line, dB
constexpr double kRatioStep = 0.005; // Curves B and C: compression ratio
constexpr double kOffsetStep = 0.1;  // Curves D and E: gain offset, dB
constexpr float kOffsetFrom = -5.0f;
constexpr long double kOffsetTo = 20.0L;
constexpr long double kHighestRatio = 4.0L; // search end of B and C, cap of D and E

// Curve A's search ends at the difference between the loud and the soft gain, which
// levels read from a file can make enormous, and a float shift stops moving once it
// passes 262144. With numbers the search cannot get far: its first error must stay
// within the starting 1000, so every deviation is below 2237 dB, and the search stops
// once the shift passes their mean. Fit points that are no numbers give no errors to
// stop on; for them this bound ends the search.
constexpr long double kLargestShift = 2500.0L;

// Rounds an intermediate result to a float. A value beyond the float range becomes
// infinite, as the hardware does, rather than being left undefined by the language
// (a ratio typed as 0.000...1 makes curve outputs that large).
float toFloat(long double value) {
    constexpr long double largest = std::numeric_limits<float>::max();
    if (value > largest)
        return std::numeric_limits<float>::infinity();
    if (value < -largest)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

// What a pass does when the errors sum to exactly 0.
enum class OnExactFit {
    ErrorIsMinus99, // Curve A: the RMS value becomes -99 and the search goes on
    Stop,           // the other shapes stop at once
};

struct SearchEnd {
    float finalValue;          // one step past the last pass
    std::optional<float> rose; // the value of the pass that raised the error
};

// One linear search of the fitting. The running variable, the current and the last
// RMS value are floats; the search starts with both RMS values at 1000 and runs while
// the variable is at most `to` and no pass has stopped it. A pass whose RMS value is
// above the one before stops the search. The variable is advanced at the end of every
// pass, the stopping one included.
template <class SumOfSquares>
SearchEnd linearSearch(float from, double step, long double to, long double meanFactor,
                       OnExactFit onExactFit, SumOfSquares sumOfSquares) {
    float value = from;
    float current = 1000.0f;
    float last = 1000.0f;
    bool stop = false;
    std::optional<float> rose;
    while (static_cast<long double>(value) <= to && !stop) {
        last = current;
        const long double sum = sumOfSquares(static_cast<long double>(value));
        if (sum > 0)
            current = toFloat(std::sqrt(sum * meanFactor));
        else if (onExactFit == OnExactFit::ErrorIsMinus99)
            current = kEmptyValue;
        else
            stop = true;
        if (last < current) {
            stop = true;
            rose = value;
        }
        value = static_cast<float>(static_cast<long double>(value) + step);
    }
    return {value, rose};
}

long double inputOf(const FitPoints& p, int k) {
    return p[k].input;
}
long double targetOf(const FitPoints& p, int k) {
    return p[k].target;
}

// Gain at 50 dB of a curve whose first segment has slope 1 / ratio from the kneepoint
// (kneeInput, kneeOutput), extended down to 50 dB if the kneepoint lies below it.
float gainThroughKnee(long double kneeInput, long double kneeOutput, long double ratio) {
    if (kneeInput >= 50)
        return toFloat(kneeOutput - kneeInput);
    return toFloat((50 - kneeInput) / ratio + kneeOutput - 50);
}

// Curve A: a line of slope 1 through the soft point, shifted down by the amount that
// minimises the deviation from all five targets.
FitResult fitLinear(const FitPoints& p) {
    const long double is = inputOf(p, kSoft);
    const long double ts = targetOf(p, kSoft);
    const long double loudGain = targetOf(p, kLoud) - inputOf(p, kLoud);
    const long double limit = std::min(std::fabs(loudGain - (ts - is)), kLargestShift);
    long double deviation[kFitPointCount] = {};
    for (int k = 1; k < kFitPointCount; ++k)
        deviation[k] = std::fabs(targetOf(p, k) - (inputOf(p, k) - is + ts));

    const SearchEnd end = linearSearch(0.0f, kShiftStep, limit, 0.2L, OnExactFit::ErrorIsMinus99,
                                       [&](long double shift) {
                                           long double sum = 0;
                                           for (const long double d : deviation) {
                                               const long double e = d - shift;
                                               sum += e * e;
                                           }
                                           return sum;
                                       });
    FitResult r;
    r.gainAt50 = toFloat(ts - end.finalValue - is);
    r.threshold1 = p[kSoft].input;
    r.ratio1 = 1.0f;
    return r;
}

// Curves B and C: a kneepoint on one fit point, the ratio searched from 1 to 4 so that
// the curve passes the later points best.
FitResult fitRatio(const FitPoints& p, int knee) {
    const long double kneeInput = inputOf(p, knee);
    const long double kneeOutput = targetOf(p, knee);
    const SearchEnd end = linearSearch(
        1.0f, kRatioStep, kHighestRatio, 0.25L, OnExactFit::Stop, [&](long double ratio) {
            long double sum = 0;
            for (int k = knee + 1; k < kFitPointCount; ++k) {
                const long double e =
                    std::fabs((inputOf(p, k) - kneeInput) / ratio + kneeOutput - targetOf(p, k));
                sum += e * e;
            }
            return sum;
        });
    FitResult r;
    r.ratio1 = end.finalValue;
    r.threshold1 = p[knee].input;
    r.gainAt50 = gainThroughKnee(kneeInput, kneeOutput, r.ratio1);
    return r;
}

// Curves D and E: a kneepoint on the average point (D) or the average-loud midpoint
// (E), the ratio from the slope between the average and the loud target (at most 4),
// and the gain shifted by the offset that fits all five points best.
FitResult fitGain(const FitPoints& p, int knee) {
    const long double kneeInput = inputOf(p, knee);
    const long double kneeOutput = targetOf(p, knee);
    const long double targetRise = std::fabs(targetOf(p, kLoud) - targetOf(p, kAverage));
    const long double inputRise = std::fabs(inputOf(p, kLoud) - inputOf(p, kAverage));
    // Equal average and loud targets mean an unbounded ratio: the cap.
    const long double ratio =
        targetRise == 0 ? kHighestRatio : std::min(inputRise / targetRise, kHighestRatio);

    FitResult r;
    r.threshold1 = p[knee].input;
    r.ratio1 = toFloat(ratio);
    r.gainAt50 = gainThroughKnee(kneeInput, kneeOutput, r.ratio1);
    const long double slope = r.ratio1;

    const SearchEnd end = linearSearch(
        kOffsetFrom, kOffsetStep, kOffsetTo, 0.2L, OnExactFit::Stop, [&](long double offset) {
            long double sum = 0;
            for (int k = 0; k < kFitPointCount; ++k) {
                const long double input = inputOf(p, k);
                long double predicted = kneeOutput + offset;
                if (input < kneeInput)
                    predicted = predicted - std::fabs(kneeInput - input);
                else if (input > kneeInput)
                    predicted = predicted + std::fabs(input - kneeInput) / slope;
                const long double e = std::fabs(targetOf(p, k) - predicted);
                sum += e * e;
            }
            return sum;
        });
    if (end.rose)
        r.gainAt50 = toFloat(static_cast<long double>(r.gainAt50) + *end.rose);
    return r;
}

bool present(float value) {
    return value != kEmptyValue;
}

std::string wholeNumberText(float value) {
    return present(value) ? formatInt(roundHalfUp(value)) : "";
}

} // namespace

int choiceOrFirst(int32_t choice) {
    return choice >= 0 && choice < kCurveShapeCount ? choice : 0;
}

float curveOutput(const CurveParams& curve, float input) {
    const long double s1 = 1.0L / static_cast<long double>(curve.ratio1);
    const long double s2 = 1.0L / static_cast<long double>(curve.ratio2);
    const long double t1 = curve.threshold1;
    const long double t2 = curve.threshold2;
    const long double g = curve.gainAt50;
    const long double x = input;
    long double output;
    if (t1 >= 50) {
        const long double o1 = t1 + g;
        const long double o2 = o1 + (t2 - t1) * s1;
        if (x <= t1)
            output = x + g;
        else if (x <= t2)
            output = o1 + (x - t1) * s1;
        else
            output = o2 + (x - t2) * s2;
    } else {
        const long double o1 = (50 + g) - (50 - t1) * s1;
        const long double o2 = o1 + (t2 - t1) * s1;
        if (x < t1)
            output = o1 - (t1 - x);
        else if (x < t2)
            output = o1 + (x - t1) * s1;
        else
            output = o2 + (x - t2) * s2;
    }
    return std::min(toFloat(output), curve.maxOutput);
}

FitResult fitShape(const FitPoints& points, int shape) {
    if (!(points[kSoft].target > 0))
        return {};
    switch (shape) {
    case 1:
        return fitLinear(points);
    case 2:
        return fitRatio(points, kSoft);
    case 3:
        return fitRatio(points, kSoftAverage);
    case 4:
        return fitGain(points, kAverage);
    case 5:
        return fitGain(points, kAverageLoud);
    default:
        return {};
    }
}

void fitCurve(CurveGrid& grid, GraphSide side, int shape, const FitPoints& points,
              int32_t maxOutput) {
    std::string(&cells)[kGridRows] = grid.cell[firstCurveOf(side) + 1];
    for (std::string& text : cells)
        text.clear();
    if (points[kSoft].target == 0)
        return;
    const FitResult fit = fitShape(points, shape);
    cells[kRowGain] = wholeNumberText(fit.gainAt50);
    cells[kRowThreshold1] = wholeNumberText(fit.threshold1);
    cells[kRowRatio1] = ratioForm(fit.ratio1);
    cells[kRowThreshold2] = cells[kRowThreshold1];
    cells[kRowRatio2] = cells[kRowRatio1];
    if (present(fit.gainAt50))
        cells[kRowMaxOutput] = formatInt(maxOutput);
}

std::optional<float> curveRmsError(const CurveParams& curve, const FitPoints& points) {
    long double sum = 0;
    for (const FitPoint& point : points) {
        const long double e =
            static_cast<long double>(point.target) - curveOutput(curve, point.input);
        sum += e * e;
    }
    if (!(sum > 0) || points[kSoft].target == 0)
        return std::nullopt;
    const float rms = toFloat(std::sqrt(sum * 0.2L));
    if (!std::isfinite(rms))
        return std::nullopt;
    return rms;
}

void rmsError(CurveGrid& grid, CurveParams (&curves)[kCurveCount], int index,
              const EarFitPoints& points) {
    const FitPoints& own = points[sideIndex(sideOfCurve(index))];
    const std::optional<float> rms = curveRmsError(curves[index], own);
    grid.cell[index + 1][kRowRmsError] = rms ? formatSig3(*rms, 1) : "Error";
    curves[index].rmsError = rms ? *rms : kRmsNotComputable;
}
