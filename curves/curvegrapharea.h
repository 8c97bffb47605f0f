// The curve page's graphics area: the black panel with the two curve boxes and their
// frequency captions, the band legend, the pointer read-outs under the graphs and
// the two axis titles. It keeps the scene the graph widgets paint from, so the page
// only says which ear and which curves to show.
#pragma once

#include "curves/curvegraphs.h"

#include <QPoint>
#include <QString>

class CurveGraphBox;
class GraphPanel;
class LegendFrame;
class QLabel;
class QWidget;
class TRotateLabel;

// A yellow caption on the navy page.
QLabel* yellowPageLabel(QWidget* page, const QString& name, const QString& text);

class CurveGraphArea {
  public:
    // Makes the area's widgets on the page, in the page's reading order.
    void build(QWidget* page);

    // The ear's targets, aid style and fitting type, with the graphs' frequencies in
    // their captions; the whole area is painted again.
    void showEar(const TargetState& targets, int32_t aidStyle, bool binaural);
    // The six curves as the grid holds them; both curve boxes are painted again.
    void showCurves(const CurveParams (&curves)[kCurveCount]);
    // Asks for the whole area to be painted again at the next paint.
    void scheduleRepaint();

    // Writes the input and output level under the pointer into the side's read-out.
    void showReadOut(GraphSide side, QPoint position);
    // Empties both read-outs: the graphs they described are gone (another ear, patient
    // or frequency).
    void clearReadOuts();
    CurveGraphBox* graphBox(GraphSide side) const;

  private:
    void buildGraphs(QWidget* page);
    void buildCaptions(QWidget* page);

    GraphScene scene_;
    GraphPanel* MainGraphicsPanel = nullptr;
    CurveGraphBox* LeftCurveGraphBox = nullptr;
    CurveGraphBox* RightCurveGraphBox = nullptr;
    QLabel* LeftCurveFreqTextLabel = nullptr;
    QLabel* RightCurveFreqTextLabel = nullptr;
    LegendFrame* LegendPanel = nullptr;
    QLabel* IOLabel1 = nullptr;
    QLabel* IOLabel2 = nullptr;
    QLabel* Label1 = nullptr;
    TRotateLabel* RotateLabel1 = nullptr;
};
