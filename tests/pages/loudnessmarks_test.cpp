// The marks on levels to look at twice: outside the range, or lower than a level to
// their left.
#include "pages/loudnessmarks.h"

#include <gtest/gtest.h>

namespace {

constexpr int32_t E = kEmptyLevel;

TEST(LoudnessMarksTest, LevelsOutsideTheRangeOrNotRisingAreMarkedWithTheirReason) {
    struct Case {
        const char* what;
        int frequency;
        int32_t row[kCategoryCount]; // dB SPL
        bool showInHL;
        int category;
        LevelMark mark;
        const char* reason;
    };
    const Case cases[] = {
        {"rising row", 2, {10, 30, 40, 50, 60, 70, 80, 90}, true, 7, LevelMark::None, ""},
        {"equal is fine", 2, {10, 30, 30, 50, 60, 70, 80, 90}, true, 2, LevelMark::None, ""},
        {"lower than CSS",
         2,
         {10, 30, 40, 70, 60, 72, 80, 90},
         true,
         4,
         LevelMark::NotRising,
         "Lower than CSS (70 dB HL) at 1 KHz"},
        {"highest to the left, in dB SPL",
         0,
         {20, 50, 45, 40, 60, 70, 80, 90},
         false,
         3,
         LevelMark::NotRising,
         "Lower than VS (50 dB SPL) at 250 Hz"},
        {"same, in dB HL",
         0,
         {20, 50, 45, 40, 60, 70, 80, 90},
         true,
         3,
         LevelMark::NotRising,
         "Lower than VS (35 dB HL) at 250 Hz"},
        {"empty cells between",
         3,
         {E, 60, E, E, 55, E, E, E},
         true,
         4,
         LevelMark::NotRising,
         "Lower than VS (57 dB HL) at 2 KHz"},
        {"an empty cell is never marked",
         3,
         {50, 60, E, E, 55, E, E, E},
         true,
         2,
         LevelMark::None,
         ""},
        {"top of the range at 250 Hz",
         0,
         {20, 30, 40, 50, 60, 70, 80, 145},
         true,
         7,
         LevelMark::None,
         ""},
        {"above it",
         0,
         {20, 30, 40, 50, 60, 70, 80, 146},
         true,
         7,
         LevelMark::OutOfRange,
         "Outside -10 to 130 dB HL, the levels an audiometer gives"},
        {"bottom at 1 KHz", 2, {-10, 30, 40, 50, 60, 70, 80, 90}, true, 0, LevelMark::None, ""},
        {"below it, in dB SPL",
         2,
         {-11, 30, 40, 50, 60, 70, 80, 90},
         false,
         0,
         LevelMark::OutOfRange,
         "Outside -10 to 130 dB SPL, the levels an audiometer gives"},
        {"below it at 250 Hz",
         0,
         {4, 30, 40, 50, 60, 70, 80, 90},
         false,
         0,
         LevelMark::OutOfRange,
         "Outside 5 to 145 dB SPL, the levels an audiometer gives"},
        {"a file's extreme level",
         0,
         {INT32_MIN, 30, 40, 50, 60, 70, 80, 90},
         true,
         0,
         LevelMark::OutOfRange,
         "Outside -10 to 130 dB HL, the levels an audiometer gives"},
        {"levels right of one outside the range",
         2,
         {10, 45100, 40, 50, 60, 70, 80, 90},
         true,
         2,
         LevelMark::None,
         ""},
    };
    for (const Case& c : cases) {
        int32_t levels[kFrequencyCount][kCategoryCount];
        for (auto& row : levels)
            std::fill(std::begin(row), std::end(row), E);
        std::copy(std::begin(c.row), std::end(c.row), levels[c.frequency]);
        const LoudnessMarks marks = markLoudness(levels, c.showInHL);
        EXPECT_EQ(marks[c.frequency][c.category].mark, c.mark) << c.what;
        EXPECT_EQ(marks[c.frequency][c.category].reason, c.reason) << c.what;
    }
}

} // namespace
