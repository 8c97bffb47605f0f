// Loudness targets of one ear at the two frequencies the curve page shows: the band
// levels drawn behind the curves, the target output levels for soft, average and
// loud speech, and the five fit points the curves are fitted to and scored against.
// All levels are dB SPL: outputs in the HA-1 coupler, inputs at the aid microphone.
#pragma once

#include "curves/graphside.h"
#include "model/fittingrecord.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>

inline constexpr int kBandCount = 4; // VS, CSS, CSL, UCL
inline constexpr int kFitPointCount = 5;
inline constexpr int kAidStyleCount = 4; // BTE, ITE, ITC, CIC
inline constexpr int kCicStyle = 3;

// What the curve page knows about the ear it shows. The fields are contiguous and in
// this order because the whole block is handed on to the print dialog. Each array
// holds the left graph first (see sideIndex).
struct TargetState {
    // Frequency index (0..5) of the left and of the right graph. An index read from
    // the file outside 0..5 is held here as 0 (250 Hz).
    int32_t graphFrequency[kSideCount];
    // The ear's eight loudness levels at each graph frequency (-99 empty).
    int32_t graphLevels[kSideCount][kCategoryCount];
    // VS, CSS, CSL, UCL per side, after the UCL estimate and the CIC correction.
    int32_t bandLevels[kSideCount][kBandCount];
    // Soft, average, loud target output per side; [3] is always 0. Exactly 0 means
    // that there is no target.
    float targetLevels[kSideCount][4];
};
static_assert(std::is_standard_layout_v<TargetState> && std::is_trivially_copyable_v<TargetState>);
static_assert(sizeof(TargetState) == 136);
static_assert(offsetof(TargetState, graphLevels) == 8);
static_assert(offsetof(TargetState, bandLevels) == 72);
static_assert(offsetof(TargetState, targetLevels) == 104);

// One point a curve is fitted to: an input level and the output wanted there.
struct FitPoint {
    float input;
    float target;
};
// Soft, soft-average midpoint, average, average-loud midpoint, loud.
using FitPoints = std::array<FitPoint, kFitPointCount>;

// Speech input levels at the aid microphone [style][frequency][soft, average, loud].
inline constexpr int32_t speechInputLevels[kAidStyleCount][kFrequencyCount][3] = {
    {{41, 56, 67}, {43, 59, 75}, {32, 53, 76}, {34, 52, 76}, {30, 48, 71}, {32, 47, 70}},
    {{41, 56, 67}, {44, 60, 76}, {34, 55, 78}, {36, 54, 78}, {32, 50, 73}, {34, 49, 72}},
    {{41, 56, 67}, {44, 60, 76}, {34, 55, 78}, {35, 53, 77}, {34, 52, 75}, {36, 51, 74}},
    {{41, 56, 67}, {44, 60, 76}, {34, 55, 78}, {35, 53, 77}, {35, 53, 76}, {38, 53, 76}},
};

// Subtracted from the band levels of a completely-in-the-canal aid, so they rise.
inline constexpr int32_t cicCorrection[kFrequencyCount] = {-4, -4, -6, -7, -8, -10};

// The top level (dB HL) the audiometer of the loudness test presents at a frequency
// given in Hz: an ear whose UCL stayed empty found even this level tolerable, so its
// band levels take a UCL 5 dB above it. Not the range a clinician may type
// (kLowestPlausibleLevelHL .. kHighestPlausibleLevelHL in model/levelunits.h).
constexpr int32_t audiometerLimit(int frequencyHz) {
    switch (frequencyHz) {
    case 500:
    case 1000:
    case 2000:
    case 3000:
    case 4000:
        return 120;
    default:
        return 105; // 250 Hz and anything else
    }
}

// Where a target sits between two loudness levels: base + coefficient x span.
enum class TargetSpan {
    Low,    // from VS towards CSS
    Middle, // from CSS towards CSL
};
// Coefficients [frequency][soft, average, loud]. Soft and average always use the low
// span; the loud target uses loudTargetSpan.
inline constexpr double targetCoefficients[kFrequencyCount][3] = {
    {0.001, 0.5, 0.87}, {0.39, 0.9, 0.48},  {0.24, 0.85, 0.67},
    {0.29, 0.82, 0.64}, {0.27, 0.82, 0.59}, {0.26, 0.71, 0.5},
};
inline constexpr TargetSpan loudTargetSpan[kFrequencyCount] = {
    TargetSpan::Low,    TargetSpan::Middle, TargetSpan::Middle,
    TargetSpan::Middle, TargetSpan::Middle, TargetSpan::Middle,
};

// Index checks for values read from a patient file: anything outside the table
// means its first entry.
int frequencyIndexOrFirst(int32_t index);
int aidStyleOrFirst(int32_t style);

// The targets of one ear at its two graph frequencies.
TargetState loadTargets(const FittingRecord& record, Ear ear);

// The five fit points of one graph for an aid style (an out-of-range style counts
// as BTE).
FitPoints fitPoints(const TargetState& targets, int aidStyle, GraphSide side);

// The maximum output given to fitted curves of a side: the band UCL, at most 130
// (130 when the band UCL is empty).
int32_t maxOutputForFit(const TargetState& targets, GraphSide side);
