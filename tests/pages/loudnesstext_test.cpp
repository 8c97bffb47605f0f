// Reading and writing the loudness grids' cells, and the rules of the level sources.
#include "pages/loudnesstext.h"

#include <gtest/gtest.h>

namespace {

TEST(LoudnessTextTest, CellTextReadsAsA32BitWholeNumberOrEmpty) {
    struct Case {
        const char* text;
        int32_t level;
    };
    const Case cases[] = {
        {"", kEmptyLevel},
        {"-", kEmptyLevel},
        {"5-3", kEmptyLevel},
        {"12-", kEmptyLevel},
        {"--5", kEmptyLevel},
        {"+5", kEmptyLevel},
        {" 5", kEmptyLevel},
        {"1a", kEmptyLevel},
        {"0", 0},
        {"-0", 0},
        {"007", 7},
        {"-45", -45},
        {"2147483647", 2147483647},
        {"2147483648", kEmptyLevel},
        {"-2147483648", INT32_MIN},
        {"-2147483649", kEmptyLevel},
        {"99999999999999999999", kEmptyLevel},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseCellLevel(c.text), c.level) << "[" << c.text << "]";
}

TEST(LoudnessTextTest, HearingLevelsConvertWithEachFrequencysCorrection) {
    // dB SPL stored and dB HL shown at 250, 500, 1000, 2000, 3000 and 4000 Hz.
    const struct {
        int32_t stored;
        const char* shownInHL;
    } atFrequency[kFrequencyCount] = {{40, "25"}, {1, "-5"},  {57, "57"},
                                      {63, "60"}, {-3, "-6"}, {70, "70"}};
    for (int f = 0; f < kFrequencyCount; ++f) {
        EXPECT_EQ(cellTextFromStored(atFrequency[f].stored, f, true), atFrequency[f].shownInHL)
            << f;
        EXPECT_EQ(storedFromCellText(atFrequency[f].shownInHL, f, true), atFrequency[f].stored)
            << f;
    }
    EXPECT_EQ(storedFromCellText("25", 0, false), 25);
    EXPECT_EQ(storedFromCellText("5-", 0, true), kEmptyLevel);
    EXPECT_EQ(cellTextFromStored(40, 0, false), "40");
    EXPECT_EQ(cellTextFromStored(kEmptyLevel, 0, true), "");
    for (int f = 0; f < kFrequencyCount; ++f) {
        // Values no audiometer gives, as a damaged file may hold them, come back too.
        for (const int32_t stored : {-20, 0, 57, 130, INT32_MIN, INT32_MIN + 3, INT32_MAX}) {
            EXPECT_EQ(storedFromCellText(cellTextFromStored(stored, f, true), f, true), stored);
            EXPECT_EQ(storedFromCellText(cellTextFromStored(stored, f, false), f, false), stored);
        }
    }
}

TEST(LoudnessTextTest, LevelSourceDecidesShadeAndReachOfEachColumn) {
    struct Case {
        int32_t source;
        int column;
        CellShade shade;
        bool selectable;
    };
    const Case cases[] = {
        {0, 0, CellShade::White, true},      {0, 4, CellShade::White, true},
        {0, 7, CellShade::White, true},      {1, 0, CellShade::White, true},
        {1, 1, CellShade::Grey, false},      {1, 7, CellShade::Grey, false},
        {2, 0, CellShade::White, true},      {2, 6, CellShade::Grey, false},
        {2, 7, CellShade::White, true},      {3, 4, CellShade::Unpainted, true},
        {-1, 0, CellShade::Unpainted, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cellShade(c.source, c.column), c.shade) << c.source << "/" << c.column;
        EXPECT_EQ(cellSelectable(c.source, c.column), c.selectable) << c.source << "/" << c.column;
    }
}

TEST(LoudnessTextTest, TextsDescribeEachEarsLevelSource) {
    EXPECT_EQ(dataTypeLabel(Ear::Right, 0), "Data manually entered");
    EXPECT_EQ(dataTypeLabel(Ear::Right, 1), "All values in gray are predicted using THR");
    EXPECT_EQ(dataTypeLabel(Ear::Left, 1), "All values in gray are predicted from THR");
    EXPECT_EQ(dataTypeLabel(Ear::Right, 2), "All values in gray are predicted using THR and UCL");
    EXPECT_EQ(dataTypeLabel(Ear::Left, 2), "All values in gray are predicted from THR and UCL");
    EXPECT_EQ(dataTypeLabel(Ear::Left, 3), std::nullopt);
    EXPECT_EQ(predictionHint(0), std::nullopt);
    EXPECT_EQ(predictionHint(1), "Use threshold to compute remaining values");
    EXPECT_EQ(predictionHint(2), "Use threshold and UCL to compute remaining values");
}

} // namespace
