// The loudness data page against the real main window.
#include "controls/datagrid.h"
#include "pages/loudnesspage.h"
#include "testsupport/programfixture.h"
#include "testsupport/recordingpaintdevice.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include <optional>

namespace {

constexpr int k250 = 0, k500 = 1, k1000 = 2, k2000 = 3;
constexpr int kThr = 0, kVs = 1, kCss = 3, kUcl = 7;

class LoudnessPageTest : public ProgramFixture {
  protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        click("SpeedButton3");
    }

    static DataGrid* rightGrid() { return find<DataGrid>("RightEarLOUDMAPDataGrid"); }
    static DataGrid* leftGrid() { return find<DataGrid>("LeftEarLOUDMAPDataGrid"); }

    // Puts the editor on a cell and types into it, as the clinician does.
    static void type(DataGrid* grid, int column, int row, const QString& keys,
                     bool clearFirst = true) {
        grid->setFocus();
        grid->setCurrentCell(row, column);
        settle();
        ASSERT_NE(grid->cellEditor(), nullptr);
        if (clearFirst)
            grid->cellEditor()->clear();
        QTest::keyClicks(grid->cellEditor(), keys);
    }

    // Shows the page again after the patient page changed the record.
    void reshow() {
        click("ClientInfoButton");
        click("SpeedButton3");
    }
    void storeByLeaving() { click("ClientInfoButton"); }
};

TEST_F(LoudnessPageTest, UnitSwitchRoundTripKeepsTheStoredLevels) {
    fitting.rightLoudness[k250][kThr] = 40;
    fmPage2->loadLoudnessPage();
    EXPECT_EQ(rightGrid()->cellText(kThr, k250), "25") << "40 dB SPL at 250 Hz is 25 dB HL";

    click("SelectdBSPL");
    EXPECT_EQ(rightGrid()->cellText(kThr, k250), "40");
    EXPECT_EQ(fitting.showInHL, 0);
    click("SelectdBHL");
    EXPECT_EQ(rightGrid()->cellText(kThr, k250), "25");
    EXPECT_EQ(fitting.rightLoudness[k250][kThr], 40);

    type(rightGrid(), kThr, k250, "25");
    type(rightGrid(), kVs, k500, "-5");
    storeByLeaving();
    EXPECT_EQ(fitting.rightLoudness[k250][kThr], 40);
    EXPECT_EQ(fitting.rightLoudness[k500][kVs], 1) << "-5 dB HL at 500 Hz is 1 dB SPL";
}

TEST_F(LoudnessPageTest, TypedValueSurvivesAUnitSwitch) {
    type(leftGrid(), kCss, k2000, "50");
    click("SelectdBSPL");
    EXPECT_EQ(leftGrid()->cellText(kCss, k2000), "53");
    EXPECT_EQ(fitting.leftLoudness[k2000][kCss], 53);
    EXPECT_EQ(find<QAction>("Undo1")->text(), "&Undo unit") << "the unit is kept in the file";
}

TEST_F(LoudnessPageTest, KeyFilterLetsOnlyDigitsMinusAndBackspaceThrough) {
    struct Case {
        const char* what;
        Qt::Key key;
        const char* textAfter;
        bool marks;
    };
    // Each case starts from the cell text "7" with the cursor at its end.
    const Case cases[] = {
        {"digit", Qt::Key_3, "73", true},
        {"minus", Qt::Key_Minus, "7-", true},
        {"backspace", Qt::Key_Backspace, "", true},
        {"letter", Qt::Key_A, "7", false},
        {"decimal point", Qt::Key_Period, "7", false},
        {"space", Qt::Key_Space, "7", false},
        {"plus", Qt::Key_Plus, "7", false},
    };
    for (const Case& c : cases) {
        type(rightGrid(), kThr, k500, "7");
        document.modified = false;
        // As from the windowing system: the key arrives not yet accepted, and a key
        // left unaccepted travels on towards the window.
        const QString text =
            QTest::keyToAscii(c.key) ? QString(QChar(QTest::keyToAscii(c.key))) : QString();
        QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier, text);
        press.ignore();
        QCoreApplication::sendEvent(rightGrid()->cellEditor(), &press);
        EXPECT_TRUE(press.isAccepted()) << c.what << ": dropped or typed, the key stops here";
        EXPECT_EQ(rightGrid()->cellEditor()->text(), c.textAfter) << c.what;
        EXPECT_EQ(document.modified, c.marks) << c.what;
        EXPECT_EQ(rightGrid()->currentRow(), k500) << c.what;
    }
}

TEST_F(LoudnessPageTest, PastedTextCountsAsAChangeAndOnlyNumbersGetIn) {
    type(rightGrid(), kThr, k500, "");
    document.modified = false;
    QApplication::clipboard()->setText(QStringLiteral("45"));
    QTest::keyClick(rightGrid()->cellEditor(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(rightGrid()->cellEditor()->text(), "45");
    EXPECT_TRUE(document.modified) << "a paste must not be lost without the question";

    QApplication::clipboard()->setText(QStringLiteral("4a"));
    QTest::keyClick(rightGrid()->cellEditor(), Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(rightGrid()->cellEditor()->text(), "45");
}

TEST_F(LoudnessPageTest, LevelSourceDecidesWhichCellsCanBeReached) {
    struct Case {
        int32_t source;
        int column;
        bool reachable;
    };
    const Case cases[] = {{0, kCss, true},  {0, kUcl, true}, {1, kThr, true},  {1, kVs, false},
                          {1, kUcl, false}, {2, kUcl, true}, {2, kCss, false}, {9, kCss, true}};
    for (const Case& c : cases) {
        fitting.rightLevelSource = c.source;
        rightGrid()->setCurrentCell(k250, kThr);
        const QRect cell = rightGrid()->visualRect(rightGrid()->model()->index(k1000, c.column));
        QTest::mouseClick(rightGrid()->viewport(), Qt::LeftButton, {}, cell.center());
        const bool moved = rightGrid()->currentColumn() == c.column;
        EXPECT_EQ(moved, c.reachable) << "source " << c.source << " column " << c.column;
        EXPECT_EQ(rightGrid()->currentRow(), c.reachable ? k1000 : k250);
    }

    // The keyboard obeys the same rule. Right at the end of a cell's text moves on,
    // unless the level source keeps the clinician in THR; rows are never restricted.
    fitting.rightLevelSource = 0;
    type(rightGrid(), kThr, k250, "5");
    QTest::keyClick(rightGrid()->cellEditor(), Qt::Key_Right);
    EXPECT_EQ(rightGrid()->currentColumn(), kVs);
    fitting.rightLevelSource = 1;
    type(rightGrid(), kThr, k250, "5");
    QTest::keyClick(rightGrid()->cellEditor(), Qt::Key_Right);
    EXPECT_EQ(rightGrid()->currentColumn(), kThr);
    QTest::keyClick(rightGrid()->cellEditor(), Qt::Key_Down);
    EXPECT_EQ(rightGrid()->currentRow(), k500);
    EXPECT_EQ(rightGrid()->cellText(kThr, k250), "5") << "moving on keeps what was typed";
}

TEST_F(LoudnessPageTest, PredictedCellsArePaintedGreyEnteredOnesWhite) {
    fitting.rightLevelSource = 2;
    fitting.leftLevelSource = 0;
    reshow();
    // The colour the grid fills a cell of the 2000 Hz row with, as it paints itself.
    const auto fillOf = [](DataGrid* grid, int column) -> std::optional<QColor> {
        RecordingPaintDevice device(grid->viewport()->size());
        grid->viewport()->render(&device);
        const QRectF cell = grid->visualRect(grid->model()->index(k2000, column));
        std::optional<QColor> fill;
        for (const PaintItem& item : device.itemsOfKind(PaintItem::Kind::Rect)) {
            if (item.rect == cell && item.brush.style() == Qt::SolidPattern)
                fill = item.brush.color();
        }
        return fill;
    };
    EXPECT_EQ(fillOf(rightGrid(), kThr), QColor(255, 255, 255));
    EXPECT_EQ(fillOf(rightGrid(), kCss), QColor(230, 230, 230));
    EXPECT_EQ(fillOf(rightGrid(), kUcl), QColor(255, 255, 255));
    EXPECT_EQ(fillOf(leftGrid(), kCss), QColor(255, 255, 255));
}

TEST_F(LoudnessPageTest, ShowingThePageDescribesEachEarsLevelSource) {
    fitting.rightLevelSource = 1;
    fitting.leftLevelSource = 2;
    reshow();
    auto* rightButton = find<QPushButton>("RightInterpolateButton");
    auto* leftButton = find<QPushButton>("LeftInterpolateButton");
    EXPECT_EQ(find<QLabel>("RightDataTypeLabel")->text(),
              "All values in gray are predicted using THR");
    EXPECT_EQ(find<QLabel>("LeftDataTypeLabel")->text(),
              "All values in gray are predicted from THR and UCL");
    EXPECT_TRUE(rightButton->isEnabled());
    EXPECT_EQ(rightButton->toolTip(), "Use threshold to compute remaining values");
    EXPECT_EQ(leftButton->toolTip(), "Use threshold and UCL to compute remaining values");
    EXPECT_EQ(rightGrid()->currentRow(), 0);
    EXPECT_EQ(rightGrid()->currentColumn(), 0);
    EXPECT_TRUE(rightGrid()->hasFocus() || rightGrid()->cellEditor()->hasFocus());

    fitting.rightLevelSource = 0;
    reshow();
    EXPECT_EQ(find<QLabel>("RightDataTypeLabel")->text(), "Data manually entered");
    EXPECT_FALSE(rightButton->isEnabled());
    EXPECT_EQ(rightButton->toolTip(), "Use threshold to compute remaining values")
        << "level source 0 leaves the hint as it was";
}

TEST_F(LoudnessPageTest, PredictionButtonUsesTheTypedThresholdAndLeavesTheOtherEar) {
    fitting.rightLevelSource = 1;
    reshow();
    fitting.leftLoudness[k1000][kVs] = 33;
    fmPage2->loadLoudnessPage();
    type(rightGrid(), kThr, k1000, "40");
    document.modified = false;
    click("RightInterpolateButton");

    const int32_t expected[8] = {40, 51, 63, 70, 77, 83, 89, 94};
    for (int c = 0; c < 8; ++c) {
        EXPECT_EQ(fitting.rightLoudness[k1000][c], expected[c]) << "category " << c;
        EXPECT_EQ(rightGrid()->cellText(c, k1000), QString::number(expected[c]));
    }
    EXPECT_EQ(fitting.rightLoudness[k500][kVs], kEmptyLevel) << "no threshold, no prediction";
    EXPECT_EQ(fitting.leftLoudness[k1000][kVs], 33);
    EXPECT_TRUE(document.modified);

    // The same stored results whatever the unit shown.
    click("SelectdBSPL");
    click("RightInterpolateButton");
    EXPECT_EQ(fitting.rightLoudness[k1000][kVs], 51);
}

TEST_F(LoudnessPageTest, FrequencySelectorsMarkTheChangeAndStoreAtOnce) {
    auto* combo = find<QComboBox>("LeftEarRightFreqComboBox");
    EXPECT_EQ(combo->currentText(), "3 KHz");
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(fitting.leftRangeHigh, 5);
}

} // namespace
