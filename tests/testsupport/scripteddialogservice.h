// A dialog service that answers from a script and remembers every dialog it was
// asked to show, for tests that drive the real windows without a person.
#pragma once

#include "platform/dialogservice.h"

#include <deque>
#include <functional>
#include <vector>

class ScriptedDialogService final : public DialogService {
  public:
    enum class Kind {
        Confirm,
        Question,
        Choice,
        Error,
        Message,
        Warning,
        Modal,
        Print,
        Preview,
        Open,
        Save
    };
    struct Shown {
        Kind kind;
        QString caption;
        QString text;
        FileDialogRequest request;
        int pageCount = 0;   // of a preview
        QStringList answers{}; // offered by a choice
    };

    // The answer to the next question. Without one a question is answered Cancel, and
    // a Yes/No question No.
    void setNextAnswer(DialogAnswer answer) { answers_.push_back(answer); }
    // The index of the answer the next choice takes; nothing cancels it. Without one a
    // choice is cancelled.
    void setNextChoice(std::optional<int> answer) { choices_.push_back(answer); }
    // The path the next file dialog returns; an empty one cancels the dialog. Without
    // one a file dialog is cancelled.
    void setNextFileName(const QString& path) { fileNames_.push_back(path); }

    // How the next modal dialog is answered: the function sees the dialog (to tick
    // boxes, read captions, check its place) and returns true for OK. Without one a
    // modal dialog is closed without OK.
    void setNextModal(std::function<bool(QDialog&)> answer) {
        modals_.push_back(std::move(answer));
    }
    // Whether a printer is installed (yes unless told).
    void setPrinterInstalled(bool installed) { printerInstalled_ = installed; }
    // The target and copy count the next print dialog returns. Without one the print
    // dialog is cancelled.
    void setNextPrinter(std::unique_ptr<PrintTarget> target, int copies) {
        printers_.push_back(PrintChoice{std::move(target), copies});
    }

    // Where the next preview draws its pages. Without one a preview is only recorded.
    void setNextPreviewTarget(std::unique_ptr<PrintTarget> target) {
        previewTargets_.push_back(std::move(target));
    }

    // Called as each dialog is shown, for tests that look at the windows at that moment.
    std::function<void(const Shown&)> onShown;

    const std::vector<Shown>& shown() const { return shown_; }
    std::vector<Shown> shownOf(Kind kind) const;
    void clear();

    DialogAnswer confirm(QWidget* parent, const QString& caption, const QString& text) override;
    DialogAnswer question(QWidget* parent, const QString& caption, const QString& text) override;
    std::optional<int> choose(QWidget* parent, const QString& caption, const QString& text,
                              const QStringList& answers) override;
    void error(QWidget* parent, const QString& caption, const QString& text) override;
    void message(QWidget* parent, const QString& caption, const QString& text) override;
    void warning(QWidget* parent, const QString& caption, const QString& text) override;
    bool showModal(QDialog& dialog) override;
    bool printerInstalled() override { return printerInstalled_; }
    std::optional<PrintChoice> choosePrinter(QWidget* parent) override;
    void previewReports(QWidget* parent, int pageCount, const ReportPageDrawer& drawPage) override;
    std::optional<QString> openFileName(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> saveFileName(QWidget* parent, const FileDialogRequest& request) override;

  private:
    void record(Shown shown);
    std::optional<QString> nextFileName();
    DialogAnswer nextAnswer(DialogAnswer otherwise);

    std::deque<DialogAnswer> answers_;
    std::deque<std::optional<int>> choices_;
    std::deque<QString> fileNames_;
    std::deque<std::function<bool(QDialog&)>> modals_;
    std::deque<PrintChoice> printers_;
    std::deque<std::unique_ptr<PrintTarget>> previewTargets_;
    bool printerInstalled_ = true;
    std::vector<Shown> shown_;
};
