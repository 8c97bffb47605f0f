// The marks the loudness grids put on levels a clinician should look at twice: a
// level outside what an audiometer gives, a level lower than one to its left in its
// row (the levels rise from THR to UCL, so a swapped digit shows), and predicted
// levels that are not what the threshold (and UCL) of their row predict now. Marked
// levels are stored as they are; the mark only makes them seen.
#pragma once

#include "model/prediction.h"

#include <array>
#include <cstdint>
#include <string>

enum class LevelMark { None, NotRising, OutOfRange, OutOfDate };

struct CellMark {
    LevelMark mark = LevelMark::None;
    // Why, for the cell's tool tip and its description to a screen reader:
    // "Lower than CSS (70 dB HL) at 1 KHz". Empty without a mark.
    std::string reason;
};

using LoudnessMarks = std::array<std::array<CellMark, kCategoryCount>, kFrequencyCount>;

// The marks of one ear's levels (dB SPL, kEmptyLevel empty, [frequency][category]);
// the reasons name levels in the unit the grids show. A level outside the range is
// marked as such and is not what the levels to its right are measured against, so
// that one typo does not mark a whole row.
LoudnessMarks markLoudness(const int32_t (&levels)[kFrequencyCount][kCategoryCount], bool showInHL);

// Marks the predicted levels of each out-of-date row (committed levels, dB SPL) as out
// of date, empty ones included, over any other mark but a level outside the range. The
// reason says what they were predicted from, as far as the levels tell, in the unit
// the grids show: "Predicted from a threshold of 80 dB HL; press ...".
void markOutOfDate(LoudnessMarks& marks, const LoudnessLevels& committed, bool showInHL,
                   int32_t levelSource);
