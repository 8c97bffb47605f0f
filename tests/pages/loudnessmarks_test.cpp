// The marks on levels to look at twice: outside the range, or lower than a level to
// their left.
#include "pages/loudnessmarks.h"

#include <gtest/gtest.h>

namespace {

constexpr int32_t E = kEmptyLevel;
constexpr auto None = LevelMark::None, Low = LevelMark::NotRising, Out = LevelMark::OutOfRange;
const char* const kOutsideHL = "Outside -10 to 130 dB HL, the levels an audiometer gives";
const char* const kOutside250 = "Outside 5 to 145 dB SPL, the levels an audiometer gives";
const char* const kOutside1k = "Outside -10 to 130 dB SPL, the levels an audiometer gives";

TEST(LoudnessMarksTest, LevelsOutsideTheRangeOrNotRisingAreMarkedWithTheirReason) {
    struct Case {
        int frequency;
        int32_t row[kCategoryCount]; // dB SPL
        bool showInHL;
        int category;
        LevelMark mark;
        const char* reason;
    };
    const Case cases[] = {
        {2, {10, 30, 30, 50, 60, 70, 80, 90}, true, 2, None, ""}, // equal is fine
        // Of equal levels to the left, the nearest is named: S, not VS.
        {1, {15, 62, 62, 55, 70, 75, 80, 90}, false, 3, Low, "Lower than S (62 dB SPL) at 500 Hz"},
        {2, {10, 30, 40, 70, 60, 72, 80, 90}, true, 4, Low, "Lower than CSS (70 dB HL) at 1 KHz"},
        {0, {20, 50, 45, 40, 60, 70, 80, 90}, false, 3, Low, "Lower than VS (50 dB SPL) at 250 Hz"},
        {0, {20, 50, 45, 40, 60, 70, 80, 90}, true, 3, Low, "Lower than VS (35 dB HL) at 250 Hz"},
        {3, {E, 60, E, E, 55, E, E, E}, true, 4, Low, "Lower than VS (57 dB HL) at 2 KHz"},
        {3, {50, 60, E, E, 55, E, E, E}, true, 2, None, ""}, // empty
        {0, {20, 30, 40, 50, 60, 70, 80, 145}, true, 7, None, ""},
        {0, {20, 30, 40, 50, 60, 70, 80, 146}, true, 7, Out, kOutsideHL},
        {2, {-10, 30, 40, 50, 60, 70, 80, 90}, true, 0, None, ""},
        {2, {-11, 30, 40, 50, 60, 70, 80, 90}, false, 0, Out, kOutside1k},
        {0, {4, 30, 40, 50, 60, 70, 80, 90}, false, 0, Out, kOutside250},
        {0, {INT32_MIN, 30, 40, 50, 60, 70, 80, 90}, true, 0, Out, kOutsideHL},
        // One level outside the range does not mark the levels after it.
        {2, {10, 45100, 40, 50, 60, 70, 80, 90}, true, 2, None, ""},
    };
    for (const Case& c : cases) {
        int32_t levels[kFrequencyCount][kCategoryCount];
        for (auto& row : levels)
            std::fill(std::begin(row), std::end(row), E);
        std::copy(std::begin(c.row), std::end(c.row), levels[c.frequency]);
        const CellMark mark = markLoudness(levels, c.showInHL)[c.frequency][c.category];
        EXPECT_EQ(mark.mark, c.mark) << c.frequency << "/" << c.category;
        EXPECT_EQ(mark.reason, c.reason) << c.frequency << "/" << c.category;
    }
}

} // namespace
