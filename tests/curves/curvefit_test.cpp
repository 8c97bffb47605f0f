#include "curves/curvefit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace {

// Speech inputs of a BTE aid at 1000 Hz, with the midpoints.
constexpr float kInputs[5] = {32, 42.5f, 53, 64.5f, 76};

CurveParams curve(float gain, float t1, float r1, float t2, float r2, float maxOutput) {
    CurveParams c{};
    c.gainAt50 = gain;
    c.threshold1 = t1;
    c.ratio1 = r1;
    c.threshold2 = t2;
    c.ratio2 = r2;
    c.maxOutput = maxOutput;
    c.complete = 1;
    return c;
}

// Fit points at the BTE 1000 Hz inputs with the given targets.
FitPoints pointsWith(std::initializer_list<float> targets) {
    FitPoints p{};
    int k = 0;
    for (const float t : targets) {
        p[k] = {kInputs[k], t};
        ++k;
    }
    return p;
}

// Targets at a fixed offset from a line of slope 1 through (32, 52), plus deviations.
FitPoints offLine(std::initializer_list<float> deviations) {
    FitPoints p{};
    int k = 0;
    for (const float d : deviations) {
        p[k] = {kInputs[k], kInputs[k] + 20 + d};
        ++k;
    }
    return p;
}

std::vector<std::string> column(const CurveGrid& grid, int c) {
    return std::vector<std::string>(std::begin(grid.cell[c]), std::end(grid.cell[c]));
}

TEST(CurveOutput, FollowsBothSegmentsAndTheCap) {
    const CurveParams low = curve(20, 45, 2, 70, 3, 110); // threshold 1 below 50
    const CurveParams capped = curve(20, 45, 2, 70, 3, 85);
    const CurveParams high = curve(25, 60, 2, 80, 2, 120); // threshold 1 at or above 50
    const struct {
        const CurveParams* curve;
        float input, output;
    } cases[] = {
        {&low, 30, 52.5f},  {&low, 45, 67.5f},  {&low, 50, 70},    {&low, 70, 80},
        {&low, 100, 90},    {&low, 130, 100},   {&capped, 70, 80}, {&capped, 85, 85},
        {&capped, 100, 85}, {&capped, 130, 85}, {&high, 30, 55},   {&high, 60, 85},
        {&high, 70, 90},    {&high, 80, 95},    {&high, 130, 120},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(curveOutput(*c.curve, c.input), c.output)
            << "threshold 1 " << c.curve->threshold1 << ", input " << c.input;
    }
}

TEST(CurveFit, NothingIsFittedWithoutASoftTargetOrForNoCurve) {
    const FitPoints good = pointsWith({54.8f, 60.9f, 67, 75.2f, 83.4f});
    FitPoints noSoft = good;
    noSoft[0].target = 0;
    FitPoints negative = good;
    negative[0].target = -1;
    const struct {
        const FitPoints* points;
        int shape;
    } cases[] = {{&noSoft, 1}, {&negative, 4}, {&good, 0}, {&good, 6}, {&good, -1}};
    for (const auto& c : cases) {
        const FitResult r = fitShape(*c.points, c.shape);
        EXPECT_EQ(r.gainAt50, -99.0f) << "shape " << c.shape;
        EXPECT_EQ(r.threshold1, -99.0f);
        EXPECT_EQ(r.ratio1, -99.0f);
        CurveGrid grid;
        grid.cell[4][0] = "old";
        fitCurve(grid, GraphSide::Right, c.shape, *c.points, 120);
        EXPECT_EQ(column(grid, 4), std::vector<std::string>(7, "")) << "shape " << c.shape;
    }
}

TEST(CurveFit, CurveAShiftsTheLineUpToTheLoudGainDifference) {
    struct {
        const char* what;
        FitPoints points;
        float gain;
    } cases[] = {
        // On the line: one pass, and the shift ends one step on.
        {"on the line", offLine({0, 0, 0, 0, 0}), 19.99f},
        // The loud point on the line: L = 0 however far the others are.
        {"loud point on the line", offLine({0, 4, 4, 4, 0}), 19.99f},
        // The error is least at the mean deviation (2); it rises at 2.01, and the
        // shift ends one step past that.
        {"deviations 0 to 4", offLine({0, 1, 2, 3, 4}), 17.98f},
        // A first error above the starting 1000 stops the search at once.
        {"enormous loud target", offLine({0, 0, 0, 0, 5e9f}), 19.99f},
    };
    for (const auto& c : cases) {
        const FitResult r = fitShape(c.points, 1);
        EXPECT_NEAR(r.gainAt50, c.gain, 2e-4) << c.what;
        EXPECT_EQ(r.threshold1, 32.0f) << c.what;
        EXPECT_EQ(r.ratio1, 1.0f) << c.what;
    }
}

TEST(CurveFit, CurveBAndCSearchTheRatioFrom1To4) {
    const FitPoints flat = pointsWith({60, 60, 60, 60, 60});
    const FitPoints slopeOne = offLine({0, 0, 0, 0, 0});
    const FitPoints slopeHalf = pointsWith({50, 55.25f, 60.5f, 66.25f, 72});
    struct {
        const char* what;
        const FitPoints* points;
        int shape;
        float ratio;
    } cases[] = {
        // The error falls all the way: the ratio ends one step past the last pass.
        {"B flat", &flat, 2, 4.0000448f},
        {"C flat", &flat, 3, 4.0000448f},
        // An exact fit at the first pass stops there: one step past 1.
        {"B slope 1", &slopeOne, 2, 1.005f},
        // The float ratio passes 2 just below it; the error rises at the next pass.
        {"B slope 1/2", &slopeHalf, 2, 2.0099993f},
    };
    for (const auto& c : cases) {
        const FitResult r = fitShape(*c.points, c.shape);
        EXPECT_NEAR(r.ratio1, c.ratio, 1e-6) << c.what;
    }
    // Gain through the kneepoint, extended to 50 dB with the final ratio.
    const FitResult b = fitShape(flat, 2);
    EXPECT_EQ(b.threshold1, 32.0f);
    EXPECT_NEAR(b.gainAt50, 18 / 4.0000448 + 10, 1e-5);
    const FitResult c = fitShape(flat, 3);
    EXPECT_EQ(c.threshold1, 42.5f);
    EXPECT_NEAR(c.gainAt50, 7.5 / 4.0000448 + 10, 1e-5);
    // A kneepoint at or above 50 dB: the gain is the kneepoint's.
    FitPoints high = flat;
    high[1].input = 51;
    EXPECT_EQ(fitShape(high, 3).gainAt50, 9.0f);
}

TEST(CurveFit, CurveDAndETakeTheRatioFromAverageToLoudCappedAt4) {
    const struct {
        const char* what;
        float loud;
        float ratio;
    } cases[] = {
        {"23 dB in over 5 dB out", 72, 4.0f}, // 4.6, capped
        {"23 dB in over 10 dB out", 77, 2.3f},
        {"loud as average", 67, 4.0f}, // no slope at all: the cap
        {"loud below average", 57, 2.3f},
    };
    for (const auto& c : cases) {
        const FitPoints p = pointsWith({55, 61, 67, 70, c.loud});
        EXPECT_EQ(fitShape(p, 4).ratio1, c.ratio) << c.what;
        EXPECT_EQ(fitShape(p, 5).ratio1, c.ratio) << c.what;
        EXPECT_EQ(fitShape(p, 4).threshold1, 53.0f);
        EXPECT_EQ(fitShape(p, 5).threshold1, 64.5f);
    }
}

TEST(CurveFit, CurveDShiftsTheGainByTheOffsetOfThePassThatRaisedTheError) {
    // Targets on the curve through the average point with ratio 2: the error is least
    // at offset 0 and rises at 0.1, which is added to the starting gain 67 - 53.
    const FitPoints exact = pointsWith({46, 56.5f, 67, 72.75f, 78.5f});
    EXPECT_NEAR(fitShape(exact, 4).gainAt50, 14.1, 1e-5);
    // Four points far above: the error keeps falling past offset 20 and the starting
    // gain stays.
    const FitPoints far = pointsWith({146, 156.5f, 67, 172.75f, 178.5f});
    EXPECT_EQ(fitShape(far, 4).gainAt50, 14.0f);
    // An average input below 50 dB (BTE, 4000 Hz): the starting gain is the kneepoint
    // line extended to 50 dB, (50 - 47) / 2 + 67 - 50.
    const FitPoints low = {{{32, 52}, {39.5f, 59.5f}, {47, 67}, {58.5f, 72.75f}, {70, 78.5f}}};
    EXPECT_NEAR(fitShape(low, 4).gainAt50, 18.6, 1e-5);
}

TEST(CurveFit, WritesTheFitIntoTheSidesColumn) {
    // Curve A on a line 3.69 dB below unity gain: gain -3.7 is written as the integer
    // part of -3.2.
    FitPoints p = offLine({0, 0, 0, 0, 0});
    for (FitPoint& point : p)
        point.target -= 23.69f;
    CurveGrid grid;
    fitCurve(grid, GraphSide::Left, 1, p, 125);
    EXPECT_EQ(column(grid, 1),
              (std::vector<std::string>{"-3", "32", "1.0", "32", "1.0", "125", ""}));
    EXPECT_EQ(column(grid, 4), std::vector<std::string>(7, ""));

    // The right graph writes column 4; the ratio is rounded to one decimal.
    const FitPoints flat = pointsWith({60, 60, 60, 60, 60});
    fitCurve(grid, GraphSide::Right, 2, flat, 130);
    EXPECT_EQ(column(grid, 4),
              (std::vector<std::string>{"14", "32", "4.0", "32", "4.0", "130", ""}));
}

TEST(RmsError, ScoresACompleteCurveAgainstItsSidesFitPoints) {
    // Output = input + 20 everywhere.
    const CurveParams unity = curve(20, 30, 1, 30, 1, 130);
    EarFitPoints points{offLine({1, -1, 2, -2, 0}), offLine({0, 0, 0, 0, 0})};
    CurveParams curves[kCurveCount] = {unity, unity, unity, unity, unity, unity};
    CurveGrid grid;
    for (int index = 0; index < kCurveCount; ++index)
        rmsError(grid, curves, index, points);
    // Left side: sqrt(10 / 5).
    EXPECT_EQ(grid.cell[1][6], "1.4");
    EXPECT_EQ(grid.cell[3][6], "1.4");
    EXPECT_FLOAT_EQ(curves[2].rmsError, std::sqrt(2.0f));
    // Right side: a perfect fit cannot be scored.
    EXPECT_EQ(grid.cell[4][6], "Error");
    EXPECT_EQ(curves[5].rmsError, 121.0f);

    // No soft target: not scored, whatever the other errors.
    points[0][0].target = 0;
    rmsError(grid, curves, 0, points);
    EXPECT_EQ(grid.cell[1][6], "Error");
    EXPECT_EQ(curves[0].rmsError, 121.0f);
}

TEST(RmsError, ACurveWhoseOutputsOverflowIsNotScored) {
    // A ratio of 1e-42 makes the outputs overflow a float.
    CurveParams curves[kCurveCount] = {curve(20, 40, 1e-42f, 40, 1e-42f, 130)};
    const EarFitPoints points{offLine({1, 0, 0, 0, 0}), offLine({1, 0, 0, 0, 0})};
    CurveGrid grid;
    rmsError(grid, curves, 0, points);
    EXPECT_EQ(grid.cell[1][6], "Error");
    EXPECT_EQ(curves[0].rmsError, 121.0f);
}

// Each search must end, however hostile the points; ctest's time limit stops one that
// would not. How fast they end is the benchmark's business.
TEST(CurveFit, EverySearchEndsWhateverThePoints) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    std::vector<FitPoints> hostile = {
        // The longest Curve A search with numbers: deviations just within the start.
        offLine({0, 1118, 1118, 1118, 1118}),
        offLine({0, 0, 0, 0, 3e38f}),
        offLine({0, 0, 0, 0, inf}),
        offLine({0, 0, 0, 0, -3e38f}),
    };
    FitPoints noNumber = offLine({0, 0, 0, 0, 3e38f});
    noNumber[1].input = nan;
    hostile.push_back(noNumber);
    noNumber[1].target = nan;
    hostile.push_back(noNumber);

    for (const FitPoints& p : hostile) {
        for (int shape = 1; shape <= 5; ++shape)
            fitShape(p, shape);
    }
    // The longest search with numbers finds the mean deviation, 894.4.
    EXPECT_NEAR(fitShape(hostile[0], 1).gainAt50, 20 - 894.4, 0.5);
}

} // namespace
