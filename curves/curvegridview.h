// The curve page's data entry grid as a widget: made with its row labels, filled
// from and read into the grid texts of the curve core, its user cells named for a
// screen reader, and its cells painted.
#pragma once

#include "curves/curvegrid.h"

#include <QString>

class DataGrid;
class QColor;
class QPainter;
class QRect;
class QWidget;

// The grid at its place on the page, with the row labels in column 0. The page sets
// its handlers.
DataGrid* makeCurveEntryGrid(QWidget* page);
// The width of a curve column's text, which the controls above the columns take.
int curveColumnTextWidth();

void showGridColumn(DataGrid& grid, const CurveGrid& texts, int column);
// The RMS row of the six curve columns.
void showGridScores(DataGrid& grid, const CurveGrid& texts);
// Commits an open cell editor and returns the texts of the six curve columns.
CurveGrid curveGridTexts(DataGrid& grid);

// Names the cells of the two user columns by ear, graph, the column's caption and
// the row ("Right Ear, Left graph, 1000 Hz (user), Gain at 50 dB").
void nameUserCells(DataGrid& grid, const QString& ear, const QString& leftCaption,
                   const QString& rightCaption);

// Where a status note about a user cell points: "Right graph, 500 Hz (user), Comp.
// Threshold 1: ".
QString userCellPlace(int column, int row, const QString& caption);

// Why a cell that may not be typed into takes no keys, for the status bar after a
// click on it. The choice is the text of the control above the column ("Curve A",
// "HA-2"), the caption that of the same graph's user column.
QString refusedCurveCellNote(int column, int row, const QString& choice, const QString& caption);

// Column 0 in the button face colour, the curves on white; every text centred on one
// line in "Arial" 8 points, unclipped.
void drawCurveCell(QPainter& painter, const DataGrid& grid, int column, int row, const QRect& rect,
                   const QColor& buttonFace);
