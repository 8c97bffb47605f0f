// The Overview page through the real window: its place among the pages, drawing what
// the other pages left in the record, changing nothing, the ear switch, one or both
// ears by width, the keyboard and its help topic.
#include "app/helprequests.h"
#include "app/helpviewer.h"
#include "model/patientfile.h"
#include "overview/overviewchartview.h"
#include "overview/overviewpage.h"
#include "overview/overviewpatient.h"
#include "testsupport/programfixture.h"

#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>

#include <cstring>

namespace {

class OverviewPageTest : public ProgramFixture {
  protected:
    // The overview test patient, loaded as the clinician loads a file, with the
    // database whose second aid has a curve at 4000 Hz.
    void loadPatient() {
        aidDatabase = overviewDatabase();
        const std::string path = startDir.file("OVERVIEW.TAV");
        writePatientFile(path, overviewPatient());
        script.setNextFileName(QString::fromStdString(path));
        click("LoadFileSpeedButton");
    }

    static QWidget* chart(const char* name) { return find<QWidget>(name); }
    static QString description(const char* name) { return chart(name)->accessibleDescription(); }
    static QString focusName() { return QApplication::focusWidget()->objectName(); }
};

TEST_F(OverviewPageTest, IsTheSixthPageOnTheToolBarAndInTheItemsMenu) {
    QStringList buttons;
    auto* bar = find<QToolBar>("ToolBar1");
    for (QAction* place : bar->actions())
        buttons << bar->widgetForAction(place)->objectName();
    EXPECT_EQ(buttons,
              QStringList({"NewFileSpeedButton", "LoadFileSpeedButton", "SaveFileSpeedButton",
                           "SpeedButton1", "ClientInfoButton", "SpeedButton3", "SpeedButton4",
                           "EditCurveButton", "SpeedButton6", "OverviewButton"}));
    QStringList items;
    for (QAction* item : fmWinMain->menuBar()->actions().at(2)->menu()->actions())
        items << item->objectName();
    EXPECT_EQ(items, QStringList({"PatientInformation1", "LOUDMAPData1", "HearingAidDatabase1",
                                  "IOCurves1", "Configuration1", "Overview1"}));

    auto* button = find<QToolButton>("OverviewButton");
    EXPECT_TRUE(button->isVisible());
    EXPECT_FALSE(button->icon().isNull());
    EXPECT_EQ(button->toolTip(), "Overview: loudness and gain of both ears");
    EXPECT_EQ(find<QAction>("Overview1")->text(), "&Overview");
    // The menu item's key shows the page from wherever the focus is, and pushes its button.
    QTest::keyClick(find<QWidget>("EditLastName"), Qt::Key_O,
                    Qt::ControlModifier | Qt::ShiftModifier);
    settle();
    EXPECT_TRUE(find<QWidget>("fmOverview")->isVisible());
    EXPECT_FALSE(fmClientInfo->isVisible());
    EXPECT_TRUE(button->isChecked());
}

// A threshold typed on the loudness page is in the map the next time the page is shown.
TEST_F(OverviewPageTest, ShowsALevelChangedOnTheLoudnessPage) {
    loadPatient();
    click("OverviewButton");
    EXPECT_TRUE(description("ShownLoudnessMap")
                    .startsWith("Right ear: threshold 40 to 65 dB HL, UCL 95 to 115 dB HL"))
        << description("ShownLoudnessMap").toStdString();

    const struct {
        const char* grid;
        int frequency;
        const char* typed;
        const char* chartName;
        const char* expected;
    } cases[] = {
        // 4 kHz: the top of the right ear's range rises from 65 to 70.
        {"RightEarLOUDMAPDataGrid", 5, "70", "ShownLoudnessMap", "Right ear: threshold 40 to 70"},
        // 250 Hz of the left ear: the bottom of its range falls from 30 to 5.
        {"LeftEarLOUDMAPDataGrid", 0, "5", "OtherLoudnessMap", "Left ear: threshold 5 to 50"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.grid);
        click("SpeedButton3");
        typeInCell(find<DataGrid>(c.grid), 0, c.frequency, c.typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        click("OverviewButton");
        EXPECT_TRUE(description(c.chartName).startsWith(c.expected))
            << description(c.chartName).toStdString();
    }
}

// Showing the page, switching ears, tabbing through the charts and leaving changes
// nothing: no modified mark, no notification, the record as it was.
TEST_F(OverviewPageTest, LookingChangesNothing) {
    loadPatient();
    FittingRecord before;
    std::memcpy(&before, &fitting, sizeof fitting);
    click("OverviewButton");
    click("OverviewEarButton");
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    fmWinMain->resize(700, 500);
    settle();
    click("SpeedButton3");
    click("OverviewButton");
    click("ClientInfoButton");
    EXPECT_EQ(std::memcmp(&before, &fitting, sizeof fitting), 0);
    EXPECT_FALSE(document.modified);
    EXPECT_EQ(modifiedPanel(), "");
    EXPECT_EQ(notifications.count, 0);
}

// The ear switch puts the other ear first; the names say which chart of which ear.
TEST_F(OverviewPageTest, TheEarSwitchShowsTheOtherEarFirst) {
    loadPatient();
    click("OverviewButton");
    const struct {
        const char* map;
        const char* gain;
        const char* otherMap;
        const char* label;
    } afterSwitches[] = {
        {"Loudness map, right ear", "Gain, right ear", "Loudness map, left ear", " RIGHT EAR"},
        {"Loudness map, left ear", "Gain, left ear", "Loudness map, right ear", " LEFT EAR"},
        {"Loudness map, right ear", "Gain, right ear", "Loudness map, left ear", " RIGHT EAR"},
    };
    for (const auto& c : afterSwitches) {
        EXPECT_EQ(chart("ShownLoudnessMap")->accessibleName(), c.map);
        EXPECT_EQ(chart("ShownGainChart")->accessibleName(), c.gain);
        EXPECT_EQ(chart("OtherLoudnessMap")->accessibleName(), c.otherMap);
        EXPECT_EQ(find<QLabel>("ShownEarLabel")->text(), c.label);
        // Space on the switch, as a keyboard user reaches it with Tab.
        auto* earButton = find<QWidget>("OverviewEarButton");
        earButton->setFocus(Qt::TabFocusReason);
        QTest::keyClick(earButton, Qt::Key_Space);
        settle();
    }
    // Shown again, the page opens on the right ear.
    click("ClientInfoButton");
    click("OverviewButton");
    EXPECT_EQ(chart("ShownGainChart")->accessibleName(), "Gain, right ear");
    EXPECT_TRUE(description("ShownGainChart").startsWith("Gain, right ear: targets at"));
}

// Tab goes round the charts shown and the switch, once round the window from the
// shown ear's map; the other ear's charts, not shown in the narrow window, are skipped.
TEST_F(OverviewPageTest, TabReachesEveryChartShown) {
    click("OverviewButton");
    QWidget* page = find<QWidget>("fmOverview");
    QStringList order;
    for (int key = 0; key < 40 && (key == 0 || focusName() != "ShownLoudnessMap"); ++key) {
        QWidget* focus = QApplication::focusWidget();
        if (page->isAncestorOf(focus))
            order << focusName();
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    EXPECT_EQ(order, QStringList({"ShownLoudnessMap", "ShownGainChart", "OverviewEarButton"}));
}

// Both ears from 1100 pixels across, one below; every chart within the page.
TEST_F(OverviewPageTest, ShowsBothEarsOnlyWhereTheyFit) {
    const struct {
        QSize size;
        bool bothEars;
        QRect shownMap, shownGain, otherGain;
    } cases[] = {
        {{760, 420}, false, {8, 52, 368, 360}, {384, 52, 368, 360}, {}},
        {{1099, 700}, false, {8, 52, 537, 640}, {554, 52, 537, 640}, {}},
        {{1100, 700}, true, {8, 52, 538, 316}, {8, 376, 538, 316}, {554, 376, 538, 316}},
        {{1280, 900}, true, {8, 52, 628, 416}, {8, 476, 628, 416}, {644, 476, 628, 416}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size.width());
        TfmOverview page(nullptr);
        page.resize(c.size);
        page.show();
        settle();
        auto* other = page.findChild<QWidget*>("OtherGainChart");
        EXPECT_EQ(other->isVisible(), c.bothEars);
        EXPECT_EQ(page.findChild<QWidget*>("OtherEarLabel")->isVisible(), c.bothEars);
        EXPECT_EQ(page.findChild<QWidget*>("ShownLoudnessMap")->geometry(), c.shownMap);
        EXPECT_EQ(page.findChild<QWidget*>("ShownGainChart")->geometry(), c.shownGain);
        if (c.bothEars) {
            EXPECT_EQ(other->geometry(), c.otherGain);
        }
    }
}

TEST_F(OverviewPageTest, F1OpensTheOverviewTopic) {
    setApplicationHelpFile(QFileInfo(QStringLiteral(TAVIK_PROGRAM_PATH)).absolutePath() +
                           "/TAVIK.HLP");
    click("OverviewButton");
    QTest::keyClick(chart("ShownGainChart"), Qt::Key_F1);
    ASSERT_NE(helpViewer(), nullptr);
    EXPECT_EQ(helpViewer()->currentTopic(), "1051");
    const QString shown = helpViewer()->findChild<QTextBrowser*>("HelpBrowser")->toPlainText();
    EXPECT_TRUE(shown.contains("How to read the loudness map"));
}

} // namespace
