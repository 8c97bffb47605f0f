// A report recorded on the pages of two printers, for the report drawing tests: an A4
// page at 600 dpi and a letter page at 300 dpi.
#pragma once

#include "report/reportdrawing.h"
#include "report/reportlayout.h"
#include "testsupport/recordingpaintdevice.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRectF>

#include <algorithm>
#include <iterator>
#include <vector>

using Kind = PaintItem::Kind;

struct Printer {
    const char* name;
    QSize page; // printable area in device units
    int dpi;
};
// An A4 page more than 4000 units high and a letter page below that.
inline const Printer kPrinters[] = {{"A4 at 600 dpi", {4658, 6717}, 600},
                                    {"letter at 300 dpi", {2400, 3150}, 300}};

struct Report {
    Report(const Printer& printer, PrintData data, int choice = kFittedReport)
        : device(printer.page, printer.dpi), page{printer.page.width(), printer.page.height()} {
        data.pageWidth = page.width;
        data.pageHeight = page.height;
        QPainter painter(&device);
        drawReport(painter, data, choice);
    }
    RecordingPaintDevice device;
    PageSize page;

    QFontMetrics metrics(const char* family, int points) const {
        return QFontMetrics(reportFont(family, points), &device);
    }
    // The top-left corner of a text's cell: its baseline origin, an ascent higher.
    QPoint corner(const PaintItem& text) const {
        const int ascent = QFontMetrics(text.font, &device).ascent();
        return QPointF(text.position.x(), text.position.y() - ascent).toPoint();
    }
    int width(const PaintItem& text) const {
        return QFontMetrics(text.font, &device).horizontalAdvance(text.text);
    }
    std::vector<PaintItem> items(Kind kind, auto&& wanted) const {
        std::vector<PaintItem> found;
        std::ranges::copy_if(device.itemsOfKind(kind), std::back_inserter(found), wanted);
        return found;
    }
    std::vector<PaintItem> texts(const QString& text) const {
        return items(Kind::Text, [&](const PaintItem& t) { return t.text == text; });
    }
};

// Where a rectangle of the report is outlined: its right and bottom corner lie just
// outside it.
inline QRectF outline(const PixelRect& r) {
    return QRectF(r.left, r.top, r.right - r.left - 1, r.bottom - r.top - 1);
}

// The area of a rectangle of the report, up to its right and bottom corner.
inline QRectF area(const PixelRect& r) {
    return QRectF(r.left, r.top, r.right - r.left, r.bottom - r.top);
}
