// The Overview's charts and descriptions at the edges the chart tests leave: a gain at
// the top of what a gain chart shows, equal neighbouring levels, speech levels without
// a target.
#include "overview/overviewchart.h"
#include "overviewpatient.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A gain of 100 dB, the most a gain chart shows, widens the scale to 100 and is drawn:
// a BTE's 130 dB out of 30 dB in at 3 KHz, beside the 20 dB at 1 KHz.
TEST(OverviewEdges, AGainAtTheTopOfTheChartWidensTheScaleToIt) {
    FittingRecord r = overviewPatient();
    r.rightAidStyle = 0;
    r.aidSettings[0][4].curveChoice = 2;
    r.aidSettings[0][4].curve = {100, 40, 0, 1, 80, 0, 1, 130, 0, 1, {}};
    const ChartPlan plan = planGainChart(r, overviewDatabase(), Ear::Right, 640, 400);
    ASSERT_FALSE(plan.levelTicks.empty());
    EXPECT_EQ(plan.levelTicks.front().label, "0");
    EXPECT_EQ(plan.levelTicks.back().label, "100");
    EXPECT_EQ(std::ranges::count_if(plan.markers,
                                    [](const ChartMarker& m) { return m.series == Series::User; }),
              6);
}

// Equal neighbouring levels still rise; a level below the one before does not.
TEST(OverviewEdges, EqualNeighbouringLevelsRiseALowerOneDoesNot) {
    FittingRecord r = overviewPatient();
    r.showInHL = 0;
    const int32_t at250[kCategoryCount] = {45, 60, 60, 70, 70, 85, 90, 90};
    const int32_t at4k[kCategoryCount] = {50, 60, 60, 75, 74, 80, 85, 95};
    for (int c = 0; c < kCategoryCount; ++c) {
        r.leftLoudness[0][c] = at250[c];
        r.leftLoudness[5][c] = at4k[c];
    }
    EXPECT_EQ(loudnessMapDescription(r, overviewMeasured(), Ear::Left),
              "Left ear: threshold 30 to 50 dB SPL, UCL 90 to 95 dB SPL; all levels measured; "
              "levels do not rise from THR to UCL at 4 KHz.");
}

// A user curve beside targets of two speech levels is measured against those two.
TEST(OverviewEdges, TwoTargetsAreNamedInThePlural) {
    FittingRecord r = overviewPatient();
    r.leftLoudness[2][5] = kEmptyLevel; // no CSL, so no loud target, at 1 KHz
    r.leftLoudness[3][5] = kEmptyLevel; // nor at 2 KHz
    r.aidSettings[1][2].curveChoice = 2;
    r.aidSettings[1][2].curve = {20, 40, 0, 1, 80, 0, 1, 120, 0, 1, {}};
    const std::string text =
        gainDescription(gainTable(r, overviewDatabase(), Ear::Left), Ear::Left);
    EXPECT_NE(text.find("; user curve at 1 of 6 frequencies, within "), std::string::npos) << text;
    EXPECT_NE(text.find(" dB of the soft and average targets; "), std::string::npos) << text;
}

// A frequency with a loud target alone counts among the frequencies with targets.
TEST(OverviewEdges, AFrequencyWithALoudTargetAloneCounts) {
    FittingRecord r = overviewPatient();
    r.leftLoudness[2][1] = kEmptyLevel; // no VS at 1 KHz: the loud target alone
    const std::string text =
        gainDescription(gainTable(r, overviewDatabase(), Ear::Left), Ear::Left);
    EXPECT_EQ(text.rfind("Gain, left ear: targets at 2 of 6 frequencies; no fitted curve; ", 0), 0u)
        << text;
}

} // namespace
