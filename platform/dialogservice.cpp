#include "platform/dialogservice.h"

#include "platform/reportpreview.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include <algorithm>

namespace {

DialogService* installed = nullptr;

void showBox(QWidget* parent, QMessageBox::Icon icon, const QString& caption, const QString& text) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    box.exec();
}

std::optional<QString> runFileDialog(QWidget* parent, const FileDialogRequest& request,
                                     QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, request.title, request.folder, request.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.suffix);
    if (!request.fileName.isEmpty())
        dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

// A printer chosen in the print dialog. Every document is one print job under its
// own name; the page's origin is the corner of the printable area.
class PrinterTarget final : public PrintTarget {
  public:
    explicit PrinterTarget(std::unique_ptr<QPrinter> printer) : printer_(std::move(printer)) {}
    ~PrinterTarget() override {
        if (painter_.isActive())
            painter_.end();
    }

    QPainter& beginDocument(const QString& name) override {
        printer_->setDocName(name);
        if (!painter_.begin(printer_.get()))
            throw PrintError(
                QStringLiteral("The printer \"%1\" could not start printing the report.")
                    .arg(printer_->printerName())
                    .toStdString());
        return painter_;
    }

    QSize printableSize() const override {
        return printer_->pageRect(QPrinter::DevicePixel).toRect().size();
    }

    void endDocument() override {
        painter_.end();
        if (printer_->printerState() == QPrinter::Error)
            throw PrintError(QStringLiteral("The printer \"%1\" reported an error; the report "
                                            "may not have been printed.")
                                 .arg(printer_->printerName())
                                 .toStdString());
    }

    void abortDocument() override {
        printer_->abort();
        if (painter_.isActive())
            painter_.end();
    }

  private:
    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
};

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

DialogAnswer QtDialogService::question(QWidget* parent, const QString& caption,
                                       const QString& text) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes ? DialogAnswer::Yes : DialogAnswer::No;
}

std::optional<int> QtDialogService::choose(QWidget* parent, const QString& caption,
                                           const QString& text, const QStringList& answers) {
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> buttons;
    for (const QString& answer : answers)
        buttons.append(box.addButton(answer, QMessageBox::AcceptRole));
    box.setEscapeButton(box.addButton(QMessageBox::Cancel));
    if (!buttons.isEmpty())
        box.setDefaultButton(qobject_cast<QPushButton*>(buttons.constFirst()));
    box.exec();
    const qsizetype chosen = buttons.indexOf(box.clickedButton());
    return chosen < 0 ? std::nullopt : std::optional<int>(int(chosen));
}

void QtDialogService::error(QWidget* parent, const QString& caption, const QString& text) {
    showBox(parent, QMessageBox::Critical, caption, text);
}

void QtDialogService::message(QWidget* parent, const QString& caption, const QString& text) {
    showBox(parent, QMessageBox::NoIcon, caption, text);
}

void QtDialogService::warning(QWidget* parent, const QString& caption, const QString& text) {
    showBox(parent, QMessageBox::Warning, caption, text);
}

bool QtDialogService::showModal(QDialog& dialog) {
    return dialog.exec() == QDialog::Accepted;
}

bool QtDialogService::printerInstalled() {
    return !QPrinterInfo::availablePrinterNames().isEmpty();
}

// The copies asked for are printed as separate documents by the program, so the
// printer is set back to one copy of each.
std::optional<PrintChoice> QtDialogService::choosePrinter(QWidget* parent) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), parent);
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const int copies = std::max(1, printer->copyCount());
    printer->setCopyCount(1);
    printer->setOutputFileName(QString());
    return PrintChoice{std::make_unique<PrinterTarget>(std::move(printer)), copies};
}

void QtDialogService::previewReports(QWidget* parent, int pageCount,
                                     const ReportPageDrawer& drawPage) {
    ReportPreviewDialog preview(parent, pageCount, drawPage, printerInstalled());
    preview.exec();
}

std::optional<QString> QtDialogService::openFileName(QWidget* parent,
                                                     const FileDialogRequest& request) {
    return runFileDialog(parent, request, QFileDialog::AcceptOpen);
}

std::optional<QString> QtDialogService::saveFileName(QWidget* parent,
                                                     const FileDialogRequest& request) {
    return runFileDialog(parent, request, QFileDialog::AcceptSave);
}
