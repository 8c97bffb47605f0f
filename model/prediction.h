// Prediction of the loudness levels an ear was not measured at, from its threshold
// alone (level source 1) or from threshold and UCL (level source 2).
#pragma once

#include "model/fittingrecord.h"

#include <array>
#include <cstdint>
#include <vector>

// One ear's loudness levels, [frequency][category], dB SPL, -99 empty.
using LoudnessLevels = int32_t[kFrequencyCount][kCategoryCount];
using LoudnessRow = int32_t[kCategoryCount];
void copyLoudness(const LoudnessLevels& from, LoudnessLevels& to);

// Whether a frequency's UCL lies below its threshold with level source 2. Nothing is
// predicted from such a pair: it is a slip (10 typed for 108), and the formulas
// would fill levels that fall from THR to UCL.
bool uclBelowThreshold(const LoudnessRow& row, int32_t levelSource);

// Whether the level source predicts that category: VS .. UCL from the threshold
// (level source 1), VS .. LOK from threshold and UCL (level source 2), none otherwise.
bool isPredictedCategory(int32_t levelSource, int category);

// Predicts the levels of one frequency index (dB SPL, -99 empty) in place. Any level
// source other than 1 or 2, and a UCL below its threshold, leave the row as it is.
void predictFrequency(LoudnessRow& row, int frequency, int32_t levelSource);

// Predicts the levels of one block of loudness data (dB SPL, -99 empty) in place,
// frequency by frequency as predictFrequency does.
void predictLoudness(LoudnessLevels& loudness, int32_t levelSource);

// The frequency indices, in order, at which level source 2 predicts nothing because
// the UCL lies below the threshold.
std::vector<int> refusedFrequencies(const LoudnessLevels& loudness, int32_t levelSource);

// Predicts the levels of one ear of the record with that ear's level source.
// Touches nothing else.
void predictLevels(FittingRecord& record, Ear ear);

// Which levels of an ear count as measured, [frequency][category]: typed by the
// clinician into a cell the ear's level source lets them type into (every cell with
// level source 0, THR, and UCL with level source 2), until a prediction replaces
// them. A prediction asks before it replaces any of them: a UCL typed as the input
// of one prediction is not lost unasked to another that predicts it.
using LevelFlags = std::array<std::array<bool, kCategoryCount>, kFrequencyCount>;

struct MeasuredLevels {
    LevelFlags ears[kEarCount]{};
    LevelFlags& of(Ear ear) { return ears[recordIndex(ear)]; }
    const LevelFlags& of(Ear ear) const { return ears[recordIndex(ear)]; }
};

// The measured levels of an ear read from a file: every level with level source 0;
// with a source that predicts, the levels it starts from (THR, and UCL with level
// source 2) and those a prediction from the stored THR (and UCL) would not give back
// (at a frequency whose UCL lies below its threshold, none is given back);
// with a source the program does not know, which predicts nothing, every level.
LevelFlags measuredFromStored(const LoudnessLevels& loudness, int32_t levelSource);

// Both ears' measured levels, as measuredFromStored gives them, for a file loaded.
MeasuredLevels measuredFromRecord(const FittingRecord& record);

// An ear's levels as the loudness page stores them, before and after: in the cells
// the level source lets the clinician type into, a level the store changed counts as
// measured, a level it emptied not, and one it left keeps its flag (a level a
// prediction wrote stays predicted when the ear is later switched to measured
// levels); the cells a prediction fills keep their flags.
void noteStoredLevels(LevelFlags& measured, const LoudnessLevels& before,
                      const LoudnessLevels& after, int32_t levelSource);

// The levels a prediction of the ear wrote no longer count as measured: those the level
// source predicts, except at a frequency it refused (see uclBelowThreshold).
void forgetPredictedLevels(LevelFlags& measured, const LoudnessLevels& loudness,
                           int32_t levelSource);

// The frequency indices, in order, at which a prediction would change or empty a
// measured level.
std::vector<int> frequenciesLosingMeasured(const LoudnessLevels& loudness, int32_t levelSource,
                                           const LevelFlags& measured);
