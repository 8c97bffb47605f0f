// The previous visit on the Overview's loudness map: its thresholds and UCLs as lines
// under this visit's, the scale wide enough for both, its date in the legend, and how
// each ear's thresholds moved, in words.
#include "overview/overviewchart.h"
#include "overview/overviewvisit.h"
#include "overviewpatient.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

constexpr double kNear = 1e-3;

struct Expected {
    Series series;
    ChartPoint from, to;
};

void expectLines(const std::vector<ChartLine>& lines, const std::vector<Expected>& expected) {
    ASSERT_EQ(lines.size(), expected.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(lines[i].series, expected[i].series);
        EXPECT_NEAR(lines[i].from.x, expected[i].from.x, kNear);
        EXPECT_NEAR(lines[i].from.y, expected[i].from.y, kNear);
        EXPECT_NEAR(lines[i].to.x, expected[i].to.x, kNear);
        EXPECT_NEAR(lines[i].to.y, expected[i].to.y, kNear);
    }
}

// The right map's scale reaches 140 dB HL for the previous UCL of 135 at 4000 Hz
// (y = 24 + (HL + 10) * 305 / 150, the legend taking a third row); the left one keeps
// -10..120 (305 / 130). Gaps stay
// gaps: the right threshold has none at 2000 Hz, and its lone UCL at 4000 Hz is a
// short stroke; the left ear has no previous UCL and no threshold at 4000 Hz.
TEST(OverviewVisit, PreviousThresholdsAndUclsLieUnderEachEarsMap) {
    const FittingRecord now = overviewPatient();
    const KeptVersion previous = overviewPreviousVisit();
    const ChartPlan right =
        planLoudnessMap(now, overviewMeasured(), Ear::Right, 640, 400, &previous);
    ASSERT_EQ(right.levelTicks.size(), 16u); // -10 to 140 in tens
    EXPECT_EQ(right.levelTicks.back().label, "140");
    expectLines(right.previousLines, {{Series::Thr, {40, 105.333}, {185.75, 115.5}},
                                      {Series::Thr, {185.75, 115.5}, {331.5, 125.667}},
                                      {Series::Thr, {562.508, 135.833}, {623, 156.167}},
                                      {Series::Ucl, {185.75, 235.467}, {331.5, 257.833}},
                                      {Series::Ucl, {619, 318.833}, {627, 318.833}}});
    const ChartPlan left = planLoudnessMap(now, overviewMeasured(), Ear::Left, 640, 400, &previous);
    ASSERT_EQ(left.levelTicks.size(), 14u);
    EXPECT_EQ(left.levelTicks.back().label, "120");
    expectLines(left.previousLines, {{Series::Thr, {40, 129.577}, {185.75, 117.846}},
                                     {Series::Thr, {185.75, 117.846}, {331.5, 136.615}},
                                     {Series::Thr, {331.5, 136.615}, {477.25, 110.808}},
                                     {Series::Thr, {477.25, 110.808}, {562.508, 141.308}}});
    // This visit's points stay where the scale puts them: the right threshold of 40 dB HL
    // at 250 Hz on the wider scale.
    ASSERT_FALSE(right.markers.empty());
    EXPECT_NEAR(right.markers.front().at.y, 125.667, kNear);
}

TEST(OverviewVisit, LegendNamesThePreviousVisitByItsDate) {
    const FittingRecord now = overviewPatient();
    KeptVersion previous = overviewPreviousVisit();
    const ChartPlan with = planLoudnessMap(now, overviewMeasured(), Ear::Left, 640, 400, &previous);
    ASSERT_EQ(with.legend.size(), 8u);
    EXPECT_EQ(with.legend.back().extra, LegendEntry::Extra::PreviousVisit);
    EXPECT_EQ(with.legend.back().text, "Previous visit 06/01/2026");
    // Two columns wide: on a row of its own under four columns, beside "Not rising"
    // under three, on a row of its own under two.
    const struct {
        int width;
        PixelRect cell;
        int frameBottom;
    } layouts[] = {
        {640, {40, 380, 332, 396}, 330},
        {500, {188, 380, 484, 396}, 330},
        {400, {40, 380, 384, 396}, 298},
    };
    for (const auto& l : layouts) {
        SCOPED_TRACE(l.width);
        const ChartPlan plan =
            planLoudnessMap(now, overviewMeasured(), Ear::Left, l.width, 400, &previous);
        EXPECT_EQ(plan.legend.back().cell, l.cell);
        EXPECT_EQ(plan.panels.front().frame.bottom, l.frameBottom);
        EXPECT_EQ(plan.legend[6].cell.top, l.width == 500 ? 380 : l.cell.top - 16);
    }

    previous.record.testDate[0] = '\0';
    EXPECT_EQ(
        planLoudnessMap(now, overviewMeasured(), Ear::Left, 640, 400, &previous).legend.back().text,
        "Previous visit");

    const ChartPlan without = planLoudnessMap(now, overviewMeasured(), Ear::Right, 640, 400);
    EXPECT_TRUE(without.previousLines.empty());
    EXPECT_EQ(without.legend.size(), 7u);
    EXPECT_EQ(without.levelTicks.back().label, "120");
}

// One ear's thresholds (dB SPL, 250 Hz to 4000 Hz) now and at the previous visit; the
// other ear moves 50 dB everywhere, so that reading the wrong ear shows.
struct ChangeCase {
    Ear ear;
    int32_t now[kFrequencyCount];
    int32_t before[kFrequencyCount];
    const char* date;
    const char* expected;
};

FittingRecord withThresholds(Ear ear, const int32_t (&thr)[kFrequencyCount], int32_t other) {
    FittingRecord r{};
    resetFitting(r, "07/02/2026");
    for (int f = 0; f < kFrequencyCount; ++f) {
        earLoudness(r, ear)[f][0] = thr[f];
        earLoudness(r, otherEar(ear))[f][0] = other;
    }
    return r;
}

TEST(OverviewVisit, ThresholdChangeGroupsNeighboursMovingTheSameWay) {
    const ChangeCase cases[] = {
        {Ear::Right,
         {55, 46, 40, -99, 53, 65},
         {45, 41, 40, 30, 48, 55},
         "06/01/2026",
         "right threshold 5 to 10 dB higher than on 06/01/2026 at 250–500 Hz, unchanged at 1 KHz "
         "and 5 to 10 dB higher at 3–4 KHz"},
        {Ear::Left,
         {45, 36, 30, 38, 43, 50},
         {50, 36, 38, 30, 43, -99},
         "06/01/2026",
         "left threshold 5 dB lower than on 06/01/2026 at 250 Hz, unchanged at 500 Hz, 8 dB lower "
         "at 1 KHz, 8 dB higher at 2 KHz and unchanged at 3 KHz"},
        {Ear::Left,
         {20, 30, 40, 50, 60, 70},
         {20, 30, 40, 50, 60, 70},
         "12/31/2025",
         "left threshold unchanged since 12/31/2025 at 250 Hz–4 KHz"},
        {Ear::Right,
         {60, 40, 45, 50, 70, 80},
         {60, 50, 65, 70, 65, 60},
         "",
         "right threshold unchanged since the previous visit at 250 Hz, 10 to 20 dB lower at "
         "500 Hz–2 KHz and 5 to 20 dB higher at 3–4 KHz"},
        {Ear::Right,
         {40, -99, 45, 50, 50, 50},
         {30, 20, 40, 50, 50, 50},
         "06/01/2026",
         "right threshold 10 dB higher than on 06/01/2026 at 250 Hz, 5 dB higher at 1 KHz and "
         "unchanged at 2–4 KHz"},
        {Ear::Right,
         {-99, 40, -99, 50, -99, 60},
         {30, -99, 40, -99, 50, -99},
         "06/01/2026",
         "right threshold not measured at the same frequencies as on 06/01/2026"},
        {Ear::Left,
         {INT32_MAX, 10, 10, 10, 10, 10},
         {INT32_MIN, 10, 10, 10, 10, 11},
         "06/01/2026",
         "left threshold 4294967295 dB higher than on 06/01/2026 at 250 Hz, unchanged at "
         "500 Hz–3 KHz and 1 dB lower at 4 KHz"},
    };
    for (const ChangeCase& c : cases) {
        SCOPED_TRACE(c.expected);
        const FittingRecord now = withThresholds(c.ear, c.now, 70);
        KeptVersion previous;
        previous.record = withThresholds(c.ear, c.before, 20);
        std::snprintf(previous.record.testDate, sizeof previous.record.testDate, "%s", c.date);
        EXPECT_EQ(thresholdChange(now, previous, c.ear), c.expected);
    }
}

// A screen reader hears the move at the end of the map's description.
TEST(OverviewVisit, MapDescriptionEndsWithHowTheThresholdsMoved) {
    const FittingRecord now = overviewPatient();
    const KeptVersion previous = overviewPreviousVisit();
    const std::string text = loudnessMapDescription(now, overviewMeasured(), Ear::Left, &previous);
    EXPECT_TRUE(text.ends_with("; left threshold 5 dB lower than on 06/01/2026 at 250 Hz, "
                               "unchanged at 500 Hz, 8 dB lower at 1 KHz, 8 dB higher at 2 KHz "
                               "and unchanged at 3 KHz."))
        << text;
    EXPECT_EQ(loudnessMapDescription(now, overviewMeasured(), Ear::Left).find("threshold 5 dB"),
              std::string::npos);
}

} // namespace
