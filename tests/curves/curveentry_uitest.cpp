// The curve page's entry against the real main window: what leaving a user cell says,
// what is refused, which column is kept, and why a cell takes no keys.
#include "curves/curvepagetest.h"

#include <QStatusBar>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

TEST_F(CurvePageTest, LeavingAUserCellRefusesWhatNoAidHasOrIsNoNumber) {
    const struct {
        int column;
        int row;
        const char* keys;
        const char* note;
        int rowAfter;
    } cases[] = {
        {5, 1, "29.5",
         "Right graph, 4000 Hz (user), Comp. Threshold 1: 29.5 dB is outside the scale: type "
         "a level from 30 to 130 dB.",
         1},
        {2, 3, "150o",
         "Left graph, 1000 Hz (user), Comp. Threshold 2: 150 dB is outside the scale: type a "
         "level from 30 to 130 dB.",
         3},
        {2, 5, "130.5",
         "Left graph, 1000 Hz (user), Maximum Output: 130.5 dB is outside the scale: type a "
         "level from 30 to 130 dB.",
         5},
        {5, 4, "2..5",
         "Right graph, 4000 Hz (user), Comp. Ratio 2: \"2..5\" is no number: correct it or "
         "empty the cell.",
         4},
        {2, 0, "-13.0.",
         "Left graph, 1000 Hz (user), Gain at 50 dB: \"-13.0.\" is no number: correct it or "
         "empty the cell.",
         0},
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
        {5, 1, "30", "", 2},
        {2, 3, "x", "", 4},
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

// A value no aid has, a level off the scale or a text that is no number, typed over a
// stored value and not corrected: every way that would store the page, choose an aid
// or print keeps the clinician in the cell, and the record, the file and the aid stay
// as they were. The curve reads the stored value.
TEST_F(CurvePageTest, ARefusedValueIsNeverStoredAndKeepsTheStoredOne) {
    leavePage();
    AidSetting(&right)[kFrequencyCount] = fitting.aidSettings[kRightEar];
    right[k1000].curve = CurveParams{12, 40, 0, 1.5f, 60, 0, 2.5f, 105, 0, 0, {}};
    right[k4000].curve = CurveParams{30, 50, 0, 2, 70, 0, 3, 115, 0, 0, {}};
    right[k1000].aidChoice = 2;
    right[k4000].aidChoice = 2;
    showCurvePage();
    type(5, 0, "139.5");
    choose("RightSideCurveCombo", 1); // a click on the list: the cell is left unasked
    EXPECT_EQ(fmCurveEdit->curve(4).gainAt50, 30.0f) << "the stored gain, not missing";
    EXPECT_EQ(fmCurveEdit->curve(1).gainAt50, 12.0f);
    type(5, 0, "30");
    pressEnter();

    const struct {
        int column;
        int row;
        const char* keys;
        const char* note;
    } refused[] = {
        {5, 0, "139.5", "Right graph, 4000 Hz (user), Gain at 50 dB: 139.5 dB is a gain no"},
        {5, 1, "25", "Right graph, 4000 Hz (user), Comp. Threshold 1: 25 dB is outside"},
        {2, 5, "135", "Left graph, 1000 Hz (user), Maximum Output: 135 dB is outside"},
        {2, 0, "-13.0.", "Left graph, 1000 Hz (user), Gain at 50 dB: \"-13.0.\" is no number"},
        {5, 2, "2..5", "Right graph, 4000 Hz (user), Comp. Ratio 1: \"2..5\" is no number"},
    };
    const struct {
        const char* way;
        std::function<void()> act;
        std::size_t errors = 0; // Save says it in a message box too
    } ways[] = {
        {"Save", [] { trigger("Save1"); }, 1},   {"an aid", [] { choose("LeftSideHAidCombo", 4); }},
        {"print", [] { click("PrintButton"); }}, {"Switch ears", [] { click("ToggleEarButton"); }},
        {"another page", [] { leavePage(); }},   {"New", [] { trigger("New1"); }},
    };
    const std::string saved = files.file("REFUSED.TAV");
    document.currentFilePath = saved;
    for (const auto& r : refused) {
        const QString stored = cell(r.column, r.row);
        for (const auto& c : ways) {
            SCOPED_TRACE(testing::Message() << r.keys << " " << c.way);
            const FittingRecord before = fitting;
            script.clear();
            type(r.column, r.row, r.keys);
            c.act();
            EXPECT_TRUE(fmWinMain->statusBar()->currentMessage().startsWith(r.note));
            EXPECT_EQ(std::memcmp(&before, &fitting, sizeof fitting), 0)
                << "the record is untouched";
            EXPECT_FALSE(std::filesystem::exists(saved));
            EXPECT_TRUE(fmCurveEdit->isVisible());
            EXPECT_EQ(earShown(), " RIGHT EAR");
            EXPECT_EQ(std::pair(grid()->currentColumn(), grid()->currentRow()),
                      std::pair(r.column, r.row));
            ASSERT_NE(grid()->cellEditor(), nullptr);
            EXPECT_EQ(grid()->cellEditor()->text(), r.keys);
            EXPECT_EQ(find<QComboBox>("LeftSideHAidCombo")->currentIndex(), 2);
            EXPECT_EQ(find<QComboBox>("RightSideHAidCombo")->currentIndex(), 2);
            EXPECT_EQ(script.shownOf(Kind::Error).size(), c.errors);
            EXPECT_TRUE(script.shownOf(Kind::Modal).empty()) << "nothing printed";
        }
        type(r.column, r.row, stored); // mended
        pressEnter();
    }

    // Corrected, the gain is saved; refused again and closed without saving, the
    // record keeps the gain last stored.
    type(5, 0, "25");
    trigger("Save1");
    EXPECT_EQ(fitting.aidSettings[kRightEar][k4000].curve.gainAt50, 25.0f);
    EXPECT_EQ(fitting.aidSettings[kRightEar][k1000].curve.gainAt50, 12.0f);
    EXPECT_TRUE(std::filesystem::exists(saved));
    type(5, 0, "-20.5");
    choose("RightSideCurveCombo", 2);
    script.setNextAnswer(DialogAnswer::No);
    EXPECT_TRUE(closeProgram());
    EXPECT_EQ(fitting.aidSettings[kRightEar][k4000].curve.gainAt50, 25.0f);
}

// A threshold 2 typed as an output level while ratio 1 is empty has nothing to lie
// on: it is named before the page stores it, however the page is left, and stored as
// missing; the stages are never exchanged into a curve nobody typed.
TEST_F(CurvePageTest, AnOutputThreshold2WithoutRatio1IsNamedAndStoredMissing) {
    const struct {
        const char* way;
        std::function<void()> act;
    } cases[] = {
        {"Switch ears", [] { click("ToggleEarButton"); }},
        {"an aid", [] { choose("RightSideHAidCombo", 3); }},
        {"Save", [] { trigger("Save1"); }},
        {"another page", [] { leavePage(); }},
    };
    document.currentFilePath = files.file("UNPLACED.TAV");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.way);
        leavePage();
        AidSetting(&right)[kFrequencyCount] = fitting.aidSettings[kRightEar];
        right[k4000].curve = CurveParams{17, 73, 0, kEmptyValue, 90, 0, 1.2f, 110, 121, 0, {}};
        showCurvePage();
        type(5, 3, "71o");
        fmWinMain->statusBar()->clearMessage();
        c.act();
        EXPECT_EQ(fmWinMain->statusBar()->currentMessage(),
                  "Right graph, 4000 Hz (user), Comp. Threshold 2: an output level needs Comp. "
                  "Ratio 1.");
        const CurveParams& curve = right[k4000].curve;
        EXPECT_EQ(curve.threshold1, 73.0f);
        EXPECT_EQ(curve.threshold2, kEmptyValue);
        EXPECT_EQ(curve.threshold2IsOutput, 1);
        EXPECT_EQ(curve.ratio1, kEmptyValue);
        EXPECT_EQ(curve.ratio2, 1.2f);
        EXPECT_EQ(curve.complete, 0);
        showCurvePage();
    }
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
