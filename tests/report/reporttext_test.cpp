// The report's page arithmetic and texts, without Qt: where things land on pages of
// any size, and what the header and the two tables say.
#include "report/reportlayout.h"
#include "report/reporttext.h"

#include "model/textslot.h"
#include "testsupport/reportsample.h"

#include <gtest/gtest.h>

namespace {

constexpr int k500 = 1, k1000 = 2, k3000 = 4;

// Products that are whole in decimals stay whole, whatever the binary form of the
// fraction; the others are cut toward zero, never rounded.
TEST(PageArithmetic, EveryProductIsCutTowardZeroOnItsOwn) {
    const PageSize page{4658, 6717};
    EXPECT_EQ(pageX({1000, 1}, 0.29), 290);
    EXPECT_EQ(pageY({1, 1000}, 0.53), 530);
    EXPECT_EQ(pageX(page, 0.088), 409);  // 409.904
    EXPECT_EQ(pageY(page, 0.855), 5743); // 5743.035
    EXPECT_EQ(truncShare(10, 1.2), 12);
    EXPECT_EQ(truncShare(-7, 0.5), -3);
    EXPECT_EQ(centredTextX(page, 0.5, 101), 2329 - 50);
    EXPECT_EQ(pageRect(page, 0.08, 0.185, 0.92, 0.26), (PixelRect{372, 1242, 4285, 1746}));
}

TEST(PlotGeometry, ABandIsDrawnOnlyWhenBothItsLevelsArePresent) {
    const GraphFrame frame{100, 200, 300, 400};
    struct Case {
        int32_t levels[4];
        std::vector<LoudnessBand> bands;
    };
    const Case cases[] = {
        {{60, 80, 95, -99}, {LoudnessBand::Comfortable, LoudnessBand::Soft}},
        {{60, 80, 95, 110}, {LoudnessBand::Loud, LoudnessBand::Comfortable, LoudnessBand::Soft}},
        {{60, -99, 95, 110}, {LoudnessBand::Loud}},
    };
    for (const Case& c : cases) {
        std::vector<LoudnessBand> drawn;
        for (const BandArea& b : plotBands(frame, c.levels))
            drawn.push_back(b.band);
        EXPECT_EQ(drawn, c.bands) << c.levels[0] << " " << c.levels[3];
    }
    const int32_t levels[4] = {60, 80, 95, 110};
    // The soft band: inside the frame's width, from CSS down to one below VS.
    EXPECT_EQ(plotBands(frame, levels).back().area, (PixelRect{101, 300, 299, 341}));
}

TEST(PlotGeometry, ACurveIsDrawnFromTheFirstInputWhoseOutputReaches30) {
    const GraphFrame frame{0, 0, 1000, 1000};
    const std::vector<PixelSegment> segments = plotCurveSegments(frame, linearCurve(-15));
    ASSERT_EQ(segments.size(), 85u); // inputs 45 .. 129
    EXPECT_EQ(segments.front(), (PixelSegment{150, 1000, 160, 990}));

    CurveParams incomplete = linearCurve(10);
    incomplete.complete = 0;
    EXPECT_TRUE(plotCurveSegments(frame, incomplete).empty());
}

TEST(ReportHeader, PrintDataTakesTheRecordsLatin1TextsAndTheDate) {
    std::array<std::string, 12> months;
    for (int m = 0; m < 12; ++m)
        months[static_cast<std::size_t>(m)] = "M" + std::to_string(m + 1);
    EXPECT_EQ(formatPrintDate(2024, 6, 5, months), "M6 5, 2024");
    EXPECT_EQ(formatPrintDate(987, 12, 31, months), "M12 31, 0987");

    FittingRecord r{};
    writeText(r.lastName, "M\xFCller");
    const CurveParams curves[kCurveCount]{};
    PrintData d = makePrintData(r, "M\xC3\x9CLLER.TAV", Ear::Left, TargetState{}, curves, "today");
    EXPECT_EQ(d.lastName, "M\xC3\xBCller");
    setPlotLabels(d, {"Curve A", "500 Hz (user)", "HA-1", "Curve C", "3000 Hz (user)", "HA-2"},
                  kAidReport);
    EXPECT_EQ(reportDocumentName(d), "TAVIK report, left ear, HA-1\\HA-2");
}

TEST(ReportHeader, EveryPageIdentifiesThePatientAndTheFitting) {
    FittingRecord r{};
    writeText(r.patientId, "ID-\xE9");
    writeText(r.birthDate, "03/14/1941");
    writeText(r.testDate, "12/07/2026");
    writeText(r.clinician, "Dr. Lee");
    r.binauralFitting = 1;
    r.rightLevelSource = 2;
    r.leftLevelSource = 1;
    const CurveParams curves[kCurveCount]{};
    PrintData d = makePrintData(r, "A.TAV", Ear::Left, TargetState{}, curves, "today");
    d.aidLongNames = {"Clinic Aid One", "Clinic Aid Two"};
    IdentityTexts t = identityTexts(d, kUserReport);
    EXPECT_EQ(t.patientId, "Patient ID: ID-\xC3\xA9");
    EXPECT_EQ(t.birthDate, "Birth Date: 03/14/1941");
    EXPECT_EQ(t.testDate, "Test Date: 12/07/2026");
    EXPECT_EQ(t.clinician, "Clinician: Dr. Lee");
    EXPECT_EQ(t.fitting, "Fitting: Binaural (targets 5 dB lower)");
    EXPECT_EQ(t.levels, "Levels: predicted from threshold"); // the left ear's source
    EXPECT_EQ(t.aids, "");                                   // not the aid pair's report
    EXPECT_EQ(identityTexts(d, kAidReport).aids, "Aids: Clinic Aid One\\Clinic Aid Two");

    const struct {
        int32_t binaural;
        int32_t source;
        const char* fitting;
        const char* levels;
    } cases[] = {
        {0, 0, "Fitting: Monaural", "Levels: measured"},
        {2, 2, "Fitting: Monaural", "Levels: predicted from threshold and UCL"},
        {-1, 3, "Fitting: Monaural", "Levels: not recorded"},
        {1, -1, "Fitting: Binaural (targets 5 dB lower)", "Levels: not recorded"},
    };
    for (const auto& c : cases) {
        d.binauralFitting = c.binaural;
        d.levelSource = c.source;
        t = identityTexts(d, kFittedReport);
        EXPECT_EQ(t.fitting, c.fitting) << c.binaural;
        EXPECT_EQ(t.levels, c.levels) << c.source;
    }
}

TEST(ReportTables, NumbersArePaddedLikePrintfAndCutOrRoundedAsTheScreenDoes) {
    struct Case {
        double value;
        bool oneDecimal;
        int width;
        const char* text;
    };
    const Case cases[] = {
        {24.7f, false, 5, "   24"},  {-3.5f, false, 5, "   -3"},   {89.99f, false, 3, " 89"},
        {-0.9f, false, 5, "    0"},  {123456, false, 3, "123456"}, {2.25f, true, 5, "  2.3"},
        {-2.25f, true, 5, " -2.3"},  {-0.04f, true, 5, "  0.0"},   {1.15f, true, 5, "  1.1"},
        {123.25f, true, 5, "123.3"}, {1234.5f, true, 5, "1234.5"}, {0.05f, true, 5, "  0.1"},
    };
    for (const Case& c : cases) {
        const std::string text =
            c.oneDecimal ? paddedOneDecimal(c.value, c.width) : paddedInt(c.value, c.width);
        EXPECT_EQ(text, c.text) << c.value;
    }
}

TEST(ReportTables, InputOutputRowsCutEachCompleteCurvesOutput) {
    CurveParams right = linearCurve(0);
    right.complete = 0;
    const auto rows = inputOutputRows(linearCurve(-0.01f, 89.99f), right);
    EXPECT_EQ(rows[0].input + "|" + rows[0].left + "|" + rows[0].right, "50| 49|");
    EXPECT_EQ(rows[8].input + "|" + rows[8].left + "|" + rows[8].right, "90| 89|");
}

TEST(ReportTables, ParameterColumnsAndTheSlope) {
    CurveParams incomplete = linearCurve(0);
    incomplete.complete = 0;
    CurveParams failedRms = linearCurve(30);
    failedRms.rmsError = 121;
    CurveParams noGain60 = linearCurve(-100);
    struct Case {
        const char* what;
        CurveParams left;
        CurveParams right;
        int leftFrequency;
        int rightFrequency;
        const char* slope;
        bool slopeIsValue;
    };
    const Case cases[] = {
        {"500 to 3000 Hz", linearCurve(20), linearCurve(30), k500, k3000, "  3.9", true},
        {"one octave, exactly half", linearCurve(20), linearCurve(22.25f), k500, k1000, "  2.3",
         true},
        {"falls by less than 0.05", linearCurve(20), linearCurve(19.9f), k500, k3000, "  0.0",
         true},
        {"falling", linearCurve(30), linearCurve(20), k500, k1000, "-10.0", true},
        {"same frequency", linearCurve(20), linearCurve(30), k1000, k1000, "ERROR", false},
        {"right incomplete", linearCurve(20), incomplete, k500, k3000, "", false},
        {"gain at 60 of -100 counts as none", noGain60, linearCurve(20), k500, k3000, "", false},
        {"failed RMS", linearCurve(20), failedRms, k500, k3000, "  3.9", true},
    };
    for (const Case& c : cases) {
        const ParameterTableTexts t =
            parameterTable(c.left, c.right, c.leftFrequency, c.rightFrequency);
        EXPECT_EQ(t.slope, c.slope) << c.what;
        EXPECT_EQ(t.slopeIsValue, c.slopeIsValue) << c.what;
    }

    const ParameterTableTexts t = parameterTable(linearCurve(24.7f), failedRms, k500, k3000);
    const std::array<std::string, 8> left = {"   24", "   50", "  1.0", "   50",
                                             "  1.0", "  130", "   24", "  1.3"};
    EXPECT_EQ(t.left, left);
    EXPECT_EQ(t.right[7], "Error");
    EXPECT_EQ(t.right[6], "   30");

    const ParameterTableTexts none = parameterTable(noGain60, incomplete, k500, k3000);
    EXPECT_EQ(none.left[0] + "|" + none.left[6], " -100|");
    EXPECT_EQ(none.right, (std::array<std::string, 8>{}));
}

TEST(ReportTables, OctavesBetweenThePlotFrequencies) {
    EXPECT_NEAR(octaveDistance(500, 3000), 2.585f, 0.001f);
    EXPECT_EQ(octaveDistance(500, 1000), 1.0f); // so a slope of 2.25 is exactly half-way
    EXPECT_EQ(octaveDistance(1000, 1000), 0.0f);
}

} // namespace
