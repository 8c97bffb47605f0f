// The previous visit from a real save history, through the real window: the Overview
// of a loaded patient compares it with the visit kept before, a version opened to look
// at only with a visit kept before that version, and a looked-at version restored holds
// the file again for the other workstations.
#include "model/filelock.h"
#include "model/patientfile.h"
#include "model/patienthistory.h"
#include "model/textslot.h"
#include "overview/overviewpatient.h"
#include "testsupport/programfixture.h"

#include <QDialog>
#include <QPushButton>
#include <QTableWidget>

namespace {

using Kind = ScriptedDialogService::Kind;

const QString kRightMoved =
    "; right threshold 5 to 10 dB higher than on 06/01/2026 at 250–500 Hz, unchanged at "
    "1 KHz and 5 to 10 dB higher at 3–4 KHz.";
const QString kLeftMoved =
    "; left threshold 5 dB lower than on 06/01/2026 at 250 Hz, unchanged at 500 Hz, 8 dB "
    "lower at 1 KHz, 8 dB higher at 2 KHz and unchanged at 3 KHz.";

class PreviousVisitTest : public ProgramFixture {
  protected:
    // The visit of 06/01/2026, then the one of 09/15/2026 with other thresholds.
    void saveTwoVisits() {
        aidDatabase = overviewDatabase();
        save(overviewPreviousVisit().record, 1780000000);
        FittingRecord now = overviewPatient();
        writeText(now.testDate, "09/15/2026");
        save(now, 1789000000);
    }

    void save(const FittingRecord& record, int64_t at) {
        EXPECT_EQ(savePatientWithHistory(path, record, {at, "ann", "room-1", "1.0a"}), "");
    }

    void loadAndShowOverview() {
        script.setNextFileName(QString::fromStdString(path));
        click("LoadFileSpeedButton");
        click("OverviewButton");
    }

    // Opens File > History, picks the row (0 the newest) and presses the button.
    void chooseInHistory(int row, const char* button) {
        script.setNextModal([row, button](QDialog& dialog) {
            dialog.findChild<QTableWidget*>("HistoryGrid")->selectRow(row);
            dialog.findChild<QPushButton*>(button)->click();
            return dialog.result() == QDialog::Accepted;
        });
        trigger("History1");
    }

    static QString description(const char* chart) {
        return find<QWidget>(chart)->accessibleDescription();
    }

    TempDir files;
    const std::string path = files.file("VISITS.TAV");
};

TEST_F(PreviousVisitTest, TheOverviewSaysHowEachEarMovedSinceTheVisitKeptBefore) {
    saveTwoVisits();
    loadAndShowOverview();
    EXPECT_TRUE(description("ShownLoudnessMap").endsWith(kRightMoved))
        << description("ShownLoudnessMap").toStdString();
    EXPECT_TRUE(description("OtherLoudnessMap").endsWith(kLeftMoved))
        << description("OtherLoudnessMap").toStdString();
    for (const char* gain : {"ShownGainChart", "OtherGainChart"})
        EXPECT_FALSE(description(gain).contains("06/01/2026")) << gain;
}

// Looking at the visit of 09/15/2026 after a later one was saved, the Overview compares
// it with the visit of 06/01/2026, not with the later one.
TEST_F(PreviousVisitTest, AVersionLookedAtIsComparedWithAVisitKeptBeforeIt) {
    saveTwoVisits();
    FittingRecord later = overviewPatient();
    writeText(later.testDate, "12/01/2026");
    later.rightLoudness[0][0] = 70;
    save(later, 1796000000);
    loadAndShowOverview();
    EXPECT_TRUE(description("ShownLoudnessMap").contains("than on 09/15/2026 at 250 Hz"));

    chooseInHistory(1, "OpenVersionButton");
    ASSERT_EQ(readText(fitting.testDate), "09/15/2026");
    click("OverviewButton");
    EXPECT_TRUE(description("ShownLoudnessMap").endsWith(kRightMoved))
        << description("ShownLoudnessMap").toStdString();
    EXPECT_TRUE(description("OtherLoudnessMap").endsWith(kLeftMoved));

    // The first visit has none kept before it.
    chooseInHistory(2, "OpenVersionButton");
    click("OverviewButton");
    for (const char* map : {"ShownLoudnessMap", "OtherLoudnessMap"})
        EXPECT_FALSE(description(map).contains(" than on ")) << description(map).toStdString();
}

// Restored, a version looked at makes the file open here again: marked for the other
// workstations, and a change on disk after the restore is asked about at Save.
TEST_F(PreviousVisitTest, ALookedAtVersionRestoredHoldsTheFileAgain) {
    saveTwoVisits();
    loadAndShowOverview();
    chooseInHistory(1, "OpenVersionButton");
    script.setNextAnswer(DialogAnswer::Yes);
    chooseInHistory(1, "RestoreVersionButton");
    ASSERT_EQ(readText(fitting.testDate), "06/01/2026");
    EXPECT_EQ(title(), "TAVIK 1.0a - VISITS.TAV");
    const std::optional<std::string> lock = readLockText(path);
    ASSERT_TRUE(lock.has_value());
    EXPECT_EQ(parseLock(*lock)->user, thisWorkstation().user);

    FittingRecord elsewhere = overviewPatient();
    writeText(elsewhere.lastName, "Elsewhere");
    writePatientFile(path, elsewhere);
    script.setNextChoice(std::nullopt);
    click("SaveFileSpeedButton");
    const auto asked = script.shownOf(Kind::Choice);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].caption, "File changed");
    FittingRecord onDisk{};
    LegacyImage legacy{};
    readPatientFile(path, onDisk, legacy, "01/01/2030");
    EXPECT_EQ(readText(onDisk.lastName), "Elsewhere");
}

} // namespace
