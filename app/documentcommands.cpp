#include "app/documentcommands.h"

#include "app/winmain.h"
#include "controls/pageform.h"
#include "model/document.h"
#include "model/fileio.h"
#include "model/patientfile.h"
#include "model/prediction.h"
#include "platform/dialogservice.h"

#include <QFileInfo>

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
    showTitle();
    hideDataPages();
    resetFitting();
    document.measuredLevels = {};
    ++document.patientNumber;
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
    openFile(QFileInfo(path).absoluteFilePath(), true);
    return true;
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
void DocumentCommands::openFile(const QString& path, bool hidePages) {
    const std::string file = path.toStdString();
    FittingRecord record = fitting;
    const PatientFileKind kind =
        readPatientFile(file, record, document.legacyImage, todayTestDate(systemDateSeparator()));

    document.currentFilePath = file;
    document.currentFileName = fileNameOf(file);
    document.dataPath = folderOf(file);
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
    } else {
        fitting = record;
        document.measuredLevels = measuredFromRecord(fitting);
    }
    showTitle();
    loadPages();
    showPatientPage();
    clearModified();
    startHistory();
    if (kind != PatientFileKind::Unsupported)
        tellFileUsed(file);
}

bool DocumentCommands::saveDocument(bool saveAs) {
    if (!shownPageCanStore(window_))
        return false;
    std::string path = document.currentFilePath;
    const bool chooseName = path.empty() || saveAs;
    if (chooseName) {
        const std::string folder =
            path.empty() ? document.dataPath : folderOf(document.currentFilePath);
        const std::optional<QString> chosen = dialogs().saveFileName(
            &window_, {QStringLiteral("Save this file as..."), fromPath(folder),
                       fromPath(document.currentFileName)});
        if (!chosen)
            return false;
        path = chosen->toStdString();
    }
    storeVisiblePages();
    // Only a file that was written becomes the current one.
    writePatientFile(path);
    if (chooseName) {
        document.currentFilePath = path;
        document.currentFileName = fileNameOf(path);
        document.dataPath = folderOf(path);
    }
    showTitle();
    clearModified();
    tellFileUsed(path);
    return true;
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
    window_.setWindowTitle(title);
}

void DocumentCommands::tellFileUsed(const std::string& path) {
    if (onFileUsed)
        onFileUsed(fromPath(path));
}

void DocumentCommands::clearModified() {
    markSaved();
    window_.setStatusText(1, QString());
}
