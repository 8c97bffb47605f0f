// The overview charts' geometry: octave-spaced frequencies, the level scale in both
// units, gaps where levels are missing, the marks of levels that do not rise,
// predicted against measured levels, and the gains the gain chart draws.
#include "overview/overviewchart.h"
#include "overviewpatient.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr double kNear = 1e-6;

std::vector<ChartLine> linesOf(const ChartPlan& plan, Series series) {
    std::vector<ChartLine> lines;
    std::ranges::copy_if(plan.lines, std::back_inserter(lines),
                         [&](const ChartLine& l) { return l.series == series; });
    return lines;
}

const ChartMarker* markerAt(const ChartPlan& plan, Series series, int frequency) {
    const auto found = std::ranges::find_if(plan.markers, [&](const ChartMarker& m) {
        return m.series == series && m.frequency == frequency;
    });
    return found == plan.markers.end() ? nullptr : &*found;
}

ChartPlan rightMap(bool showInHL) {
    FittingRecord r = overviewPatient();
    r.showInHL = showInHL ? 1 : 0;
    return planLoudnessMap(r, overviewMeasured(), Ear::Right, 640, 400);
}

TEST(OverviewChart, FrequenciesAreOctaveSpacedAcrossTheFrame) {
    const struct {
        int width, height, frequency;
        double x;
    } cases[] = {
        {640, 400, 0, 40},
        {640, 400, 1, 185.75},
        {640, 400, 2, 331.5},
        {640, 400, 5, 623},
        {640, 400, 4, 562.5082844801085},
        {500, 300, 0, 40},
        {500, 300, 5, 483},
        {500, 300, 4, 437.03459695486805},
    };
    const FittingRecord r = overviewPatient();
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << " f" << c.frequency);
        for (const Ear ear : kEars) {
            const ChartPlan map = planLoudnessMap(r, overviewMeasured(), ear, c.width, c.height);
            ASSERT_EQ(map.panels.size(), 1u);
            EXPECT_NEAR(map.panels[0].frequencyTicks[c.frequency].position, c.x, kNear);
        }
    }
    EXPECT_EQ(rightMap(true).panels[0].frame, (PixelRect{40, 24, 624, 346}));
    EXPECT_EQ(rightMap(true).panels[0].title, "");
}

// The gain chart's three plots share the room, 16 pixels apart, under a row for their
// titles; each runs 250 Hz to 4 kHz across its own frame and draws its own target and
// each curve's gain at its own speech input: a 2:1 user curve at 1000 Hz has 25, 17.5
// and 6 dB of gain, at 154.375, 211.5625 and 299.25 on the 0..40 dB scale.
TEST(OverviewChart, GainChartHasAPlotForEachSpeechLevel) {
    const struct {
        int width;
        PixelRect frames[3];
        double x1000[3];
    } cases[] = {
        {640,
         {{40, 40, 224, 346}, {240, 40, 424, 346}, {440, 40, 624, 346}},
         {131.5, 331.5, 531.5}},
        {500, {{40, 40, 177, 330}, {193, 40, 330, 330}, {346, 40, 483, 330}}, {108, 261, 414}},
    };
    FittingRecord r = overviewPatient();
    r.aidSettings[0][2].curve = {20, 40, 0, 2, 80, 0, 1, 120, 0, 1, {}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        const ChartPlan plan = planGainChart(r, overviewDatabase(), Ear::Right, c.width, 400);
        ASSERT_EQ(plan.panels.size(), 3u);
        const char* titles[3] = {"Soft speech", "Average speech", "Loud speech"};
        for (int p = 0; p < 3; ++p) {
            EXPECT_EQ(plan.panels[p].frame, c.frames[p]) << p;
            EXPECT_EQ(plan.panels[p].title, titles[p]);
            EXPECT_NEAR(plan.panels[p].frequencyTicks[2].position, c.x1000[p], kNear) << p;
        }
        // Each plot has its own target; the user curve's 1000 Hz point is in all three.
        for (int p = 0; p < 3; ++p) {
            const Series target[3] = {Series::TargetSoft, Series::TargetAverage,
                                      Series::TargetLoud};
            EXPECT_EQ(std::ranges::count_if(plan.markers,
                                            [&](const ChartMarker& m) {
                                                return m.panel == p && m.series == target[p];
                                            }),
                      4);
            EXPECT_EQ(std::ranges::count_if(plan.markers,
                                            [&](const ChartMarker& m) {
                                                return m.panel == p && m.series != target[p] &&
                                                       (m.series == Series::TargetSoft ||
                                                        m.series == Series::TargetAverage ||
                                                        m.series == Series::TargetLoud);
                                            }),
                      0);
            const auto user = std::ranges::find_if(plan.markers, [&](const ChartMarker& m) {
                return m.panel == p && m.series == Series::User;
            });
            ASSERT_NE(user, plan.markers.end());
            EXPECT_NEAR(user->at.x, c.x1000[p], kNear);
            if (c.width == 640) {
                const double y[3] = {154.375, 211.5625, 299.25};
                EXPECT_NEAR(user->at.y, y[p], kNear) << p;
            }
        }
    }
}

// The gain scale runs 0..40 dB, widened in 10 dB steps for any gain drawn in any plot,
// down to -40 and up to 100; a gain beyond is a gap. Here the user curve at 1000 Hz:
// 20 dB held to 66 dB out is -12 dB for loud speech (78 dB in); 96 dB held to 130 dB
// out is 96, 75 and 52 dB.
TEST(OverviewChart, GainScaleTakesInEveryPlot) {
    const struct {
        float gain, maxOutput;
        int lowest, highest;
        long drawn; // of the user curve's three points
    } cases[] = {
        {47, 130, 0, 50, 3},  {20, 66, -20, 40, 3}, {-40, 130, -40, 40, 3},
        {96, 130, 0, 100, 3}, {-41, 130, 0, 40, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gain);
        FittingRecord r = overviewPatient();
        r.aidSettings[0][2].curve = {c.gain, 40, 0, 1, 80, 0, 1, c.maxOutput, 0, 1, {}};
        const ChartPlan plan = planGainChart(r, overviewDatabase(), Ear::Right, 640, 400);
        ASSERT_EQ(plan.levelTicks.size(),
                  static_cast<std::size_t>((c.highest - c.lowest) / 10 + 1));
        EXPECT_EQ(plan.levelTicks[static_cast<std::size_t>(-c.lowest / 10)].label, "0");
        EXPECT_EQ(std::ranges::count_if(
                      plan.markers, [](const ChartMarker& m) { return m.series == Series::User; }),
                  c.drawn);
    }
}

// A patient with no loudness levels and 6 dB of gain at 1000 Hz: the scale keeps its
// 0..40 dB, numbered every 10 dB.
TEST(OverviewChart, SmallGainsKeepTheWholeScale) {
    FittingRecord r;
    resetFitting(r, "03/14/2025");
    r.aidSettings[0][2].curve = {6, 40, 0, 1, 80, 0, 1, 120, 0, 1, {}};
    const ChartPlan plan = planGainChart(r, overviewDatabase(), Ear::Right, 640, 400);
    std::vector<std::string> labels;
    for (const auto& tick : plan.levelTicks)
        labels.push_back(tick.label);
    EXPECT_EQ(labels, (std::vector<std::string>{"0", "10", "20", "30", "40"}));
}

// A number is left out where it would run into its neighbour: 3k first, then 500.
TEST(OverviewChart, FrequencyNumbersThatDoNotFitAreLeftOut) {
    const struct {
        int width; // of one plot
        std::vector<std::string> labels;
    } cases[] = {
        {584, {"250", "500", "1k", "2k", "3k", "4k"}},
        {184, {"250", "500", "1k", "2k", "3k", "4k"}},
        {150, {"250", "500", "1k", "2k", "", "4k"}},
        {97, {"250", "", "1k", "2k", "", "4k"}},
        {40, {"250", "", "", "", "", "4k"}},
    };
    const FittingRecord r = overviewPatient();
    for (const auto& c : cases) {
        // A loudness map whose one plot is the width asked for.
        const ChartPlan plan = planLoudnessMap(r, overviewMeasured(), Ear::Left, c.width + 56, 400);
        ASSERT_EQ(plan.panels[0].frame.right - plan.panels[0].frame.left, c.width);
        std::vector<std::string> labels;
        for (const ScaleTick& tick : plan.panels[0].frequencyTicks)
            labels.push_back(tick.label);
        EXPECT_EQ(labels, c.labels) << c.width;
    }
}

TEST(OverviewChart, LevelsGrowDownwardsInTheUnitTheLoudnessPageShows) {
    // Thresholds stored 55, 46, 53 and 65 dB SPL at 250, 500, 3000 and 4000 Hz are
    // 40, 40, 50 and 65 dB HL; the scale runs -10..120 dB HL or 0..130 dB SPL.
    const struct {
        bool hl;
        int frequency;
        double y;
    } cases[] = {
        {true, 0, 147.46153846153845}, {false, 0, 159.8076923076923},
        {true, 1, 147.46153846153845}, {false, 1, 137.5846153846154},
        {true, 4, 172.15384615384616}, {false, 4, 154.86923076923077},
        {true, 5, 209.19230769230768}, {false, 5, 184.5},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.hl ? "HL f" : "SPL f") << c.frequency);
        const ChartPlan plan = rightMap(c.hl);
        const ChartMarker* thr = markerAt(plan, Series::Thr, c.frequency);
        ASSERT_NE(thr, nullptr);
        EXPECT_NEAR(thr->at.y, c.y, kNear);
    }
    for (const bool hl : {true, false}) {
        const ChartPlan plan = rightMap(hl);
        ASSERT_EQ(plan.levelTicks.size(), 14u);
        EXPECT_EQ(plan.levelTicks.front(), (ScaleTick{24, hl ? "" : "0"}));
        EXPECT_EQ(plan.levelTicks[1].label, hl ? "0" : "");
        EXPECT_EQ(plan.levelTicks.back(), (ScaleTick{345, hl ? "120" : ""}));
    }
}

TEST(OverviewChart, ScaleWidensForLevelsOutsideItAndLeavesOutTheImplausible) {
    const struct {
        int32_t stored; // at 1000 Hz, where dB HL and dB SPL agree
        int lowest, highest;
        bool drawn;
    } cases[] = {
        {-25, -30, 120, true},  {121, -10, 130, true},  {160, -10, 160, true},
        {161, -10, 120, false}, {-31, -10, 120, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        FittingRecord r = overviewPatient();
        r.leftLoudness[2][0] = c.stored;
        const LevelScale scale = loudnessScale(r.leftLoudness, true);
        EXPECT_EQ(scale.lowest, c.lowest);
        EXPECT_EQ(scale.highest, c.highest);
        const ChartPlan plan = planLoudnessMap(r, overviewMeasured(), Ear::Left, 640, 400);
        EXPECT_EQ(markerAt(plan, Series::Thr, 2) != nullptr, c.drawn);
    }
}

TEST(OverviewChart, LinesJoinOnlyNeighbouringFrequenciesWithBothLevels) {
    const ChartPlan plan = rightMap(true);
    const struct {
        Series series;
        std::vector<std::pair<double, double>> spans; // from x, to x
    } cases[] = {
        {Series::Thr, {{40, 185.75}, {185.75, 331.5}, {562.5082844801085, 623}}},
        {Series::Ucl, {{40, 185.75}, {185.75, 331.5}, {562.5082844801085, 623}}},
        {Series::Vs, {{40, 185.75}, {185.75, 331.5}}},
    };
    for (const auto& c : cases) {
        const std::vector<ChartLine> lines = linesOf(plan, c.series);
        ASSERT_EQ(lines.size(), c.spans.size());
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_NEAR(lines[i].from.x, c.spans[i].first, kNear);
            EXPECT_NEAR(lines[i].to.x, c.spans[i].second, kNear);
        }
    }
    // Nothing at 2000 Hz: no point there for any category.
    EXPECT_TRUE(std::ranges::none_of(plan.markers, [](const auto& m) { return m.frequency == 3; }));
}

TEST(OverviewChart, PredictedLevelsAndTheLinesToThemAreMarkedPredicted) {
    const ChartPlan plan = rightMap(true);
    const struct {
        Series series;
        int frequency;
        bool measured;
    } points[] = {
        {Series::Thr, 4, true}, {Series::Vs, 4, false}, {Series::Lok, 4, false},
        {Series::Ucl, 4, true}, {Series::C, 1, false},  {Series::C, 0, true},
    };
    for (const auto& p : points) {
        const ChartMarker* marker = markerAt(plan, p.series, p.frequency);
        ASSERT_NE(marker, nullptr);
        EXPECT_EQ(marker->measured, p.measured)
            << static_cast<int>(p.series) << " f" << p.frequency;
    }
    const std::vector<ChartLine> c = linesOf(plan, Series::C);
    ASSERT_EQ(c.size(), 2u);
    EXPECT_FALSE(c[0].measured);
    EXPECT_FALSE(c[1].measured);
    for (const ChartLine& line : linesOf(plan, Series::Thr))
        EXPECT_TRUE(line.measured);
}

TEST(OverviewChart, LevelsBelowAnEarlierCategoryAreMarked) {
    const ChartPlan right = rightMap(true);
    ASSERT_EQ(right.orderMarks.size(), 2u);
    EXPECT_EQ(right.orderMarks[0].frequency, 1); // S 56 under VS 60
    EXPECT_EQ(right.orderMarks[0].category, 2);
    EXPECT_NEAR(right.orderMarks[0].at.x, 185.75, kNear);
    EXPECT_EQ(right.orderMarks[1].frequency, 4); // UCL 98 under LOK 100
    EXPECT_EQ(right.orderMarks[1].category, 7);
    // Equal levels rise far enough; the left ear rises everywhere.
    FittingRecord r = overviewPatient();
    r.leftLoudness[2][3] = r.leftLoudness[2][1];
    EXPECT_TRUE(planLoudnessMap(r, overviewMeasured(), Ear::Left, 640, 400).orderMarks.empty());
}

TEST(OverviewChart, BandsCoverRunsOfFrequenciesWithBothEdgeLevels) {
    const ChartPlan plan = rightMap(true);
    const struct {
        LoudnessBand band;
        std::vector<std::size_t> corners; // per run: 2 per frequency, 4 for a column
    } cases[] = {
        {LoudnessBand::Loud, {6, 4}},
        {LoudnessBand::Comfortable, {6, 4}},
        {LoudnessBand::Soft, {6, 4}},
    };
    for (const auto& c : cases) {
        std::vector<std::size_t> corners;
        for (const ChartBand& band : plan.bands)
            if (band.band == c.band)
                corners.push_back(band.outline.size());
        EXPECT_EQ(corners, c.corners) << static_cast<int>(c.band);
    }
    // The lone 3000 Hz run is a column 8 wide; the left ear has a soft band only at
    // 1000 and 2000 Hz.
    const ChartBand& column = plan.bands[1];
    EXPECT_NEAR(column.outline[0].x, 558.5082844801085, kNear);
    EXPECT_NEAR(column.outline[1].x, 566.5082844801085, kNear);
    const ChartPlan left =
        planLoudnessMap(overviewPatient(), overviewMeasured(), Ear::Left, 640, 400);
    ASSERT_EQ(left.bands.size(), 2u); // comfortable and soft, 1k..2k
    EXPECT_EQ(left.bands[0].band, LoudnessBand::Comfortable);
    EXPECT_EQ(left.bands[1].outline.size(), 4u);
}

TEST(OverviewChart, GainIsTargetOutputLessSpeechInput) {
    const FittingRecord r = overviewPatient();
    const GainTable right = gainTable(r, overviewDatabase(), Ear::Right);
    const GainTable left = gainTable(r, overviewDatabase(), Ear::Left);
    const struct {
        const GainTable& table;
        const char* name;
        int frequency;
        std::optional<double> soft, average, loud;
    } cases[] = {
        {right, "right 250", 0, 29.015, 21.5, 16.05}, // ITE 41, 56, 67
        {right, "right 500", 1, 22.24, 14.4, 6.72},   // ITE 44, 60, 76
        {right, "right 1000", 2, 20.8, 12, 5.4},      // ITE 34, 55, 78
        {right, "right 2000", 3, {}, {}, {}},         // nothing measured
        {left, "left 1000", 2, 12.8, 4, -2.6},        // BTE 32, 53, 76
        {left, "left 2000", 3, 14.8, 7.4, -0.2},      // BTE 34, 52, 76
        {left, "left 4000", 5, {}, {}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<double> expected[3] = {c.soft, c.average, c.loud};
        for (int level = 0; level < 3; ++level) {
            const auto& gain = c.table.target[level][c.frequency];
            ASSERT_EQ(gain.has_value(), expected[level].has_value()) << level;
            if (gain) {
                EXPECT_NEAR(*gain, *expected[level], 1e-4) << level;
            }
        }
    }
    constexpr int kFitted = 0, kUser = 1, kAid = 2, kAverage = 1;
    EXPECT_TRUE(right.curve[kFitted][kAverage][2].has_value());
    EXPECT_FALSE(right.curve[kFitted][kAverage][0].has_value()); // No Curve chosen at 250 Hz
    EXPECT_EQ(right.curve[kUser][kAverage][2], 20.0);
    EXPECT_FALSE(right.curve[kUser][kAverage][1].has_value());
    EXPECT_EQ(left.curve[kAid][kAverage][5], 30.0);
    EXPECT_FALSE(left.curve[kAid][kAverage][4].has_value());
    EXPECT_FALSE(right.curve[kAid][kAverage][5].has_value());
}

// Each curve's gain at each speech input: a user curve of 20 dB at 50 dB in, 2:1 from
// 40 dB in, gives 59, 72.5 and 84 dB out for the ITE's 34, 55 and 78 dB at 1000 Hz.
TEST(OverviewChart, CurveGainIsTakenAtEachSpeechInput) {
    FittingRecord r = overviewPatient();
    r.aidSettings[0][2].curve = {20, 40, 0, 2, 80, 0, 1, 120, 0, 1, {}};
    const GainTable table = gainTable(r, overviewDatabase(), Ear::Right);
    constexpr int kUser = 1;
    const double expected[3] = {25, 17.5, 6};
    for (int level = 0; level < 3; ++level) {
        ASSERT_TRUE(table.curve[kUser][level][2].has_value()) << level;
        EXPECT_NEAR(*table.curve[kUser][level][2], expected[level], 1e-4) << level;
        EXPECT_FALSE(table.curve[kUser][level][1].has_value()) << level;
    }
    // A maximum output of 80 dB holds the loud input's gain to 2 dB.
    r.aidSettings[0][2].curve.maxOutput = 80;
    EXPECT_NEAR(*gainTable(r, overviewDatabase(), Ear::Right).curve[kUser][2][2], 2, 1e-4);
}

TEST(OverviewChart, GainChartMarksTheDisplayFrequenciesAndLeavesGaps) {
    FittingRecord r = overviewPatient();
    r.leftRangeLow = 0;
    r.leftRangeHigh = 5;
    const ChartPlan left = planGainChart(r, overviewDatabase(), Ear::Left, 640, 400);
    const ChartPlan right = planGainChart(r, overviewDatabase(), Ear::Right, 640, 400);
    const struct {
        const ChartPlan& plan;
        double first, second;
    } cases[] = {{left, 40, 223}, {right, 85.75, 204.0120344079929}};
    for (const auto& c : cases) {
        for (std::size_t p = 0; p < 3; ++p) {
            const double shift = p * 200.0; // one plot and the gap
            ASSERT_EQ(c.plan.panels[p].displayFrequencyX.size(), 2u);
            EXPECT_NEAR(c.plan.panels[p].displayFrequencyX[0], c.first + shift, kNear);
            EXPECT_NEAR(c.plan.panels[p].displayFrequencyX[1], c.second + shift, kNear);
        }
    }
    // Right targets at 250, 500, 1000 and 3000 Hz: joined 250-500-1000, none across 2000.
    EXPECT_EQ(linesOf(right, Series::TargetAverage).size(), 2u);
    EXPECT_EQ(linesOf(left, Series::TargetSoft).size(), 1u);
}

TEST(OverviewChart, DescriptionsGiveTheNumbers) {
    const FittingRecord r = overviewPatient();
    EXPECT_EQ(loudnessMapDescription(r, overviewMeasured(), Ear::Right),
              "Right ear: threshold 40 to 65 dB HL, UCL 95 to 115 dB HL; levels predicted at 2 "
              "of 6 frequencies; nothing entered at 2 KHz; levels do not rise from THR to UCL "
              "at 500 Hz and 3 KHz.");
    FittingRecord spl = r;
    spl.showInHL = 0;
    EXPECT_EQ(loudnessMapDescription(spl, overviewMeasured(), Ear::Left),
              "Left ear: threshold 30 to 50 dB SPL, no UCL; all levels measured.");
    const std::string right =
        gainDescription(gainTable(r, overviewDatabase(), Ear::Right), Ear::Right);
    EXPECT_EQ(right.rfind("Gain, right ear: targets at 4 of 6 frequencies; fitted curve at 1 of 6 "
                          "frequencies, within ",
                          0),
              0u)
        << right;
    // 20 dB against the 1000 Hz targets of 20.8, 12 and 5.4 dB.
    EXPECT_TRUE(right.ends_with("; user curve at 1 of 6 frequencies, within 1, 8 and 15 dB of the "
                                "soft, average and loud targets; no curve of aid HA-1."))
        << right;
    // A 2:1 user curve: 25, 17.5 and 6 dB against the same targets.
    FittingRecord compressed = r;
    compressed.aidSettings[0][2].curve = {20, 40, 0, 2, 80, 0, 1, 120, 0, 1, {}};
    const std::string text =
        gainDescription(gainTable(compressed, overviewDatabase(), Ear::Right), Ear::Right);
    EXPECT_TRUE(text.ends_with("; user curve at 1 of 6 frequencies, within 5, 6 and 1 dB of the "
                               "soft, average and loud targets; no curve of aid HA-1."))
        << text;
    EXPECT_EQ(gainDescription(gainTable(r, overviewDatabase(), Ear::Left), Ear::Left),
              "Gain, left ear: targets at 2 of 6 frequencies; no fitted curve; no user curve; aid "
              "at 1 of 6 frequencies (HA-1 at 250 Hz, 500 Hz, 1 KHz, 2 KHz and 3 KHz; HA-2 at 4 "
              "KHz).");
}

} // namespace
