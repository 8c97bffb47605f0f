#include "pages/loudnessmarks.h"

#include "model/levelunits.h"
#include "model/numbers.h"
#include "model/predictioncheck.h"
#include "pages/loudnesstext.h"

#include <optional>

namespace {

// The highest plausible level left of `category` in its row, the nearest of equal
// ones; nothing when none is.
std::optional<int> highestToTheLeft(const int32_t (&row)[kCategoryCount], int frequency,
                                    int category) {
    std::optional<int> highest;
    for (int c = 0; c < category; ++c) {
        const int32_t level = row[c];
        if (level == kEmptyLevel || !isPlausibleLevel(level, frequency))
            continue;
        if (!highest || level >= row[*highest])
            highest = c;
    }
    return highest;
}

CellMark markCell(const int32_t (&row)[kCategoryCount], int frequency, int category,
                  bool showInHL) {
    const int32_t level = row[category];
    if (level == kEmptyLevel)
        return {};
    const std::string unit = std::string(" ") + unitName(showInHL);
    if (!isPlausibleLevel(level, frequency)) {
        const LevelRange range = typedLevelRange(frequency, showInHL);
        return {LevelMark::OutOfRange, "Outside " + formatInt(range.lowest) + " to " +
                                           formatInt(range.highest) + unit +
                                           ", the levels an audiometer gives"};
    }
    const std::optional<int> highest = highestToTheLeft(row, frequency, category);
    if (!highest || row[*highest] <= level)
        return {};
    return {LevelMark::NotRising, std::string("Lower than ") + categoryNames[*highest] + " (" +
                                      formatInt(shownLevel(row[*highest], frequency, showInHL)) +
                                      unit + ") at " + frequencyCaptions[frequency]};
}

constexpr int kUcl = 7;
constexpr const char* kPressPredict = "; press \"Predict intermediate levels\"";

// "80 dB HL", "80 and a UCL of 110 dB HL".
std::string shownInputs(const PredictionInputs& inputs, int frequency, bool showInHL,
                        bool withUcl) {
    std::string text = formatInt(shownLevel(inputs.threshold, frequency, showInHL));
    if (withUcl)
        text += " and a UCL of " + formatInt(shownLevel(inputs.ucl, frequency, showInHL));
    return text + " " + unitName(showInHL);
}

std::string outOfDateReason(const LoudnessRow& row, int frequency, bool showInHL,
                            int32_t levelSource) {
    const std::string at = std::string(" at ") + frequencyCaptions[frequency];
    if (uclBelowThreshold(row, levelSource))
        return "Not predicted again: the UCL" + at + " is below the threshold";
    if (const auto inputs = predictedFrom(row, frequency, levelSource)) {
        const bool otherUcl = levelSource == 2 && inputs->ucl != row[kUcl];
        return "Predicted from a threshold of " +
               shownInputs(*inputs, frequency, showInHL, otherUcl) + kPressPredict;
    }
    const bool noThreshold = row[0] == kEmptyLevel;
    const bool noUcl = levelSource == 2 && row[kUcl] == kEmptyLevel;
    if (noThreshold || noUcl)
        return std::string("Nothing to predict these from: no ") +
               (noThreshold && noUcl ? "threshold or UCL"
                : noThreshold        ? "threshold"
                                     : "UCL") +
               at;
    return levelSource == 2 ? "Not what the threshold and UCL" + at + " predict" + kPressPredict
                            : "Not what the threshold" + at + " predicts" + kPressPredict;
}

} // namespace

LoudnessMarks markLoudness(const int32_t (&levels)[kFrequencyCount][kCategoryCount],
                           bool showInHL) {
    LoudnessMarks marks;
    for (int f = 0; f < kFrequencyCount; ++f) {
        for (int c = 0; c < kCategoryCount; ++c)
            marks[f][c] = markCell(levels[f], f, c, showInHL);
    }
    return marks;
}

void markOutOfDate(LoudnessMarks& marks, const LoudnessLevels& committed, bool showInHL,
                   int32_t levelSource) {
    for (int f = 0; f < kFrequencyCount; ++f) {
        if (!isOutOfDate(committed[f], f, levelSource))
            continue;
        const std::string reason = outOfDateReason(committed[f], f, showInHL, levelSource);
        for (int c = 0; c < kCategoryCount; ++c) {
            if (isPredictedCategory(levelSource, c) && marks[f][c].mark != LevelMark::OutOfRange)
                marks[f][c] = {LevelMark::OutOfDate, reason};
        }
    }
}
