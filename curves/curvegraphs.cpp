#include "curves/curvegraphs.h"

#include "platform/fontnames.h"

#include <QBrush>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QRectF>

#include <vector>

namespace {

constexpr int kTextPointSize = 8;
constexpr int kMarkerPointSize = 25;
constexpr int kLegendPointSize = 7;
constexpr int kTickLength = 3;

const char* const kUclExceedsText = "^ ^ ^ UCL exceeds graph/audiometer limits ^ ^ ^";
const char* const kBinauralText = "Target levels reduced 5 dB for binaural fitting";
const char* const kMarkerText = "*";

QFont arial(int pointSize) {
    QFont font(kSansFamily);
    font.setPointSize(pointSize);
    return font;
}

// Crisp pictures at any device pixel ratio: lines and fills without antialiasing, and
// hatches that grow with the picture, so a picture at twice the pixels is the same
// picture, only sharper. Texts keep their smoothing and never paint a background.
void prepare(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::NonCosmeticBrushPatterns, true);
    painter.setBackgroundMode(Qt::TransparentMode);
}

QPen thinPen(Qt::PenStyle style) {
    return QPen(kGraphTextColour, 1, style, Qt::FlatCap, Qt::MiterJoin);
}

QBrush bandBrush(LoudnessBand band) {
    switch (band) {
    case LoudnessBand::Loud:
        return QBrush(kLoudBandColour, Qt::CrossPattern);
    case LoudnessBand::Comfortable:
        return QBrush(kComfortableBandColour, Qt::BDiagPattern);
    case LoudnessBand::Soft:
        break;
    }
    return QBrush(kSoftBandColour, Qt::DiagCrossPattern);
}

QRectF pixelArea(const PixelRect& r) {
    return QRectF(r.left, r.top, static_cast<qreal>(r.right) - r.left,
                  static_cast<qreal>(r.bottom) - r.top);
}

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

// A text placed by the top-left corner of its line.
void drawTextAt(QPainter& painter, int x, int y, const QString& text) {
    painter.drawText(QPointF(x, y + painter.fontMetrics().ascent()), text);
}

int textWidth(const QPainter& painter, const QString& text) {
    return painter.fontMetrics().horizontalAdvance(text);
}

// A text centred on x.
void drawTextCentredOn(QPainter& painter, int x, int y, const QString& text) {
    drawTextAt(painter, x - percentOf(textWidth(painter, text), 50), y, text);
}

void drawFrameMessage(QPainter& painter, const GraphFrame& frame, int y, const QString& text) {
    drawTextAt(painter, centredTextLeft(frame, textWidth(painter, text)), y, text);
}

void drawBands(QPainter& painter, const GraphBackground& plan) {
    painter.setPen(Qt::NoPen);
    for (const BandArea& band : plan.bands) {
        painter.setBrush(bandBrush(band.band));
        painter.drawRect(pixelArea(band.area));
    }
    painter.setBrush(Qt::NoBrush);
}

// The frame's lines lie on its left, right, top and bottom pixels.
void drawFrame(QPainter& painter, const GraphFrame& f) {
    painter.setPen(thinPen(Qt::SolidLine));
    painter.drawRect(QRectF(f.left + 0.5, f.top + 0.5, f.right - f.left, f.bottom - f.top));
}

// Output levels left of the frame, right-aligned a digit's width away from it, with
// ticks inward from both sides; input levels below the frame with ticks inward from
// the top and the bottom.
void drawAxes(QPainter& painter, const GraphFrame& f, int heightM) {
    for (int v = kGraphLowestLevel; v <= kGraphHighestLevel; v += kGraphLevelStep) {
        const int y = backgroundY(f, v);
        const QString label = QString::number(v);
        drawTextAt(painter, f.left - textWidth(painter, label + "8"), y - percentOf(heightM, 50),
                   label);
        if (v < kGraphHighestLevel) {
            drawPixelLine(painter, f.left, y, f.left + kTickLength, y);
            drawPixelLine(painter, f.right, y, f.right - kTickLength, y);
        }
    }
    for (int v = kGraphLowestLevel + kGraphLevelStep; v < kGraphHighestLevel;
         v += kGraphLevelStep) {
        const int x = backgroundX(f, v);
        drawTextCentredOn(painter, x, f.bottom + percentOf(heightM, 20), QString::number(v));
        drawPixelLine(painter, x, f.top + kTickLength, x, f.top);
        drawPixelLine(painter, x, f.bottom - kTickLength, x, f.bottom);
    }
}

// The equal-level diagonal, then per speech level its input line, its word above the
// frame and its target marker.
void drawGuides(QPainter& painter, const GraphBackground& plan, int heightM) {
    const GraphFrame& f = plan.frame;
    painter.setPen(thinPen(Qt::DotLine));
    drawPixelLine(painter, f.left, f.bottom, f.right, f.top);
    for (const SpeechMark& mark : plan.speech) {
        drawPixelLine(painter, mark.x, f.top, mark.x, f.bottom);
        drawTextCentredOn(painter, mark.x, f.top - percentOf(heightM, mark.wordRaisePercent),
                          mark.word);
        if (!mark.hasTarget)
            continue;
        painter.setFont(arial(kMarkerPointSize));
        const int markerHeight = painter.fontMetrics().height();
        drawTextCentredOn(painter, mark.x, mark.targetY - percentOf(markerHeight, 33), kMarkerText);
        painter.setFont(arial(kTextPointSize));
    }
}

} // namespace

QFont graphFrequencyLabelFont() {
    QFont font("MS Sans Serif");
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(16);
    return font;
}

GraphScene graphScene(const EarCurves& page, const FittingRecord& record, int ear) {
    GraphScene scene;
    scene.targets = page.targets;
    scene.aidStyle = earAidStyle(record, ear);
    scene.binaural = record.binauralFitting == 1;
    for (int i = 0; i < kCurveCount; ++i)
        scene.curves[i] = page.curves[i];
    return scene;
}

void drawGraphBackground(QPainter& painter, const GraphScene& scene, int side) {
    const GraphBackground plan =
        planGraphBackground(scene.targets, scene.aidStyle, scene.binaural, side);
    const GraphFrame& f = plan.frame;
    painter.save();
    prepare(painter);
    drawBands(painter, plan);
    drawFrame(painter, f);

    painter.setFont(arial(kTextPointSize));
    const int heightM = painter.fontMetrics().height();
    if (plan.uclExceeds)
        drawFrameMessage(painter, f, f.top + percentOf(heightM, 50), kUclExceedsText);
    if (plan.binaural)
        drawFrameMessage(painter, f, f.bottom - percentOf(heightM, 290), kBinauralText);
    drawAxes(painter, f, heightM);
    drawGuides(painter, plan, heightM);
    painter.setPen(thinPen(Qt::SolidLine));
    if (plan.cic)
        drawFrameMessage(painter, f, f.top + percentOf(heightM, 150), kCicNoteText);
    painter.restore();
}

void drawGraphCurves(QPainter& painter, const GraphScene& scene, int side, QSize box) {
    const QColor colours[3] = {kFittedCurveColour, kUserCurveColour, kAidCurveColour};
    const int first = side == 1 ? 3 : 0;
    painter.save();
    prepare(painter);
    painter.setClipRect(QRect(QPoint(0, 0), box), Qt::IntersectClip);
    std::vector<QLine> lines;
    for (int k = 0; k < 3; ++k) {
        const CurveParams& curve = scene.curves[first + k];
        if (!curve.complete)
            continue;
        // Width 2 covers the pixel rows on both sides of a line between pixel
        // corners, so the curve looks the same at any device pixel ratio.
        painter.setPen(QPen(colours[k], 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        lines.clear();
        for (const PixelSegment& s : curveSegments(curve, box.width(), box.height()))
            lines.emplace_back(s.x1, s.y1, s.x2, s.y2);
        painter.drawLines(lines.data(), static_cast<int>(lines.size()));
    }
    painter.restore();
}

void drawGraphLegend(QPainter& painter) {
    const struct {
        LoudnessBand band;
        int top;
        const char* label;
        int labelTop;
    } swatches[] = {
        {LoudnessBand::Loud, 10, "LOUD", 12},
        {LoudnessBand::Comfortable, 35, "COMF.", 37},
        {LoudnessBand::Soft, 60, "SOFT", 62},
    };
    painter.save();
    prepare(painter);
    painter.setPen(Qt::NoPen);
    for (const auto& s : swatches) {
        painter.setBrush(bandBrush(s.band));
        painter.drawRect(pixelArea({5, s.top, 40, s.top + 15}));
    }
    painter.setFont(arial(kLegendPointSize));
    painter.setPen(kGraphTextColour);
    for (const auto& s : swatches)
        drawTextAt(painter, 45, s.labelTop, s.label);
    painter.restore();
}

void drawGraphPanel(QPainter& painter, const GraphScene& scene) {
    painter.save();
    prepare(painter);
    painter.fillRect(QRect(0, 0, kGraphPanelWidth, kGraphPanelHeight), Qt::black);
    for (int side = 0; side < kSideCount; ++side)
        drawGraphBackground(painter, scene, side);
    for (int side = 0; side < kSideCount; ++side) {
        const QRect box(kCurveBoxLeft[side], kCurveBoxTop, kCurveBoxSize, kCurveBoxSize);
        painter.save();
        painter.setClipRect(box, Qt::IntersectClip);
        painter.translate(box.topLeft());
        drawGraphCurves(painter, scene, side, box.size());
        painter.restore();
    }
    // The captions lie over the curve boxes, as the page's labels do.
    for (int side = 0; side < kSideCount; ++side) {
        const QRect label(kFrequencyLabelLeft[side], kFrequencyLabelTop, kFrequencyLabelWidth,
                          kFrequencyLabelHeight);
        drawGraphFrequencyCaption(
            painter, label,
            QString::fromStdString(graphFrequencyText(scene.targets.graphFrequency[side])));
    }
    painter.restore();
}

void drawGraphFrequencyCaption(QPainter& painter, const QRect& box, const QString& caption) {
    painter.save();
    painter.setFont(graphFrequencyLabelFont());
    painter.setPen(kFrequencyLabelColour);
    painter.drawText(box, Qt::AlignRight | Qt::AlignTop, caption);
    painter.restore();
}
