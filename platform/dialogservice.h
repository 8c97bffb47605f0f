// Every message box and file dialog of the program goes through one service, so
// that tests can answer them from a script instead of a person.
#pragma once

#include "platform/printtarget.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

class QDialog;
class QWidget;

enum class DialogAnswer { Yes, No, Cancel, Ok };

inline const QString kPatientFileFilter = QStringLiteral("TAVIK files (*.TAV)");
inline const QString kPatientFileSuffix = QStringLiteral("TAV");

// What a file dialog is opened with. Unless told otherwise both kinds offer "TAVIK
// files (*.TAV)" and add "TAV" to a name typed without an extension; they leave the
// current folder alone, and the save dialog asks before replacing an existing file.
struct FileDialogRequest {
    QString title;
    QString folder;
    QString fileName;
    QString filter = kPatientFileFilter;
    QString suffix = kPatientFileSuffix;
};

// What the print dialog hands back: where the reports go and how many copies of each
// the clinician asked for. The copies are printed as separate documents, so the
// target itself prints each document once.
struct PrintChoice {
    std::unique_ptr<PrintTarget> target;
    int copies = 1;
};

// Draws report page `page` (0-based) as one document on the target.
using ReportPageDrawer = std::function<void(PrintTarget& target, int page)>;

class DialogService {
  public:
    virtual ~DialogService() = default;

    // A question with Yes, No and Cancel and the question icon.
    virtual DialogAnswer confirm(QWidget* parent, const QString& caption, const QString& text) = 0;
    // A question with Yes and No and the question icon; No is the default, for
    // questions where Yes gives something up. Escape answers No.
    virtual DialogAnswer question(QWidget* parent, const QString& caption, const QString& text) = 0;
    // A question with the warning icon whose answers are the program's own words, the
    // first one the default, and Cancel after them (also Escape). The index of the
    // answer chosen, or nothing for Cancel.
    virtual std::optional<int> choose(QWidget* parent, const QString& caption, const QString& text,
                                      const QStringList& answers) = 0;
    // A message with the error icon and one OK button.
    virtual void error(QWidget* parent, const QString& caption, const QString& text) = 0;
    // A message without icon and one OK button.
    virtual void message(QWidget* parent, const QString& caption, const QString& text) = 0;
    // A message with the warning icon and one OK button.
    virtual void warning(QWidget* parent, const QString& caption, const QString& text) = 0;

    // A dialog of the program shown modally; true when it was closed with OK.
    virtual bool showModal(QDialog& dialog) = 0;

    // Whether the system has any printer.
    virtual bool printerInstalled() = 0;
    // The print dialog, without printing to a file: the chosen printer and number of
    // copies, or nothing when it was cancelled.
    virtual std::optional<PrintChoice> choosePrinter(QWidget* parent) = 0;
    // The reports' pages as the printer would get them, in a preview window from
    // which they can be printed. The drawer is called for pages 0 .. pageCount - 1
    // every time the pages are needed: for the screen and again for the printer.
    virtual void previewReports(QWidget* parent, int pageCount,
                                const ReportPageDrawer& drawPage) = 0;

    // The chosen path, or nothing when the dialog was cancelled.
    virtual std::optional<QString> openFileName(QWidget* parent,
                                                const FileDialogRequest& request) = 0;
    virtual std::optional<QString> saveFileName(QWidget* parent,
                                                const FileDialogRequest& request) = 0;
};

// The service in force: the real dialogs unless another one was installed.
DialogService& dialogs();

// Installs a service (tests install a scripted one); nullptr goes back to the real
// dialogs. The caller keeps ownership.
void installDialogService(DialogService* service);

// The real dialogs.
class QtDialogService final : public DialogService {
  public:
    DialogAnswer confirm(QWidget* parent, const QString& caption, const QString& text) override;
    DialogAnswer question(QWidget* parent, const QString& caption, const QString& text) override;
    std::optional<int> choose(QWidget* parent, const QString& caption, const QString& text,
                              const QStringList& answers) override;
    void error(QWidget* parent, const QString& caption, const QString& text) override;
    void message(QWidget* parent, const QString& caption, const QString& text) override;
    void warning(QWidget* parent, const QString& caption, const QString& text) override;
    bool showModal(QDialog& dialog) override;
    bool printerInstalled() override;
    std::optional<PrintChoice> choosePrinter(QWidget* parent) override;
    void previewReports(QWidget* parent, int pageCount, const ReportPageDrawer& drawPage) override;
    std::optional<QString> openFileName(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> saveFileName(QWidget* parent, const FileDialogRequest& request) override;
};
