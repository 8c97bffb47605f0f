// Drawing of the curve graphs onto any QPainter: the background layer of a graph
// (loudness bands, frame, axes, guide lines, target markers, messages), the curves
// of a curve box, the legend, and the whole graph panel at once. Each function draws
// from plain data and changes nothing, so the page, tavik-cli and the tests share
// one picture.
#pragma once

#include "curves/curveload.h"
#include "curves/curvetext.h"
#include "curves/graphgeometry.h"
#include "curves/graphpainter.h"
#include "curves/targets.h"

#include <QColor>
#include <QFont>
#include <QSize>

class QPainter;
class QRect;
class QString;

// The colour of the background layer's frame, axes and texts, and of the legend's
// words; the bands' colours are the palette's (model/palette.h).
inline const QColor kGraphTextColour(255, 255, 255); // white

// The frequency captions of the two graphs: the page's caption colour, in its
// 16-pixel font.
QFont graphFrequencyLabelFont();

// What the graphs of one ear are drawn from.
struct GraphScene {
    TargetState targets{};
    int32_t aidStyle = 0; // the ear's style as stored; only 3 counts as CIC
    bool binaural = false;
    CurveParams curves[kCurveCount]{};
};

// The scene of a loaded ear as the curve page shows it: its targets and six scored
// curves, the ear's stored style and the binaural choice.
GraphScene graphScene(const EarCurves& page, const FittingRecord& record, Ear ear);

// Background layer of one side, in panel coordinates.
void drawGraphBackground(QPainter& painter, const GraphScene& scene, GraphSide side);

// The complete curves of one side (curves 0..2 or 3..5), in the coordinates of a
// curve box of the given size, clipped to it.
void drawGraphCurves(QPainter& painter, const GraphScene& scene, GraphSide side, QSize box);

// The legend, in the coordinates of the 85 x 83 legend box.
void drawGraphLegend(QPainter& painter);

// A graph's frequency caption, right-aligned at the top of the given box: the page's
// frequency labels and the whole panel both write it this way.
void drawGraphFrequencyCaption(QPainter& painter, const QRect& box, const QString& caption);

// The whole graph panel as the page shows it (595 x 294 panel pixels): black, both
// background layers, both curve boxes with their curves, and both frequency labels.
void drawGraphPanel(QPainter& painter, const GraphScene& scene);
