#include "model/predictioncheck.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int E = kEmptyLevel;
constexpr int k250 = 0, k500 = 1, k1000 = 2, k2000 = 3, k3000 = 4, k4000 = 5;

struct Levels {
    LoudnessLevels levels;
    Levels() {
        for (auto& row : levels)
            std::fill(std::begin(row), std::end(row), E);
    }
    Levels& row(int f, std::initializer_list<int32_t> values) {
        std::copy(values.begin(), values.end(), levels[f]);
        return *this;
    }
};

// The grey levels (dB SPL) are what the named dB HL inputs predicted; the threshold
// (and UCL) stored now are others.
TEST(PredictionCheck, TheLevelsTellWhatTheyWerePredictedFrom) {
    struct Case {
        const char* name;
        int source, frequency;
        std::initializer_list<int32_t> row;
        std::optional<std::pair<int32_t, int32_t>> from; // dB SPL
    };
    const Case cases[] = {
        {"THR 35 under 40", 1, k1000, {40, 47, 59, 67, 74, 81, 87, 92}, {{35, E}}},
        {"THR 40 dB HL at 250 Hz", 1, k250, {E, 66, 78, 85, 92, 98, 104, 109}, {{55, E}}},
        {"THR 130, the highest", 1, k1000, {100, 130, 127, 126, 126, 127, 126, 127}, {{130, E}}},
        {"THR 80 under the row's UCL", 2, k500, {36, 90, 92, 95, 97, 99, 101, 104}, {{86, 104}}},
        {"THR 40 and another UCL", 2, k4000, {40, 51, 61, 68, 74, 80, 85, 100}, {{40, 90}}},
        {"UCL 130, the highest", 2, k1000, {60, 73, 89, 97, 105, 114, 123, 125}, {{60, 130}}},
        {"typed by hand", 2, k2000, {43, 50, 60, 70, 80, 90, 100, 108}, std::nullopt},
        {"nothing predicted", 1, k3000, {53, E, E, E, E, E, E, E}, std::nullopt},
        {"measured levels", 0, k1000, {40, 47, 59, 67, 74, 81, 87, 92}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Levels levels = Levels().row(c.frequency, c.row);
        const auto from = predictedFrom(levels.levels[c.frequency], c.frequency, c.source);
        ASSERT_EQ(from.has_value(), c.from.has_value());
        if (from) {
            EXPECT_EQ(std::pair(from->threshold, from->ucl), *c.from);
        }
    }
}

// Left ear, THR and UCL: 250 Hz holds what 40/100 dB HL predicts under THR 45; 1 KHz is
// up to date; 2 KHz has its UCL below the threshold and no levels; 3 and 4 KHz too, but
// with levels from before the slip.
TEST(PredictionCheck, TheNoteNamesEachFrequencyOutOfDateAndWhy) {
    const Levels left = Levels()
                            .row(k250, {60, 67, 80, 88, 95, 103, 109, 115})
                            .row(k1000, {40, 52, 65, 73, 80, 88, 94, 100})
                            .row(k2000, {63, E, E, E, E, E, E, 13})
                            .row(k3000, {63, 73, 83, 89, 94, 100, 106, 13})
                            .row(k4000, {60, 70, 80, 86, 91, 97, 103, 10});
    EXPECT_EQ(outOfDateFrequencies(left.levels, 2), std::vector<int>({k250, k3000, k4000}));
    EXPECT_EQ(outOfDateNote(Ear::Left, left.levels, 2),
              "Left Ear: the levels at 250 Hz, 3 KHz and 4 KHz are not what the threshold and "
              "UCL predict; see the Loudmap Data page.");
    EXPECT_EQ(outOfDateDetail(Ear::Left, left.levels, 2),
              "Left Ear: the levels at 250 Hz are not what the threshold and UCL predict (press "
              "\"Predict intermediate levels\" on the Loudmap Data page); the levels at 3 KHz and "
              "4 KHz are not predicted again, as the UCLs there are below the thresholds.");
    EXPECT_EQ(refusedFrequencies(left.levels, 2), std::vector<int>({k2000, k3000, k4000}));
    for (const int32_t source : {0, 3, -1})
        EXPECT_EQ(outOfDateDetail(Ear::Right, left.levels, source), "") << source;
    EXPECT_EQ(
        outOfDateNote(Ear::Right, Levels().row(k1000, {40, 51, 63, 70, 77, 83, 89, 94}).levels, 1),
        "");
}

TEST(PredictionCheck, AFrequencyIsPredictedAgainUnlessAMeasuredLevelWouldChange) {
    // 1 KHz THR 40 predicts 51 63 70 77 83 89 94; the row holds THR 35's levels.
    const std::initializer_list<int32_t> stale = {40, 47, 59, 67, 74, 81, 87, 92};
    struct Case {
        const char* name;
        int measuredCategory; // -1 none
        std::initializer_list<int32_t> row;
        Reprediction result;
        int32_t vsAfter;
    };
    const Case cases[] = {
        {"nothing measured", -1, stale, Reprediction::Predicted, 51},
        {"a measured VS would change", 1, stale, Reprediction::MeasuredInTheWay, 47},
        {"a measured UCL is what THR 40 gives",
         7,
         {40, 47, 59, 67, 74, 81, 87, 94},
         Reprediction::Predicted,
         51},
        {"a measured UCL would change", 7, stale, Reprediction::MeasuredInTheWay, 47},
        {"already predicted", 3, {40, 51, 63, 70, 77, 83, 89, 94}, Reprediction::Unchanged, 51},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Levels levels = Levels().row(k1000, c.row);
        LevelFlags measured{};
        if (c.measuredCategory >= 0)
            measured[k1000][c.measuredCategory] = true;
        EXPECT_EQ(predictFrequencyAgain(levels.levels, k1000, 1, measured), c.result);
        EXPECT_EQ(levels.levels[k1000][1], c.vsAfter);
    }
}

} // namespace
