#include "platform/printtarget.h"

#include <QBuffer>
#include <QLocale>
#include <QMarginsF>

namespace {

// The quarter inch most printers cannot reach at each edge.
constexpr qreal kUnprintableBorderMm = 6.35;

} // namespace

QPageSize::PageSizeId localePaperSize() {
    return QLocale::system().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter
                                                                              : QPageSize::A4;
}

QPageLayout pdfPageLayout(QPageSize::PageSizeId pageSize) {
    const QMarginsF border(kUnprintableBorderMm, kUnprintableBorderMm, kUnprintableBorderMm,
                           kUnprintableBorderMm);
    return QPageLayout(QPageSize(pageSize), QPageLayout::Portrait, border, QPageLayout::Millimeter);
}

void resetPagePainter(QPainter& painter) {
    painter.resetTransform();
    painter.setClipping(false);
    painter.setPen(QPen());
    painter.setBrush(QBrush());
    painter.setFont(QFont());
}

PdfReportTarget::PdfReportTarget(QPageSize::PageSizeId pageSize) {
    auto* buffer = new QBuffer(&bytes_);
    buffer->open(QIODevice::WriteOnly);
    writer_ = std::make_unique<QPdfWriter>(buffer);
    buffer->setParent(writer_.get());
    writer_->setResolution(kPdfReportResolution);
    writer_->setCreator(QStringLiteral("TAVIK"));
    writer_->setTitle(QStringLiteral("TAVIK reports"));
    writer_->setPageLayout(pdfPageLayout(pageSize));
}

PdfReportTarget::~PdfReportTarget() {
    if (painter_.isActive())
        painter_.end();
}

QPainter& PdfReportTarget::beginDocument(const QString&) {
    if (aborted_)
        throw PrintError("The PDF could not be written: an earlier report failed.");
    if (pages_ == 0) {
        if (!painter_.begin(writer_.get()))
            throw PrintError("The PDF could not be started.");
    } else if (!writer_->newPage()) {
        throw PrintError("The PDF could not take another page.");
    }
    ++pages_;
    resetPagePainter(painter_);
    return painter_;
}

QSize PdfReportTarget::printableSize() const {
    return writer_->pageLayout().paintRectPixels(writer_->resolution()).size();
}

void PdfReportTarget::endDocument() {}

void PdfReportTarget::abortDocument() {
    aborted_ = true;
}

QByteArray PdfReportTarget::finish() {
    if (painter_.isActive())
        painter_.end();
    if (aborted_ || pages_ == 0)
        return {};
    return bytes_;
}
