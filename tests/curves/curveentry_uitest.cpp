// The curve page's entry against the real main window: what leaving a user cell says,
// what is refused, which column is kept, and why a cell takes no keys.
#include "curves/curvepagetest.h"

#include <QStatusBar>

#include <string>
#include <vector>

namespace {

TEST_F(CurvePageTest, LeavingAUserCellNamesWhatIsDroppedAndRefusesWhatNoAidHas) {
    const struct {
        int column;
        int row;
        const char* keys;
        const char* note;
        int rowAfter;
    } cases[] = {
        {5, 1, "20",
         "Right graph, 4000 Hz (user), Comp. Threshold 1: 20 is outside 30 to 130 dB "
         "and is not used.",
         2},
        {2, 3, "150o",
         "Left graph, 1000 Hz (user), Comp. Threshold 2: 150 is outside 30 to "
         "130 dB and is not used.",
         4},
        {5, 4, "2..5",
         "Right graph, 4000 Hz (user), Comp. Ratio 2: \"2..5\" is no number and is "
         "not used.",
         5},
        {2, 2, "0",
         "Left graph, 1000 Hz (user), Comp. Ratio 1: 0 is a ratio no hearing aid has: "
         "type one from 0.1 to 20.",
         2},
        {5, 2, "20.5",
         "Right graph, 4000 Hz (user), Comp. Ratio 1: 20.5 is a ratio no hearing "
         "aid has: type one from 0.1 to 20.",
         2},
        {5, 0, "90.5",
         "Right graph, 4000 Hz (user), Gain at 50 dB: 90.5 dB is a gain no hearing "
         "aid has: type one from -20 to 90 dB.",
         0},
        {2, 0, "-20", "", 1},
        {2, 1, "130o", "", 2},
        {5, 2, "0.1", "", 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.column << "," << c.row << " " << c.keys);
        fmWinMain->statusBar()->clearMessage();
        type(c.column, c.row, c.keys);
        pressEnter();
        EXPECT_EQ(fmWinMain->statusBar()->currentMessage(), c.note);
        EXPECT_EQ(grid()->currentRow(), c.rowAfter);
        EXPECT_EQ(grid()->currentColumn(), c.column);
        if (c.rowAfter == c.row) {
            EXPECT_EQ(grid()->cellEditor()->text(), c.keys);
            // Cleared, the cell may be left for the next case.
            grid()->cellEditor()->selectAll();
            QTest::keyClick(grid()->cellEditor(), Qt::Key_Backspace);
        }
    }
}

// A refused value that the clinician clicks away from is never drawn or stored, and
// keeps the page and the ear until it is corrected.
TEST_F(CurvePageTest, ARefusedValueIsNeverStoredAndKeepsThePage) {
    typeColumn(5, {"20", "45", "2", "", "", "110"});
    type(5, 2, "25");
    choose("RightSideCurveCombo", 1); // a click on the list: the cell is left unasked
    EXPECT_EQ(fmCurveEdit->curve(4).ratio1, kEmptyValue);
    click("ToggleEarButton");
    EXPECT_EQ(earShown(), " RIGHT EAR");
    leavePage();
    EXPECT_TRUE(fmCurveEdit->isVisible());
    EXPECT_TRUE(fmWinMain->statusBar()->currentMessage().contains("25 is a ratio"));
    EXPECT_EQ(fitting.aidSettings[kRightEar][k4000].curve.ratio1, kEmptyValue);

    type(5, 2, "2.5");
    leavePage();
    EXPECT_FALSE(fmCurveEdit->isVisible());
    EXPECT_EQ(fitting.aidSettings[kRightEar][k4000].curve.ratio1, 2.5f);
}

// With both graphs at 1000 Hz they share one stored curve: the column typed into last
// is the one kept; unedited, the stored curve stays.
TEST_F(CurvePageTest, BothGraphsAtOneFrequencyKeepTheColumnEditedLast) {
    const struct {
        std::vector<int> typedInto;
        float gain;
    } cases[] = {{{5, 2}, 12.0f}, {{2, 5}, 35.0f}, {{2}, 12.0f}, {{5}, 35.0f}, {{}, 7.0f}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typedInto.size());
        leavePage();
        fitting.rightRangeHigh = k1000;
        fitting.aidSettings[kRightEar][k1000].curve.gainAt50 = 7.0f;
        showCurvePage();
        for (const int column : c.typedInto)
            typeColumn(column, {column == 2 ? "12" : "35"});
        leavePage();
        EXPECT_EQ(fitting.aidSettings[kRightEar][k1000].curve.gainAt50, c.gain);
        showCurvePage();
    }
}

// A click on a cell that takes no value says why in the status bar.
TEST_F(CurvePageTest, AClickOnACellThatTakesNoValueSaysWhy) {
    choose("LeftSideCurveCombo", 2);
    choose("RightSideHAidCombo", 2);
    const struct {
        int column;
        int row;
        const char* note;
    } cases[] = {
        {1, 0,
         "Curve B's values are fitted to the targets; type your own curve in the "
         "\"1000 Hz (user)\" column."},
        {4, 3,
         "A fitted curve's values are fitted to the targets; type your own curve in the "
         "\"4000 Hz (user)\" column."},
        {6, 5,
         "HA-3's values come from the hearing aid database; type your own curve in the "
         "\"4000 Hz (user)\" column."},
        {0, 2,
         "The row names cannot be typed into; type your own curve in the \"1000 Hz "
         "(user)\" column."},
        {5, 6, "The RMS error is worked out from the curve and the targets."},
    };
    for (const auto& c : cases) {
        fmWinMain->statusBar()->clearMessage();
        const QRect cellRect = grid()->visualRect(grid()->model()->index(c.row, c.column));
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, cellRect.center());
        EXPECT_EQ(fmWinMain->statusBar()->currentMessage(), c.note) << c.column << "," << c.row;
    }
}

} // namespace
