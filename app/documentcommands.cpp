#include "app/documentcommands.h"

#include "app/winmain.h"
#include "controls/pageform.h"
#include "model/document.h"
#include "model/fileio.h"
#include "model/patientfile.h"
#include "model/patientfilename.h"
#include "model/patienthistory.h"
#include "model/patientscan.h"
#include "model/prediction.h"
#include "model/settings.h"
#include "model/textslot.h"
#include "platform/dialogservice.h"

#include <QFileInfo>

#include <exception>

namespace {

QString fromPath(const std::string& path) {
    return QString::fromStdString(path);
}

// New and Load hide the pages; a page that cannot store what it shows keeps the
// clinician there instead, before any question is asked.
bool shownPageCanLeave(const TfmWinMain& window) {
    for (const Page& page : window.pages()) {
        if (page.isShown() && !page.form->canLeave())
            return false;
    }
    return true;
}

// Save stores the pages shown; one that holds what it cannot store says why and
// stops the save, so that neither the file nor the record gets half of it.
bool shownPageCanStore(const TfmWinMain& window) {
    for (const Page& page : window.pages()) {
        if (page.isShown() && !page.form->canStore())
            return false;
    }
    return true;
}

// The name Save As proposes for a patient not yet saved, from the last name shown,
// clear of every file the folder holds; a folder that cannot be read proposes only
// what the last name gives.
QString proposedName(const std::string& folder) {
    std::error_code ignored;
    std::vector<std::string> taken;
    for (const PatientFolderEntry& entry : listFolderEntries(folder, ignored))
        taken.push_back(entry.name);
    return fromPath(proposedPatientFileName(readText(fitting.lastName), taken));
}

bool shownPageCanClose(const TfmWinMain& window) {
    for (const Page& page : window.pages()) {
        if (page.isShown() && !page.form->canClose())
            return false;
    }
    return true;
}

} // namespace

bool DocumentCommands::askToSave() {
    if (!document.modified)
        return true;
    switch (dialogs().confirm(&window_, QStringLiteral("Confirm"), kUnsavedChangesText)) {
    case DialogAnswer::Yes:
        // A save whose dialog is cancelled stops the command: the changes are kept.
        return saveDocument(false);
    case DialogAnswer::No:
        return true;
    default:
        return false;
    }
}

void DocumentCommands::newDocument() {
    if (!shownPageCanLeave(window_) || !askToSave())
        return;
    document.currentFilePath.clear();
    document.currentFileName.clear();
    leaveVersionView();
    sharing_.close();
    applyOpening({SharedFile::OpenChoice::Writable, {}, {}});
    showTitle();
    hideDataPages();
    resetFitting();
    document.measuredLevels = {};
    ++document.patientNumber;
    forgetFileHistory();
    clearModified();
    loadPages();
    showPatientPage();
    startHistory();
}

void DocumentCommands::loadDocument() {
    if (!shownPageCanLeave(window_) || !askToSave())
        return;
    const std::optional<QString> chosen = dialogs().openFileName(
        &window_, {QStringLiteral("Load a file"), fromPath(document.dataPath), QString()});
    if (!chosen)
        return;
    openFile(*chosen, true);
}

bool DocumentCommands::openDocument(const QString& path) {
    if (!shownPageCanLeave(window_) || !askToSave())
        return false;
    return openFile(QFileInfo(path).absoluteFilePath(), true);
}

void DocumentCommands::openFromCommandLine(const QString& path) {
    const QFileInfo file(path);
    if (!file.exists() || file.isDir())
        return;
    openFile(file.absoluteFilePath(), false);
}

// The file is read into a record of its own first. A file that cannot be read raises
// FileError before anything changes: the document, its name, the title and the data
// folder stay as they were, and a later Save cannot overwrite the unreadable file.
// So does a file open elsewhere that the clinician then chooses not to open.
bool DocumentCommands::openFile(const QString& path, bool hidePages) {
    const std::string file = path.toStdString();
    FittingRecord record = fitting;
    LegacyImage legacy = document.legacyImage;
    const std::vector<uint8_t> bytes = readFileHead(file, kLegacyFileSize);
    const PatientFileKind kind =
        parsePatientImage(bytes, record, legacy, todayTestDate(systemDateSeparator()));
    SharedFile::Opening opening;
    if (kind != PatientFileKind::Unsupported) {
        opening = sharing_.claim(&window_, file);
        if (opening.choice == SharedFile::OpenChoice::Cancel)
            return false;
    }

    document.legacyImage = legacy;
    document.currentFilePath = file;
    document.currentFileName = fileNameOf(file);
    document.dataPath = folderOf(file);
    leaveVersionView();
    if (hidePages)
        hideDataPages();
    ++document.patientNumber;
    if (kind == PatientFileKind::Unsupported) {
        dialogs().error(&window_, QStringLiteral("Error"),
                        QString::fromLatin1(kUnsupportedFileMessage));
        document.currentFilePath.clear();
        document.currentFileName.clear();
        resetFitting();
        document.measuredLevels = {};
        sharing_.close();
    } else {
        fitting = record;
        document.measuredLevels = measuredFromRecord(fitting);
        sharing_.opened(file, bytes, opening.choice == SharedFile::OpenChoice::ReadOnly);
    }
    applyOpening(opening);
    showTitle();
    forgetFileHistory();
    loadPages();
    showPatientPage();
    clearModified();
    startHistory();
    if (kind != PatientFileKind::Unsupported)
        tellFileUsed(file);
    return true;
}

void DocumentCommands::applyOpening(const SharedFile::Opening& opening) {
    document.readOnly = opening.choice == SharedFile::OpenChoice::ReadOnly;
    document.readOnlyReason = opening.readOnlyReason.toStdString();
    if (!opening.note.isEmpty())
        window_.setStatusText(0, opening.note);
}

bool DocumentCommands::saveDocument(bool saveAs) {
    if (!shownPageCanStore(window_))
        return false;
    const std::optional<std::string> target = saveTarget(saveAs);
    if (!target)
        return false;
    const std::string& path = *target;
    storeVisiblePages();
    // Only a file that was written becomes the current one. A history that could not
    // keep this version does not stop the save; the clinician is told why.
    const std::string historyProblem = savePatientWithHistory(path, fitting, stampNow());
    if (path != document.currentFilePath) {
        document.currentFilePath = path;
        document.currentFileName = fileNameOf(path);
        document.dataPath = folderOf(path);
    }
    const auto* written = reinterpret_cast<const uint8_t*>(&fitting);
    applyOpening(
        {SharedFile::OpenChoice::Writable, {}, sharing_.saved(path, {written, sizeof fitting})});
    leaveVersionView();
    showTitle();
    forgetFileHistory();
    clearModified();
    tellFileUsed(path);
    if (!historyProblem.empty())
        dialogs().warning(&window_, QStringLiteral("History"),
                          QString::fromStdString(historyProblem));
    return true;
}

// A file open read-only here, or one without a name, is saved under a name the
// clinician chooses; a file open elsewhere, or changed on disk since we read or wrote
// it, is not replaced without a word.
std::optional<std::string> DocumentCommands::saveTarget(bool saveAs) {
    std::string path = document.currentFilePath;
    bool chooseName = path.empty() || saveAs;
    if (!chooseName && document.readOnly) {
        dialogs().message(
            &window_, QStringLiteral("Read-only"),
            QStringLiteral("%1 is open read-only here: %2. Save your work under "
                           "another name.")
                .arg(fromPath(document.currentFileName), fromPath(document.readOnlyReason)));
        chooseName = true;
    }
    if (chooseName) {
        // A patient not yet saved is proposed a name in the patient list's folder.
        const bool fresh = path.empty();
        if (fresh)
            storeVisiblePages();
        const std::string folder =
            fresh ? readPatientFolder(document) : folderOf(document.currentFilePath);
        const std::optional<QString> chosen = dialogs().saveFileName(
            &window_, {QStringLiteral("Save this file as..."), fromPath(folder),
                       fresh ? proposedName(folder) : fromPath(document.currentFileName)});
        if (!chosen)
            return std::nullopt;
        path = chosen->toStdString();
    }
    switch (sharing_.checkSave(&window_, path)) {
    case SharedFile::SaveChoice::Replace:
        return path;
    case SharedFile::SaveChoice::SaveElsewhere:
        return saveTarget(true);
    default:
        return std::nullopt;
    }
}

void DocumentCommands::closeFile() {
    sharing_.close();
}

// The patient document first; then the page shown, which may still hold what it
// cannot store.
bool DocumentCommands::confirmClose() {
    return askToSave() && shownPageCanClose(window_);
}

// Every page but the patient page, which New and Load show again; each stores its
// data as it hides.
void DocumentCommands::hideDataPages() {
    const Page* patientPage = &window_.pages().front();
    for (const Page& page : window_.pages()) {
        if (&page != patientPage && page.isShown())
            page.form->hide();
    }
}

// Hidden pages stored their data when they were hidden; a page never shown holds
// nothing of its own.
void DocumentCommands::storeVisiblePages() {
    for (const Page& page : window_.pages()) {
        if (page.isShown())
            page.form->storeToRecord();
    }
}

// A page not yet made loads the record when it is first shown.
void DocumentCommands::loadPages() {
    for (const Page& page : window_.pages()) {
        if (page.form)
            page.form->loadFromRecord();
    }
}

void DocumentCommands::showPatientPage() {
    window_.placeFirstPage();
}

void DocumentCommands::showTitle() {
    QString title = fromPath(document.titleBase);
    if (!document.currentFilePath.empty())
        title += QStringLiteral(" - ") + fromPath(document.currentFileName).toUpper();
    if (viewingVersion()) {
        title += QStringLiteral(" - ") + viewedNote_ + QStringLiteral(" (read-only)");
        window_.showVersionBanner(
            QStringLiteral("Read-only: %1. Save asks for a new name.").arg(viewedNote_));
    } else if (document.readOnly) {
        title += QStringLiteral(" (read-only)");
    }
    window_.setWindowTitle(title);
}

bool DocumentCommands::shownPageCanLeaveForHistory() const {
    return shownPageCanLeave(window_);
}

void DocumentCommands::tellFileUsed(const std::string& path) {
    if (onFileUsed)
        onFileUsed(fromPath(path));
}

// The open file's kept versions, read once per New, Load and Save for the Overview's
// previous visit. A history that cannot be read leaves the Overview without one; the
// file itself was read or written all the same.
// The history is read again when next needed (openFileHistory), not at every save.
void DocumentCommands::forgetFileHistory() {
    document.history.reset();
}

void DocumentCommands::clearModified() {
    markSaved();
    window_.setStatusText(1, QString());
}
