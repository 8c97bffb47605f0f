// A dialog service that answers from a script and remembers every dialog it was
// asked to show, for tests that drive the real windows without a person.
#pragma once

#include "platform/dialogservice.h"

#include <deque>
#include <vector>

class ScriptedDialogService final : public DialogService {
  public:
    enum class Kind { Confirm, Error, Message, Open, Save };
    struct Shown {
        Kind kind;
        QString caption;
        QString text;
        FileDialogRequest request;
    };

    // The answer to the next question. Without one a question is answered Cancel.
    void setNextAnswer(DialogAnswer answer) { answers_.push_back(answer); }
    // The path the next file dialog returns; an empty one cancels the dialog. Without
    // one a file dialog is cancelled.
    void setNextFileName(const QString& path) { fileNames_.push_back(path); }

    const std::vector<Shown>& shown() const { return shown_; }
    std::vector<Shown> shownOf(Kind kind) const;
    void clear();

    DialogAnswer confirm(QWidget* parent, const QString& caption, const QString& text) override;
    void error(QWidget* parent, const QString& caption, const QString& text) override;
    void message(QWidget* parent, const QString& caption, const QString& text) override;
    std::optional<QString> openFileName(QWidget* parent, const FileDialogRequest& request) override;
    std::optional<QString> saveFileName(QWidget* parent, const FileDialogRequest& request) override;

  private:
    std::optional<QString> nextFileName();

    std::deque<DialogAnswer> answers_;
    std::deque<QString> fileNames_;
    std::vector<Shown> shown_;
};
