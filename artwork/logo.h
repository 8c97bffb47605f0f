// The program's logo, drawn by the program itself: an input/output curve with its
// knee beside the name TAVIK, on a dark blue plate. It keeps its proportions
// (12 : 7) and sits centred in whatever rectangle it is given, so the same drawing
// serves the curve page, the splash and the About screen.
#pragma once

#include <QPixmap>
#include <QRectF>
#include <QSize>

class QPainter;

void drawProgramLogo(QPainter& painter, const QRectF& rect);

// The program's icon: the logo's plate and curve, square, centred in the rectangle.
// The desktop's icons of every size are drawn from it when the program is built.
void drawProgramIcon(QPainter& painter, const QRectF& rect);

// The logo on a transparent pixmap of the given size.
QPixmap programLogo(QSize size);
