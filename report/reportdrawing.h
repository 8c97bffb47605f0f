// The printed report, drawn onto any QPainter whose device measures the page in its
// own units: the printer in the program, PDF pages in tavik-cli, a recording device
// in the tests. One code path for all three, so what is tested is what is printed.
// Every routine draws within the printable area of data.pageWidth x data.pageHeight
// and sets the pens, brushes and fonts it relies on.
#pragma once

#include "platform/fontnames.h"
#include "report/reporttext.h"

#include <QFont>

#include <string>

class PrintTarget;
class QPainter;

// The report's typefaces; the system maps them to metric-compatible faces.
QFont reportFont(const char* family, int pointSize);

// Today's date as the header prints it, "June 5, 2024", with the month's full name
// in the language of the user's locale.
std::string printDateToday();

// The header block: the lines that identify patient and fitting, title, date,
// patient, file, ear, aid style, plot labels and the comments, for a curve kind (0
// fitted, 1 user, 2 hearing aid). Leaves "Arial" 10 pt.
void drawHeader(QPainter& painter, const PrintData& data, int choice);
// The two tables for a curve kind (0 fitted, 1 user, 2 hearing aid). Both leave
// "Courier" 10 pt and a 1-unit black pen.
void drawInputOutputTable(QPainter& painter, const PrintData& data, int choice);
void drawParameterTable(QPainter& painter, const PrintData& data, int choice);
// One plot (the left or the right) with curve record curveIndex.
void drawGraph(QPainter& painter, const PrintData& data, GraphSide side, int curveIndex);
// The shared input-level title under the plots and the output-level title turned to
// run upwards beside the left plot.
void drawAxisTitles(QPainter& painter, const PrintData& data);
// The three band swatches with their names, under the plots.
void drawLegend(QPainter& painter, const PrintData& data);

// A whole report page in the order of printing: header, tables, left and right
// plot, axis titles, legend.
void drawReport(QPainter& painter, const PrintData& data, int choice);

// Prints one report as one document on the target: takes the page's printable size
// into data.pageWidth and data.pageHeight, draws, and ends the document. When
// drawing fails part-way the document is aborted and the error goes on to the caller.
void printReport(PrintTarget& target, PrintData& data, int choice);
