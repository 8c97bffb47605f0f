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

TEST(LoudnessTextTest, LevelsFromFilesAtTheEndsOfThe32BitRangeShowAsTheyAre) {
    EXPECT_EQ(cellTextFromStored(INT32_MIN, 0, true), "-2147483663");
    EXPECT_EQ(cellTextFromStored(INT32_MAX, 1, true), "2147483641");
    EXPECT_EQ(cellTextFromStored(45100, 0, true), "45085");
    EXPECT_EQ(storedFromCellText("-2147483663", 0, true), INT32_MIN);
    EXPECT_EQ(storedFromCellText("-2147483664", 0, true), kEmptyLevel) << "beyond int32";
    EXPECT_EQ(storedFromCellText("2147483642", 1, true), kEmptyLevel) << "beyond int32";
}

TEST(LoudnessTextTest, TypedLevelsAreTakenOnlyInsideTheRangeOfAnAudiometer) {
    struct Case {
        const char* text;
        int frequency;
        bool showInHL;
        TypedLevel kind;
        int32_t stored;
    };
    const Case cases[] = {
        {"", 2, true, TypedLevel::Empty, kEmptyLevel},
        // dB HL: -10 to 130 at every frequency, stored with the correction.
        {"-10", 0, true, TypedLevel::Level, 5},
        {"130", 0, true, TypedLevel::Level, 145},
        {"-11", 0, true, TypedLevel::OutOfRange, kEmptyLevel},
        {"131", 0, true, TypedLevel::OutOfRange, kEmptyLevel},
        {"-10", 2, true, TypedLevel::Level, -10},
        {"130", 2, true, TypedLevel::Level, 130},
        {"131", 2, true, TypedLevel::OutOfRange, kEmptyLevel},
        // dB SPL: 5 to 145 at 250 Hz, -10 to 130 at 1 KHz, 6 to 136 at 500 Hz.
        {"5", 0, false, TypedLevel::Level, 5},
        {"145", 0, false, TypedLevel::Level, 145},
        {"4", 0, false, TypedLevel::OutOfRange, kEmptyLevel},
        {"146", 0, false, TypedLevel::OutOfRange, kEmptyLevel},
        {"-10", 2, false, TypedLevel::Level, -10},
        {"-11", 2, false, TypedLevel::OutOfRange, kEmptyLevel},
        {"136", 1, false, TypedLevel::Level, 136},
        {"137", 1, false, TypedLevel::OutOfRange, kEmptyLevel},
        {"45100", 5, false, TypedLevel::OutOfRange, kEmptyLevel},
        {"12345678901234567890", 2, true, TypedLevel::OutOfRange, kEmptyLevel},
        {"-", 2, true, TypedLevel::NotANumber, kEmptyLevel},
        {"5-5", 2, true, TypedLevel::NotANumber, kEmptyLevel},
        {"12-", 2, true, TypedLevel::NotANumber, kEmptyLevel},
    };
    for (const Case& c : cases) {
        const TypedLevelCheck check = checkTypedLevel(c.text, c.frequency, c.showInHL);
        EXPECT_EQ(check.kind, c.kind) << c.text << " at " << c.frequency << " HL " << c.showInHL;
        EXPECT_EQ(check.stored, c.stored) << c.text << " at " << c.frequency;
    }
}

TEST(LoudnessTextTest, NotesNameTheCellAndWhatMayBeTyped) {
    EXPECT_EQ(refusedLevelNote({Ear::Right, 2, 7}, "45100", TypedLevel::OutOfRange, true),
              "Right Ear, 1 KHz, UCL: 45100 dB HL is no level an audiometer gives. Type a level "
              "from -10 to 130 dB HL, or leave the cell empty.");
    EXPECT_EQ(refusedLevelNote({Ear::Left, 0, 0}, "5-5", TypedLevel::NotANumber, false),
              "Left Ear, 250 Hz, THR: \"5-5\" is not a whole number. Type a level from 5 to 145 "
              "dB SPL, or leave the cell empty.");
    EXPECT_EQ(predictedCellNote({Ear::Right, 2, 3}, 1),
              "Right Ear, 1 KHz, CSS is predicted from the threshold; type the threshold and "
              "press \"Predict intermediate levels\".");
    EXPECT_EQ(predictedCellNote({Ear::Left, 5, 6}, 2),
              "Left Ear, 4 KHz, LOK is predicted from the threshold and UCL; type them and "
              "press \"Predict intermediate levels\".");
    EXPECT_EQ(replaceMeasuredQuestion({1}, 1),
              "The levels at 500 Hz are not what the threshold predicts. Replace them?");
    EXPECT_EQ(replaceMeasuredQuestion({1, 3}, 2), "The levels at 500 Hz and 2 KHz are not what "
                                                  "the threshold and UCL predict. Replace them?");
    EXPECT_EQ(replaceMeasuredQuestion({0, 2, 5}, 1),
              "The levels at 250 Hz, 1 KHz and 4 KHz are not what the threshold predicts. "
              "Replace them?");
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
