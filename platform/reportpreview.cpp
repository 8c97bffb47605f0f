#include "platform/reportpreview.h"

#include <algorithm>

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

// Every report as one page of a single print job on the printer: the preview's
// pages, or the job sent from the preview. The page's origin is the corner of the
// printable area, as for a report printed on its own.
class PrinterPagesTarget final : public PrintTarget {
  public:
    explicit PrinterPagesTarget(QPrinter& printer) : printer_(printer) {}
    ~PrinterPagesTarget() override { finish(); }

    QPainter& beginDocument(const QString& name) override {
        if (pages_ == 0) {
            printer_.setDocName(name);
            if (!painter_.begin(&printer_))
                throw PrintError("The printer could not start printing the reports.");
        } else if (!printer_.newPage()) {
            throw PrintError("The printer could not take another page.");
        }
        ++pages_;
        resetPagePainter(painter_);
        return painter_;
    }

    QSize printableSize() const override {
        return printer_.pageRect(QPrinter::DevicePixel).toRect().size();
    }

    void endDocument() override {}

    // A report that failed part-way takes the whole job with it.
    void abortDocument() override {
        printer_.abort();
        finish();
    }

    void finish() {
        if (painter_.isActive())
            painter_.end();
    }

  private:
    QPrinter& printer_;
    QPainter painter_;
    int pages_ = 0;
};

std::unique_ptr<QPrinter> previewPrinter(bool printerInstalled) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (!printerInstalled) {
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setResolution(kPdfReportResolution);
        printer->setPageLayout(pdfPageLayout(localePaperSize()));
    }
    return printer;
}

QPushButton* addButton(QHBoxLayout* row, const char* text, const char* name, const char* hint) {
    auto* button = new QPushButton(QString::fromUtf8(text));
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(QString::fromLatin1(hint));
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

} // namespace

std::vector<int> pagesWithCopies(int pageCount, int copies) {
    std::vector<int> pages;
    for (int page = 0; page < pageCount; ++page)
        pages.insert(pages.end(), static_cast<std::size_t>(std::max(copies, 1)), page);
    return pages;
}

ReportPreviewDialog::ReportPreviewDialog(QWidget* parent, int pageCount, ReportPageDrawer drawPage,
                                         bool printerInstalled)
    : QDialog(parent), pageCount_(pageCount), drawPage_(std::move(drawPage)),
      printer_(previewPrinter(printerInstalled)) {
    setObjectName(QStringLiteral("ReportPreview"));
    setWindowTitle(QStringLiteral("Print Preview"));
    preview_ = new QPrintPreviewWidget(printer_.get(), this);
    preview_->setObjectName(QStringLiteral("PreviewPages"));
    preview_->setZoomMode(QPrintPreviewWidget::FitInView);
    connect(preview_, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { drawPages(printer, pagesWithCopies(pageCount_, 1)); });
    auto* layout = new QVBoxLayout(this);
    addButtons(layout, printerInstalled);
    layout->addWidget(preview_, 1);

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    resize(std::min(760, screen.width() * 9 / 10), screen.height() * 9 / 10);
}

ReportPreviewDialog::~ReportPreviewDialog() = default;

void ReportPreviewDialog::addButtons(QVBoxLayout* layout, bool printerInstalled) {
    auto* row = new QHBoxLayout;
    layout->addLayout(row);
    PrintButton = addButton(row, "&Print\u2026", "PrintButton", "Print these pages");
    PrintButton->setEnabled(printerInstalled);
    if (!printerInstalled)
        PrintButton->setToolTip(QStringLiteral("No printer is installed"));
    connect(PrintButton, &QPushButton::clicked, this, &ReportPreviewDialog::printPages);
    connect(addButton(row, "Zoom &In", "ZoomInButton", "Show the page larger"),
            &QPushButton::clicked, preview_, [this] { preview_->zoomIn(); });
    connect(addButton(row, "Zoom &Out", "ZoomOutButton", "Show the page smaller"),
            &QPushButton::clicked, preview_, [this] { preview_->zoomOut(); });
    connect(addButton(row, "&Whole Page", "WholePageButton", "Show a whole page"),
            &QPushButton::clicked, preview_, &QPrintPreviewWidget::fitInView);
    row->addStretch(1);
    QPushButton* close = addButton(row, "&Close", "CloseButton", "Close the preview");
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

// Draws the pages onto the preview's printer: for the screen, and for the printer
// when they are printed from here.
void ReportPreviewDialog::drawPages(QPrinter* printer, const std::vector<int>& pages) {
    PrinterPagesTarget target(*printer);
    try {
        for (const int page : pages)
            drawPage_(target, page);
        target.finish();
    } catch (const PrintError& error) {
        target.finish();
        QMessageBox::warning(this, QStringLiteral("Print"), QString::fromStdString(error.what()));
    }
}

// The print dialog as the print command shows it, without printing to a file. The
// pages go out as one job, with the copies in the print command's order (every copy
// of a report before the next report) rather than left to the printer.
void ReportPreviewDialog::printPages() {
    QPrintDialog dialog(printer_.get(), this);
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() != QDialog::Accepted)
        return;
    printer_->setOutputFileName(QString());
    const int copies = printer_->copyCount();
    printer_->setCopyCount(1);
    drawPages(printer_.get(), pagesWithCopies(pageCount_, copies));
    accept();
}
