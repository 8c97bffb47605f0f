// File > History... through the real main window: the list, a version opened
// read-only, a version restored, and a save whose history cannot be kept.
#include "app/historydialog.h"
#include "model/patientfile.h"
#include "model/patienthistory.h"
#include "model/textslot.h"
#include "testsupport/programfixture.h"
#include "testsupport/threevisits.h"
#include "testsupport/utczone.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <cstdlib>
#include <ctime>
#include <optional>

namespace {

using Kind = ScriptedDialogService::Kind;
constexpr int64_t k2025 = 1735689600; // 2025-01-01T00:00:00Z, before any save the test makes

class HistoryWindowTest : public ProgramFixture {
  protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        saveThreeVisits(path, k2025);
        startProgram(QString::fromStdString(path));
    }

    // Opens File > History, picks the row and presses the button (none: looks only).
    void chooseInHistory(int row, const char* button) {
        script.setNextModal([row, button](QDialog& dialog) {
            if (!button)
                return false;
            dialog.findChild<QTableWidget*>("HistoryGrid")->selectRow(row);
            dialog.findChild<QPushButton*>(button)->click();
            return dialog.result() == QDialog::Accepted;
        });
        trigger("History1");
    }

    UtcZone zone_; // the list shows local times
    TempDir files;
    const std::string path = files.file("SMITH.TAV");
};

TEST_F(HistoryWindowTest, ListsTheKeptVersionsNewestFirstWithWhatEachChanged) {
    std::vector<QStringList> rows;
    script.setNextModal([&rows](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "History of SMITH.TAV");
        const auto* grid = dialog.findChild<QTableWidget*>("HistoryGrid");
        for (int r = 0; r < grid->rowCount(); ++r) {
            QStringList row;
            for (int c = 0; c < grid->columnCount(); ++c)
                row << grid->item(r, c)->text();
            rows.push_back(row);
        }
        EXPECT_FALSE(dialog.findChild<QLabel*>("HistoryProblems")->isVisibleTo(&dialog));
        return false;
    });
    trigger("History1");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (QStringList{"2025-01-02 00:00", "ann", "room-1", "02/03/2030",
                                    "Test date 01/06/2030 → 02/03/2030; Left Ear 4 KHz UCL "
                                    "empty → 117 dB HL"}));
    EXPECT_EQ(rows[1],
              (QStringList{"2025-01-01 00:01", "bob", "room-2", "01/06/2030",
                           "Right Ear 500 Hz THR 40 → 45 dB HL; Left Ear aid HA-1 → HA-3"}));
    EXPECT_EQ(rows[2], (QStringList{"2025-01-01 00:00", "ann", "room-1", "01/06/2030",
                                    "First kept version"}));
    EXPECT_EQ(title(), "TAVIK 1.0a - SMITH.TAV") << "looking changes nothing";
}

TEST_F(HistoryWindowTest, AVersionOpenedToLookAtIsReadOnlyAndSavedOnlyUnderANewName) {
    chooseInHistory(1, "OpenVersionButton");
    const QString note = "version 2 of SMITH.TAV, saved 2025-01-01 00:01 by bob on room-2";
    EXPECT_EQ(title(), "TAVIK 1.0a - " + note + " (read-only)");
    auto* banner = find<QLabel>("VersionBanner");
    EXPECT_TRUE(banner->isVisible());
    EXPECT_EQ(banner->text(), "Read-only: " + note + ". Save asks for a new name.");
    EXPECT_EQ(fitting.rightLoudness[1][0], 51);
    EXPECT_EQ(find<QLineEdit>("EditTestDate")->text(), "01/06/2030");
    click("SpeedButton3"); // another page: the banner stays over it
    EXPECT_TRUE(banner->isVisible());

    const auto before = readBytes(path);
    click("SaveFileSpeedButton"); // the save dialog, cancelled by the script
    ASSERT_EQ(script.shownOf(Kind::Save).size(), 1u);
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(readHistory(path).versions.size(), 3u);

    const std::string copy = files.file("SMITH-2.TAV");
    script.setNextFileName(QString::fromStdString(copy));
    click("SaveFileSpeedButton");
    EXPECT_EQ(title(), "TAVIK 1.0a - SMITH-2.TAV");
    EXPECT_FALSE(banner->isVisible());
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(readBytes(copy).size(), 1372u);
}

TEST_F(HistoryWindowTest, ARestoredVersionIsAnUnsavedChangeKeptInTheHistoryOnceSaved) {
    script.setNextAnswer(DialogAnswer::No);
    chooseInHistory(2, "RestoreVersionButton");
    EXPECT_EQ(fitting.rightLoudness[1][0], 51) << "No keeps the record shown";
    EXPECT_FALSE(document.modified);

    script.setNextAnswer(DialogAnswer::Yes);
    chooseInHistory(2, "RestoreVersionButton");
    const auto questions = script.shownOf(Kind::Question);
    ASSERT_EQ(questions.size(), 2u);
    EXPECT_TRUE(questions[1].text.startsWith(
        "Restore version 1 of SMITH.TAV, saved 2025-01-01 00:00 by ann on room-1 as the "
        "current record?"));
    EXPECT_EQ(fitting.rightLoudness[1][0], 46);
    EXPECT_EQ(fitting.leftLoudness[5][7], -99);
    EXPECT_EQ(find<QLineEdit>("EditTestDate")->text(), "01/06/2030");
    EXPECT_TRUE(document.modified);
    EXPECT_EQ(title(), "TAVIK 1.0a - SMITH.TAV");
    EXPECT_FALSE(find<QLabel>("VersionBanner")->isVisible());

    click("SaveFileSpeedButton");
    const HistoryRead history = readHistory(path);
    ASSERT_EQ(history.versions.size(), 4u);
    EXPECT_EQ(history.versions[3].record.rightLoudness[1][0], 46);
    EXPECT_EQ(history.versions[3].stamp.programVersion, "1.0a");
    EXPECT_TRUE(script.shownOf(Kind::Warning).empty());
}

// A restore is one step of Edit > Undo, and undoing it gives back the file as loaded;
// a version first opened to look at and then restored is still unsaved against the file.
TEST_F(HistoryWindowTest, ARestoreIsUndoneAsOneStepAndALookedAtVersionRestoredIsUnsaved) {
    script.setNextAnswer(DialogAnswer::Yes);
    chooseInHistory(2, "RestoreVersionButton");
    ASSERT_EQ(fitting.rightLoudness[1][0], 46);
    EXPECT_EQ(find<QAction>("Undo1")->text(), "&Undo restore of version 1");
    trigger("Undo1");
    EXPECT_EQ(fitting.rightLoudness[1][0], 51);
    EXPECT_EQ(fitting.leftLoudness[5][7], 117);
    EXPECT_FALSE(document.modified) << "back to the file as loaded";

    chooseInHistory(2, "OpenVersionButton");
    EXPECT_FALSE(find<QAction>("Undo1")->isEnabled()) << "a version looked at starts afresh";
    script.setNextAnswer(DialogAnswer::Yes);
    chooseInHistory(2, "RestoreVersionButton");
    EXPECT_EQ(title(), "TAVIK 1.0a - SMITH.TAV");
    EXPECT_TRUE(document.modified) << "the file on disk still holds the newest version";
    const auto before = readBytes(path);
    click("SaveFileSpeedButton");
    EXPECT_NE(readBytes(path), before);
    EXPECT_EQ(readHistory(path).versions.back().record.rightLoudness[1][0], 46);
}

TEST_F(HistoryWindowTest, ASaveWhoseHistoryCannotBeKeptIsMadeAndSaysWhy) {
    const std::string blocked = files.file("BLOCKED.TAV");
    writeBytes(historyPathFor(blocked), {'x'});
    script.setNextFileName(QString::fromStdString(blocked));
    trigger("SaveAs1");
    EXPECT_EQ(title(), "TAVIK 1.0a - BLOCKED.TAV");
    EXPECT_EQ(readBytes(blocked).size(), 1372u);
    const auto warnings = script.shownOf(Kind::Warning);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0].caption, "History");
    EXPECT_TRUE(warnings[0].text.contains("could not keep this save"))
        << warnings[0].text.toStdString();

    trigger("New1");
    trigger("History1");
    const auto messages = script.shownOf(Kind::Message);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "This patient has not been saved yet, so no versions are kept.");
}

// A kept version is no patient file: Load refuses it as a file of another size.
TEST_F(HistoryWindowTest, LoadTakesNoKeptVersionForAPatientFile) {
    const std::string version = historyPathFor(path) + "/" + readHistory(path).versions[0].fileName;
    script.setNextFileName(QString::fromStdString(version));
    trigger("Load1");
    const auto errors = script.shownOf(Kind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].text, QString::fromLatin1(kUnsupportedFileMessage));
    EXPECT_EQ(title(), "TAVIK 1.0a");
}

} // namespace
