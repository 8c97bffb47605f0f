// Whether an ear's predicted levels are still what its threshold (and UCL) predict:
// the one answer the loudness page, the curve page, the Overview and the print
// command all give. It is read off the levels themselves, so a file loaded says the
// same as the session that saved it.
#pragma once

#include "model/prediction.h"

#include <optional>
#include <string>
#include <vector>

// Whether a frequency's predicted levels differ from what a prediction from its
// current threshold (and UCL) gives. A frequency whose UCL lies below its threshold
// predicts nothing, and is out of date while any of its predicted levels holds a
// value. Nothing is out of date with a level source that predicts nothing.
bool isOutOfDate(const LoudnessRow& row, int frequency, int32_t levelSource);

// The out-of-date frequency indices of an ear, in order.
std::vector<int> outOfDateFrequencies(const LoudnessLevels& loudness, int32_t levelSource);

// The threshold and UCL (dB SPL; the UCL kEmptyLevel with level source 1) from which
// a prediction gives exactly the predicted levels of the row, when one pair of levels
// an audiometer gives does; nothing when none does or more than one could have. With
// level source 2 a threshold under the row's own UCL is looked for first.
struct PredictionInputs {
    int32_t threshold;
    int32_t ucl;
};
std::optional<PredictionInputs> predictedFrom(const LoudnessRow& row, int frequency,
                                              int32_t levelSource);

// What became of a frequency when its threshold or UCL was committed.
enum class Reprediction {
    Unchanged,        // the levels are what the prediction gives, or nothing predicts
    Predicted,        // the levels were predicted again
    MeasuredInTheWay, // the prediction would change a measured level: nothing changed
    Refused,          // the UCL lies below the threshold: nothing changed
};

// Predicts one frequency again, unless a level that counts as measured would change.
Reprediction predictFrequencyAgain(LoudnessLevels& loudness, int frequency, int32_t levelSource,
                                   const LevelFlags& measured);

// "not what the threshold predicts", or with level source 2 "not what the threshold
// and UCL predict".
std::string notWhatItPredicts(int32_t levelSource);

// A short line for the status bar that names an ear's out-of-date frequencies:
// "Right Ear: the levels at 500 Hz and 2 KHz are not what the threshold predicts; see
// the Loudmap Data page."; empty when none is.
std::string outOfDateNote(Ear ear, const LoudnessLevels& loudness, int32_t levelSource);

// The same for both ears of a record, in a line: "Levels not what the thresholds
// predict: Right Ear 1 KHz; Left Ear 2 KHz and 4 KHz. See the Loudmap Data page.".
std::string outOfDateSummary(const FittingRecord& record);

// The whole story, for a question: which levels are not what the threshold predicts and
// what to press, and where the UCL lies below the threshold; empty when none is.
std::string outOfDateDetail(Ear ear, const LoudnessLevels& loudness, int32_t levelSource);

// Why nothing was predicted at these frequency indices: "Right Ear, 4 KHz: the UCL is
// below the threshold, so no levels are predicted there."; empty for none.
std::string refusedPredictionNote(Ear ear, const std::vector<int>& frequencies);
