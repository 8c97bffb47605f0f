// A folder shared by several workstations, through the real window: the mark of an
// open file, a file open elsewhere, and a file changed on disk behind our back.
#include "model/filelock.h"
#include "model/patientfile.h"
#include "model/patienthistory.h"
#include "model/textslot.h"
#include "testsupport/programfixture.h"
#include "testsupport/utczone.h"

#include <QLineEdit>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Kind = ScriptedDialogService::Kind;

// 2026-12-08 09:14 UTC, the time the marks and changes of these tests were made.
constexpr std::int64_t kMorning = 1796721240;
const LockOwner kAnna{"anna", "room-2", 4711, kMorning};

class SharedFileTest : public ProgramFixture {
  protected:
    std::string patient(const std::string& name, const std::string& lastName) {
        FittingRecord record{};
        resetFitting(record, "01/02/2003");
        writeText(record.lastName, lastName);
        const std::string path = files.file(name);
        writePatientFile(path, record);
        return path;
    }

    void load(const std::string& path) {
        script.setNextFileName(QString::fromStdString(path));
        click("LoadFileSpeedButton");
    }

    void typeLastName(const QString& name) {
        auto* edit = find<QLineEdit>("EditLastName");
        edit->clear();
        QTest::keyClicks(edit, name);
        settle();
    }

    static std::string lastNameIn(const std::string& path) {
        return readTextSlot(reinterpret_cast<const char*>(&readBytes(path)[20]), 18);
    }

    static std::optional<LockOwner> lockOf(const std::string& path) {
        const std::optional<std::string> text = readLockText(path);
        return text ? parseLock(*text) : std::nullopt;
    }

    static bool markedHere(const std::string& path) {
        const std::optional<LockOwner> owner = lockOf(path);
        return owner && owner->processId == ::getpid() && owner->host == thisWorkstation().host;
    }

    TempDir files;

  private:
    UtcZone zone_; // the lock texts show local times
};

TEST_F(SharedFileTest, FileOpenElsewhereSaysWhoAndSinceWhenAndOpensOnlyAsChosen) {
    const std::string smith = patient("SMITH.TAV", "Smith");
    writeLock(smith, kAnna, false);
    const QString question = "SMITH.TAV is open on room-2 (user anna) since 2026-12-08 09:14.\n\n"
                             "Open it read-only, to look at it, or open it anyway? If you open "
                             "it anyway and both of you save, the later save asks before it "
                             "replaces the earlier one.";

    load(smith); // cancelled
    const auto asked = script.shownOf(Kind::Choice);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].caption, "File in use");
    EXPECT_EQ(asked[0].text, question);
    EXPECT_EQ(asked[0].answers, QStringList({"Open read-only", "Open anyway"}));
    EXPECT_EQ(title(), "TAVIK 1.0a");
    EXPECT_EQ(document.currentFilePath, "");
    EXPECT_EQ(lockOf(smith), kAnna);

    script.setNextChoice(1); // open anyway
    load(smith);
    EXPECT_EQ(title(), "TAVIK 1.0a - SMITH.TAV");
    EXPECT_FALSE(document.readOnly);
    EXPECT_TRUE(markedHere(smith));
    EXPECT_EQ(find<QLineEdit>("EditLastName")->text(), "Smith");
}

TEST_F(SharedFileTest, ReadOnlyFileIsMarkedInTheTitleAndSavedOnlyUnderAnotherName) {
    const std::string smith = patient("SMITH.TAV", "Smith");
    writeLock(smith, kAnna, false);
    script.setNextChoice(0);
    load(smith);
    EXPECT_EQ(title(), "TAVIK 1.0a - SMITH.TAV (read-only)");
    EXPECT_EQ(document.readOnlyReason, "it is open on room-2 (user anna) since 2026-12-08 09:14");
    EXPECT_EQ(lockOf(smith), kAnna) << "looking leaves anna's mark";

    // Save goes to Save As; the same name is refused while anna has it.
    typeLastName("Smythe");
    script.setNextFileName(QString::fromStdString(smith));
    click("SaveFileSpeedButton");
    const auto told = script.shownOf(Kind::Message);
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(told[0].text, "SMITH.TAV is open read-only here: it is open on room-2 (user anna) "
                            "since 2026-12-08 09:14. Save your work under another name.");
    const auto refused = script.shownOf(Kind::Warning);
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_EQ(refused[0].text, "SMITH.TAV is open on room-2 (user anna) since 2026-12-08 09:14. "
                               "Save under another name, or once it is closed there.");
    EXPECT_EQ(lastNameIn(smith), "Smith");
    EXPECT_TRUE(document.modified);

    const std::string copy = files.file("COPY.TAV");
    script.setNextFileName(QString::fromStdString(copy));
    click("SaveFileSpeedButton");
    EXPECT_EQ(lastNameIn(copy), "Smythe");
    EXPECT_EQ(lastNameIn(smith), "Smith");
    EXPECT_EQ(title(), "TAVIK 1.0a - COPY.TAV");
    EXPECT_FALSE(document.readOnly);
    EXPECT_TRUE(markedHere(copy));
    EXPECT_EQ(lockOf(smith), kAnna);
}

TEST_F(SharedFileTest, MarkFollowsTheOpenFileAndGoesWhenItIsClosed) {
    const std::string first = patient("FIRST.TAV", "First");
    const std::string second = patient("SECOND.TAV", "Second");
    load(first);
    EXPECT_TRUE(markedHere(first));
    EXPECT_EQ(lockOf(first)->user, thisWorkstation().user);

    load(second);
    EXPECT_EQ(readLockText(first), std::nullopt);
    EXPECT_TRUE(markedHere(second));

    const std::string third = files.file("THIRD.TAV");
    script.setNextFileName(QString::fromStdString(third));
    trigger("SaveAs1");
    EXPECT_EQ(readLockText(second), std::nullopt);
    EXPECT_TRUE(markedHere(third));

    trigger("New1");
    EXPECT_EQ(readLockText(third), std::nullopt);

    load(first);
    load(first); // the same file again: still ours, nothing asked
    EXPECT_TRUE(script.shownOf(Kind::Choice).empty());
    EXPECT_TRUE(markedHere(first));
    // Anna opened it anyway meanwhile: loading it again asks, and taking it back keeps it.
    writeLock(first, kAnna, true);
    script.setNextChoice(1);
    load(first);
    EXPECT_EQ(script.shownOf(Kind::Choice).size(), 1u);
    EXPECT_TRUE(markedHere(first));
    ASSERT_TRUE(closeProgram());
    EXPECT_EQ(readLockText(first), std::nullopt);
    // Only the three patient files are left, and the history the save kept.
    std::vector<std::string> left;
    for (const auto& entry : std::filesystem::directory_iterator(files.path()))
        left.push_back(entry.path().filename().string());
    std::ranges::sort(left);
    EXPECT_EQ(left, (std::vector<std::string>{"FIRST.TAV", "SECOND.TAV", "THIRD.TAV",
                                              "THIRD.TAV.history"}));
}

TEST_F(SharedFileTest, MarkOfAProgramOnThisComputerTellsWhetherItStillRuns) {
    const std::string smith = patient("SMITH.TAV", "Smith");
    const pid_t ended = ::fork();
    if (ended == 0)
        ::_exit(0);
    ::waitpid(ended, nullptr, 0);
    const std::string host = thisWorkstation().host;
    writeLock(smith, {"anna", host, ended, kMorning}, false);

    load(smith);
    EXPECT_TRUE(script.shownOf(Kind::Choice).empty());
    EXPECT_EQ(fmWinMain->statusText(0), "SMITH.TAV was left open by a TAVIK here that ended "
                                        "(user anna, since 2026-12-08 09:14); taken over.");
    EXPECT_TRUE(markedHere(smith));

    // A program that runs (process 1 always does) keeps its mark.
    trigger("New1");
    writeLock(smith, {"anna", host, 1, kMorning}, false);
    load(smith);
    const auto asked = script.shownOf(Kind::Choice);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_TRUE(asked[0].text.startsWith("SMITH.TAV is open in another TAVIK on this computer "
                                         "(user anna, process 1) since 2026-12-08 09:14.\n\n"));

    writeBytes(lockPathFor(smith), {'P', 'K', 3, 4});
    load(smith);
    EXPECT_TRUE(script.shownOf(Kind::Choice)
                    .at(1)
                    .text.startsWith("SMITH.TAV is open elsewhere, but its mark .SMITH.TAV.lock "
                                     "cannot be read to say where.\n\n"));
}

TEST_F(SharedFileTest, SaveOverAFileChangedOnDiskAsksNamingTheTimeOfTheChange) {
    const std::string smith = patient("SMITH.TAV", "Smith");
    load(smith);
    // Another workstation saves its own change, and later only touches the file.
    patient("SMITH.TAV", "Jones");
    const timespec times[2] = {{kMorning, 0}, {kMorning, 0}};
    ::utimensat(AT_FDCWD, smith.c_str(), times, 0);
    typeLastName("Smythe");

    click("SaveFileSpeedButton"); // cancelled
    const auto asked = script.shownOf(Kind::Choice);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].caption, "File changed");
    EXPECT_EQ(asked[0].text,
              "SMITH.TAV was changed on disk at 2026-12-08 09:14, after it was opened or saved "
              "here: by another workstation or another program.\n\nSave your work under another "
              "name, or replace the file with it? The version replaced is kept in the file's "
              "history.");
    EXPECT_EQ(asked[0].answers, QStringList({"Save As...", "Replace"}));
    EXPECT_EQ(lastNameIn(smith), "Jones");
    EXPECT_TRUE(document.modified);

    const std::string mine = files.file("MINE.TAV");
    script.setNextChoice(0);
    script.setNextFileName(QString::fromStdString(mine));
    click("SaveFileSpeedButton");
    EXPECT_EQ(lastNameIn(mine), "Smythe");
    EXPECT_EQ(lastNameIn(smith), "Jones");
    EXPECT_EQ(title(), "TAVIK 1.0a - MINE.TAV");

    // Back on the changed file: Replace writes it, and then it is known again.
    load(smith);
    patient("SMITH.TAV", "Brown");
    typeLastName("Black");
    script.setNextChoice(1);
    click("SaveFileSpeedButton");
    EXPECT_EQ(lastNameIn(smith), "Black");
    // Brown, written behind our back and replaced, is kept first, then the save made here.
    std::vector<std::string> kept;
    for (const KeptVersion& version : readHistory(smith).versions)
        kept.emplace_back(version.record.lastName);
    EXPECT_EQ(kept, (std::vector<std::string>{"Brown", "Black"}));
    ::utimensat(AT_FDCWD, smith.c_str(), times, 0); // touched, not changed
    typeLastName("White");
    click("SaveFileSpeedButton");
    EXPECT_EQ(lastNameIn(smith), "White");
    EXPECT_EQ(script.shownOf(Kind::Choice).size(), 3u) << "the touched file saved unasked";
}

} // namespace
