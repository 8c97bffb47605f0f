// The curve page against the real main window: loading an ear, fitting, typing a
// curve of one's own, the aid choice, switching ears, and keeping it all in the file.
#include "curves/curvepagetest.h"

#include "controls/datagrid.h"
#include "curves/curvegraphs.h"
#include "curves/curveload.h"
#include "curves/curvepage.h"
#include "model/patientfile.h"
#include "testsupport/programfixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusBar>

namespace {

TEST_F(CurvePageTest, OpensOnTheRightEarWithItsFrequenciesAndControls) {
    EXPECT_EQ(earShown(), " RIGHT EAR");
    EXPECT_EQ(find<QLabel>("LeftCurveUserPanel")->text(), "1000 Hz (user)");
    EXPECT_EQ(find<QLabel>("RightCurveUserPanel")->text(), "4000 Hz (user)");
    EXPECT_EQ(find<QLabel>("LeftCurveFreqTextLabel")->text(), "1000 Hz");
    EXPECT_EQ(find<QLabel>("RightCurveFreqTextLabel")->text(), "4000 Hz");
    EXPECT_EQ(find<QComboBox>("LeftSideHAidCombo")->count(), 6);
    EXPECT_EQ(find<QComboBox>("LeftSideHAidCombo")->itemText(5), "HA-6");
    EXPECT_EQ(cell(0, 6), " RMS Error");
    EXPECT_EQ(grid()->currentColumn(), 2);
    EXPECT_EQ(grid()->currentRow(), 0);
    EXPECT_NE(grid()->cellEditor(), nullptr) << "the grid has the focus with its editor open";

    click("ToggleEarButton");
    EXPECT_EQ(earShown(), " LEFT EAR");
    EXPECT_EQ(fmCurveEdit->shownEar(), Ear::Left);
    EXPECT_EQ(fmCurveEdit->shownTargets().graphFrequency[0], 1);
    EXPECT_EQ(find<QLabel>("LeftCurveUserPanel")->text(), "500 Hz (user)");
    leavePage();
    showCurvePage();
    EXPECT_EQ(earShown(), " RIGHT EAR") << "the page always opens on the right ear";
    EXPECT_EQ(fmCurveEdit->shownEar(), Ear::Right);
    EXPECT_EQ(fmCurveEdit->shownTargets().graphFrequency[1], k4000);
}

TEST_F(CurvePageTest, ChoosingACurveShapeFitsItScoresItAndCountsAsAChange) {
    choose("LeftSideCurveCombo", 2);
    EXPECT_EQ(column(1), (QStringList{"16", "32", "1.6", "32", "1.6", "100", "0.7"}));
    EXPECT_EQ(fmCurveEdit->curve(0).complete, 1);
    EXPECT_NEAR(fmCurveEdit->curve(0).rmsError, 0.675f, 0.001f);
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(modifiedPanel(), " Modified");

    choose("LeftSideCurveCombo", 0);
    EXPECT_EQ(column(1), QStringList(7, QString()));
    EXPECT_EQ(fmCurveEdit->curve(0).complete, 0);
}

TEST_F(CurvePageTest, AnOutputThresholdTypedWithEnterIsReadAtOnce) {
    typeColumn(2, {"20", "45", "2", "70", "3", "110"});
    type(2, 1, "65o");
    pressEnter();
    EXPECT_EQ(fmCurveEdit->curve(1).threshold1, 45.0f) << "65 dB output less the gain of 20";
    EXPECT_EQ(fmCurveEdit->curve(1).threshold1IsOutput, 1);
    EXPECT_EQ(grid()->currentRow(), 2) << "Enter moves to the next row";
    EXPECT_NE(cell(2, 6), "") << "the user curve is complete and scored";
    EXPECT_TRUE(document.modified);
    // The last row that takes a value reads the curve on Enter and stays.
    type(2, 5, "100");
    EXPECT_TRUE(fmCurveEdit->gridWasEdited());
    pressEnter();
    EXPECT_EQ(fmCurveEdit->curve(1).maxOutput, 100.0f);
    EXPECT_EQ(grid()->currentRow(), 5);
}

TEST_F(CurvePageTest, EachRowTakesOnlyItsOwnLetters) {
    const struct {
        int row;
        QString keys;
        QString kept;
    } cases[] = {
        {1, "x65", "65"},   {3, "x", "x"},       {4, "x", "x"},       {0, "-5a", "-5"},
        {2, "1.5o", "1.5"}, {5, "1 1 0", "110"}, {1, "6 5 o", "65o"},
    };
    for (const auto& c : cases) {
        type(2, c.row, c.keys);
        EXPECT_EQ(grid()->cellEditor()->text(), c.kept)
            << "row " << c.row << " " << c.keys.toStdString();
    }
}

TEST_F(CurvePageTest, OnlyTheUserColumnsAboveTheRmsRowCanBeSelected) {
    grid()->setFocus();
    grid()->setCurrentCell(3, 5);
    EXPECT_EQ(grid()->currentColumn(), 5);
    for (const auto& [row, column] : {std::pair{3, 1}, {3, 0}, {6, 5}, {2, 4}}) {
        grid()->setCurrentCell(row, column);
        EXPECT_EQ(grid()->currentColumn(), 5) << row << "," << column;
        EXPECT_EQ(grid()->currentRow(), 3) << row << "," << column;
    }
}

TEST_F(CurvePageTest, ArrowsAtTheTextsEdgeJumpBetweenTheTwoUserColumns) {
    type(2, 4, "");
    QTest::keyClick(grid()->cellEditor(), Qt::Key_Right);
    EXPECT_EQ(grid()->currentColumn(), 5);
    EXPECT_EQ(grid()->currentRow(), 4);
    QTest::keyClick(grid()->cellEditor(), Qt::Key_Right);
    EXPECT_EQ(grid()->currentColumn(), 5) << "nothing to the right of the last user column";
    QTest::keyClick(grid()->cellEditor(), Qt::Key_Left);
    EXPECT_EQ(grid()->currentColumn(), 2);
}

// The choice is stored in the patient file and decides the aid report: New or Exit
// must ask before it is dropped.
TEST_F(CurvePageTest, TheAidCombosMoveTogetherAndMarkAChange) {
    document.modified = false;
    choose("LeftSideHAidCombo", 3);
    EXPECT_EQ(find<QComboBox>("RightSideHAidCombo")->currentIndex(), 3);
    EXPECT_EQ(fitting.aidSettings[kRightEar][k1000].aidChoice, 3) << "the page was stored";
    EXPECT_EQ(fitting.aidSettings[kRightEar][k4000].aidChoice, 3);
    EXPECT_EQ(find<QComboBox>("LeftSideHAidCombo")->toolTip(), "HALongName4");
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(modifiedPanel(), " Modified");

    choose("RightSideHAidCombo", 1);
    EXPECT_EQ(find<QComboBox>("LeftSideHAidCombo")->currentIndex(), 1);
}

TEST_F(CurvePageTest, SwitchingEarsStoresTheEarLeftBehind) {
    choose("RightSideCurveCombo", 1);
    typeColumn(2, {"20", "45", "2", "x", "x", "110"});
    click("ToggleEarButton");
    const AidSetting& stored = fitting.aidSettings[kRightEar][k1000];
    EXPECT_EQ(stored.curve.gainAt50, 20.0f);
    EXPECT_EQ(stored.curve.threshold2, 45.0f);
    EXPECT_EQ(stored.curve.complete, 1);
    EXPECT_EQ(fitting.aidSettings[kRightEar][k4000].curveChoice, 1);
    EXPECT_EQ(column(2), QStringList(7, QString())) << "the left ear has no user curve yet";
    typeColumn(2, {"25"});

    click("ToggleEarButton");
    EXPECT_EQ(fitting.aidSettings[1][1].curve.gainAt50, 25.0f) << "the left ear at 500 Hz";
    EXPECT_EQ(fitting.aidSettings[kRightEar][1].curve.gainAt50, -99.0f);
    EXPECT_EQ(column(2).mid(0, 6), (QStringList{"20", "45", "2.0", "45", "2.0", "110"}));
    EXPECT_EQ(find<QComboBox>("RightSideCurveCombo")->currentText(), "Curve A");
}

TEST_F(CurvePageTest, UserCurvesComeBackUnchangedAfterVisitsSaveAndLoad) {
    // Threshold 2 typed as an output level must read as the same curve however often
    // the page shows it.
    typeColumn(2, {"20", "65o", "2", "80o", "3", "110"});
    typeColumn(5, {"10", "50", "1.5", "", "", "120"});
    leavePage();
    showCurvePage();
    const QStringList left = column(2).mid(0, 6);
    const QStringList right = column(5).mid(0, 6);
    EXPECT_EQ(left, (QStringList{"20", "65o", "2.0", "80o", "3.0", "110"}));
    EXPECT_EQ(right, (QStringList{"10", "50", "1.5", "50", "1.5", "120"}));
    for (int visit = 0; visit < 3; ++visit) {
        leavePage();
        showCurvePage();
        click("ToggleEarButton");
        click("ToggleEarButton");
    }
    EXPECT_EQ(column(2).mid(0, 6), left);
    EXPECT_EQ(fitting.aidSettings[kRightEar][k1000].curve.threshold2, 75.0f);

    const std::string path = files.file("CURVES.TAV");
    saveAs(path);
    trigger("New1");
    showCurvePage();
    EXPECT_EQ(column(2), QStringList(7, QString()));
    load(path);
    showCurvePage();
    EXPECT_EQ(column(2).mid(0, 6), left);
    EXPECT_EQ(column(5).mid(0, 6), right);
    EXPECT_EQ(fitting.aidSettings[kRightEar][k1000].curve.threshold2, 75.0f);
    EXPECT_FALSE(document.modified);
}

TEST_F(CurvePageTest, SaveWhileThePageIsShownStoresWhatItShows) {
    typeColumn(2, {"25", "50", "2", "", "", "115"});
    const std::string path = files.file("SHOWN.TAV");
    saveAs(path);
    FittingRecord saved{};
    LegacyImage legacy{};
    ASSERT_EQ(readPatientFile(path, saved, legacy, "01/01/2000"), PatientFileKind::Current);
    EXPECT_EQ(saved.aidSettings[kRightEar][k1000].curve.gainAt50, 25.0f);
    EXPECT_EQ(saved.aidSettings[kRightEar][k1000].curve.complete, 1);
}

TEST_F(CurvePageTest, ACompleteCurveWithoutTargetsShowsErrorAsItsScore) {
    // Nothing was measured at 4000 Hz: no soft target to score against.
    typeColumn(5, {"20", "45", "2", "", "", "110"});
    EXPECT_EQ(cell(5, 6), "Error");
    EXPECT_EQ(fmCurveEdit->curve(4).rmsError, 121.0f);
    // A curve made incomplete loses its score.
    type(5, 5, "");
    pressEnter();
    EXPECT_EQ(cell(5, 6), "");
}

TEST_F(CurvePageTest, ThePointerReadOutCoversThirtyToOneHundredThirty) {
    const struct {
        const char* box;
        const char* label;
        QPoint at;
        const char* text;
    } cases[] = {
        {"LeftCurveGraphBox", "IOLabel1", {0, 0}, "I: 30; O: 130"},
        {"LeftCurveGraphBox", "IOLabel1", {249, 249}, "I: 130; O: 30"},
        {"RightCurveGraphBox", "IOLabel2", {125, 125}, "I: 80; O: 80"},
    };
    EXPECT_EQ(find<QLabel>("IOLabel1")->text(), "") << "nothing read off yet";
    for (const auto& c : cases) {
        auto* box = find<QWidget>(c.box);
        QMouseEvent move(QEvent::MouseMove, QPointF(c.at), box->mapToGlobal(QPointF(c.at)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(box, &move);
        EXPECT_EQ(find<QLabel>(c.label)->text(), c.text) << c.box << " " << c.at.x();
    }
}

TEST_F(CurvePageTest, ThePrintButtonOffersThePairsTheControlsShow) {
    choose("LeftSideCurveCombo", 2);
    choose("RightSideCurveCombo", 4);
    type(2, 0, "25");
    QStringList captions;
    script.setNextModal([&captions](QDialog& dialog) {
        for (const char* box : {"LeftChoice1", "LeftChoice2", "LeftChoice3"})
            captions << dialog.findChild<QCheckBox*>(box)->text();
        return false;
    });
    click("PrintButton");
    EXPECT_EQ(captions,
              (QStringList{"Curve B\\Curve D", "1000 Hz (user)\\4000 Hz (user)", "HA-1\\HA-1"}));
    EXPECT_EQ(fmCurveEdit->curve(1).gainAt50, 25.0f) << "the grid is read before printing";
}

TEST_F(CurvePageTest, TheGraphPanelIsThePictureTavikCliDraws) {
    fitting.binauralFitting = 1;
    fitting.aidSettings[kRightEar][k1000].curveChoice = 3;
    fitting.aidSettings[kRightEar][k1000].curve =
        CurveParams{20, 45, 1, 2, 75, 1, 2, 110, 0, 0, {}};
    leavePage();
    fmClientInfo->loadPatientPage();
    showCurvePage();
    const QImage page =
        find<QWidget>("MainGraphicsPanel")->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QImage picture(page.size(), QImage::Format_RGB32);
    {
        QPainter painter(&picture);
        drawGraphPanel(painter, graphScene(loadEarCurves(fitting, aidDatabase, Ear::Right), fitting,
                                           Ear::Right));
    }
    EXPECT_EQ(page.size(), QSize(595, 294));
    EXPECT_TRUE(page == picture);
}

// Leaving a user cell names a value that is dropped; a gain or a ratio no hearing aid
// has keeps the clinician in the cell, its text as typed.
} // namespace
