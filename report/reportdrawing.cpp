// The upper half of the report (the header with the patient's comments, the
// input/output table and the parameter table), the whole page in print order, and
// one printed document. The plots, their axis titles and the legend are in
// reportgraphs.cpp.
#include "report/reportdrawing.h"

#include "curves/graphpainter.h"
#include "platform/printtarget.h"
#include "report/reportlayout.h"
#include "report/reportpaper.h"

#include <QDate>
#include <QFontMetrics>
#include <QLocale>
#include <QPainter>
#include <QPen>
#include <QRectF>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <array>

namespace {

constexpr int kTitlePointSize = 12;

// The comments wrapped at word boundaries to the rectangle's width, a line break
// where the clinician typed one, the font's external leading between lines, "&" as
// itself, and everything cut off at the rectangle's edges.
void drawComments(GraphPainter& g, const PixelRect& area, const QString& comments) {
    if (comments.isEmpty())
        return;
    // The text's area: from the left and top corner up to, not including, the right
    // and bottom one.
    const QRectF box(area.left, area.top, static_cast<qreal>(area.right) - area.left,
                     static_cast<qreal>(area.bottom) - area.top);
    QPainter& painter = g.painter();
    const QFontMetrics metrics = painter.fontMetrics();
    const int step = metrics.height() + metrics.leading();
    QString text = comments;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));

    painter.save();
    painter.setClipRect(box);
    int y = area.top;
    for (const QString& paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, painter.font(), painter.device());
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) {
            row.setLineWidth(box.width());
            if (y < area.bottom) {
                QString part = paragraph.mid(row.textStart(), row.textLength());
                while (!part.isEmpty() && part.back().isSpace())
                    part.chop(1);
                g.text(area.left, y, part);
            }
            y += step;
        }
        layout.endLayout();
    }
    painter.restore();
}

// Black "Arial" 10 pt without background, for a table's headings.
void startTable(GraphPainter& g) {
    g.painter().setPen(QPen(Qt::black));
    g.setPointSize(kTextPointSize);
    clearBrush(g.painter());
}

// The two plot frequencies as column headings centred at the given shares of the width.
void drawFrequencyHeadings(GraphPainter& g, const PageSize& page, const TargetState& targets,
                           PageFraction leftHeading, PageFraction rightHeading) {
    textCentred(g, page, leftHeading, 0.295, qtext(graphFrequencyText(targets.graphFrequency[0])));
    textCentred(g, page, rightHeading, 0.295, qtext(graphFrequencyText(targets.graphFrequency[1])));
}

// A table's outline in a 3-unit pen and, in a 1-unit pen, every other of its nine
// rows outlined, so that the rows read as stripes. Leaves the 1-unit pen.
void ruleTable(GraphPainter& g, const PageSize& page, PageFraction left, PageFraction right) {
    g.setPen(3);
    g.outline(pageRect(page, left, 0.31, right, 0.49));
    g.setPen(1);
    constexpr PageFraction rowTops[] = {0.33, 0.37, 0.41, 0.45};
    constexpr PageFraction rowBottoms[] = {0.35, 0.39, 0.43, 0.47};
    for (std::size_t r = 0; r < std::size(rowTops); ++r)
        g.outline(pageRect(page, left, rowTops[r], right, rowBottoms[r]));
}

// A text left-aligned at (fx, fy) and cut short with an ellipsis where it would reach
// the next column at toFx, so that a long name never runs into its neighbour.
void textLeftWithin(GraphPainter& g, const PageSize& page, PageFraction fx, PageFraction fy,
                    PageFraction toFx, const QString& text) {
    const int room = pageX(page, toFx) - pageX(page, fx);
    const QString shown = g.painter().fontMetrics().elidedText(text, Qt::ElideRight, room);
    g.text(pageX(page, fx), pageY(page, fy), shown);
}

// The lines above the title: who the patient is, when and by whom the ear was tested,
// how it is fitted, and on a report of the aid pair the aids' long names. They use
// the room between the top of the page and the title, so that nothing of the
// header below moves. Every text is cut short before the next column.
void drawIdentity(GraphPainter& g, const PageSize& page, const PrintData& data, int choice) {
    const IdentityTexts t = identityTexts(data, choice);
    textLeftWithin(g, page, 0.08, 0.024, 0.34, qtext(t.patientId));
    textLeftWithin(g, page, 0.35, 0.024, 0.69, qtext(t.birthDate));
    textLeftWithin(g, page, 0.70, 0.024, 0.99, qtext(t.testDate));
    textLeftWithin(g, page, 0.08, 0.042, 0.44, qtext(t.clinician));
    textLeftWithin(g, page, 0.45, 0.042, 0.99, qtext(t.fitting));
    textLeftWithin(g, page, 0.08, 0.06, 0.44, qtext(t.levels));
    if (!t.aids.empty())
        textLeftWithin(g, page, 0.45, 0.06, 0.99, qtext(t.aids));
}

constexpr PageFraction kRowY[kInputOutputRows] = {0.315, 0.335, 0.355, 0.375, 0.395,
                                                  0.415, 0.435, 0.455, 0.475};

} // namespace

std::string printDateToday() {
    const QDate today = QDate::currentDate();
    const QLocale locale = QLocale::system();
    std::array<std::string, 12> months;
    for (int m = 1; m <= 12; ++m)
        months[static_cast<std::size_t>(m - 1)] =
            locale.monthName(m, QLocale::LongFormat).toStdString();
    return formatPrintDate(today.year(), today.month(), today.day(), months);
}

QFont reportFont(const char* family, int pointSize) {
    QFont font(QString::fromLatin1(family));
    font.setPointSize(pointSize);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    return font;
}

void drawHeader(QPainter& painter, const PrintData& data, int choice) {
    const PageSize page = pageOf(data);
    const HeaderTexts h = headerTexts(data);
    GraphPainter g(painter, paperMedium(painter));
    painter.setPen(QPen(Qt::black));
    g.setPointSize(kTitlePointSize);
    clearBrush(painter);
    textCentred(g, page, 0.5, 0.088, qtext(h.title));
    g.setPointSize(kTextPointSize);
    drawIdentity(g, page, data, choice);
    textCentred(g, page, 0.5, 0.11, qtext(h.printed));
    textLeft(g, page, 0.08, 0.14, qtext(h.name));
    textLeft(g, page, 0.08, 0.16, qtext(h.fileName));
    textLeft(g, page, 0.45, 0.14, qtext(h.ear));
    textLeft(g, page, 0.35, 0.16, qtext(h.aidType));
    textLeft(g, page, 0.70, 0.14, qtext(h.leftPlot));
    textLeft(g, page, 0.70, 0.16, qtext(h.rightPlot));
    drawComments(g, pageRect(page, 0.08, 0.185, 0.92, 0.26), qtext(h.comments));
}

void drawInputOutputTable(QPainter& painter, const PrintData& data, int choice) {
    const PageSize page = pageOf(data);
    const int c = std::clamp(choice, 0, kReportChoiceCount - 1);
    GraphPainter g(painter, paperMedium(painter));
    startTable(g);
    textCentred(g, page, 0.15, 0.295, QStringLiteral("Input"));
    textCentred(g, page, 0.33, 0.28, QStringLiteral("Output"));
    drawFrequencyHeadings(g, page, data.printTargets, 0.27, 0.39);
    painter.setFont(reportFont(kMonoFamily, kTextPointSize));
    const auto rows = inputOutputRows(data.printCurves[c], data.printCurves[c + 3]);
    for (int r = 0; r < kInputOutputRows; ++r) {
        const InputOutputRow& row = rows[static_cast<std::size_t>(r)];
        textLeft(g, page, 0.15, kRowY[r], qtext(row.input));
        if (!row.left.empty())
            textLeft(g, page, 0.26, kRowY[r], qtext(row.left));
        if (!row.right.empty())
            textLeft(g, page, 0.38, kRowY[r], qtext(row.right));
    }

    ruleTable(g, page, 0.08, 0.45);
    g.outline(pageRect(page, 0.22, 0.31, 0.33, 0.49));
}

void drawParameterTable(QPainter& painter, const PrintData& data, int choice) {
    const PageSize page = pageOf(data);
    const int c = std::clamp(choice, 0, kReportChoiceCount - 1);
    const TargetState& targets = data.printTargets;
    GraphPainter g(painter, paperMedium(painter));
    startTable(g);
    drawFrequencyHeadings(g, page, targets, 0.73, 0.845);
    painter.setFont(reportFont(kMonoFamily, kTextPointSize));
    const ParameterTableTexts t =
        parameterTable(data.printCurves[c], data.printCurves[c + 3], targets.graphFrequency[0],
                       targets.graphFrequency[1]);
    for (int r = 0; r < kParameterRows; ++r)
        textLeft(g, page, 0.49, kRowY[r], QString::fromLatin1(parameterRowLabels[r]));
    // The left plot's values first, then the right plot's.
    for (std::size_t r = 0; r < t.left.size(); ++r) {
        if (!t.left[r].empty())
            textLeft(g, page, 0.71, kRowY[r], qtext(t.left[r]));
    }
    for (std::size_t r = 0; r < t.right.size(); ++r) {
        if (!t.right[r].empty())
            textLeft(g, page, 0.82, kRowY[r], qtext(t.right[r]));
    }
    if (!t.slope.empty()) {
        if (t.slopeIsValue)
            textLeft(g, page, 0.77, 0.475, qtext(t.slope));
        else
            textLeft(g, page, 0.775, 0.475, qtext(t.slope));
    }

    ruleTable(g, page, 0.48, 0.90);
    g.line(pageX(page, 0.67), pageY(page, 0.31), pageX(page, 0.67), pageY(page, 0.49));
    g.line(pageX(page, 0.79), pageY(page, 0.31), pageX(page, 0.79), pageY(page, 0.47));
}

void drawReport(QPainter& painter, const PrintData& data, int choice) {
    const int c = std::clamp(choice, 0, kReportChoiceCount - 1);
    drawHeader(painter, data, c);
    drawInputOutputTable(painter, data, c);
    drawParameterTable(painter, data, c);
    drawGraph(painter, data, GraphSide::Left, c);
    drawGraph(painter, data, GraphSide::Right, c + 3);
    drawAxisTitles(painter, data);
    drawLegend(painter, data);
}

void printReport(PrintTarget& target, PrintData& data, int choice) {
    QPainter& painter = target.beginDocument(qtext(reportDocumentName(data)));
    try {
        const QSize printable = target.printableSize();
        data.pageWidth = printable.width();
        data.pageHeight = printable.height();
        drawReport(painter, data, choice);
    } catch (...) {
        target.abortDocument();
        throw;
    }
    target.endDocument();
}
