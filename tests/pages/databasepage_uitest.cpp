// The hearing-aid database page against the real main window: stepping through the
// entries, typing into the names and the grid, the message for a cell that is no
// number and what it stops, and the database file at start and at exit.
#include "pages/databasepagetest.h"

#include "controls/datagrid.h"
#include "model/aiddatabase.h"
#include "model/textslot.h"
#include "testsupport/programfixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolButton>

#include <cstring>
#include <filesystem>
#include <sys/stat.h>

namespace {

TEST_F(DatabasePageTest, StepsThroughTheSixEntriesWithTheButtonsThatApply) {
    EXPECT_EQ(position(), "1 of 6");
    EXPECT_EQ(buttonStates(), "--NL");
    EXPECT_TRUE(longName()->hasFocus());
    EXPECT_EQ(longName()->text(), "HALongName1");
    EXPECT_EQ(shortName()->text(), "HA-1");
    EXPECT_EQ(grid()->cellText(0, 0), "");

    struct Step {
        const char* button;
        const char* position;
        const char* states;
        const char* name;
    };
    const Step steps[] = {
        {"NextRecButton", "2 of 6", "FPNL", "HALongName2"},
        {"LastRecButton", "6 of 6", "FP--", "HALongName6"},
        {"PrevRecButton", "5 of 6", "FPNL", "HALongName5"},
        {"NextRecButton", "6 of 6", "FP--", "HALongName6"},
        {"FirstRecButton", "1 of 6", "--NL", "HALongName1"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.button);
        click(step.button);
        EXPECT_EQ(position(), step.position);
        EXPECT_EQ(buttonStates(), step.states);
        EXPECT_EQ(longName()->text(), step.name);
    }

    click("LastRecButton");
    click("ClientInfoButton");
    showDatabasePage();
    EXPECT_EQ(position(), "1 of 6") << "every showing starts at the first entry";
    EXPECT_EQ(buttonStates(), "--NL");
}

TEST_F(DatabasePageTest, EditsSurviveNextAndPrevAndShowInTheirStoredForm) {
    typeName(longName(), "Clinic BTE");
    typeName(shortName(), "BTE-1");
    type(0, kGain, "20");
    type(0, 1, "60o");
    type(0, kRatio1, "2.26");
    type(0, 3, "x");
    click("NextRecButton");
    EXPECT_EQ(position(), "2 of 6");
    EXPECT_EQ(grid()->cellText(0, 1), "") << "the next entry shows its own values";

    click("PrevRecButton");
    EXPECT_EQ(longName()->text(), "Clinic BTE");
    EXPECT_EQ(shortName()->text(), "BTE-1");
    const QStringList shown = {grid()->cellText(0, 0), grid()->cellText(0, 1),
                               grid()->cellText(0, 2), grid()->cellText(0, 3),
                               grid()->cellText(0, 4)};
    EXPECT_EQ(shown, QStringList({"20", "60o", "2.3", "40", "2.3"}));
}

// How far the store gets is the core's rule (aidentrytext_test); here, that the
// page tells it, stays, and takes the clinician to the cell.
TEST_F(DatabasePageTest, BadNumberIsToldStoredUpToItsCellAndTheStepIsNotTaken) {
    typeName(longName(), "Renamed");
    type(1, kMaxOutput, "100");
    typeBadNumber();
    type(2, kGain, "0");

    click("NextRecButton");
    ASSERT_EQ(errors().size(), 1u);
    EXPECT_EQ(errors()[0].caption, "TAVIK");
    EXPECT_EQ(errors()[0].text, "'2..5' is not a valid floating point value");
    EXPECT_EQ(fmWinMain->statusBar()->currentMessage(),
              "500 Hz, Compression Ratio 1: '2..5' is not a valid floating point value");
    EXPECT_EQ(position(), "1 of 6");
    EXPECT_EQ(buttonStates(), "--NL");
    EXPECT_EQ(grid()->cellText(1, kRatio1), "2..5") << "the grid stays as typed";
    EXPECT_EQ(grid()->currentColumn(), 1);
    EXPECT_EQ(grid()->currentRow(), kRatio1) << "the clinician is taken to the cell";
    EXPECT_FALSE(grid()->cellEditor()->hasSelectedText());
    EXPECT_EQ(readText(aidDatabase.aidLongNames[0]), "Renamed");
    EXPECT_EQ(aidDatabase.aidData[0][1].maxOutput, kEmptyValue);

    type(1, kRatio1, "2.5");
    click("NextRecButton");
    EXPECT_EQ(position(), "2 of 6");
    EXPECT_EQ(aidDatabase.aidData[0][1].maxOutput, 100);
}

TEST_F(DatabasePageTest, PageSwitchNewAndLoadStayWhileACellIsNoNumber) {
    typeBadNumber();
    markModified();
    const std::vector<void (*)()> attempts = {[] { click("ClientInfoButton"); },
                                              [] { trigger("IOCurves1"); }, [] { trigger("New1"); },
                                              [] { trigger("Load1"); }};
    for (std::size_t i = 0; i < attempts.size(); ++i) {
        SCOPED_TRACE(i);
        attempts[i]();
        EXPECT_TRUE(fmPage3->isVisible());
        EXPECT_TRUE(find<QToolButton>("SpeedButton4")->isChecked());
        EXPECT_FALSE(find<QToolButton>("ClientInfoButton")->isChecked());
        EXPECT_EQ(errors().size(), i + 1);
    }
    EXPECT_TRUE(script.shownOf(Kind::Confirm).empty())
        << "New and Load stop before asking about the patient's changes";
    EXPECT_TRUE(script.shownOf(Kind::Open).empty());

    type(1, kRatio1, "2.5");
    click("ClientInfoButton");
    EXPECT_TRUE(fmClientInfo->isVisible());
    EXPECT_EQ(aidDatabase.aidData[0][1].ratio1, 2.5f);
}

TEST_F(DatabasePageTest, CurvePageOffersTheRenamedAidsNextTimeItIsShown) {
    typeName(shortName(), "BTE-A");
    click("LastRecButton");
    typeName(shortName(), "");
    click("EditCurveButton");
    auto* aids = find<QComboBox>("LeftSideHAidCombo");
    EXPECT_EQ(aids->itemText(0), "BTE-A");
    EXPECT_EQ(aids->itemText(5), "HA-6") << "an empty short label is stored as HA-n";
}

TEST_F(DatabasePageTest, ANineLetterLabelFromTheFileSurvivesBeingShown) {
    click("ClientInfoButton");
    writeText(aidDatabase.aidShortNames[0], "NINE-CHAR");
    showDatabasePage();
    EXPECT_EQ(shortName()->text(), "NINE-CHAR");
    click("ClientInfoButton");
    EXPECT_EQ(readText(aidDatabase.aidShortNames[0]), "NINE-CHAR");
}

TEST_F(DatabasePageTest, KeysHereNeverMarkThePatientDocumentChanged) {
    typeName(longName(), "Clinic ITE");
    typeName(shortName(), "ITE");
    type(0, kGain, "-25x.o");
    EXPECT_EQ(grid()->cellEditor()->text(), "-25") << "the row's own characters only";
    QTest::keyClick(grid()->cellEditor(), Qt::Key_Backspace);
    QTest::keyClick(grid()->cellEditor(), Qt::Key_Delete);
    click("NextRecButton");
    type(4, kRatio1, "3");
    settle();
    EXPECT_FALSE(document.modified);
    EXPECT_EQ(notifications.count, 0);
    EXPECT_EQ(modifiedPanel(), "");
}

TEST_F(DatabasePageTest, NamesTakeLatin1WithAccentsDroppedWhereTheyDoNotFit) {
    // Text that comes in whole, as pasted or composed, passes the same check as keys.
    longName()->clear();
    longName()->insert(QString::fromUtf8("Łódź Müller"));
    EXPECT_EQ(longName()->text(), QString::fromUtf8("Lódz Müller"));
    shortName()->clear();
    shortName()->insert(QStringLiteral("AB"));
    shortName()->insert(QString::fromUtf8("€"));
    EXPECT_EQ(shortName()->text(), "AB") << "a sign without a Latin-1 letter is refused";
    EXPECT_TRUE(fmWinMain->statusBar()->currentMessage().contains(QString::fromUtf8("€")));
    click("NextRecButton");
    EXPECT_EQ(readText(aidDatabase.aidLongNames[0]), "L\xf3"
                                                     "dz M\xfcller");
}

// --- the database file at exit and at start ------------------------------------

TEST_F(DatabasePageTest, ExitStoresTheShownEntryOrAsksWhenItCannot) {
    typeName(longName(), "Kept BTE");
    click("NextRecButton");
    typeName(longName(), "Dropped");
    typeBadNumber();

    trigger("Exit1");
    EXPECT_TRUE(fmWinMain->isVisible()) << "a question without an answer stays";
    ASSERT_EQ(errors().size(), 1u);
    ASSERT_EQ(script.shownOf(Kind::Question).size(), 1u);
    AidDatabase onDisk{};
    ASSERT_EQ(loadAidDatabase(startDir.file("TAVIK.TDB"), onDisk).source, AidDatabaseSource::File)
        << "the step to the second entry wrote the first";
    EXPECT_EQ(readText(onDisk.aidLongNames[1]), "HALongName2");
    EXPECT_EQ(grid()->cellText(1, kRatio1), "2..5");

    script.setNextAnswer(DialogAnswer::Yes);
    trigger("Exit1");
    EXPECT_FALSE(fmWinMain->isVisible());
    AidDatabase written{};
    ASSERT_EQ(loadAidDatabase(startDir.file("TAVIK.TDB"), written).source, AidDatabaseSource::File);
    EXPECT_EQ(readText(written.aidLongNames[0]), "Kept BTE");
    EXPECT_EQ(readText(written.aidLongNames[1]), "HALongName2")
        << "the entry is written as it was before the failed store";
    EXPECT_EQ(written.aidData[1][1].gainAt50, kEmptyValue);
}

TEST_F(DatabasePageTest, ExitStoresAGoodEntryWhileThePageIsStillShown) {
    click("LastRecButton");
    type(5, kMaxOutput, "118");
    trigger("Exit1");
    EXPECT_FALSE(fmWinMain->isVisible());
    EXPECT_TRUE(script.shown().empty());
    AidDatabase written{};
    loadAidDatabase(startDir.file("TAVIK.TDB"), written);
    EXPECT_EQ(written.aidData[5][5].maxOutput, 118);
}

// A TAVIK.TDB that is there but cannot be read: reported at start, the defaults shown,
// and written over at exit only after a change and the clinician's Yes. The tests run
// as root, so the file is made unreadable by what it is rather than by permissions.
// A folder cannot be written over either: after a Yes that failure is reported too.
TEST_F(DatabasePageTest, UnreadableDatabaseIsReportedAndKeptUnlessReplacedOnPurpose) {
    enum class Made { Directory, Fifo };
    struct Case {
        Made made;
        bool change;
        DialogAnswer answer;
        bool asked;
    };
    const Case cases[] = {
        {Made::Fifo, false, DialogAnswer::Yes, false},
        {Made::Fifo, true, DialogAnswer::No, true},
        {Made::Directory, false, DialogAnswer::Yes, false},
        {Made::Directory, true, DialogAnswer::No, true},
        {Made::Directory, true, DialogAnswer::Yes, true},
    };
    const std::string path = startDir.file("TAVIK.TDB");
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << (c.made == Made::Fifo ? "fifo" : "directory") << " change " << c.change);
        std::filesystem::remove_all(path);
        if (c.made == Made::Fifo)
            ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
        else
            std::filesystem::create_directory(path);
        script.clear();
        restartProgram();

        const auto warnings = script.shownOf(Kind::Warning);
        ASSERT_EQ(warnings.size(), 1u);
        EXPECT_EQ(warnings[0].caption, "TAVIK");
        EXPECT_TRUE(warnings[0].text.contains(QString::fromStdString(path)));
        showDatabasePage();
        EXPECT_EQ(longName()->text(), "HALongName1");
        if (c.change)
            type(0, kGain, "12");

        script.setNextAnswer(c.answer);
        ASSERT_TRUE(closeProgram());
        EXPECT_EQ(script.shownOf(Kind::Question).size(), c.asked ? 1u : 0u);
        const bool tried = c.asked && c.answer == DialogAnswer::Yes;
        ASSERT_EQ(errors().size(), tried ? 1u : 0u);
        if (tried) {
            EXPECT_TRUE(errors()[0].text.contains(QString::fromStdString(path)));
        }
        EXPECT_EQ(std::filesystem::is_fifo(path), c.made == Made::Fifo);
        EXPECT_EQ(std::filesystem::is_directory(path), c.made == Made::Directory);
    }
}
} // namespace
