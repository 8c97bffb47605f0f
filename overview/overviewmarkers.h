// The pens, brushes and point shapes of the overview charts.
#pragma once

#include "overview/overviewchart.h"

#include <QColor>
#include <QPointF>

class QPainter;

// The colour a series is drawn in: the threshold, the UCL and the targets in the
// ear's colour, the levels between THR and UCL grey, the curves in darker shades of
// the curve page's colours, so that they read on white.
QColor seriesColour(Series series, Ear ear);

// A series' line pen: solid, thin or in its dash pattern; dashed when predicted.
void setLinePen(QPainter& painter, Series series, Ear ear, bool measured);

// A point of the series at `at`: filled when measured, hollow with a dashed outline
// when predicted. Shapes with no inside (O, X, <, >, +) stay open either way.
void drawMarker(QPainter& painter, Series series, Ear ear, QPointF at, bool measured);

// The mark of a level that does not rise from THR to UCL: a ring round it and a "!".
void drawOrderMark(QPainter& painter, QPointF at);
