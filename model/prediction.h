// Prediction of the loudness levels an ear was not measured at, from its threshold
// alone (level source 1) or from threshold and UCL (level source 2).
#pragma once

#include "model/fittingrecord.h"

#include <array>
#include <cstdint>
#include <vector>

// Predicts the levels of one block of loudness data (dB SPL, -99 empty) in place.
// Any level source other than 1 or 2 leaves the block as it is.
void predictLoudness(int32_t (&loudness)[kFrequencyCount][kCategoryCount], int32_t levelSource);

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
// source 2) and those a prediction from the stored THR (and UCL) would not give back;
// with a source the program does not know, which predicts nothing, every level.
LevelFlags measuredFromStored(const int32_t (&loudness)[kFrequencyCount][kCategoryCount],
                              int32_t levelSource);

// Both ears' measured levels, as measuredFromStored gives them, for a file loaded.
MeasuredLevels measuredFromRecord(const FittingRecord& record);

// An ear's levels as the loudness page stores them: in the cells the level source
// lets the clinician type into, every level counts as measured and every empty cell
// not; the cells a prediction fills keep their flags.
void noteStoredLevels(LevelFlags& measured,
                      const int32_t (&loudness)[kFrequencyCount][kCategoryCount],
                      int32_t levelSource);

// The levels a prediction with that level source writes no longer count as measured.
void forgetPredictedLevels(LevelFlags& measured, int32_t levelSource);

// The frequency indices, in order, at which a prediction would change or empty a
// measured level.
std::vector<int>
frequenciesLosingMeasured(const int32_t (&loudness)[kFrequencyCount][kCategoryCount],
                          int32_t levelSource, const LevelFlags& measured);
