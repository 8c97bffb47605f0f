#include "curves/curvegraphs.h"

#include "platform/fontnames.h"
#include "platform/qtcolour.h"

#include <QPainter>
#include <QPen>

#include <vector>

namespace {

constexpr int kTextPointSize = 8;
constexpr int kMarkerPointSize = 25;
constexpr int kLegendPointSize = 7;

const char* const kUclExceedsText = "^ ^ ^ UCL exceeds graph/audiometer limits ^ ^ ^";
const char* const kBinauralText = "Target levels reduced 5 dB for binaural fitting";

// White strokes and texts in the page's face, on whole pixels, at the screen's hatch
// pitch.
GraphMedium screenMedium() {
    return {kGraphTextColour, QFont(kSansFamily), true, 1.0};
}

// Crisp pictures at any device pixel ratio: lines and fills without antialiasing, and
// hatches that grow with the picture, so a picture at twice the pixels is the same
// picture, only sharper. Texts keep their smoothing and never paint a background.
void prepare(QPainter& painter) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::NonCosmeticBrushPatterns, true);
    painter.setBackgroundMode(Qt::TransparentMode);
}

// The messages about the UCL and a binaural fitting, centred near the frame's top
// and bottom.
void drawMessages(GraphPainter& g, const GraphBackground& plan, int heightM) {
    const GraphFrame& f = plan.frame;
    if (plan.uclExceeds)
        g.textCentredInFrame(f, f.top + percentOf(heightM, 50), kUclExceedsText);
    if (plan.binaural)
        g.textCentredInFrame(f, f.bottom - percentOf(heightM, 290), kBinauralText);
}

} // namespace

QFont graphFrequencyLabelFont() {
    QFont font(formFace());
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(16);
    return font;
}

GraphScene graphScene(const EarCurves& page, const FittingRecord& record, Ear ear) {
    GraphScene scene;
    scene.targets = page.targets;
    scene.aidStyle = earAidStyle(record, ear);
    scene.binaural = record.binauralFitting == 1;
    for (int i = 0; i < kCurveCount; ++i)
        scene.curves[i] = page.curves[i];
    return scene;
}

void drawGraphBackground(QPainter& painter, const GraphScene& scene, GraphSide side) {
    const GraphBackground plan =
        planGraphBackground(scene.targets, scene.aidStyle, scene.binaural, side);
    const GraphFrame& f = plan.frame;
    painter.save();
    prepare(painter);
    GraphPainter g(painter, screenMedium());
    g.bands(plan.bands);
    g.frame(f, 1);

    g.setPointSize(kTextPointSize);
    const int heightM = g.textHeight();
    drawMessages(g, plan, heightM);
    g.outputScale(f, ScaleMarks::InwardTicks, false);
    g.inputScale(f, ScaleMarks::InwardTicks);
    g.setPen(1, Qt::DotLine);
    g.diagonal(f);
    g.speechLevels(f, plan.speech, kTextPointSize, kMarkerPointSize);
    g.setPen(1);
    if (plan.cic)
        g.textCentredInFrame(f, f.top + percentOf(heightM, 150), kCicNoteText);
    painter.restore();
}

void drawGraphCurves(QPainter& painter, const GraphScene& scene, GraphSide side, QSize box) {
    const QColor colours[3] = {qColor(kGraphCurveColours.fitted), qColor(kGraphCurveColours.user),
                               qColor(kGraphCurveColours.aid)};
    const int first = firstCurveOf(side);
    painter.save();
    prepare(painter);
    painter.setClipRect(QRect(QPoint(0, 0), box), Qt::IntersectClip);
    GraphPainter g(painter, screenMedium());
    std::vector<QLine> lines;
    for (int k = 0; k < 3; ++k) {
        const CurveParams& curve = scene.curves[first + k];
        if (!curve.complete)
            continue;
        // Width 2 covers the pixel rows on both sides of a line between pixel
        // corners, so the curve looks the same at any device pixel ratio.
        g.setPen(colours[k], 2);
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
    GraphPainter g(painter, screenMedium());
    std::vector<BandArea> bands;
    for (const auto& s : swatches)
        bands.push_back({s.band, {5, s.top, 40, s.top + 15}});
    g.bands(bands);
    g.setPointSize(kLegendPointSize);
    painter.setPen(kGraphTextColour);
    for (const auto& s : swatches)
        g.text(45, s.labelTop, s.label);
    painter.restore();
}

void drawGraphPanel(QPainter& painter, const GraphScene& scene) {
    painter.save();
    prepare(painter);
    painter.fillRect(QRect(0, 0, kGraphPanelWidth, kGraphPanelHeight), Qt::black);
    for (const GraphSide side : kGraphSides)
        drawGraphBackground(painter, scene, side);
    for (const GraphSide side : kGraphSides) {
        const QRect box(kCurveBoxLeft[sideIndex(side)], kCurveBoxTop, kCurveBoxSize, kCurveBoxSize);
        painter.save();
        painter.setClipRect(box, Qt::IntersectClip);
        painter.translate(box.topLeft());
        drawGraphCurves(painter, scene, side, box.size());
        painter.restore();
    }
    // The captions lie over the curve boxes, as the page's labels do.
    for (const GraphSide side : kGraphSides) {
        const int s = sideIndex(side);
        const QRect label(kFrequencyLabelLeft[s], kFrequencyLabelTop, kFrequencyLabelWidth,
                          kFrequencyLabelHeight);
        drawGraphFrequencyCaption(
            painter, label,
            QString::fromStdString(graphFrequencyText(scene.targets.graphFrequency[s])));
    }
    painter.restore();
}

void drawGraphFrequencyCaption(QPainter& painter, const QRect& box, const QString& caption) {
    painter.save();
    painter.setFont(graphFrequencyLabelFont());
    painter.setPen(qColor(kGraphCaptionColour));
    painter.drawText(box, Qt::AlignRight | Qt::AlignTop, caption);
    painter.restore();
}
