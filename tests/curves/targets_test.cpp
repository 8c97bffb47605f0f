#include "curves/targets.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int E = kEmptyLevel;
constexpr int k250 = 0, k500 = 1, k1000 = 2, k2000 = 3, k3000 = 4, k4000 = 5;

// A fresh record with the right ear's left graph at frequency f holding VS, CSS,
// CSL and UCL (the other levels empty), style BTE.
FittingRecord rightEarAt(int f, int vs, int css, int csl, int ucl) {
    FittingRecord r;
    resetFitting(r, "01/01/2000");
    r.rightAidStyle = 0;
    r.rightRangeLow = f;
    r.rightRangeHigh = f;
    r.rightLoudness[f][1] = vs;
    r.rightLoudness[f][3] = css;
    r.rightLoudness[f][5] = csl;
    r.rightLoudness[f][7] = ucl;
    return r;
}

std::vector<float> targetsOf(const TargetState& t, int side) {
    return {t.targetLevels[side][0], t.targetLevels[side][1], t.targetLevels[side][2],
            t.targetLevels[side][3]};
}

std::vector<int> bandsOf(const TargetState& t, int side) {
    return {t.bandLevels[side][0], t.bandLevels[side][1], t.bandLevels[side][2],
            t.bandLevels[side][3]};
}

TEST(Targets, CopyTheEarsLevelsAtItsTwoGraphFrequencies) {
    FittingRecord r;
    resetFitting(r, "01/01/2000");
    r.leftRangeLow = k2000;
    r.leftRangeHigh = k250;
    for (int c = 0; c < 8; ++c) {
        r.leftLoudness[k2000][c] = 40 + c;
        r.leftLoudness[k250][c] = 60 + c;
        r.rightLoudness[k2000][c] = 1;
    }
    const TargetState t = loadTargets(r, Ear::Left);
    EXPECT_EQ(t.graphFrequency[0], k2000);
    EXPECT_EQ(t.graphFrequency[1], k250);
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(t.graphLevels[0][c], 40 + c);
        EXPECT_EQ(t.graphLevels[1][c], 60 + c);
    }
}

TEST(Targets, GraphFrequenciesOutsideTheTableMeanTheFirst) {
    for (const int32_t index : {6, -1, 2147483647}) {
        FittingRecord r = rightEarAt(k250, 50, 70, 90, 100);
        r.rightRangeLow = index;
        r.rightRangeHigh = index;
        const TargetState t = loadTargets(r, Ear::Right);
        EXPECT_EQ(t.graphFrequency[0], k250) << index;
        EXPECT_EQ(t.graphLevels[1][1], 50) << index;
    }
}

TEST(Targets, AMissingUclIsEstimatedFiveDbAboveTheAudiometersMaximum) {
    const struct {
        int frequency;
        int band;
    } cases[] = {{k250, 125}, {k500, 131}, {k1000, 125}, {k2000, 128}, {k3000, 128}, {k4000, 125}};
    for (const auto& c : cases) {
        const TargetState t = loadTargets(rightEarAt(c.frequency, E, E, E, E), Ear::Right);
        EXPECT_EQ(bandsOf(t, 0), (std::vector<int>{E, E, E, c.band})) << frequencyHz[c.frequency];
    }
    EXPECT_EQ(audiometerLimit(1500), 105);
}

TEST(Targets, CicRaisesTheBandsButNotTheTargets) {
    FittingRecord r = rightEarAt(k4000, 60, 80, 95, 105);
    r.rightAidStyle = kCicStyle;
    TargetState t = loadTargets(r, Ear::Right);
    EXPECT_EQ(bandsOf(t, 0), (std::vector<int>{70, 90, 105, 115}));
    EXPECT_EQ(targetsOf(t, 0), (std::vector<float>{65.2f, 74.2f, 87.5f, 0.0f}));

    // An estimated UCL is corrected too; empty bands stay empty.
    r.rightLoudness[k4000][7] = E;
    r.rightLoudness[k4000][5] = E;
    t = loadTargets(r, Ear::Right);
    EXPECT_EQ(bandsOf(t, 0), (std::vector<int>{70, 90, E, 135}));
    // Only style 3 is CIC.
    r.rightAidStyle = 7;
    EXPECT_EQ(bandsOf(loadTargets(r, Ear::Right), 0), (std::vector<int>{60, 80, E, 125}));
}

struct TargetCase {
    const char* what;
    int frequency;
    int vs, css, csl;
    std::vector<float> targets;
};

TEST(Targets, SoftAndAverageUseTheLowSpanAndLoudItsOwnSpan) {
    const TargetCase cases[] = {
        {"worked example", k1000, 50, 70, 90, {54.8f, 67.0f, 83.4f, 0.0f}},
        {"CSS missing", k1000, 50, E, 90, {0.0f, 0.0f, 0.0f, 0.0f}},
        {"VS missing", k2000, E, 70, 90, {0.0f, 0.0f, 82.8f, 0.0f}},
        {"CSL missing", k1000, 50, 70, E, {54.8f, 67.0f, 0.0f, 0.0f}},
        {"CSS above CSL", k1000, 50, 70, 60, {54.8f, 67.0f, 76.7f, 0.0f}},
        {"VS above CSS", k500, 70, 50, 90, {77.8f, 88.0f, 69.2f, 0.0f}},
        {"250 Hz: VS and CSS only", k250, 50, 70, E, {50.02f, 60.0f, 67.4f, 0.0f}},
    };
    for (const TargetCase& c : cases) {
        const TargetState t =
            loadTargets(rightEarAt(c.frequency, c.vs, c.css, c.csl, 100), Ear::Right);
        EXPECT_EQ(targetsOf(t, 0), c.targets) << c.what;
    }
}

TEST(Targets, BinauralFittingLowersEveryTargetThatExists) {
    FittingRecord r = rightEarAt(k1000, 50, 70, E, 100);
    r.binauralFitting = 1;
    EXPECT_EQ(targetsOf(loadTargets(r, Ear::Right), 0),
              (std::vector<float>{49.8f, 62.0f, 0.0f, 0.0f}));
    r.binauralFitting = 2; // only 1 means binaural
    EXPECT_EQ(targetsOf(loadTargets(r, Ear::Right), 0),
              (std::vector<float>{54.8f, 67.0f, 0.0f, 0.0f}));
}

TEST(Targets, ExtremeLevelsFromAFileGiveFiniteTargets) {
    FittingRecord r = rightEarAt(k4000, -2147483647 - 1, 2147483647, -2147483647 - 1, 2147483647);
    r.rightAidStyle = kCicStyle;
    const TargetState t = loadTargets(r, Ear::Right);
    EXPECT_EQ(t.bandLevels[0][1], 2147483647); // saturates instead of overflowing
    EXPECT_GT(t.targetLevels[0][2], 4e9f);
}

TEST(FitPoints, LieAtTheSpeechInputsAndHalfwayBetween) {
    const TargetState t = loadTargets(rightEarAt(k1000, 50, 70, 90, 100), Ear::Right);
    const FitPoints p = fitPoints(t, 0, GraphSide::Left);
    const float inputs[5] = {32, 42.5f, 53, 64.5f, 76};
    const float goals[5] = {54.8f, 60.9f, 67, 75.2f, 83.4f};
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(p[k].input, inputs[k]) << k;
        EXPECT_EQ(p[k].target, goals[k]) << k;
    }
}

TEST(FitPoints, TakeTheInputsOfTheAidStyleAndTheSidesFrequency) {
    FittingRecord r = rightEarAt(k4000, 50, 70, 90, 100);
    r.rightRangeLow = k500;
    const TargetState t = loadTargets(r, Ear::Right);
    EXPECT_EQ(fitPoints(t, 3, GraphSide::Right)[0].input, 38.0f); // CIC, 4000 Hz
    EXPECT_EQ(fitPoints(t, 3, GraphSide::Right)[4].input, 76.0f);
    EXPECT_EQ(fitPoints(t, 2, GraphSide::Left)[2].input, 60.0f);   // ITC, 500 Hz
    EXPECT_EQ(fitPoints(t, 9, GraphSide::Left)[2].input, 59.0f);   // unknown style: BTE
    EXPECT_EQ(fitPoints(t, -1, GraphSide::Right)[3].input, 58.5f); // BTE, 4000 Hz: (47 + 70) / 2
}

TEST(MaxOutputForFit, IsTheBandUclCappedAt130) {
    TargetState t{};
    const struct {
        int ucl, expected;
    } cases[] = {{125, 125}, {130, 130}, {131, 130}, {E, 130}, {20, 20}};
    for (const auto& c : cases) {
        t.bandLevels[1][3] = c.ucl;
        EXPECT_EQ(maxOutputForFit(t, GraphSide::Right), c.expected) << c.ucl;
    }
}

} // namespace
