// The main window: start, page switching, the modified notification, size and About.
#include "app/aboutscreen.h"
#include "controls/datagrid.h"
#include "model/textslot.h"
#include "testsupport/programfixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include <filesystem>

namespace {

using MainWindowTest = ProgramFixture;

// Panel 0 takes up to 700 pixels, panel 1 its 98, side by side inside the status bar.
void expectStatusPanelsFit() {
    const QRect first = fmWinMain->findChild<QLabel*>("StatusPanel0")->geometry();
    const QRect second = fmWinMain->findChild<QLabel*>("StatusPanel1")->geometry();
    EXPECT_EQ(second.width(), 98);
    EXPECT_LE(first.width(), 700);
    EXPECT_LT(first.right(), second.left()) << "the first panel is not covered";
    EXPECT_LE(second.right(), fmWinMain->statusBar()->contentsRect().right());
}

TEST_F(MainWindowTest, StartsUntitledOnThePatientPageWithTheToolBarAndMenu) {
    EXPECT_EQ(title(), "TAVIK 1.0a");
    EXPECT_TRUE(fmClientInfo->isVisible());
    EXPECT_TRUE(find<QToolButton>("ClientInfoButton")->isChecked());
    EXPECT_EQ(fmWinMain->statusText(0), "");
    EXPECT_EQ(modifiedPanel(), "");
    EXPECT_FALSE(document.modified);
    EXPECT_EQ(fitting.showInHL, 1) << "the record holds the New defaults";
    EXPECT_EQ(document.dataPath, document.startDir) << "no settings file: the start-up folder";

    EXPECT_FALSE(find<QToolButton>("SpeedButton6")->isVisible());
    EXPECT_FALSE(find<QAction>("Configuration1")->isVisible());
    EXPECT_EQ(find<QToolButton>("SpeedButton3")->toolTip(), "Loudmap Data");
    EXPECT_EQ(find<QAction>("Exit1")->shortcut(), QKeySequence(Qt::ALT | Qt::Key_X));
    EXPECT_EQ(find<QAction>("SaveAs1")->text(), "Save &As..");
    expectStatusPanelsFit();
    EXPECT_FALSE(find<QStatusBar>("StatusBar1")->isSizeGripEnabled());
}

TEST_F(MainWindowTest, SwitchingPagesStoresThePageLeftBeforeTheNextLoads) {
    fmClientInfo->findChild<QLineEdit*>("EditLastName")->setText("Jones");
    QTest::mouseClick(fmClientInfo->findChild<QAbstractButton*>("LLRightEar2"), Qt::LeftButton);
    click("SpeedButton3");

    EXPECT_FALSE(fmClientInfo->isVisible());
    EXPECT_TRUE(fmPage2->isVisible());
    EXPECT_EQ(readText(fitting.lastName), "Jones");
    EXPECT_TRUE(find<QAbstractButton>("RightInterpolateButton")->isEnabled())
        << "the loudness page loaded after the patient page stored level source 1";

    auto* grid = find<DataGrid>("RightEarLOUDMAPDataGrid");
    grid->setCellText(0, 2, "30");
    trigger("PatientInformation1");
    EXPECT_TRUE(find<QToolButton>("ClientInfoButton")->isChecked());
    EXPECT_EQ(fitting.rightLoudness[2][0], 30);

    trigger("LOUDMAPData1");
    EXPECT_TRUE(find<QToolButton>("SpeedButton3")->isChecked())
        << "a menu choice pushes its button";
    trigger("HearingAidDatabase1");
    EXPECT_TRUE(fmPage3->isVisible());
    trigger("IOCurves1");
    EXPECT_TRUE(fmCurveEdit->isVisible());
    EXPECT_FALSE(fmPage3->isVisible());
    trigger("Configuration1");
    EXPECT_TRUE(fmPage5->isVisible());
}

TEST_F(MainWindowTest, ClickingTheButtonOfTheShownPageNeitherStoresNorReloads) {
    click("SpeedButton3");
    auto* grid = find<DataGrid>("RightEarLOUDMAPDataGrid");
    grid->setCellText(3, 4, "77");
    fitting.rightLoudness[4][3] = 50;
    click("SpeedButton3");
    EXPECT_EQ(grid->cellText(3, 4), "77");
    EXPECT_EQ(fitting.rightLoudness[4][3], 50);
}

TEST_F(MainWindowTest, FirstChangePostsOneNotificationThatShowsModified) {
    auto* lastName = find<QLineEdit>("EditLastName");
    QTest::keyClicks(lastName, "Abc");
    EXPECT_EQ(modifiedPanel(), "") << "the notification is posted, not sent";
    settle();
    EXPECT_EQ(notifications.count, 1);
    EXPECT_EQ(modifiedPanel(), " Modified");

    markModified();
    settle();
    EXPECT_EQ(notifications.count, 1);

    const std::string saved = startDir.file("a.TAV");
    script.setNextFileName(QString::fromStdString(saved));
    click("SaveFileSpeedButton");
    EXPECT_EQ(modifiedPanel(), "");
    QTest::keyClick(lastName, Qt::Key_D);
    settle();
    EXPECT_EQ(notifications.count, 2);
    EXPECT_EQ(modifiedPanel(), " Modified");
}

TEST_F(MainWindowTest, RestoredWindowKeepsItsSizeWhileMaximisingStillWorks) {
    fmWinMain->showNormal();
    settle();
    EXPECT_EQ(fmWinMain->frameGeometry().size(), TfmWinMain::kRestoredSize);
    expectStatusPanelsFit();
    fmWinMain->resize(1000, 700);
    settle();
    EXPECT_EQ(fmWinMain->frameGeometry().size(), TfmWinMain::kRestoredSize);

    // Only a minimum size holds the restored window: a maximum size would stop the
    // window manager from maximising it again.
    EXPECT_EQ(fmWinMain->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
    EXPECT_TRUE(fmWinMain->windowFlags() & Qt::WindowMaximizeButtonHint);

    fmWinMain->showMaximized();
    settle();
    EXPECT_TRUE(fmWinMain->isMaximized());
    EXPECT_EQ(fmWinMain->minimumSize(), QSize(0, 0)) << "no size limits while maximised";
}

TEST_F(MainWindowTest, AboutOpensCentredOverTheWindowAndClosesWithOk) {
    auto* about = fmWinMain->findChild<TfmAboutScreen*>();
    ASSERT_NE(about, nullptr);
    bool wasShown = false;
    QTimer::singleShot(0, about, [&] {
        wasShown = about->isVisible();
        QTest::mouseClick(about->findChild<QAbstractButton*>("OkButton"), Qt::LeftButton);
    });
    trigger("About1");
    EXPECT_TRUE(wasShown);
    EXPECT_FALSE(about->isVisible());
    EXPECT_EQ(about->windowTitle(), "About");
    const QRect main = fmWinMain->frameGeometry();
    EXPECT_NEAR(about->frameGeometry().center().x(), main.center().x(), 3);
}

TEST_F(MainWindowTest, ExitWritesSettingsThenDatabaseWithoutAskingWhenUnchanged) {
    trigger("Exit1");
    EXPECT_FALSE(fmWinMain->isVisible());
    EXPECT_TRUE(script.shown().empty());
    EXPECT_TRUE(std::filesystem::exists(startDir.file("TAVIK.INI")));
    EXPECT_EQ(std::filesystem::file_size(startDir.file("TAVIK.TDB")), 1364u);
}

} // namespace
