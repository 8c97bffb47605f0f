#include "report/reportdrawing.h"

#include "curves/curvegraphs.h"
#include "model/numbers.h"
#include "platform/printtarget.h"
#include "report/reportlayout.h"

#include <QBrush>
#include <QDate>
#include <QFontMetrics>
#include <QLineF>
#include <QLocale>
#include <QPainter>
#include <QPen>
#include <QRectF>
#include <QTextLayout>
#include <QTextOption>
#include <QTransform>

#include <algorithm>
#include <array>

namespace {

// Hatches are drawn at the pitch they have on a 96 dpi screen, whatever the device's
// resolution, so that on paper the three bands stay as easy to tell apart as on the
// curve page instead of turning into grey tints.
constexpr qreal kHatchReferenceDpi = 96.0;

constexpr int kTitlePointSize = 12;
constexpr int kTextPointSize = 10;
constexpr int kScalePointSize = 9;
constexpr int kMarkerPointSize = 25;
constexpr int kCicNotePointSize = 7;
constexpr int kFrequencyTitlePointSize = 16;

PageSize pageOf(const PrintData& data) {
    return {data.pageWidth, data.pageHeight};
}

QString qtext(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

void setFont(QPainter& painter, const char* family, int pointSize) {
    painter.setFont(reportFont(family, pointSize));
}

void setPointSize(QPainter& painter, int pointSize) {
    QFont font = painter.font();
    font.setPointSize(pointSize);
    painter.setFont(font);
}

int textWidth(const QPainter& painter, const QString& text) {
    return painter.fontMetrics().horizontalAdvance(text);
}

// "TextHeight": the height of a line of the current font.
int textHeight(const QPainter& painter) {
    return painter.fontMetrics().height();
}

// Text placed by the top-left corner of its cell; black, no background.
void textAt(QPainter& painter, int x, int y, const QString& text) {
    painter.drawText(QPointF(x, y + painter.fontMetrics().ascent()), text);
}

void textLeft(QPainter& painter, const PageSize& page, PageFraction fx, PageFraction fy,
              const QString& text) {
    textAt(painter, pageX(page, fx), pageY(page, fy), text);
}

void textCentred(QPainter& painter, const PageSize& page, PageFraction fx, PageFraction fy,
                 const QString& text) {
    textAt(painter, centredTextX(page, fx, textWidth(painter, text)), pageY(page, fy), text);
}

// Text is black and never paints a background; areas drawn after this have no fill
// until a routine sets one.
void clearBrush(QPainter& painter) {
    painter.setBrush(Qt::NoBrush);
    painter.setBackgroundMode(Qt::TransparentMode);
    painter.setRenderHint(QPainter::NonCosmeticBrushPatterns, true);
}

void setPen(QPainter& painter, int width, Qt::PenStyle style = Qt::SolidLine) {
    // Wide pens end and join round, as a printer's geometric pens do, so that the
    // curve's 1-dB steps join without notches.
    const Qt::PenCapStyle cap = width > 1 ? Qt::RoundCap : Qt::FlatCap;
    const Qt::PenJoinStyle join = width > 1 ? Qt::RoundJoin : Qt::MiterJoin;
    painter.setPen(QPen(QBrush(Qt::black), width, style, cap, join));
}

// A rectangle given by its corners, as Qt's rectangle over the same units: the right
// and bottom corner lie just outside it.
QRectF rectOf(const PixelRect& r) {
    return QRectF(r.left, r.top, static_cast<qreal>(r.right) - r.left - 1,
                  static_cast<qreal>(r.bottom) - r.top - 1);
}

void line(QPainter& painter, int x1, int y1, int x2, int y2) {
    painter.drawLine(QLineF(x1, y1, x2, y2));
}

QBrush bandBrush(const QPainter& painter, LoudnessBand band) {
    QBrush brush;
    switch (band) {
    case LoudnessBand::Loud:
        brush = QBrush(kLoudBandColour, Qt::CrossPattern);
        break;
    case LoudnessBand::Comfortable:
        brush = QBrush(kComfortableBandColour, Qt::BDiagPattern);
        break;
    case LoudnessBand::Soft:
        brush = QBrush(kSoftBandColour, Qt::DiagCrossPattern);
        break;
    }
    const qreal scale = painter.device()->logicalDpiX() / kHatchReferenceDpi;
    if (scale > 1.0)
        brush.setTransform(QTransform::fromScale(scale, scale));
    return brush;
}

// The comments wrapped at word boundaries to the rectangle's width, a line break
// where the clinician typed one, the font's external leading between lines, "&" as
// itself, and everything cut off at the rectangle's edges.
void drawComments(QPainter& painter, const PixelRect& area, const QString& comments) {
    if (comments.isEmpty())
        return;
    // The text's area: from the left and top corner up to, not including, the right
    // and bottom one.
    const QRectF box(area.left, area.top, static_cast<qreal>(area.right) - area.left,
                     static_cast<qreal>(area.bottom) - area.top);
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
                textAt(painter, area.left, y, part);
            }
            y += step;
        }
        layout.endLayout();
    }
    painter.restore();
}

int reportStyle(const PrintData& data) {
    return data.printEar == 0 ? data.rightAidStyle : data.leftAidStyle;
}

void drawBands(QPainter& painter, const GraphFrame& frame, const TargetState& targets, int side) {
    clearBrush(painter);
    painter.setPen(Qt::NoPen);
    for (const BandArea& band : plotBands(frame, targets.bandLevels[side])) {
        painter.setBrush(bandBrush(painter, band.band));
        // Filled without an outline, so the right and bottom corners are exclusive.
        const PixelRect& a = band.area;
        painter.drawRect(QRectF(a.left, a.top, a.right - a.left, a.bottom - a.top));
    }
    painter.setBrush(Qt::NoBrush);
}

void drawOutputScale(QPainter& painter, const GraphFrame& frame, int side) {
    const int halfM = truncShare(textHeight(painter), 0.5);
    for (int v = kGraphLowestLevel; v <= kGraphHighestLevel; v += 10) {
        const QString label = QString::number(v);
        const int x = side == 0 ? frame.left - textWidth(painter, label + QLatin1Char('8'))
                                : textWidth(painter, QStringLiteral("8")) + frame.right;
        textAt(painter, x, backgroundY(frame, v) - halfM, label);
        if (v > kGraphLowestLevel && v < kGraphHighestLevel)
            line(painter, frame.left, backgroundY(frame, v), frame.right, backgroundY(frame, v));
    }
}

void drawInputScale(QPainter& painter, const GraphFrame& frame) {
    const int labelY = truncShare(textHeight(painter), 0.2) + frame.bottom;
    for (int v = kGraphLowestLevel; v <= kGraphHighestLevel; v += 10) {
        const int x = backgroundX(frame, v);
        if (v > kGraphLowestLevel && v < kGraphHighestLevel) {
            const QString label = QString::number(v);
            textAt(painter, x - truncShare(textWidth(painter, label), 0.5), labelY, label);
        }
        line(painter, x, frame.top, x, frame.bottom);
    }
}

// The speech input levels of the ear's aid style with their words above the frame,
// and a "*" at each target output.
void drawSpeechLevels(QPainter& painter, const PrintData& data, const GraphFrame& frame, int side) {
    static const char* const words[3] = {"soft", "average", "loud"};
    const int f = frequencyIndexOrFirst(data.printTargets.graphFrequency[side]);
    const int style = aidStyleOrFirst(reportStyle(data));
    for (int k = 0; k < 3; ++k) {
        const int x = backgroundX(frame, speechInputLevels[style][f][k]);
        line(painter, x, frame.top, x, frame.bottom);
        const QString word = QString::fromLatin1(words[k]);
        const int raise =
            k == 1 ? truncShare(textHeight(painter), 1.9) : truncShare(textHeight(painter), 1.2);
        textAt(painter, x - truncShare(textWidth(painter, word), 0.5), frame.top - raise, word);

        const int target = truncToInt(data.printTargets.targetLevels[side][k]);
        if (target == 0)
            continue;
        setPointSize(painter, kMarkerPointSize);
        const QString star = QStringLiteral("*");
        textAt(painter, x - truncShare(textWidth(painter, star), 0.5),
               backgroundY(frame, target) - truncShare(textHeight(painter), 0.33), star);
        setPointSize(painter, kScalePointSize);
    }
}

void drawCurve(QPainter& painter, const PrintData& data, const GraphFrame& frame, int curveIndex) {
    setPen(painter, curvePenWidth(pageOf(data)));
    const int index = std::clamp(curveIndex, 0, kCurveCount - 1);
    for (const PixelSegment& s : plotCurveSegments(frame, data.printCurves[index]))
        line(painter, s.x1, s.y1, s.x2, s.y2);
}

void drawCicNote(QPainter& painter, const GraphFrame& frame) {
    setPointSize(painter, kCicNotePointSize);
    const QString note = QString::fromLatin1(kCicNoteText);
    const long double middle =
        frame.left + (static_cast<long double>(frame.right) - frame.left) / 2;
    const int x = truncToInt(middle - truncShare(textWidth(painter, note), 0.5));
    textAt(painter, x, frame.top + truncShare(textHeight(painter), 0.5), note);
}

void drawFrequencyTitle(QPainter& painter, const GraphFrame& frame, int32_t frequencyIndex) {
    setPointSize(painter, kFrequencyTitlePointSize);
    const QString title = qtext(plotFrequencyText(frequencyIndex));
    const int x = frame.right - truncShare(textWidth(painter, title + QLatin1Char('8')), 1.1);
    textAt(painter, x, frame.bottom - truncShare(textHeight(painter), 1.5), title);
}

// Black "Arial" 10 pt without background, for a table's headings.
void startTable(QPainter& painter) {
    painter.setPen(QPen(Qt::black));
    setFont(painter, kSansFamily, kTextPointSize);
    clearBrush(painter);
}

// The two plot frequencies as column headings centred at the given shares of the width.
void drawFrequencyHeadings(QPainter& painter, const PageSize& page, const TargetState& targets,
                           PageFraction leftHeading, PageFraction rightHeading) {
    textCentred(painter, page, leftHeading, 0.295,
                qtext(plotFrequencyText(targets.graphFrequency[0])));
    textCentred(painter, page, rightHeading, 0.295,
                qtext(plotFrequencyText(targets.graphFrequency[1])));
}

// A table's outline in a 3-unit pen and, in a 1-unit pen, every other of its nine
// rows outlined, so that the rows read as stripes. Leaves the 1-unit pen.
void ruleTable(QPainter& painter, const PageSize& page, PageFraction left, PageFraction right) {
    setPen(painter, 3);
    painter.drawRect(rectOf(pageRect(page, left, 0.31, right, 0.49)));
    setPen(painter, 1);
    constexpr PageFraction rowTops[] = {0.33, 0.37, 0.41, 0.45};
    constexpr PageFraction rowBottoms[] = {0.35, 0.39, 0.43, 0.47};
    for (std::size_t r = 0; r < std::size(rowTops); ++r)
        painter.drawRect(rectOf(pageRect(page, left, rowTops[r], right, rowBottoms[r])));
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

void drawHeader(QPainter& painter, const PrintData& data) {
    const PageSize page = pageOf(data);
    const HeaderTexts h = headerTexts(data);
    painter.setPen(QPen(Qt::black));
    setFont(painter, kSansFamily, kTitlePointSize);
    clearBrush(painter);
    textCentred(painter, page, 0.5, 0.088, qtext(h.title));
    setPointSize(painter, kTextPointSize);
    textCentred(painter, page, 0.5, 0.11, qtext(h.printed));
    textLeft(painter, page, 0.08, 0.14, qtext(h.name));
    textLeft(painter, page, 0.08, 0.16, qtext(h.fileName));
    textLeft(painter, page, 0.45, 0.14, qtext(h.ear));
    textLeft(painter, page, 0.35, 0.16, qtext(h.aidType));
    textLeft(painter, page, 0.70, 0.14, qtext(h.leftPlot));
    textLeft(painter, page, 0.70, 0.16, qtext(h.rightPlot));
    drawComments(painter, pageRect(page, 0.08, 0.185, 0.92, 0.26), qtext(h.comments));
}

void drawInputOutputTable(QPainter& painter, const PrintData& data, int choice) {
    const PageSize page = pageOf(data);
    const int c = std::clamp(choice, 0, kReportChoiceCount - 1);
    startTable(painter);
    textCentred(painter, page, 0.15, 0.295, QStringLiteral("Input"));
    textCentred(painter, page, 0.33, 0.28, QStringLiteral("Output"));
    drawFrequencyHeadings(painter, page, data.printTargets, 0.27, 0.39);
    setFont(painter, kMonoFamily, kTextPointSize);
    const auto rows = inputOutputRows(data.printCurves[c], data.printCurves[c + 3]);
    for (int r = 0; r < kInputOutputRows; ++r) {
        const InputOutputRow& row = rows[static_cast<std::size_t>(r)];
        textLeft(painter, page, 0.15, kRowY[r], qtext(row.input));
        if (!row.left.empty())
            textLeft(painter, page, 0.26, kRowY[r], qtext(row.left));
        if (!row.right.empty())
            textLeft(painter, page, 0.38, kRowY[r], qtext(row.right));
    }

    ruleTable(painter, page, 0.08, 0.45);
    painter.drawRect(rectOf(pageRect(page, 0.22, 0.31, 0.33, 0.49)));
}

void drawParameterTable(QPainter& painter, const PrintData& data, int choice) {
    const PageSize page = pageOf(data);
    const int c = std::clamp(choice, 0, kReportChoiceCount - 1);
    const TargetState& targets = data.printTargets;
    startTable(painter);
    drawFrequencyHeadings(painter, page, targets, 0.73, 0.845);
    setFont(painter, kMonoFamily, kTextPointSize);
    const ParameterTableTexts t =
        parameterTable(data.printCurves[c], data.printCurves[c + 3], targets.graphFrequency[0],
                       targets.graphFrequency[1]);
    for (int r = 0; r < kParameterRows; ++r)
        textLeft(painter, page, 0.49, kRowY[r], QString::fromLatin1(parameterRowLabels[r]));
    // The left plot's values first, then the right plot's.
    for (std::size_t r = 0; r < t.left.size(); ++r) {
        if (!t.left[r].empty())
            textLeft(painter, page, 0.71, kRowY[r], qtext(t.left[r]));
    }
    for (std::size_t r = 0; r < t.right.size(); ++r) {
        if (!t.right[r].empty())
            textLeft(painter, page, 0.82, kRowY[r], qtext(t.right[r]));
    }
    if (!t.slope.empty()) {
        if (t.slopeIsValue)
            textLeft(painter, page, 0.77, 0.475, qtext(t.slope));
        else
            textLeft(painter, page, 0.775, 0.475, qtext(t.slope));
    }

    ruleTable(painter, page, 0.48, 0.90);
    line(painter, pageX(page, 0.67), pageY(page, 0.31), pageX(page, 0.67), pageY(page, 0.49));
    line(painter, pageX(page, 0.79), pageY(page, 0.31), pageX(page, 0.79), pageY(page, 0.47));
}

void drawGraph(QPainter& painter, const PrintData& data, int side, int curveIndex) {
    const int s = side == 0 ? 0 : 1;
    const GraphFrame frame = plotFrame(pageOf(data), s);
    drawBands(painter, frame, data.printTargets, s);

    setPen(painter, 2);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rectOf({frame.left, frame.top, frame.right + 1, frame.bottom + 1}));

    setPen(painter, 1, Qt::DotLine);
    setFont(painter, kSansFamily, kScalePointSize);
    drawOutputScale(painter, frame, s);
    drawInputScale(painter, frame);
    line(painter, frame.left, frame.bottom, frame.right, frame.top);

    setPen(painter, 1, Qt::DashLine);
    drawSpeechLevels(painter, data, frame, s);

    drawCurve(painter, data, frame, curveIndex);
    setPen(painter, 1);
    if (reportStyle(data) == kCicStyle)
        drawCicNote(painter, frame);
    drawFrequencyTitle(painter, frame, data.printTargets.graphFrequency[s]);
}

void drawAxisTitles(QPainter& painter, const PrintData& data) {
    const PageSize page = pageOf(data);
    setFont(painter, kSansFamily, kTextPointSize);
    clearBrush(painter);
    const QString input = QString::fromLatin1(kInputAxisTitle);
    textAt(painter, centredTextX(page, 0.492, textWidth(painter, input)),
           truncShare(textHeight(painter), 1.5) + pageY(page, 0.855), input);

    // The output title runs from bottom to top: the font turned by 90 degrees about
    // the text's origin, its widths measured along the text.
    const QString output = QString::fromLatin1(kOutputAxisTitle);
    const int x = pageX(page, 0.078) - textWidth(painter, QStringLiteral("MMMM"));
    const int y = pageY(page, 0.693) + truncShare(textWidth(painter, output), 0.5);
    painter.save();
    painter.translate(x, y);
    painter.rotate(-90);
    textAt(painter, 0, 0, output);
    painter.restore();
}

void drawLegend(QPainter& painter, const PrintData& data) {
    struct Swatch {
        const char* label;
        LoudnessBand band;
        PageFraction left;
        PageFraction right;
        PageFraction centre;
    };
    static constexpr Swatch swatches[] = {
        {"Loud", LoudnessBand::Loud, 0.2, 0.3, 0.25},
        {"Comfortable", LoudnessBand::Comfortable, 0.45, 0.55, 0.5},
        {"Soft", LoudnessBand::Soft, 0.7, 0.8, 0.75},
    };
    const PageSize page = pageOf(data);
    setFont(painter, kSansFamily, kTextPointSize);
    clearBrush(painter);
    for (const Swatch& s : swatches) {
        painter.setBrush(bandBrush(painter, s.band));
        painter.drawRect(rectOf(pageRect(page, s.left, 0.9, s.right, 0.94)));
        painter.setBrush(Qt::NoBrush);
        textCentred(painter, page, s.centre, 0.95, QString::fromLatin1(s.label));
    }
    clearBrush(painter);
}

void drawReport(QPainter& painter, const PrintData& data, int choice) {
    const int c = std::clamp(choice, 0, kReportChoiceCount - 1);
    drawHeader(painter, data);
    drawInputOutputTable(painter, data, c);
    drawParameterTable(painter, data, c);
    drawGraph(painter, data, 0, c);
    drawGraph(painter, data, 1, c + 3);
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
