// Where printed reports go: a printer in the program, PDF pages in tavik-cli, a
// recording device in the tests. Each report is one document, begun and ended on
// its own, and drawn with the painter the target hands out.
#pragma once

#include <QByteArray>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSize>
#include <QString>

#include <memory>
#include <stdexcept>

// The device refused to start or finish a document. The message is for the clinician.
class PrintError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class PrintTarget {
  public:
    virtual ~PrintTarget() = default;

    // Starts one document under the name the printer queue shows, and returns the
    // painter that draws its page. Throws PrintError when the device refuses.
    virtual QPainter& beginDocument(const QString& name) = 0;
    // The printable area of the page being drawn, in device units; the painter's
    // origin is its top-left corner.
    virtual QSize printableSize() const = 0;
    // Ends the document: the page is ejected. Throws PrintError when the device
    // reports a failure.
    virtual void endDocument() = 0;
    // Drops the document begun last, after drawing failed part-way, so that no half
    // page comes out.
    virtual void abortDocument() = 0;
};

// The paper of a PDF made on this computer: Letter where the system's locale measures
// in US units, A4 everywhere else.
QPageSize::PageSizeId localePaperSize();

// A printer's resolution for PDF pages and their preview, so that they carry the same
// device units (and the same pen widths) as a printed page.
inline constexpr int kPdfReportResolution = 600;
// A portrait page of that size with a printer's usual unprintable border, so that a
// PDF page has the proportions of a printed one.
QPageLayout pdfPageLayout(QPageSize::PageSizeId pageSize);
// Sets the painter back to its defaults, as on a fresh printer page.
void resetPagePainter(QPainter& painter);

// The reports as the pages of one PDF held in memory, one page per document, at a
// printer's resolution and with a printer's usual unprintable border.
class PdfReportTarget final : public PrintTarget {
  public:
    explicit PdfReportTarget(QPageSize::PageSizeId pageSize);
    ~PdfReportTarget() override;

    QPainter& beginDocument(const QString& name) override;
    QSize printableSize() const override;
    void endDocument() override;
    void abortDocument() override;

    int pageCount() const { return pages_; }
    // Ends the PDF and hands it over; empty when a document was aborted or none was
    // drawn, since such a file would not be the reports asked for.
    QByteArray finish();

  private:
    QByteArray bytes_;
    std::unique_ptr<QPdfWriter> writer_;
    QPainter painter_;
    int pages_ = 0;
    bool aborted_ = false;
};
