// Help in the running program: F1 on the pages, in an open grid cell and on the About
// screen; Help / Contents and Using Help with back and forward; a help file that
// cannot be read.
#include "app/aboutscreen.h"
#include "app/helprequests.h"
#include "app/helpviewer.h"
#include "app/pagetable.h"
#include "controls/datagrid.h"
#include "testsupport/programfixture.h"

#include <QFileInfo>
#include <QStatusBar>
#include <QTextBrowser>
#include <QTimer>

#include <filesystem>

namespace {

class HelpTest : public ProgramFixture {
  protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        helpFileAtStart = applicationHelpFile();
        setApplicationHelpFile(builtGuide());
    }

    // The guide as the build puts it beside the program.
    static QString builtGuide() {
        return QFileInfo(QStringLiteral(TAVIK_PROGRAM_PATH)).absolutePath() + "/TAVIK.HLP";
    }
    static QTextBrowser* browser() { return helpViewer()->findChild<QTextBrowser*>("HelpBrowser"); }
    static QString shownText() { return browser()->toPlainText(); }
    static void useGuide(const std::string& path, const std::string& html) {
        writeBytes(path, std::vector<uint8_t>(html.begin(), html.end()));
        setApplicationHelpFile(QString::fromStdString(path));
    }

    QString helpFileAtStart;
};

TEST_F(HelpTest, TheGuideIsLookedForBesideTheProgramWhereTheBuildCopiesIt) {
    EXPECT_EQ(helpFileAtStart.toStdString(), document.programDir + "TAVIK.HLP");
    const auto copy = readBytes(builtGuide().toStdString());
    EXPECT_FALSE(copy.empty());
    EXPECT_EQ(copy, readBytes(std::string(TAVIK_TEST_DATA_DIR) + "/../../app/help/TAVIK.HLP"));
}

// F1 reaches help from whatever control has the focus, an open cell editor included,
// before the control's own key handling; outside the pages, the page shown.
TEST_F(HelpTest, F1AnywhereOnAPageOpensThatPagesTopic) {
    const struct {
        const char* pageButton;
        const char* control;
        const char* topic;
    } cases[] = {
        {"ClientInfoButton", "EditLastName", "1001"},
        {"SpeedButton3", "RightEarLOUDMAPDataGrid", "1011"},
        {"SpeedButton4", "HADataGrid", "1021"},
        {"SpeedButton4", "EditShortName", "1021"},
        {"EditCurveButton", "DataEntryGrid", "1031"},
        {"EditCurveButton", "LeftSideCurveCombo", "1031"},
        {"SpeedButton3", "ToolBar1", "1011"},
        {"OverviewButton", "OverviewEarButton", "1051"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        fmWinMain->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(fmWinMain));
        click(c.pageButton);
        QWidget* target = find<QWidget>(c.control);
        if (auto* grid = qobject_cast<DataGrid*>(target)) {
            grid->setFocus();
            settle();
            target = grid->cellEditor();
            ASSERT_NE(target, nullptr) << "the cell editor is open";
        }
        QTest::keyClick(target, Qt::Key_F1);
        ASSERT_NE(helpViewer(), nullptr);
        EXPECT_TRUE(helpViewer()->isVisible());
        EXPECT_EQ(helpViewer()->currentTopic(), c.topic);
    }
}

// What this test knows of each page apart from the page table: the object name of its
// form and the topic F1 opens on it. Every page of the table needs its row here, so a
// new page is checked the day it is added.
const struct PageFacts {
    const char* button;
    const char* page;
    const char* topic;
} kPageFacts[] = {
    {"ClientInfoButton", "fmClientInfo", "1001"}, {"SpeedButton3", "fmPage2", "1011"},
    {"SpeedButton4", "fmPage3", "1021"},          {"EditCurveButton", "fmCurveEdit", "1031"},
    {"SpeedButton6", "fmPage5", "contents"},      {"OverviewButton", "fmOverview", "1051"},
};

const PageFacts* factsOf(const PageEntry& entry) {
    for (const PageFacts& facts : kPageFacts) {
        if (entry.buttonName == QLatin1String(facts.button))
            return &facts;
    }
    return nullptr;
}

std::string name(const QString& objectName) {
    return objectName.toStdString();
}

TEST_F(HelpTest, EveryPageOfTheTableIsKnownToTheseTestsAndNoOther) {
    for (const PageEntry& entry : pageEntries())
        EXPECT_NE(factsOf(entry), nullptr) << name(entry.buttonName);
    EXPECT_EQ(pageEntries().size(), std::size(kPageFacts));
}

// Each page is reached alike from its Items menu item and from its tool bar button,
// which is then the one button down; F1 on the page opens the page's own topic.
TEST_F(HelpTest, EachPagesMenuItemAndButtonShowItWithItsButtonDownAndItsTopic) {
    const std::vector<PageEntry>& pages = pageEntries();
    for (const PageEntry& entry : pages)
        ASSERT_NE(factsOf(entry), nullptr) << name(entry.buttonName);
    const auto expectOnlyShown = [&](const PageEntry& shown) {
        for (const PageEntry& entry : pages) {
            // A page not opened yet is not made yet.
            const auto* form = fmWinMain->findChild<QWidget*>(factsOf(entry)->page);
            EXPECT_EQ(form && form->isVisible(), &entry == &shown) << factsOf(entry)->page;
            EXPECT_EQ(find<QAbstractButton>(name(entry.buttonName).c_str())->isChecked(),
                      &entry == &shown)
                << name(entry.buttonName);
        }
    };
    for (const PageEntry& entry : pages) {
        const PageFacts* facts = factsOf(entry);
        SCOPED_TRACE(facts->page);
        const std::string elsewhere = name((&entry == &pages[0] ? pages[1] : pages[0]).menuName);
        const std::string menuItem = name(entry.menuName);
        trigger(elsewhere.c_str());
        trigger(menuItem.c_str());
        expectOnlyShown(entry);

        // A hidden page's button is hidden, as its menu item is, and cannot be clicked:
        // that page is shown from its menu item alone.
        if (find<QAbstractButton>(name(entry.buttonName).c_str())->isVisible()) {
            trigger(elsewhere.c_str());
            click(name(entry.buttonName).c_str());
            expectOnlyShown(entry);
        } else {
            EXPECT_FALSE(find<QAction>(menuItem.c_str())->isVisible());
        }

        QTest::keyClick(find<QWidget>(facts->page), Qt::Key_F1);
        ASSERT_NE(helpViewer(), nullptr);
        EXPECT_EQ(helpViewer()->currentTopic(), facts->topic);
    }
}

// The About screen is modal to the main window only, so the help it opens can be used
// while it is up; Enter closes it.
TEST_F(HelpTest, F1OnTheAboutScreenOpensItsTopicAndEnterClosesIt) {
    auto* about = fmWinMain->findChild<TfmAboutScreen*>();
    QString topic;
    QString topicTypedInHelp;
    QTimer::singleShot(0, about, [&] {
        QTest::keyClick(about->findChild<QWidget*>("OkButton"), Qt::Key_F1);
        topic = helpViewer() ? helpViewer()->currentTopic() : QString();
        // A key typed in the help window reaches it: the About screen does not block it.
        if (helpViewer() && QTest::qWaitForWindowActive(helpViewer(), 1000)) {
            QTest::keyClick(helpViewer()->windowHandle(), Qt::Key_F1);
            topicTypedInHelp = helpViewer()->currentTopic();
        }
        QTest::keyClick(about, Qt::Key_Return);
    });
    trigger("About1");
    EXPECT_EQ(topic, "1041");
    EXPECT_EQ(topicTypedInHelp, "usinghelp");
    EXPECT_FALSE(about->isVisible());
    EXPECT_EQ(about->result(), QDialog::Accepted);
}

TEST_F(HelpTest, ContentsAndUsingHelpShareOneWindowWithItsHistory) {
    trigger("Contents1");
    QPointer<HelpViewer> viewer = helpViewer();
    ASSERT_FALSE(viewer.isNull());
    EXPECT_EQ(viewer->currentTopic(), "contents");
    EXPECT_TRUE(shownText().contains("TAVIK Help"));
    trigger("UsingHelp1");
    EXPECT_EQ(helpViewer(), viewer) << "one window, reused";
    EXPECT_EQ(viewer->currentTopic(), "usinghelp");

    viewer->findChild<QAction*>("HelpBackAction")->trigger();
    EXPECT_EQ(viewer->currentTopic(), "contents");
    viewer->findChild<QAction*>("HelpForwardAction")->trigger();
    EXPECT_EQ(viewer->currentTopic(), "usinghelp");
    browser()->setSource(QUrl("#1011")); // a link in the guide
    EXPECT_EQ(viewer->currentTopic(), "1011");
    viewer->findChild<QAction*>("HelpContentsAction")->trigger();
    EXPECT_EQ(viewer->currentTopic(), "contents");

    applicationHelp(HelpCommand::Context, 1061);
    EXPECT_EQ(viewer->currentTopic(), "contents") << "a number without a topic";
    EXPECT_TRUE(viewer->statusBar()->currentMessage().contains("1061"));

    EXPECT_FALSE(viewer->testAttribute(Qt::WA_QuitOnClose)) << "it does not keep TAVIK open";
    destroyForms();
    EXPECT_TRUE(viewer.isNull()) << "it goes with the main window";
}

TEST_F(HelpTest, AHelpFileThatCannotBeReadIsShownWithThePathTriedAndTheProgramGoesOn) {
    const std::string missing = startDir.file("TAVIK.HLP");
    const std::string folder = startDir.file("folder.HLP");
    std::filesystem::create_directory(folder);
    for (const std::string& path : {missing, folder}) {
        setApplicationHelpFile(QString::fromStdString(path));
        trigger("Contents1");
        EXPECT_TRUE(helpViewer()->isVisible());
        EXPECT_TRUE(helpViewer()->showsProblem());
        EXPECT_TRUE(shownText().contains(QString::fromStdString(path))) << path;
    }
    EXPECT_TRUE(script.shown().empty()) << "no message box: the help window says it";
    EXPECT_TRUE(fmWinMain->isVisible());

    // Put in place while TAVIK runs, the guide is found at the next request.
    useGuide(missing, "<a name=\"contents\"></a><h1>Our guide</h1>");
    trigger("Contents1");
    EXPECT_FALSE(helpViewer()->showsProblem());
    EXPECT_EQ(helpViewer()->currentTopic(), "contents");
    EXPECT_TRUE(shownText().contains("Our guide"));
}

} // namespace
