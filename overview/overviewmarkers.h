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

// The same point from a small picture of it, drawn once per series, ear, fill,
// scale and half-pixel offset and kept for the thread's later paintings: the page
// paints some two hundred points each time it shows, and stroking each outline
// afresh costs most of its time. The picture holds exactly what drawMarker paints,
// at the device's pixels, so the point looks the same and stays crisp at any device
// pixel ratio; it lies within a quarter of a device pixel of where drawMarker puts
// it. Where the painter does not paint into pixels (a PDF, a recording device) or
// turns or shears them, this is drawMarker.
void drawCachedMarker(QPainter& painter, Series series, Ear ear, QPointF at, bool measured);

// The mark of a level that does not rise from THR to UCL: a ring round it and a "!".
void drawOrderMark(QPainter& painter, QPointF at);
