#include "model/prediction.h"

#include "model/levelunits.h"
#include "model/numbers.h"

namespace {

constexpr int kUcl = 7;

// level = a x THR + b, in dB HL, for VS .. UCL.
struct ThresholdFormula {
    double a, b;
};
constexpr ThresholdFormula fromThreshold[8] = {
    {0, 0},        {0.874, 16.373}, {0.714, 34.317}, {0.623, 45.138},
    {0.546, 54.8}, {0.482, 63.922}, {0.412, 72.217}, {0.361, 79.664},
};

// level = a x THR + b + d x UCL, in dB HL, for VS .. LOK.
struct ThresholdUclFormula {
    double a, b, d;
};
constexpr ThresholdUclFormula fromThresholdAndUcl[7] = {
    {0, 0, 0},           {0.804, 3.127, 0.17},  {0.549, 1.843, 0.415}, {0.42, 4.383, 0.519},
    {0.294, 4.5, 0.641}, {0.179, 3.306, 0.772}, {0.071, 0.447, 0.907},
};

// The coefficients are the nearest doubles of the decimal constants; the arithmetic
// runs in 80-bit extended precision, one rounding per operation, in this order.
// Values that fall exactly on a half depend on it.
int32_t predictFromThreshold(const ThresholdFormula& k, int32_t threshold) {
    long double p = static_cast<long double>(k.a) * static_cast<long double>(threshold);
    p = p + static_cast<long double>(k.b);
    p = p + 0.5L;
    return truncToInt(p);
}

int32_t predictFromThresholdAndUcl(const ThresholdUclFormula& k, int32_t threshold, int32_t ucl) {
    long double p = static_cast<long double>(k.a) * static_cast<long double>(threshold);
    p = p + static_cast<long double>(k.b);
    const long double q = static_cast<long double>(k.d) * static_cast<long double>(ucl);
    p = p + q;
    p = p + 0.5L;
    return truncToInt(p);
}

} // namespace

void copyLoudness(const LoudnessLevels& from, LoudnessLevels& to) {
    for (int f = 0; f < kFrequencyCount; ++f) {
        for (int c = 0; c < kCategoryCount; ++c)
            to[f][c] = from[f][c];
    }
}

bool isPredictedCategory(int32_t levelSource, int category) {
    if (levelSource == 1)
        return category >= 1 && category <= kUcl;
    if (levelSource == 2)
        return category >= 1 && category < kUcl;
    return false;
}

bool uclBelowThreshold(const LoudnessRow& row, int32_t levelSource) {
    return levelSource == 2 && row[0] != kEmptyLevel && row[kUcl] != kEmptyLevel &&
           row[kUcl] < row[0];
}

// The formulas work in dB HL; the row comes and goes in dB SPL. The threshold (and
// with level source 2 the UCL) go back as they came.
void predictFrequency(LoudnessRow& row, int frequency, int32_t levelSource) {
    if ((levelSource != 1 && levelSource != 2) || uclBelowThreshold(row, levelSource))
        return;
    const int32_t correction = hlToSplCorrection[frequency];
    const bool missing = row[0] == kEmptyLevel || (levelSource == 2 && row[kUcl] == kEmptyLevel);
    const int32_t threshold = wrappingAdd(row[0], -correction);
    const int32_t ucl = wrappingAdd(row[kUcl], -correction);
    for (int c = 1; c <= kUcl; ++c) {
        if (!isPredictedCategory(levelSource, c))
            continue;
        int32_t hl = kEmptyLevel;
        if (!missing)
            hl = levelSource == 1
                     ? predictFromThreshold(fromThreshold[c], threshold)
                     : predictFromThresholdAndUcl(fromThresholdAndUcl[c], threshold, ucl);
        row[c] = hl == kEmptyLevel ? kEmptyLevel : wrappingAdd(hl, correction);
    }
}

void predictLoudness(LoudnessLevels& loudness, int32_t levelSource) {
    for (int f = 0; f < kFrequencyCount; ++f)
        predictFrequency(loudness[f], f, levelSource);
}

std::vector<int> refusedFrequencies(const LoudnessLevels& loudness, int32_t levelSource) {
    std::vector<int> frequencies;
    for (int f = 0; f < kFrequencyCount; ++f) {
        if (uclBelowThreshold(loudness[f], levelSource))
            frequencies.push_back(f);
    }
    return frequencies;
}

void predictLevels(FittingRecord& record, Ear ear) {
    predictLoudness(earLoudness(record, ear), earLevelSource(record, ear));
}

LevelFlags measuredFromStored(const LoudnessLevels& loudness, int32_t levelSource) {
    LoudnessLevels predicted;
    copyLoudness(loudness, predicted);
    predictLoudness(predicted, levelSource);
    LevelFlags measured{};
    for (int f = 0; f < kFrequencyCount; ++f) {
        for (int c = 0; c < kCategoryCount; ++c) {
            const bool present = loudness[f][c] != kEmptyLevel;
            const bool typed = !isPredictedCategory(levelSource, c);
            // A frequency that predicts nothing gives no level back.
            const bool givenBack =
                predicted[f][c] == loudness[f][c] && !uclBelowThreshold(loudness[f], levelSource);
            measured[f][c] = present && (typed || !givenBack);
        }
    }
    return measured;
}

MeasuredLevels measuredFromRecord(const FittingRecord& record) {
    MeasuredLevels measured;
    for (const Ear ear : kEars)
        measured.of(ear) =
            measuredFromStored(earLoudness(record, ear), earLevelSource(record, ear));
    return measured;
}

void noteStoredLevels(LevelFlags& measured, const LoudnessLevels& before,
                      const LoudnessLevels& after, int32_t levelSource) {
    for (int f = 0; f < kFrequencyCount; ++f) {
        for (int c = 0; c < kCategoryCount; ++c) {
            if (isPredictedCategory(levelSource, c))
                continue;
            if (after[f][c] == kEmptyLevel)
                measured[f][c] = false;
            else if (after[f][c] != before[f][c])
                measured[f][c] = true;
        }
    }
}

void forgetPredictedLevels(LevelFlags& measured, const LoudnessLevels& loudness,
                           int32_t levelSource) {
    for (int f = 0; f < kFrequencyCount; ++f) {
        if (uclBelowThreshold(loudness[f], levelSource))
            continue;
        for (int c = 0; c < kCategoryCount; ++c) {
            if (isPredictedCategory(levelSource, c))
                measured[f][c] = false;
        }
    }
}

std::vector<int> frequenciesLosingMeasured(const LoudnessLevels& loudness, int32_t levelSource,
                                           const LevelFlags& measured) {
    LoudnessLevels predicted;
    copyLoudness(loudness, predicted);
    predictLoudness(predicted, levelSource);
    std::vector<int> frequencies;
    for (int f = 0; f < kFrequencyCount; ++f) {
        for (int c = 0; c < kCategoryCount; ++c) {
            if (measured[f][c] && predicted[f][c] != loudness[f][c]) {
                frequencies.push_back(f);
                break;
            }
        }
    }
    return frequencies;
}
