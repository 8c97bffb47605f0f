#include "model/prediction.h"

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

// The categories a prediction with that level source writes: VS .. UCL from the
// threshold, VS .. LOK from threshold and UCL, none for a source that predicts nothing.
bool isPredictedCategory(int32_t levelSource, int category) {
    if (levelSource == 1)
        return category >= 1 && category <= kUcl;
    if (levelSource == 2)
        return category >= 1 && category < kUcl;
    return false;
}

using Loudness = int32_t[kFrequencyCount][kCategoryCount];

void copyLoudness(const Loudness& from, Loudness& to) {
    for (int f = 0; f < kFrequencyCount; ++f) {
        for (int c = 0; c < kCategoryCount; ++c)
            to[f][c] = from[f][c];
    }
}

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

void predictLoudness(int32_t (&loudness)[kFrequencyCount][kCategoryCount], int32_t levelSource) {
    // Work in dB HL.
    int32_t work[kFrequencyCount][kCategoryCount] = {};
    for (int f = 0; f < kFrequencyCount; ++f) {
        for (int c = 0; c < kCategoryCount; ++c) {
            const int32_t v = loudness[f][c];
            work[f][c] = v == kEmptyLevel ? kEmptyLevel : wrappingAdd(v, -hlToSplCorrection[f]);
        }
    }

    for (int f = 0; f < kFrequencyCount; ++f) {
        const bool thresholdMissing = loudness[f][0] == kEmptyLevel;
        if (levelSource == 1) {
            for (int c = 1; c <= kUcl; ++c) {
                work[f][c] = thresholdMissing ? kEmptyLevel
                                              : predictFromThreshold(fromThreshold[c], work[f][0]);
            }
        } else if (levelSource == 2) {
            const bool uclMissing = loudness[f][kUcl] == kEmptyLevel;
            for (int c = 1; c < kUcl; ++c) {
                work[f][c] = thresholdMissing || uclMissing
                                 ? kEmptyLevel
                                 : predictFromThresholdAndUcl(fromThresholdAndUcl[c], work[f][0],
                                                              work[f][kUcl]);
            }
        }
    }

    // Back to dB SPL.
    for (int f = 0; f < kFrequencyCount; ++f) {
        for (int c = 0; c < kCategoryCount; ++c) {
            const int32_t v = work[f][c];
            loudness[f][c] = v == kEmptyLevel ? kEmptyLevel : wrappingAdd(v, hlToSplCorrection[f]);
        }
    }
}

void predictLevels(FittingRecord& record, Ear ear) {
    predictLoudness(earLoudness(record, ear), earLevelSource(record, ear));
}

LevelFlags measuredFromStored(const int32_t (&loudness)[kFrequencyCount][kCategoryCount],
                              int32_t levelSource) {
    Loudness predicted;
    copyLoudness(loudness, predicted);
    predictLoudness(predicted, levelSource);
    LevelFlags measured{};
    for (int f = 0; f < kFrequencyCount; ++f) {
        for (int c = 0; c < kCategoryCount; ++c) {
            const bool present = loudness[f][c] != kEmptyLevel;
            const bool typed = !isPredictedCategory(levelSource, c);
            measured[f][c] = present && (typed || predicted[f][c] != loudness[f][c]);
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

void noteStoredLevels(LevelFlags& measured,
                      const int32_t (&loudness)[kFrequencyCount][kCategoryCount],
                      int32_t levelSource) {
    for (int f = 0; f < kFrequencyCount; ++f) {
        for (int c = 0; c < kCategoryCount; ++c) {
            if (!isPredictedCategory(levelSource, c))
                measured[f][c] = loudness[f][c] != kEmptyLevel;
        }
    }
}

void forgetPredictedLevels(LevelFlags& measured, int32_t levelSource) {
    for (auto& row : measured) {
        for (int c = 0; c < kCategoryCount; ++c) {
            if (isPredictedCategory(levelSource, c))
                row[c] = false;
        }
    }
}

std::vector<int>
frequenciesLosingMeasured(const int32_t (&loudness)[kFrequencyCount][kCategoryCount],
                          int32_t levelSource, const LevelFlags& measured) {
    Loudness predicted;
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
