#include "pages/loudnessmarks.h"

#include "model/numbers.h"
#include "pages/loudnesstext.h"

#include <optional>

namespace {

std::string unitName(bool showInHL) {
    return showInHL ? " dB HL" : " dB SPL";
}

long long shownLevel(int32_t stored, int frequency, bool showInHL) {
    return static_cast<long long>(stored) - (showInHL ? hlToSplCorrection[frequency] : 0);
}

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
    const std::string unit = unitName(showInHL);
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
