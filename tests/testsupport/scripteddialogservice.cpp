#include "testsupport/scripteddialogservice.h"

#include <QDialog>

std::vector<ScriptedDialogService::Shown> ScriptedDialogService::shownOf(Kind kind) const {
    std::vector<Shown> result;
    for (const Shown& s : shown_) {
        if (s.kind == kind)
            result.push_back(s);
    }
    return result;
}

void ScriptedDialogService::record(Shown shown) {
    shown_.push_back(std::move(shown));
    if (onShown)
        onShown(shown_.back());
}

void ScriptedDialogService::clear() {
    answers_.clear();
    choices_.clear();
    fileNames_.clear();
    modals_.clear();
    printers_.clear();
    previewTargets_.clear();
    printerInstalled_ = true;
    shown_.clear();
}

DialogAnswer ScriptedDialogService::nextAnswer(DialogAnswer otherwise) {
    if (answers_.empty())
        return otherwise;
    const DialogAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
}

DialogAnswer ScriptedDialogService::confirm(QWidget*, const QString& caption, const QString& text) {
    record({Kind::Confirm, caption, text, {}});
    return nextAnswer(DialogAnswer::Cancel);
}

DialogAnswer ScriptedDialogService::question(QWidget*, const QString& caption,
                                             const QString& text) {
    record({Kind::Question, caption, text, {}});
    return nextAnswer(DialogAnswer::No);
}

std::optional<int> ScriptedDialogService::choose(QWidget*, const QString& caption,
                                                 const QString& text, const QStringList& answers) {
    Shown shown{Kind::Choice, caption, text, {}};
    shown.answers = answers;
    record(std::move(shown));
    if (choices_.empty())
        return std::nullopt;
    const std::optional<int> answer = choices_.front();
    choices_.pop_front();
    return answer;
}

void ScriptedDialogService::error(QWidget*, const QString& caption, const QString& text) {
    record({Kind::Error, caption, text, {}});
}

void ScriptedDialogService::message(QWidget*, const QString& caption, const QString& text) {
    record({Kind::Message, caption, text, {}});
}

void ScriptedDialogService::warning(QWidget*, const QString& caption, const QString& text) {
    record({Kind::Warning, caption, text, {}});
}

bool ScriptedDialogService::showModal(QDialog& dialog) {
    record({Kind::Modal, dialog.windowTitle(), {}, {}});
    if (modals_.empty())
        return false;
    const auto answer = std::move(modals_.front());
    modals_.pop_front();
    return answer(dialog);
}

std::optional<PrintChoice> ScriptedDialogService::choosePrinter(QWidget*) {
    record({Kind::Print, {}, {}, {}});
    if (printers_.empty())
        return std::nullopt;
    PrintChoice choice = std::move(printers_.front());
    printers_.pop_front();
    return choice;
}

void ScriptedDialogService::previewReports(QWidget*, int pageCount,
                                           const ReportPageDrawer& drawPage) {
    record({Kind::Preview, {}, {}, {}, pageCount});
    if (previewTargets_.empty())
        return;
    const std::unique_ptr<PrintTarget> target = std::move(previewTargets_.front());
    previewTargets_.pop_front();
    for (int page = 0; page < pageCount; ++page)
        drawPage(*target, page);
}

std::optional<QString> ScriptedDialogService::nextFileName() {
    if (fileNames_.empty())
        return std::nullopt;
    QString path = fileNames_.front();
    fileNames_.pop_front();
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> ScriptedDialogService::openFileName(QWidget*,
                                                           const FileDialogRequest& request) {
    record({Kind::Open, request.title, {}, request});
    return nextFileName();
}

std::optional<QString> ScriptedDialogService::saveFileName(QWidget*,
                                                           const FileDialogRequest& request) {
    record({Kind::Save, request.title, {}, request});
    return nextFileName();
}
