// The document commands: New, Load, Save and Save As, opening a file named on the
// command line, and the question about unsaved changes before a command or closing
// would drop them. The window title and the second status panel follow the document.
#pragma once

#include "app/sharedfile.h"

#include <QString>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

class TfmWinMain;
struct FittingRecord;
struct KeptVersion;
struct HistoryRead;

inline const QString kUnsavedChangesText = QStringLiteral(
    "You have unsaved changes in the current file.  Would you like to save before continuing?");

class DocumentCommands {
  public:
    explicit DocumentCommands(TfmWinMain& window) : window_(window) {}

    void newDocument();
    void loadDocument();
    // True when the file was written; false when its dialog was cancelled or a page
    // shown holds what it cannot store (the page says why). A file
    // that cannot be written raises FileError and leaves the document as it was.
    bool saveDocument(bool saveAs);
    // Whether the main window may close.
    bool confirmClose();
    // Opens the file at start when the path names an existing file; otherwise nothing.
    void openFromCommandLine(const QString& path);
    // Load without its dialog: a patient from the list, a recent file, a dropped file
    // or one handed over by a second start, opened after the unsaved-changes
    // question. False when the clinician kept the document open.
    bool openDocument(const QString& path);

    // File > History...: the kept versions of the patient file (app/historycommands.cpp);
    // one is opened read-only, Save then asking for a new name, or restored as the
    // current record, an unsaved change.
    void showHistory();
    // Whether a kept version is shown read-only.
    bool viewingVersion() const { return !viewedSource_.empty(); }
    // The window closes: the file is no longer open here.
    void closeFile();
    // Loads every page made from the record, as after Load and an undo.
    void loadPages();

    // Told the path of each file opened or saved.
    std::function<void(const QString& path)> onFileUsed;

  private:
    // False when the command that asks should stop.
    bool askToSave();
    // False when the clinician chose not to open a file open elsewhere.
    bool openFile(const QString& path, bool hidePages);
    void applyOpening(const SharedFile::Opening& opening);
    // The path a save goes to, asked for where needed; nothing stops the save.
    std::optional<std::string> saveTarget(bool saveAs);
    void hideDataPages();
    void storeVisiblePages();
    void showPatientPage();
    void showTitle();
    void forgetFileHistory();
    void clearModified();
    void tellFileUsed(const std::string& path);

    void viewVersion(const HistoryRead& history, std::size_t index, const std::string& source);
    void restoreVersion(const KeptVersion& version, const std::string& source, int number);
    void replaceRecord(const FittingRecord& record, const std::string& path);
    void leaveVersionView();
    bool shownPageCanLeaveForHistory() const;

    TfmWinMain& window_;
    std::string viewedSource_; // the file whose kept version is shown read-only
    QString viewedNote_;       // which version that is, for the title and the banner
    SharedFile sharing_;
};
