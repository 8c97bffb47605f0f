// File > History...: the window's side of the save history. A version opened to look
// at is shown read-only: the document has no file, so Save asks for a new name, and
// the title and a banner over every page say which version it is. A restored version
// becomes the current record of the file, an unsaved change like any edit.
#include "app/documentcommands.h"

#include "app/historydialog.h"
#include "app/winmain.h"
#include "curves/earaids.h"
#include "model/document.h"
#include "model/fileio.h"
#include "model/patientfile.h"
#include "model/prediction.h"
#include "platform/dialogservice.h"

namespace {

QString upperName(const std::string& path) {
    return QString::fromStdString(fileNameOf(path)).toUpper();
}

// "version 3 of SMITH.TAV, saved 2030-01-02 09:30 by ann on room-1"
QString versionText(const KeptVersion& version, const std::string& source, int number) {
    return QStringLiteral("version %1 of %2, saved %3 by %4 on %5")
        .arg(number)
        .arg(upperName(source), TfmHistory::savedAtText(version.stamp.savedAt),
             QString::fromStdString(version.stamp.user),
             QString::fromStdString(version.stamp.host));
}

// The record a patient file's bytes hold; bytes of no current patient file give a
// record of zeros, which no file matches, so that the restored version counts as
// unsaved.
FittingRecord recordOf(const std::vector<uint8_t>& bytes) {
    FittingRecord record{};
    LegacyImage legacy{};
    if (parsePatientImage(bytes, record, legacy, "") != PatientFileKind::Current)
        return FittingRecord{};
    return record;
}

// The bytes the patient file holds now, by which a later change on disk is noticed;
// none when it cannot be read.
std::vector<uint8_t> bytesOnDisk(const std::string& path) {
    try {
        return readFileHead(path, kLegacyFileSize);
    } catch (const FileError&) {
        return {};
    }
}

} // namespace

void DocumentCommands::showHistory() {
    const std::string source = viewedSource_.empty() ? document.currentFilePath : viewedSource_;
    if (source.empty()) {
        dialogs().message(&window_, QStringLiteral("History"),
                          QStringLiteral("This patient has not been saved yet, so no versions "
                                         "are kept."));
        return;
    }
    const HistoryRead history = readHistory(source);
    TfmHistory dialog(&window_, history, upperName(source),
                      [](int32_t choice) { return aidChoiceName(choice, aidDatabase); });
    if (!dialogs().showModal(dialog))
        return;
    const TfmHistory::Choice choice = dialog.choice();
    if (choice.version < 0)
        return;
    const auto index = static_cast<std::size_t>(choice.version);
    if (choice.action == TfmHistory::Action::Open)
        viewVersion(history, index, source);
    else if (choice.action == TfmHistory::Action::Restore)
        restoreVersion(history.versions[index], source, choice.version + 1);
}

void DocumentCommands::viewVersion(const HistoryRead& history, std::size_t index,
                                   const std::string& source) {
    if (!shownPageCanLeaveForHistory() || !askToSave())
        return;
    const KeptVersion& version = history.versions[index];
    replaceRecord(version.record, "");
    // The Overview compares the version with a visit kept before it, never a later one.
    document.history.emplace();
    document.history->versions.assign(
        history.versions.begin(), history.versions.begin() + static_cast<std::ptrdiff_t>(index));
    viewedSource_ = source;
    viewedNote_ = versionText(version, source, static_cast<int>(index) + 1);
    document.dataPath = folderOf(source);
    showTitle();
    showPatientPage();
    clearModified();
    startHistory();
}

void DocumentCommands::restoreVersion(const KeptVersion& version, const std::string& source,
                                      int number) {
    const QString question =
        QStringLiteral("Restore %1 as the current record?\n\nThe record shown now is replaced. "
                       "Nothing is written until you save; the version saved then is kept in "
                       "the history too.")
            .arg(versionText(version, source, number));
    if (!shownPageCanLeaveForHistory() ||
        dialogs().question(&window_, QStringLiteral("Restore"), question) != DialogAnswer::Yes)
        return;
    // Looking at a version, the document held that version, not the file: the file is
    // opened again as Load opens it, marked for the other workstations (or asked about
    // when one of them has it open), and the restore is compared with it as on disk.
    const bool reopen = viewingVersion();
    SharedFile::Opening opening{SharedFile::OpenChoice::Writable, {}, {}};
    std::vector<uint8_t> onDisk;
    if (reopen) {
        opening = sharing_.claim(&window_, source);
        if (opening.choice == SharedFile::OpenChoice::Cancel)
            return;
        onDisk = bytesOnDisk(source);
        document.fileImage = recordOf(onDisk);
    }
    replaceRecord(version.record, source);
    if (reopen) {
        sharing_.opened(source, onDisk, opening.choice == SharedFile::OpenChoice::ReadOnly);
        applyOpening(opening);
        forgetFileHistory();
    }
    showTitle();
    showPatientPage();
    commitChange("restore of version " + std::to_string(number), {"fmClientInfo", {}});
}

// The record takes the place of the one shown, as Load does, on every page.
void DocumentCommands::replaceRecord(const FittingRecord& record, const std::string& path) {
    hideDataPages();
    leaveVersionView();
    // A version looked at is no file of ours: the file open before is closed here, so
    // that other workstations may have it.
    if (path.empty()) {
        sharing_.close();
        applyOpening({SharedFile::OpenChoice::Writable, {}, {}});
    }
    document.currentFilePath = path;
    document.currentFileName = path.empty() ? std::string() : fileNameOf(path);
    ++document.patientNumber;
    fitting = record;
    document.measuredLevels = measuredFromRecord(fitting);
    loadPages();
}

void DocumentCommands::leaveVersionView() {
    viewedSource_.clear();
    viewedNote_.clear();
    window_.showVersionBanner(QString());
}
