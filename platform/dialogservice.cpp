#include "platform/dialogservice.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {

DialogService* installed = nullptr;

void showBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<QString> runFileDialog(QWidget* parent, const FileDialogRequest& request,
                                     QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, request.title, request.folder, kPatientFileFilter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(kPatientFileSuffix);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace

DialogService& dialogs() {
    static QtDialogService real;
    return installed ? *installed : real;
}

void installDialogService(DialogService* service) {
    installed = service;
}

DialogAnswer QtDialogService::confirm(QWidget* parent, const QString& caption,
                                      const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return DialogAnswer::Yes;
    case QMessageBox::No:
        return DialogAnswer::No;
    default:
        return DialogAnswer::Cancel;
    }
}

void QtDialogService::error(QWidget* parent, const QString& caption, const QString& text) {
    showBox(parent, QMessageBox::Critical, caption, text);
}

void QtDialogService::message(QWidget* parent, const QString& caption, const QString& text) {
    showBox(parent, QMessageBox::NoIcon, caption, text);
}

std::optional<QString> QtDialogService::openFileName(QWidget* parent,
                                                     const FileDialogRequest& request) {
    return runFileDialog(parent, request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtDialogService::saveFileName(QWidget* parent,
                                                     const FileDialogRequest& request) {
    return runFileDialog(parent, request, QFileDialog::AcceptSave);
}
