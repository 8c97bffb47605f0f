#include "model/prediction.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

constexpr int E = kEmptyLevel;
constexpr int k250 = 0, k500 = 1, k1000 = 2, k2000 = 3, k4000 = 5;

// A fresh record whose right ear holds the given THR and UCL (dB SPL) at frequency f.
FittingRecord recordWith(int source, int f, int thr, int ucl) {
    FittingRecord r;
    resetFitting(r, "01/01/2000");
    r.rightLevelSource = source;
    r.rightLoudness[f][0] = thr;
    r.rightLoudness[f][7] = ucl;
    return r;
}

struct PredictionCase {
    const char* name;
    int source;
    int frequency;
    int thr, ucl;    // stored, dB SPL
    int expected[8]; // stored after prediction, THR .. UCL
};

void PrintTo(const PredictionCase& c, std::ostream* os) {
    *os << c.name;
}

class PredictedLevels : public testing::TestWithParam<PredictionCase> {};

TEST_P(PredictedLevels, MatchTheFormulas) {
    const PredictionCase& c = GetParam();
    FittingRecord r = recordWith(c.source, c.frequency, c.thr, c.ucl);
    predictLevels(r, Ear::Right);
    for (int cat = 0; cat < 8; ++cat)
        EXPECT_EQ(r.rightLoudness[c.frequency][cat], c.expected[cat]) << categoryNames[cat];
}

INSTANTIATE_TEST_SUITE_P(
    Prediction, PredictedLevels,
    testing::Values(
        // Worked examples at 1000 Hz, where dB HL and dB SPL agree.
        PredictionCase{"Thr40", 1, k1000, 40, E, {40, 51, 63, 70, 77, 83, 89, 94}},
        PredictionCase{"Thr0", 1, k1000, 0, E, {0, 16, 34, 45, 55, 64, 72, 80}},
        PredictionCase{"Thr40Ucl100", 2, k1000, 40, 100, {40, 52, 65, 73, 80, 88, 94, 100}},
        // Level source 1 predicts the UCL too, over one that was entered.
        PredictionCase{"Thr0OverwritesUcl", 1, k1000, 0, 120, {0, 16, 34, 45, 55, 64, 72, 80}},
        // Sums that fall exactly on a half come out as the 80-bit evaluation gives
        // them: 42.5 gives 42, 4.5 gives 5, 27.5 gives 27.
        PredictionCase{"Thr3Ucl94", 2, k1000, 3, 94, {3, 22, 42, 54, 66, 76, 86, 94}},
        PredictionCase{"Thr0Ucl0", 2, k1000, 0, 0, {0, 3, 2, 4, 5, 3, 0, 0}},
        PredictionCase{"ThrMinus50", 1, k1000, -50, E, {-50, -26, 0, 14, 27, 40, 52, 62}},
        // Below -0.5 the rounding moves toward zero: VS -6.613 gives -6, LOK -9.333 -8.
        PredictionCase{
            "ThrMinus10UclMinus10", 2, k1000, -10, -10, {-10, -6, -7, -4, -4, -5, -8, -10}},
        // A UCL below its threshold predicts nothing: the levels stay as they were.
        PredictionCase{"ThrMinus10UclMinus20", 2, k1000, -10, -20, {-10, E, E, E, E, E, E, -20}},
        PredictionCase{"At4000HzUclSlip", 2, k4000, 60, 10, {60, E, E, E, E, E, E, 10}},
        // 250 Hz: 55 dB SPL is 40 dB HL; the results return 15 dB higher.
        PredictionCase{"At250Hz", 1, k250, 55, E, {55, 66, 78, 85, 92, 98, 104, 109}},
        PredictionCase{"At4000Hz", 1, k4000, 70, E, {70, 78, 84, 89, 93, 98, 101, 105}}),
    [](const testing::TestParamInfo<PredictionCase>& info) { return info.param.name; });

TEST(Prediction, AnEmptyThresholdEmptiesThatFrequencyOnly) {
    FittingRecord r = recordWith(1, k2000, E, 100);
    r.rightLoudness[k500][0] = 46; // 40 dB HL
    predictLevels(r, Ear::Right);
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(r.rightLoudness[k2000][c], E) << categoryNames[c];
    EXPECT_EQ(r.rightLoudness[k500][1], 51 + 6);
    EXPECT_EQ(r.rightLoudness[k500][7], 94 + 6);
}

TEST(Prediction, AnEmptyUclWithThresholdAndUclEmptiesTheMiddleAndKeepsTheInputs) {
    FittingRecord r = recordWith(2, k500, 46, E);
    predictLevels(r, Ear::Right);
    const std::vector<int> expected = {46, E, E, E, E, E, E, E};
    EXPECT_EQ(std::vector<int>(std::begin(r.rightLoudness[k500]), std::end(r.rightLoudness[k500])),
              expected);
}

TEST(Prediction, OtherLevelSourcesKeepTheStoredLevels) {
    for (const int source : {0, 3, -1, 99999}) {
        FittingRecord r = recordWith(source, k1000, 40, 100);
        r.rightLoudness[k1000][3] = 66;
        r.rightLoudness[0][2] = -2147483647 - 1 + 3; // at 250 Hz, taken off and put back
        r.rightLoudness[0][4] = 2147483647;
        const FittingRecord before = r;
        predictLevels(r, Ear::Right);
        EXPECT_EQ(0, std::memcmp(&r, &before, sizeof r)) << "level source " << source;
    }
}

TEST(Prediction, WorksOnTheChosenEarWithItsOwnLevelSource) {
    FittingRecord r;
    resetFitting(r, "01/01/2000");
    r.leftLevelSource = 1;
    r.rightLevelSource = 0;
    r.leftLoudness[k1000][0] = 40;
    r.rightLoudness[k1000][0] = 60;
    predictLevels(r, Ear::Right); // right: level source 0, nothing to predict
    EXPECT_EQ(r.rightLoudness[k1000][1], E);
    EXPECT_EQ(r.leftLoudness[k1000][1], E);
    predictLevels(r, Ear::Left);
    EXPECT_EQ(r.leftLoudness[k1000][1], 51);
    EXPECT_EQ(r.rightLoudness[k1000][1], E);
}

TEST(Prediction, ExtremeLevelsFromAFileAreComputedWithoutOverflow) {
    FittingRecord r = recordWith(2, k1000, -2147483647 - 1, 2147483647);
    predictLevels(r, Ear::Right);
    EXPECT_EQ(r.rightLoudness[k1000][0], -2147483647 - 1);
    EXPECT_EQ(r.rightLoudness[k1000][1], -1361504629);
    EXPECT_EQ(r.rightLoudness[k1000][7], 2147483647);
}

// A block of levels (dB SPL) with the given rows, the rest empty, all counted measured.
struct Block {
    int32_t levels[kFrequencyCount][kCategoryCount];
    LevelFlags measured{};
    Block& row(int f, std::initializer_list<int32_t> values) {
        std::copy(values.begin(), values.end(), levels[f]);
        for (int c = 0; c < kCategoryCount; ++c)
            measured[f][c] = levels[f][c] != E;
        return *this;
    }
    Block() {
        for (auto& row : levels)
            std::fill(std::begin(row), std::end(row), E);
    }
};

TEST(MeasuredLevels, APredictionAsksWhereItWouldChangeOrEmptyAMeasuredLevel) {
    // 1 KHz THR 40 predicts 51 63 70 77 83 89 94 from the threshold, and with UCL 100
    // 52 65 73 80 88 94; 500 Hz THR 46 (40 dB HL) the same 6 dB higher.
    struct Case {
        int32_t source;
        Block block;
        std::vector<int> losing;
    };
    const Case cases[] = {
        {1,
         Block().row(k500, {46, 57, 69, 76, 83, 89, 95, 110}).row(k2000, {50, 60, 70}),
         {k500, k2000}},
        {1, Block().row(k1000, {40, 51, 63, 70, 77, 83, 89, 94}), {}}, // what it predicts again
        {2, Block().row(k1000, {40, E, E, E, E, E, E, 100}), {}},      // THR and UCL stay
        {2, Block().row(k1000, {40, 52, 65, 73, 80, 88, 95, 100}), {k1000}}, // LOK
        {1, Block().row(k250, {E, E, E, E, E, E, E, 120}), {k250}},          // no THR: emptied
        {0, Block().row(k250, {E, 20, 30, 40, 50, 60, 70, 80}), {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(frequenciesLosingMeasured(c.block.levels, c.source, c.block.measured), c.losing)
            << "source " << c.source;
    EXPECT_TRUE(frequenciesLosingMeasured(cases[0].block.levels, 1, LevelFlags{}).empty())
        << "levels that are not measured are replaced without a question";
}

// A prediction forgets the measured flags of the levels it wrote, THR and UCL aside,
// and none where the UCL lies below the threshold and nothing was predicted.
TEST(MeasuredLevels, APredictionForgetsOnlyTheFlagsOfTheLevelsItWrote) {
    Block block = Block()
                      .row(k1000, {80, 60, 65, E, E, E, E, 70})
                      .row(k2000, {40, 52, 65, 73, 80, 88, 95, 100});
    forgetPredictedLevels(block.measured, block.levels, 2);
    const bool at1000[kCategoryCount] = {true, true, true, false, false, false, false, true};
    const bool at2000[kCategoryCount] = {true, false, false, false, false, false, false, true};
    for (int c = 0; c < kCategoryCount; ++c) {
        EXPECT_EQ(block.measured[k1000][c], at1000[c]) << "1 KHz, category " << c;
        EXPECT_EQ(block.measured[k2000][c], at2000[c]) << "2 KHz, category " << c;
    }
}

TEST(MeasuredLevels, AFilesLevelsCountAsMeasuredUnlessAPredictionGivesThemAgain) {
    // 1 KHz holds what THR 40 predicts; 4 KHz VS 60 is what THR 50 alone predicts, but
    // not with UCL 110 (62).
    const Block block = Block()
                            .row(k1000, {40, 51, 63, 70, 77, 83, 89, 94})
                            .row(k4000, {50, 60, E, E, E, E, E, 110});
    EXPECT_EQ(measuredFromStored(block.levels, 0), block.measured);
    EXPECT_EQ(measuredFromStored(block.levels, 9), block.measured);
    const LevelFlags fromThreshold = measuredFromStored(block.levels, 1);
    EXPECT_FALSE(fromThreshold[k1000][3] || fromThreshold[k1000][7] || fromThreshold[k4000][1]);
    EXPECT_TRUE(fromThreshold[k4000][7]);
    const LevelFlags fromUcl = measuredFromStored(block.levels, 2);
    EXPECT_TRUE(fromUcl[k4000][1]);
    EXPECT_TRUE(fromUcl[k4000][7]) << "the UCL a prediction starts from was typed";
    EXPECT_TRUE(fromUcl[k1000][7]);
    EXPECT_FALSE(fromUcl[k1000][1]) << "51 is what THR 40 and UCL 94 predict";
}

// The loudness page stores an ear: in the cells the clinician may type into, a level
// the store changed is measured, one it emptied not, and one it left keeps its flag
// (a level a prediction wrote stays predicted); the cells a prediction fills keep
// their flags.
TEST(MeasuredLevels, StoringMarksWhatTheClinicianTyped) {
    const struct {
        int32_t levelSource;
        int category;
        bool typed;
    } cases[] = {{0, 3, true}, {0, 7, true}, {1, 0, true},  {1, 7, false},
                 {2, 0, true}, {2, 7, true}, {2, 6, false}, {2, 1, false}};
    for (const auto& c : cases) {
        for (const bool before : {false, true}) {
            SCOPED_TRACE(::testing::Message() << "source " << c.levelSource << ", category "
                                              << c.category << ", before " << before);
            int32_t old[kFrequencyCount][kCategoryCount], levels[kFrequencyCount][kCategoryCount];
            for (int f = 0; f < kFrequencyCount; ++f) {
                std::fill(std::begin(old[f]), std::end(old[f]), 70 + f);
                std::copy(std::begin(old[f]), std::end(old[f]), levels[f]);
            }
            levels[k1000][c.category] = 61;          // typed over
            levels[k4000][c.category] = kEmptyLevel; // emptied
            LevelFlags measured{};
            for (const int f : {k500, k1000, k4000})
                measured[f][c.category] = before;
            noteStoredLevels(measured, old, levels, c.levelSource);
            EXPECT_EQ(measured[k1000][c.category], c.typed || before);
            EXPECT_EQ(measured[k4000][c.category], !c.typed && before);
            EXPECT_EQ(measured[k500][c.category], before) << "a level left as it was";
        }
    }
}

} // namespace
