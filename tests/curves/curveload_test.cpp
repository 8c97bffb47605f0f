#include "curves/curveload.h"

#include "model/aiddatabase.h"
#include "model/textslot.h"
#include "testsupport/workedear.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr int k1000 = 2, k4000 = 5;

std::vector<std::string> column(const CurveGrid& grid, int c) {
    return std::vector<std::string>(std::begin(grid.cell[c]), std::end(grid.cell[c]));
}

// The worked right ear of a BTE wearer; at 1000 Hz the user curve is stored and aid 3
// chosen.
FittingRecord workedRecord(int shape) {
    FittingRecord r = workedRightEar();
    r.rightAidStyle = 0;
    AidSetting& s = r.aidSettings[0][k1000];
    s.curveChoice = shape;
    s.aidChoice = 2;
    s.curve = CurveParams{20, 45, 1, 2, 75, 1, 2, 110, 0, 0, {}};
    return r;
}

AidDatabase workedDatabase() {
    AidDatabase db;
    defaultAidDatabase(db);
    db.aidData[2][k1000] = AidFrequencyData{10, 40, 0, 2, 60, 1, 3, 115};
    return db;
}

TEST(CurveLoad, FitsTheChosenShapeIntoColumn1AndScoresIt) {
    const struct {
        int shape;
        const char* combo;
        std::vector<std::string> column;
        float rms;
    } cases[] = {
        {0, "No Curve", {"", "", "", "", "", "", ""}, 0},
        // Output = input + 15 against the five targets: sqrt(149.65 / 5).
        {1, "Curve A", {"15", "32", "1.0", "32", "1.0", "100", "5.5"}, 5.4708319f},
        {2, "Curve B", {"16", "32", "1.6", "32", "1.6", "100", "0.7"}, 0.67523164f},
        {3, "Curve C", {"16", "43", "1.5", "43", "1.5", "100", "2.1"}, 2.0580468f},
        {4, "Curve D", {"17", "53", "1.4", "53", "1.4", "100", "3.5"}, 3.5456505f},
        {5, "Curve E", {"15", "65", "1.4", "65", "1.4", "100", "4.7"}, 4.7277079f},
    };
    for (const auto& c : cases) {
        const EarCurves page = loadEarCurves(workedRecord(c.shape), workedDatabase(), Ear::Right);
        EXPECT_EQ(page.controls[kLeftSideCurveCombo], c.combo);
        EXPECT_EQ(column(page.grid, 1), c.column) << c.combo;
        EXPECT_EQ(page.curves[0].complete, c.shape == 0 ? 0 : 1) << c.combo;
        EXPECT_FLOAT_EQ(page.curves[0].rmsError, c.rms) << c.combo;
    }
}

TEST(CurveLoad, ShowsTheStoredUserCurveAndTheChosenAid) {
    const EarCurves page = loadEarCurves(workedRecord(2), workedDatabase(), Ear::Right);
    EXPECT_EQ(page.controls, (std::array<std::string, 6>{"Curve B", "1000 Hz (user)", "HA-3",
                                                         "No Curve", "4000 Hz (user)", "HA-1"}));
    // Threshold 2, stored as input 75 with its output flag, is shown as the output
    // of the first segment there, 65 + (75 - 45) / 2 = 80, and reads back as 75.
    EXPECT_EQ(column(page.grid, 2)[3], "80o");
    EXPECT_EQ(page.curves[1].threshold2, 75.0f);
    // The aid's threshold 2, stored as input 60 typed as output, shows as 70o and is
    // read as the database page stores it, 70 less the gain: the aid's own curve.
    EXPECT_EQ(column(page.grid, 3),
              (std::vector<std::string>{"10", "40", "2.0", "70o", "3.0", "115", "8.5"}));
    EXPECT_EQ(page.curves[2].threshold2, 60.0f);
    EXPECT_EQ(page.curves[2].complete, 1);

    // Nothing at 4000 Hz: no fit, an empty user curve, the default aid. Incomplete
    // curves are not scored and keep the zeroed RMS error.
    for (int c = 4; c <= 6; ++c)
        EXPECT_EQ(column(page.grid, c), std::vector<std::string>(7, "")) << "column " << c;
    for (int i = 3; i < 6; ++i) {
        EXPECT_EQ(page.curves[i].complete, 0);
        EXPECT_EQ(page.curves[i].rmsError, 0.0f);
        EXPECT_EQ(page.curves[i].gainAt50, -99.0f);
    }
    EXPECT_EQ(page.fitPoints[1][0].target, 0.0f);
    EXPECT_EQ(page.fitPoints[1][0].input, 32.0f);
}

TEST(CurveLoad, ChoicesOutsideTheTablesMeanTheFirstEntry) {
    FittingRecord r = workedRecord(9);
    r.aidSettings[0][k1000].aidChoice = 6;
    r.aidSettings[0][k4000].curveChoice = -1;
    r.aidSettings[0][k4000].aidChoice = 2147483647;
    r.rightRangeHigh = 12; // 250 Hz
    AidDatabase db = workedDatabase();
    writeText(db.aidShortNames[0], "First");
    const EarCurves page = loadEarCurves(r, db, Ear::Right);
    EXPECT_EQ(page.controls, (std::array<std::string, 6>{"No Curve", "1000 Hz (user)", "First",
                                                         "No Curve", "250 Hz (user)", "First"}));
    EXPECT_EQ(page.targets.graphFrequency[1], 0);
    EXPECT_EQ(column(page.grid, 1), std::vector<std::string>(7, ""));
}

TEST(CurveLoad, TheLeftEarUsesItsOwnLevelsStyleAndSettings) {
    FittingRecord r = workedRecord(1);
    FittingRecord left;
    resetFitting(left, "01/01/2000");
    left.leftAidStyle = 3; // CIC
    left.leftRangeLow = k1000;
    left.leftRangeHigh = k4000;
    for (int c = 0; c < 8; ++c) {
        left.leftLoudness[k1000][c] = r.rightLoudness[k1000][c];
        left.leftLoudness[k4000][c] = r.rightLoudness[k1000][c] + 10;
    }
    left.aidSettings[1][k1000] = r.aidSettings[0][k1000];
    left.aidSettings[1][k1000].curveChoice = 4;
    left.aidSettings[1][k4000].curveChoice = 2;

    const EarCurves page = loadEarCurves(left, workedDatabase(), Ear::Left);
    EXPECT_EQ(page.controls[kLeftSideCurveCombo], "Curve D");
    EXPECT_EQ(page.controls[kRightSideCurveCombo], "Curve B");
    EXPECT_EQ(page.targets.bandLevels[0][3], 106); // CIC: UCL 100 + 6
    EXPECT_EQ(page.targets.bandLevels[1][3], 120); // UCL 110 + 10 at 4000 Hz
    EXPECT_EQ(page.fitPoints[0][2].input, 55.0f);  // CIC average input at 1000 Hz
    // Each graph's fit reaches up to its own corrected UCL.
    EXPECT_EQ(column(page.grid, 1),
              (std::vector<std::string>{"15", "55", "1.4", "55", "1.4", "106", "3.5"}));
    EXPECT_EQ(column(page.grid, 4),
              (std::vector<std::string>{"23", "38", "1.6", "38", "1.6", "120", "0.5"}));
}

} // namespace

TEST(CurveLoad, ACurveThatBecomesIncompleteLosesItsScore) {
    EarCurves page = loadEarCurves(workedRecord(2), workedDatabase(), Ear::Right);
    ASSERT_FALSE(page.grid.cell[2][kRowRmsError].empty());
    page.grid.cell[2][kRowMaxOutput].clear();
    readCurves(page.grid, page.curves);
    scoreCompleteCurves(page.grid, page.curves, page.fitPoints);
    EXPECT_EQ(page.curves[1].complete, 0);
    EXPECT_EQ(page.grid.cell[2][kRowRmsError], "");
    EXPECT_FALSE(page.grid.cell[1][kRowRmsError].empty()) << "complete curves keep theirs";
}
