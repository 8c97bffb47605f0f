#include "curves/curvetext.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

constexpr float M = kEmptyValue;

std::vector<std::string> column(const CurveGrid& grid, int c) {
    return std::vector<std::string>(std::begin(grid.cell[c]), std::end(grid.cell[c]));
}

// Reads one column of texts (rows 0 to 5) as curve 0, starting from a zeroed curve.
CurveParams readColumn(std::vector<std::string> rows, CurveParams start = {}) {
    CurveGrid grid;
    for (int row = 0; row < 6; ++row)
        grid.cell[1][row] = rows[row];
    CurveParams curves[kCurveCount] = {start};
    readCurves(grid, curves);
    return curves[0];
}

CurveParams stored(float gain, float t1, int32_t t1Out, float r1, float t2, int32_t t2Out, float r2,
                   float maxOutput) {
    CurveParams c{};
    c.gainAt50 = gain;
    c.threshold1 = t1;
    c.threshold1IsOutput = t1Out;
    c.ratio1 = r1;
    c.threshold2 = t2;
    c.threshold2IsOutput = t2Out;
    c.ratio2 = r2;
    c.maxOutput = maxOutput;
    return c;
}

TEST(CurveGrid, StartsWithTheRowLabelsInColumn0) {
    const CurveGrid grid;
    EXPECT_EQ(column(grid, 0),
              (std::vector<std::string>{" Gain at 50 dB", " Comp. Threshold 1", " Comp. Ratio 1",
                                        " Comp. Threshold 2", " Comp. Ratio 2", " Maximum Output",
                                        " RMS Error"}));
    for (int c = 1; c < kGridColumns; ++c)
        EXPECT_EQ(column(grid, c), std::vector<std::string>(7, ""));
}

TEST(GridNumbers, OnlyPlainDecimalNumbersAreNumbers) {
    const struct {
        const char* text;
        std::optional<float> value;
    } cases[] = {
        {"5", 5.0f},
        {"-5", -5.0f},
        {"2.5", 2.5f},
        {".5", 0.5f},
        {"5.", 5.0f},
        {"-.5", -0.5f},
        {"007", 7.0f},
        {"1.2.3", std::nullopt},
        {".", std::nullopt},
        {"--5", std::nullopt},
        {"", std::nullopt},
        {"-", std::nullopt},
        {"+5", std::nullopt},
        {"5-", std::nullopt},
        {"1e5", std::nullopt},
        {"inf", std::nullopt},
        {"nan", std::nullopt},
        {" 5", std::nullopt},
        {"0x10", std::nullopt},
        {"99999999999999999999999999999999999999999", std::nullopt}, // beyond a float
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseGridNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(WriteStoredCurve, WritesEachParameterInItsForm) {
    CurveGrid grid;
    grid.cell[2][6] = "3.1";
    writeStoredCurve(grid, 2, stored(20, 45, 1, 2.25f, 75, 0, 2.2459f, 110));
    EXPECT_EQ(column(grid, 2),
              (std::vector<std::string>{"20", "65o", "2.3", "75", "2.2", "110", ""}));

    // Integer form keeps three significant digits; -99 is written as nothing; an
    // output threshold without a gain is shown as the input level it holds.
    writeStoredCurve(grid, 5, stored(M, 65.4f, 1, M, M, 1, 3, 1234));
    EXPECT_EQ(column(grid, 5), (std::vector<std::string>{"", "65", "", "", "3.0", "1230", ""}));

    const AidFrequencyData aid{-3.7f, 40, 0, 1.5f, 60, 1, 99.96f, 125};
    writeStoredCurve(grid, 3, aid);
    EXPECT_EQ(column(grid, 3),
              (std::vector<std::string>{"-4", "40", "1.5", "56o", "100.0", "125", ""}));

    // Values that would show as -99, the missing mark, show as themselves, or as where
    // their showings settle: "-99.5" would show as "-100" the next time.
    EXPECT_EQ(integerForm(-99.4f), "-99.4");
    EXPECT_EQ(integerForm(-99.48f), "-100");
    EXPECT_EQ(ratioForm(-99.04f), "-99.04");
}

struct ReadCase {
    const char* what;
    std::vector<std::string> rows;
    CurveParams expected;
};

void expectCurve(const CurveParams& got, const CurveParams& want, const char* what) {
    EXPECT_EQ(got.gainAt50, want.gainAt50) << what;
    EXPECT_EQ(got.threshold1, want.threshold1) << what;
    EXPECT_EQ(got.threshold1IsOutput, want.threshold1IsOutput) << what;
    EXPECT_EQ(got.ratio1, want.ratio1) << what;
    EXPECT_EQ(got.threshold2, want.threshold2) << what;
    EXPECT_EQ(got.threshold2IsOutput, want.threshold2IsOutput) << what;
    EXPECT_EQ(got.ratio2, want.ratio2) << what;
    EXPECT_EQ(got.maxOutput, want.maxOutput) << what;
}

TEST(ReadCurves, ReadsEachRowByItsRules) {
    const ReadCase cases[] = {
        {"plain", {"20", "45", "2", "70", "3", "110"}, stored(20, 45, 0, 2, 70, 0, 3, 110)},
        {"blanks are removed",
         {" - 5 ", "6 5 o", " 2", "7 0", "3 ", "1 1 0"},
         stored(-5, 70, 1, 2, 70, 0, 3, 110)},
        {"gain with a minus sign elsewhere",
         {"5-", "45", "2", "", "", "110"},
         stored(M, 45, 0, 2, 45, 0, 2, 110)},
        {"gain: a lone minus", {"-", "45", "", "x", "x", ""}, stored(M, 45, 0, M, 45, 0, M, M)},
        {"output threshold 1 without gain stays as entered",
         {"", "65o", "2", "", "", ""},
         stored(M, 65, 1, 2, 65, 0, 2, M)},
        {"i marks an input level",
         {"20", "65i", "2", "80i", "2", ""},
         stored(20, 65, 0, 2, 80, 0, 2, M)},
        {"levels outside 30..130",
         {"20", "25", "2", "135", "2", "135"},
         stored(20, M, 0, 2, M, 0, 2, M)},
        {"both ends of 30..130 are in",
         {"20", "30", "2", "130", "3", "130"},
         stored(20, 30, 0, 2, 130, 0, 3, 130)},
        {"range checked before the gain is taken off",
         {"20", "140o", "2", "", "", "29.9"},
         stored(20, M, 1, 2, M, 0, 2, M)},
        {"an o alone marks output but gives no level",
         {"20", "o", "2", "o", "2", "30"},
         stored(20, M, 1, 2, M, 1, 2, 30)},
        {"ratio 0 is missing",
         {"20", "45", "0", "70", "0.0", "130"},
         stored(20, 45, 0, M, 70, 0, M, 130)},
        {"x and empty copy row 1 and row 2",
         {"20", "45", "2", "x", "", "110"},
         stored(20, 45, 0, 2, 45, 0, 2, 110)},
        {"x mixed with a number is dropped",
         {"20", "45", "2", "x70", "3x", "110"},
         stored(20, 45, 0, 2, 70, 0, 3, 110)},
        {"not numbers",
         {"1.2.3", "4.5.6", ".", "--5", "1..2", "1.2.3"},
         stored(M, M, 0, M, M, 0, M, M)},
        {"thresholds in the wrong order swap with their ratios",
         {"20", "70", "2", "50", "3", "110"},
         stored(20, 50, 0, 3, 70, 0, 2, 110)},
        {"threshold 2 as output, on the first segment",
         {"20", "45.0", "2", "80o", "x", "110"},
         stored(20, 45, 0, 2, 75, 1, 2, 110)},
        {"an output level lost in a gain too large for it",
         {"1000000000000000000", "50o", "2", "60o", "2", "110"},
         stored(1e18f, M, 1, 2, M, 1, 2, 110)},
    };
    for (const ReadCase& c : cases)
        expectCurve(readColumn(c.rows), c.expected, c.what);
}

TEST(ReadCurves, CompleteNeedsAllSixParameters) {
    EXPECT_EQ(readColumn({"20", "45", "2", "x", "x", "110"}).complete, 1);
    const std::vector<std::string> full = {"20", "45", "2", "70", "3", "110"};
    for (int row = 0; row < 6; ++row) {
        std::vector<std::string> rows = full;
        rows[row] = row == 3 || row == 4 ? "0" : "";
        EXPECT_EQ(readColumn(rows).complete, 0) << "row " << row;
    }
}

TEST(ReadCurves, KeepsTheRmsErrorAndTheThreshold2FlagOfAnX) {
    CurveParams before = stored(1, 2, 1, 3, 4, 1, 5, 6);
    before.rmsError = 7.5f;
    before.complete = 1;
    const CurveParams x = readColumn({"", "", "", "x", "", ""}, before);
    EXPECT_EQ(x.rmsError, 7.5f);
    EXPECT_EQ(x.threshold2IsOutput, 1);
    EXPECT_EQ(x.threshold1IsOutput, 0); // row 1 always sets its flag
    EXPECT_EQ(x.complete, 0);
    EXPECT_EQ(readColumn({"", "", "", "", "", ""}, before).threshold2IsOutput, 0);
}

TEST(ReadCurves, FillsAllSixCurvesFromTheirColumns) {
    CurveGrid grid;
    for (int c = 1; c <= kCurveCount; ++c)
        grid.cell[c][0] = std::to_string(c);
    CurveParams curves[kCurveCount] = {};
    readCurves(grid, curves);
    for (int i = 0; i < kCurveCount; ++i)
        EXPECT_EQ(curves[i].gainAt50, static_cast<float>(i + 1));
    EXPECT_EQ(grid.cell[0][0], " Gain at 50 dB");
}

TEST(ReadCurves, OutputThresholdsSurviveRepeatedRoundTrips) {
    // 6 5 o with a gain of 20 reads as input 45 and is written back as 65o; 80o on
    // threshold 2 reads as 75 on the first segment and is written back as 80o, not
    // as 75 + gain, which would read as a higher threshold on every visit.
    const struct {
        std::vector<std::string> typed;
        std::vector<std::string> shown;
        float threshold2;
    } cases[] = {
        {{"20", "6 5 o", "2", "80o", "2", "110"},
         {"20", "65o", "2.0", "80o", "2.0", "110", ""},
         75},
        // A first segment steeper than 1:1 skips even outputs: 82o lands on 83o once,
        // and the stored threshold never moves.
        {{"20", "45", "0.5", "82o", "2", "110"}, {"20", "45", "0.5", "83o", "2.0", "110", ""}, 54},
        // A flat first segment shows the first input of its step.
        {{"10", "40", "10", "52o", "3", "120"}, {"10", "40", "10.0", "52o", "3.0", "120", ""}, 60},
        // Outputs at the ends of the scale show as typed.
        {{"20", "130o", "0.5", "130o", "2", "30"},
         {"20", "130o", "0.5", "130o", "2.0", "30", ""},
         110},
        {{"-20", "30o", "2", "50o", "2", "110"},
         {"-20", "30o", "2.0", "50o", "2.0", "110", ""},
         90},
        // An output stepped past 130 is shown as the input level it stands for.
        {{"20", "45", "0.5", "130o", "2", "110"}, {"20", "45", "0.5", "78", "2.0", "110", ""}, 78},
        // Without threshold 1 there is no first segment: the level cannot be placed
        // and stays missing, and with it the cell (without ratio 1 alike: see
        // StoreTypedCells).
        {{"20", "", "2", "80o", "2", "110"}, {"20", "", "2.0", "", "2.0", "110", ""}, -99},
        // Threshold 2 left empty copies threshold 1; where that came from an output
        // level and lies outside the levels that can be typed, it stays empty rather
        // than showing a number that would read as missing at the next visit.
        {{"138", "50o", "1.5", "", "2", "40"}, {"138", "50o", "1.5", "", "2.0", "40", ""}, -88},
    };
    for (const auto& c : cases) {
        CurveGrid grid;
        for (int row = 0; row < 6; ++row)
            grid.cell[2][row] = c.typed[row];
        CurveParams curves[kCurveCount] = {};
        readCurves(grid, curves);
        EXPECT_EQ(curves[1].threshold2, c.threshold2) << c.typed[3];
        for (int visit = 0; visit < 5; ++visit) {
            writeStoredCurve(grid, 2, curves[1]);
            EXPECT_EQ(column(grid, 2), c.shown) << c.typed[3] << " visit " << visit;
            readCurves(grid, curves);
            EXPECT_EQ(curves[1].threshold2, c.threshold2) << c.typed[3] << " visit " << visit;
        }
    }
}

TEST(ReadCurves, AUserCurveStaysCompleteAndSettlesAfterItsFirstShowing) {
    // The first showing rounds what was typed (a gain of 0.1 shows as 0); from then on
    // every showing gives the same texts, and the curve stays complete.
    const std::vector<std::string> typed[] = {
        // "o" alone copies threshold 1 with the output mark over a first segment that
        // ends a hair under 30 dB (30o less a gain of 0.1, and back).
        {"0.1", "30o", "90", "o", "2", "80"},
        {"-15", "40", "2", "o", "2", "100"},
        // A fractional gain rounds on the first showing.
        {"1.5", "80", "5", "81o", "1.5", "80"},
        // A ratio under 0.05 keeps the decimals that make it a ratio.
        {"0.5", "130", ".01", "30", "919999", "31"},
        // An output threshold 1 over a gain far below the scale lies far above it as an
        // input level, and the swap takes it to threshold 2.
        {"-2777340", "45o", "582", "45", "", "80"},
        // Values that round to -99, the text of a missing value.
        {"-99.4", "45", "2", "60", "-98.5", "100"},
        // Threshold 2 copies an output threshold 1 that lies between two whole levels:
        // shown as a whole input level it would read back below threshold 1, and the
        // swap would turn the ratios round at every showing.
        {"-99.011", "30o", "4", "", "5", "100"},
        // Both thresholds typed as 30o over a fractional gain: the whole levels of the
        // first segment put threshold 2 a hair under threshold 1, and the swap takes
        // it to threshold 1's place, where its output falls short of 30.
        {"0.8", "30o", "18", "30o", "90", "90"},
        // The same over gains of 0.4 and 5.4: threshold 1 lands a hair under the
        // scale, as an input level or as an output level, and shows at its end.
        {"0.4", "30o", "18", "30o", "90", "90"},
        {"5.4", "30o", "18", "30o", "90", "90"},
        // An output threshold 2 far along a nearly flat first segment: the shown ratio,
        // rounded to 10000, no longer reaches it.
        {".1", "30", "9999", "40o", "582", "45"},
        // An output threshold 1 over a gain of 140 dB lies a hair off -99, the missing
        // mark, as an input level.
        {"140", "40.7o", "52", "79o", "4", "80"},
        {"140.05", "41o", "2", "o", "", "80"},
    };
    for (const auto& rows : typed) {
        CurveGrid grid;
        for (int row = 0; row < 6; ++row)
            grid.cell[2][row] = rows[row];
        CurveParams curves[kCurveCount] = {};
        readCurves(grid, curves);
        ASSERT_TRUE(curves[1].complete) << rows[0];
        std::vector<std::string> settled;
        for (int visit = 0; visit < 4; ++visit) {
            writeStoredCurve(grid, 2, curves[1]);
            readCurves(grid, curves);
            EXPECT_TRUE(curves[1].complete) << rows[0] << " visit " << visit;
            if (visit == 1)
                settled = column(grid, 2);
            if (visit > 1) {
                EXPECT_EQ(column(grid, 2), settled) << rows[0] << " visit " << visit;
            }
        }
    }
}

TEST(WriteStoredCurve, OutputThreshold2WithoutARisingSegmentShowsThresholdPlusGain) {
    // The hearing-aid columns show what the database page shows, and a user curve
    // whose first ratio is missing has no segment to work the output back on.
    const AidFrequencyData aid{20, 45, 0, 2, 75, 1, 2, 110};
    CurveGrid grid;
    writeStoredCurve(grid, 3, aid);
    EXPECT_EQ(grid.cell[3][kRowThreshold2], "95o");
    writeStoredCurve(grid, 2, stored(20, 45, 0, M, 75, 1, 2, 110));
    EXPECT_EQ(grid.cell[2][kRowThreshold2], "95o");
}

TEST(OutputToInputThreshold, FindsTheFirstWholeInputReachingTheOutput) {
    const struct {
        const char* what;
        float threshold1, gain, ratio1, output, expected;
    } cases[] = {
        {"worked example", 45, 20, 2, 80, 75},
        {"fractional threshold 1", 45.5f, 20, 2, 80, 76},
        {"already reached at threshold 1", 45, 40, 2, 80, 45},
        {"steep first segment", 45, 20, 0.0001f, 80, 46},
        // A ratio that cannot reach the level gives no threshold.
        {"ratio 1 missing", 45, 20, M, 80, M},
        {"ratio 1 missing, reached at threshold 1", 45, 40, M, 80, 45},
        {"negative ratio", 45, 20, -2, 80, M},
        {"ratio too large to get there", 45, 20, 99999999.0f, 80, M},
        {"threshold 1 missing: counted from -99", M, 20, 2, 80, 219},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(outputToInputThreshold(c.threshold1, c.gain, c.ratio1, c.output), c.expected)
            << c.what;
    }
}

} // namespace

TEST(CurveGridRules, EachRowTakesItsOwnLettersAndOnlyUserCellsAreSelectable) {
    const struct {
        int row;
        const char* accepted;
        const char* refused;
    } rows[] = {
        {kRowGain, "0123456789.-\b", "ioxe+, "}, {kRowThreshold1, "09.io\b", "-x"},
        {kRowRatio1, "09.\b", "-iox"},           {kRowThreshold2, "09.xio\b", "-"},
        {kRowRatio2, "09.x\b", "-io"},           {kRowMaxOutput, "09.\b", "-iox"},
        {kRowRmsError, "", "09.-iox\b"},
    };
    for (const auto& r : rows) {
        for (const char* ch = r.accepted; *ch; ++ch)
            EXPECT_TRUE(curveCellAccepts(r.row, static_cast<unsigned char>(*ch)))
                << "row " << r.row << " '" << *ch << "'";
        for (const char* ch = r.refused; *ch; ++ch)
            EXPECT_FALSE(curveCellAccepts(r.row, static_cast<unsigned char>(*ch)))
                << "row " << r.row << " '" << *ch << "'";
    }
    EXPECT_FALSE(curveCellAccepts(-1, U'5'));
    EXPECT_FALSE(curveCellAccepts(kRowMaxOutput, U'\u00BD'));

    for (int column = 0; column < kGridColumns; ++column) {
        for (int row = 0; row < kGridRows; ++row) {
            const bool user = (column == 2 || column == 5) && row <= kRowMaxOutput;
            EXPECT_EQ(curveCellSelectable(column, row), user) << column << "," << row;
        }
    }
}
