#include "curves/graphpainter.h"

#include "platform/qtcolour.h"

#include <QLineF>
#include <QPaintDevice>
#include <QPainter>
#include <QRectF>
#include <QString>
#include <QTransform>

namespace {

constexpr qreal kScreenDpi = 96.0;
constexpr int kTickLength = 3;

// A 1-pixel line from the pixel (x1, y1) up to, not including, the pixel (x2, y2).
// Level and upright lines are given as a band one pixel wide over exactly those
// pixels, so that they cover the same pixels at any device pixel ratio; other lines
// run between the pixels' centres.
void drawPixelLine(QPainter& painter, int x1, int y1, int x2, int y2) {
    if (y1 == y2 && x1 != x2) {
        const int shift = x2 < x1 ? 1 : 0;
        painter.drawLine(QLineF(x1 + shift, y1 + 0.5, x2 + shift, y2 + 0.5));
    } else if (x1 == x2 && y1 != y2) {
        const int shift = y2 < y1 ? 1 : 0;
        painter.drawLine(QLineF(x1 + 0.5, y1 + shift, x2 + 0.5, y2 + shift));
    } else if (x1 != x2) {
        painter.drawLine(QLineF(x1 + 0.5, y1 + 0.5, x2 + 0.5, y2 + 0.5));
    }
}

bool innerLevel(int level) {
    return level > kGraphLowestLevel && level < kGraphHighestLevel;
}

} // namespace

qreal hatchScaleFor(const QPaintDevice& device) {
    return device.logicalDpiX() / kScreenDpi;
}

GraphPainter::GraphPainter(QPainter& painter, const GraphMedium& medium)
    : painter_(painter), medium_(medium) {}

void GraphPainter::setPen(int width, Qt::PenStyle style) {
    setPen(medium_.ink, width, style);
}

void GraphPainter::setPen(const QColor& colour, int width, Qt::PenStyle style) {
    const Qt::PenCapStyle cap = width > 1 ? Qt::RoundCap : Qt::FlatCap;
    const Qt::PenJoinStyle join = width > 1 ? Qt::RoundJoin : Qt::MiterJoin;
    painter_.setPen(QPen(QBrush(colour), width, style, cap, join));
}

void GraphPainter::setPointSize(int pointSize) {
    QFont font = medium_.face;
    font.setPointSize(pointSize);
    painter_.setFont(font);
}

int GraphPainter::textWidth(const QString& text) const {
    return painter_.fontMetrics().horizontalAdvance(text);
}

int GraphPainter::textHeight() const {
    return painter_.fontMetrics().height();
}

void GraphPainter::text(int x, int y, const QString& text) {
    painter_.drawText(QPointF(x, y + painter_.fontMetrics().ascent()), text);
}

void GraphPainter::textCentredOn(int x, int y, const QString& text) {
    this->text(x - percentOf(textWidth(text), 50), y, text);
}

void GraphPainter::textCentredInFrame(const GraphFrame& frame, int y, const QString& text) {
    this->text(centredTextLeft(frame, textWidth(text)), y, text);
}

void GraphPainter::line(int x1, int y1, int x2, int y2) {
    if (medium_.pixels)
        drawPixelLine(painter_, x1, y1, x2, y2);
    else
        painter_.drawLine(QLineF(x1, y1, x2, y2));
}

void GraphPainter::outline(const PixelRect& corners) {
    // On pixels a 1-pixel line runs through the pixels' centres.
    const qreal centre = medium_.pixels ? 0.5 : 0.0;
    painter_.drawRect(QRectF(corners.left + centre, corners.top + centre,
                             static_cast<qreal>(corners.right) - corners.left - 1,
                             static_cast<qreal>(corners.bottom) - corners.top - 1));
}

void GraphPainter::fillBand(LoudnessBand band, const PixelRect& area) {
    painter_.setBrush(bandBrush(band));
    painter_.drawRect(QRectF(area.left, area.top, static_cast<qreal>(area.right) - area.left,
                             static_cast<qreal>(area.bottom) - area.top));
}

QBrush GraphPainter::bandBrush(LoudnessBand band) const {
    QBrush brush;
    switch (band) {
    case LoudnessBand::Loud:
        brush = QBrush(qColor(kLoudBandColour), Qt::CrossPattern);
        break;
    case LoudnessBand::Comfortable:
        brush = QBrush(qColor(kComfortableBandColour), Qt::BDiagPattern);
        break;
    case LoudnessBand::Soft:
        brush = QBrush(qColor(kSoftBandColour), Qt::DiagCrossPattern);
        break;
    }
    if (medium_.hatchScale > 1.0)
        brush.setTransform(QTransform::fromScale(medium_.hatchScale, medium_.hatchScale));
    return brush;
}

void GraphPainter::bands(const std::vector<BandArea>& bands) {
    painter_.setPen(Qt::NoPen);
    for (const BandArea& band : bands)
        fillBand(band.band, band.area);
    painter_.setBrush(Qt::NoBrush);
}

void GraphPainter::frame(const GraphFrame& f, int penWidth) {
    setPen(penWidth);
    painter_.setBrush(Qt::NoBrush);
    outline({f.left, f.top, f.right + 1, f.bottom + 1});
}

void GraphPainter::outputScale(const GraphFrame& f, ScaleMarks marks, bool labelsRight) {
    const int halfM = percentOf(textHeight(), 50);
    for (int v = kGraphLowestLevel; v <= kGraphHighestLevel; v += kGraphLevelStep) {
        const int y = backgroundY(f, v);
        const QString label = QString::number(v);
        const int x = labelsRight ? textWidth(QStringLiteral("8")) + f.right
                                  : f.left - textWidth(label + QLatin1Char('8'));
        text(x, y - halfM, label);
        if (marks == ScaleMarks::DottedRules) {
            if (innerLevel(v))
                line(f.left, y, f.right, y);
        } else if (v < kGraphHighestLevel) {
            line(f.left, y, f.left + kTickLength, y);
            line(f.right, y, f.right - kTickLength, y);
        }
    }
}

void GraphPainter::inputScale(const GraphFrame& f, ScaleMarks marks) {
    const int labelY = f.bottom + percentOf(textHeight(), 20);
    for (int v = kGraphLowestLevel; v <= kGraphHighestLevel; v += kGraphLevelStep) {
        const int x = backgroundX(f, v);
        if (innerLevel(v))
            textCentredOn(x, labelY, QString::number(v));
        if (marks == ScaleMarks::DottedRules) {
            line(x, f.top, x, f.bottom);
        } else if (innerLevel(v)) {
            line(x, f.top + kTickLength, x, f.top);
            line(x, f.bottom - kTickLength, x, f.bottom);
        }
    }
}

void GraphPainter::diagonal(const GraphFrame& f) {
    line(f.left, f.bottom, f.right, f.top);
}

void GraphPainter::speechLevels(const GraphFrame& f, const std::array<SpeechMark, 3>& marks,
                                int textPointSize, int markerPointSize) {
    const int heightM = textHeight();
    for (const SpeechMark& mark : marks) {
        line(mark.x, f.top, mark.x, f.bottom);
        textCentredOn(mark.x, f.top - percentOf(heightM, mark.wordRaisePercent),
                      QString::fromLatin1(mark.word));
        if (!mark.hasTarget)
            continue;
        setPointSize(markerPointSize);
        const int markerHeight = textHeight();
        textCentredOn(mark.x, mark.targetY - percentOf(markerHeight, 33), QStringLiteral("*"));
        setPointSize(textPointSize);
    }
}
