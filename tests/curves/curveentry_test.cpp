// What becomes of a typed curve parameter: kept, dropped with a word, no number, or
// refused at entry; and the user curve of the long fuzz run, whose texts must settle.
#include "curves/curvetext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using V = EntryVerdict;

struct JudgedText {
    int row;
    const char* text;
    V verdict;
    const char* note;
};

template <std::size_t N>
void expectJudged(const JudgedText (&cases)[N], EntryJudgement (*judge)(int, std::string_view)) {
    for (const JudgedText& c : cases) {
        const EntryJudgement judged = judge(c.row, c.text);
        EXPECT_EQ(judged.verdict, c.verdict) << c.row << " \"" << c.text << '"';
        EXPECT_EQ(judged.note, c.note) << c.row << " \"" << c.text << '"';
    }
}

TEST(JudgeParameterText, EachRowByItsRangeAndItsLetters) {
    const JudgedText cases[] = {
        // Gain: -20 to 90 dB, both ends in; a minus not in front reads as missing.
        {kRowGain, "", V::Kept, ""},
        {kRowGain, "-20", V::Kept, ""},
        {kRowGain, "9 0", V::Kept, ""},
        {kRowGain, "-20.5", V::Refused,
         "-20.5 dB is a gain no hearing aid has: type one from -20 to 90 dB."},
        {kRowGain, "90.5", V::Refused,
         "90.5 dB is a gain no hearing aid has: type one from -20 to 90 dB."},
        {kRowGain, "5-", V::Dropped, "\"5-\" is no number and is not used."},
        {kRowGain, "-", V::Dropped, "\"-\" is no number and is not used."},
        {kRowGain, "1..5", V::NoNumber, "\"1..5\" is no number and is not used."},
        // Thresholds and maximum output: 30 to 130 dB as typed, letters aside.
        {kRowThreshold1, "30", V::Kept, ""},
        {kRowThreshold1, "130o", V::Kept, ""},
        {kRowThreshold1, "o", V::Kept, ""},
        {kRowThreshold1, "20", V::Dropped, "20 is outside 30 to 130 dB and is not used."},
        {kRowThreshold1, "131i", V::Dropped, "131 is outside 30 to 130 dB and is not used."},
        {kRowThreshold2, "x", V::Kept, ""},
        {kRowThreshold2, "io", V::Kept, ""},
        {kRowThreshold2, "29.9o", V::Dropped, "29.9 is outside 30 to 130 dB and is not used."},
        {kRowThreshold2, "4.5.", V::NoNumber, "\"4.5.\" is no number and is not used."},
        {kRowMaxOutput, "150", V::Dropped, "150 is outside 30 to 130 dB and is not used."},
        {kRowMaxOutput, "130", V::Kept, ""},
        // Ratios: 0.1 to 20, both ends in; 0 is no ratio at all.
        {kRowRatio1, "0.1", V::Kept, ""},
        {kRowRatio1, "20", V::Kept, ""},
        {kRowRatio1, "0", V::Refused, "0 is a ratio no hearing aid has: type one from 0.1 to 20."},
        {kRowRatio1, "0.09", V::Refused,
         "0.09 is a ratio no hearing aid has: type one from 0.1 to 20."},
        {kRowRatio1, "2..5", V::NoNumber, "\"2..5\" is no number and is not used."},
        {kRowRatio2, "x", V::Kept, ""},
        {kRowRatio2, "20.1", V::Refused,
         "20.1 is a ratio no hearing aid has: type one from 0.1 to 20."},
    };
    expectJudged(cases, judgeParameterText);
}

// Typed into the curve page's own curve, every text the reading would not use is
// refused; the empty cell, "x" and the marks keep their meaning.
TEST(JudgeTypedCurveText, RefusesLevelsOffTheScaleAndTextsThatAreNoNumber) {
    const JudgedText cases[] = {
        {kRowThreshold1, "25", V::Refused,
         "25 dB is outside the scale: type a level from 30 to 130 dB."},
        {kRowThreshold1, "30", V::Kept, ""},
        {kRowThreshold1, "130o", V::Kept, ""},
        {kRowThreshold1, "o", V::Kept, ""},
        {kRowThreshold2, "135i", V::Refused,
         "135 dB is outside the scale: type a level from 30 to 130 dB."},
        {kRowThreshold2, "x", V::Kept, ""},
        {kRowThreshold2, "", V::Kept, ""},
        {kRowMaxOutput, "130.5", V::Refused,
         "130.5 dB is outside the scale: type a level from 30 to 130 dB."},
        {kRowMaxOutput, "", V::Kept, ""},
        {kRowGain, "-13.0.", V::Refused, "\"-13.0.\" is no number: correct it or empty the cell."},
        {kRowGain, "5-", V::Refused, "\"5-\" is no number: correct it or empty the cell."},
        {kRowRatio1, "2..5", V::Refused, "\"2..5\" is no number: correct it or empty the cell."},
        {kRowRatio2, "x", V::Kept, ""},
        {kRowRatio2, "0.05", V::Refused,
         "0.05 is a ratio no hearing aid has: type one from 0.1 to 20."},
    };
    expectJudged(cases, judgeTypedCurveText);
}

TEST(JudgeParameterText, CellsNotKeptAreListedTopToBottom) {
    const std::string cells[kCurveParameterRows] = {"95", "40", "0", "x", "", "150"};
    const std::vector<JudgedCell> notKept = cellsNotKept(cells);
    ASSERT_EQ(notKept.size(), 3u);
    EXPECT_EQ(notKept[0].row, kRowGain);
    EXPECT_EQ(notKept[0].judgement.verdict, V::Refused);
    EXPECT_EQ(notKept[1].row, kRowRatio1);
    EXPECT_EQ(notKept[2].row, kRowMaxOutput);
    EXPECT_EQ(notKept[2].judgement.verdict, V::Dropped);
}

// The long fuzz run's user curve: threshold 1 typed as the output 41 over a gain of
// 139.5 dB is the input level -98.5, next to the missing mark. Such a gain is refused
// at entry now, but a file may hold it; its texts settle all the same.
TEST(ReadCurves, TheFuzzFindingsCurveSettlesFromItsSecondShowing) {
    const std::string typed[kCurveParameterRows] = {"139.5", "o41", "3", "o", "", "80"};
    CurveGrid grid;
    std::copy(std::begin(typed), std::end(typed), grid.cell[5]);
    CurveParams curves[kCurveCount]{};
    readCurves(grid, curves);
    ASSERT_EQ(curves[4].complete, 1);
    EXPECT_EQ(curves[4].threshold1, -98.5f);
    std::vector<std::string> shown[4];
    for (auto& texts : shown) {
        writeStoredCurve(grid, 5, curves[4]);
        readCurves(grid, curves);
        EXPECT_EQ(curves[4].complete, 1);
        texts.assign(std::begin(grid.cell[5]), std::begin(grid.cell[5]) + kCurveParameterRows);
    }
    EXPECT_EQ(shown[0], (std::vector<std::string>{"140", "41.5o", "3.0", "o", "3.0", "80"}));
    const std::vector<std::string> settled = {"140", "42o", "3.0", "42o", "3.0", "80"};
    EXPECT_EQ(shown[1], settled);
    EXPECT_EQ(shown[2], settled);
    EXPECT_EQ(shown[3], settled);
    EXPECT_EQ(curves[4].threshold1, -98.0f);
}

} // namespace
