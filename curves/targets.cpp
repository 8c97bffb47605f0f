#include "curves/targets.h"

#include "model/levelunits.h"
#include "model/numbers.h"

#include <cmath>

namespace {

constexpr int kVs = 1, kCss = 3, kCsl = 5, kUcl = 7;
constexpr int32_t kMaxOutputCap = 130;

bool present(int32_t level) {
    return level != kEmptyLevel;
}

void copyLevels(TargetState& t, const FittingRecord& record, Ear ear) {
    const int32_t low = ear == Ear::Right ? record.rightRangeLow : record.leftRangeLow;
    const int32_t high = ear == Ear::Right ? record.rightRangeHigh : record.leftRangeHigh;
    t.graphFrequency[0] = frequencyIndexOrFirst(low);
    t.graphFrequency[1] = frequencyIndexOrFirst(high);
    const auto& loudness = earLoudness(record, ear);
    for (const GraphSide side : kGraphSides) {
        const int s = sideIndex(side);
        for (int c = 0; c < kCategoryCount; ++c)
            t.graphLevels[s][c] = loudness[t.graphFrequency[s]][c];
    }
}

// VS, CSS, CSL and UCL of a side. A missing UCL is taken as 5 dB above the
// audiometer's maximum, in coupler SPL; a CIC aid sits deeper in the canal, so all
// four rise by the CIC correction (the estimate too).
void computeBandLevels(TargetState& t, GraphSide side, bool cic) {
    const int s = sideIndex(side);
    const int f = t.graphFrequency[s];
    const int32_t* levels = t.graphLevels[s];
    int32_t bands[kBandCount] = {levels[kVs], levels[kCss], levels[kCsl], levels[kUcl]};
    if (!present(bands[3]))
        bands[3] = audiometerLimit(frequencyHz[f]) + hlToSplCorrection[f] + 5;
    for (int b = 0; b < kBandCount; ++b) {
        if (cic && present(bands[b]))
            bands[b] = clampToInt32(1LL * bands[b] - cicCorrection[f]);
        t.bandLevels[s][b] = bands[b];
    }
}

struct Span {
    long double base = 0;
    long double width = 0;
};

// The span from one level towards another; nothing when either is missing.
Span spanBetween(int32_t from, int32_t to) {
    if (!present(from) || !present(to))
        return {};
    const long double base = from;
    return {base, std::fabs(base - static_cast<long double>(to))};
}

// Soft, average and loud targets of a side, from the measured levels (the CIC
// correction of the bands does not enter them). A binaural fitting lowers every
// target that exists by 5 dB.
void computeTargets(TargetState& t, GraphSide side, bool binaural) {
    const int s = sideIndex(side);
    const int f = t.graphFrequency[s];
    const int32_t* levels = t.graphLevels[s];
    const Span low = spanBetween(levels[kVs], levels[kCss]);
    const Span middle = spanBetween(levels[kCss], levels[kCsl]);
    for (int k = 0; k < 3; ++k) {
        const bool useMiddle = k == 2 && loudTargetSpan[f] == TargetSpan::Middle;
        const Span& span = useMiddle ? middle : low;
        long double target = static_cast<long double>(targetCoefficients[f][k]) * span.width;
        target = span.base + target;
        if (binaural && target != 0)
            target = target - 5;
        t.targetLevels[s][k] = static_cast<float>(target);
    }
    t.targetLevels[s][3] = 0;
}

} // namespace

int frequencyIndexOrFirst(int32_t index) {
    return index >= 0 && index < kFrequencyCount ? index : 0;
}

int aidStyleOrFirst(int32_t style) {
    return style >= 0 && style < kAidStyleCount ? style : 0;
}

TargetState loadTargets(const FittingRecord& record, Ear ear) {
    TargetState t{};
    copyLevels(t, record, ear);
    const bool cic = earAidStyle(record, ear) == kCicStyle;
    for (const GraphSide side : kGraphSides)
        computeBandLevels(t, side, cic);
    for (const GraphSide side : kGraphSides)
        computeTargets(t, side, record.binauralFitting == 1);
    return t;
}

FitPoints fitPoints(const TargetState& targets, int aidStyle, GraphSide side) {
    const int s = sideIndex(side);
    const int f = frequencyIndexOrFirst(targets.graphFrequency[s]);
    const int32_t* inputs = speechInputLevels[aidStyleOrFirst(aidStyle)][f];
    const float* goals = targets.targetLevels[s];
    const auto midpoint = [](long double a, long double b) {
        return static_cast<float>(a + (b - a) * 0.5L);
    };
    return FitPoints{{
        {static_cast<float>(inputs[0]), goals[0]},
        {midpoint(inputs[0], inputs[1]), midpoint(goals[0], goals[1])},
        {static_cast<float>(inputs[1]), goals[1]},
        {midpoint(inputs[1], inputs[2]), midpoint(goals[1], goals[2])},
        {static_cast<float>(inputs[2]), goals[2]},
    }};
}

int32_t maxOutputForFit(const TargetState& targets, GraphSide side) {
    const int32_t ucl = targets.bandLevels[sideIndex(side)][3];
    return present(ucl) && ucl < kMaxOutputCap ? ucl : kMaxOutputCap;
}
