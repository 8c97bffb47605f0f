// The lower half of the report: the two plots, their axis titles and the legend of
// the loudness bands, drawn with the graph painter on paper.
#include "curves/graphpainter.h"
#include "report/reportdrawing.h"
#include "report/reportpaper.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr int kScalePointSize = 9;
constexpr int kMarkerPointSize = 25;
constexpr int kCicNotePointSize = 7;
constexpr int kFrequencyTitlePointSize = 16;

// The curve in black, whatever its kind, in the page's curve pen.
void drawCurve(GraphPainter& g, const PrintData& data, const GraphFrame& frame, int curveIndex) {
    g.setPen(curvePenWidth(pageOf(data)));
    const int index = std::clamp(curveIndex, 0, kCurveCount - 1);
    for (const PixelSegment& s : plotCurveSegments(frame, data.printCurves[index]))
        g.line(s.x1, s.y1, s.x2, s.y2);
}

// The CIC note centred just inside the frame's top.
void drawCicNote(GraphPainter& g, const GraphFrame& frame) {
    g.setPointSize(kCicNotePointSize);
    g.textCentredInFrame(frame, frame.top + truncShare(g.textHeight(), 0.5),
                         QString::fromLatin1(kCicNoteText));
}

// The plot's frequency inside the frame at its lower right corner.
void drawFrequencyTitle(GraphPainter& g, const GraphFrame& frame, int frequencyIndex) {
    g.setPointSize(kFrequencyTitlePointSize);
    const QString title = qtext(graphFrequencyText(frequencyIndex));
    const int x = frame.right - truncShare(g.textWidth(title + QLatin1Char('8')), 1.1);
    g.text(x, frame.bottom - truncShare(g.textHeight(), 1.5), title);
}

} // namespace

void drawGraph(QPainter& painter, const PrintData& data, GraphSide side, int curveIndex) {
    const GraphBackground plan = planPlot(pageOf(data), data.printTargets, reportStyle(data), side);
    const GraphFrame& f = plan.frame;
    GraphPainter g(painter, paperMedium(painter));
    clearBrush(painter);
    g.bands(plan.bands);
    g.frame(f, 2);

    g.setPen(1, Qt::DotLine);
    g.setPointSize(kScalePointSize);
    g.outputScale(f, ScaleMarks::DottedRules, side == GraphSide::Right);
    g.inputScale(f, ScaleMarks::DottedRules);
    g.diagonal(f);

    g.setPen(1, Qt::DashLine);
    g.speechLevels(f, plan.speech, kScalePointSize, kMarkerPointSize);

    drawCurve(g, data, f, curveIndex);
    g.setPen(1);
    if (plan.cic)
        drawCicNote(g, f);
    drawFrequencyTitle(g, f, plan.frequencyIndex);
}

void drawAxisTitles(QPainter& painter, const PrintData& data) {
    const PageSize page = pageOf(data);
    GraphPainter g(painter, paperMedium(painter));
    g.setPointSize(kTextPointSize);
    clearBrush(painter);
    const QString input = QString::fromLatin1(kInputAxisTitle);
    g.text(centredTextX(page, 0.492, g.textWidth(input)),
           truncShare(g.textHeight(), 1.5) + pageY(page, 0.855), input);

    // The output title runs from bottom to top: the font turned by 90 degrees about
    // the text's origin, its widths measured along the text.
    const QString output = QString::fromLatin1(kOutputAxisTitle);
    const int x = pageX(page, 0.078) - g.textWidth(QStringLiteral("MMMM"));
    const int y = pageY(page, 0.693) + truncShare(g.textWidth(output), 0.5);
    painter.save();
    painter.translate(x, y);
    painter.rotate(-90);
    g.text(0, 0, output);
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
    GraphPainter g(painter, paperMedium(painter));
    g.setPointSize(kTextPointSize);
    clearBrush(painter);
    // Each swatch is outlined with the pen the plots leave.
    for (const Swatch& s : swatches) {
        painter.setBrush(g.bandBrush(s.band));
        g.outline(pageRect(page, s.left, 0.9, s.right, 0.94));
        painter.setBrush(Qt::NoBrush);
        textCentred(g, page, s.centre, 0.95, QString::fromLatin1(s.label));
    }
    clearBrush(painter);
}
