// Prediction of the loudness levels an ear was not measured at, from its threshold
// alone (level source 1) or from threshold and UCL (level source 2).
#pragma once

#include "model/fittingrecord.h"

#include <cstdint>

// Predicts the levels of one block of loudness data (dB SPL, -99 empty) in place.
// Any level source other than 1 or 2 leaves the block as it is.
void predictLoudness(int32_t (&loudness)[kFrequencyCount][kCategoryCount], int32_t levelSource);

// Predicts the levels of one ear of the record with that ear's level source.
// Touches nothing else.
void predictLevels(FittingRecord& record, Ear ear);
