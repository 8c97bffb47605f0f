#include "artwork/logo.h"

#include "artwork/logoname.h"

#include <QLineF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>

#include <algorithm>

namespace {

// The plate and the compression curve over the 1 : 1 line, on a grid of their own:
// output follows the input with a constant gain up to the knee, then rises slowly.
// The logo and the icon draw the same picture; the icon's strokes are bolder so that
// it still reads at the desktop's small sizes.
struct Mark {
    QSizeF grid;
    double plateInset; // half the border's pen, so that the border stays on the grid
    double plateRadius;
    QPen axesPen;
    QPolygonF axes;
    QPen guidePen;
    QLineF guide;
    double curveWidth;
    QPolygonF curve; // the knee is the middle point
    double kneeOutline;
    double kneeRadius;
};

constexpr QColor plateTop(30, 60, 170);
constexpr QColor navy(0, 10, 100);
constexpr QColor axesColour(170, 190, 235);
constexpr QColor guideColour(90, 120, 200);

// The logo: 120 x 70, with the name in the right-hand part.
Mark logoMark() {
    return Mark{QSizeF(120, 70),
                0.75,
                8,
                QPen(axesColour, 2, Qt::SolidLine, Qt::RoundCap),
                QPolygonF({{10, 9}, {10, 60}, {55, 60}}),
                QPen(guideColour, 1.2, Qt::DashLine),
                QLineF(11, 59, 52, 18),
                4,
                QPolygonF({{14, 44}, {27, 31}, {53, 19}}),
                1.5,
                4};
}

// The icon: 64 x 64, without the name, which could not be read at the small sizes.
// dist/org.tavik.TAVIK.svg is the same drawing for the desktop's scalable icon; keep
// the two alike.
Mark iconMark() {
    QPen guide(guideColour, 1.5, Qt::CustomDashLine);
    guide.setDashPattern({2, 2});
    return Mark{QSizeF(64, 64),
                1.75,
                11,
                QPen(axesColour, 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin),
                QPolygonF({{13, 9}, {13, 52}, {56, 52}}),
                guide,
                QLineF(14, 51, 52, 13),
                5,
                QPolygonF({{17, 44}, {31, 30}, {55, 18}}),
                1.8,
                4.5};
}

// Scales and moves the painter so that the grid sits centred in the rectangle, whole.
void fitGrid(QPainter& p, const QRectF& rect, QSizeF grid) {
    const double scale = std::min(rect.width() / grid.width(), rect.height() / grid.height());
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(rect.center());
    p.scale(scale, scale);
    p.translate(-grid.width() / 2, -grid.height() / 2);
}

void drawMark(QPainter& p, const Mark& m) {
    QLinearGradient shade(0, 0, 0, m.grid.height());
    shade.setColorAt(0, plateTop);
    shade.setColorAt(1, navy);
    p.setPen(QPen(QColor(120, 160, 240), 1.5));
    p.setBrush(shade);
    p.drawRoundedRect(QRectF(QPointF(m.plateInset, m.plateInset),
                             m.grid - 2 * QSizeF(m.plateInset, m.plateInset)),
                      m.plateRadius, m.plateRadius);

    p.setBrush(Qt::NoBrush);
    p.setPen(m.axesPen);
    p.drawPolyline(m.axes);
    p.setPen(m.guidePen);
    p.drawLine(m.guide);

    p.setPen(QPen(QColor(255, 215, 0), m.curveWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(m.curve);
    p.setPen(QPen(navy, m.kneeOutline));
    p.setBrush(Qt::white);
    p.drawEllipse(m.curve[1], m.kneeRadius, m.kneeRadius);
}

// The name, as outlines fitted into its box so that it reads the same at any size.
void drawName(QPainter& p) {
    const QPainterPath& name = logoNameOutline();
    const QRectF bounds = name.boundingRect();
    const QRectF box(61, 20, 53, 30);
    const double scale = std::min(box.width() / bounds.width(), box.height() / bounds.height());
    p.save();
    p.translate(box.center());
    p.scale(scale, scale);
    p.translate(-bounds.center());
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(name);
    p.restore();
}

} // namespace

void drawProgramLogo(QPainter& painter, const QRectF& rect) {
    painter.save();
    const Mark mark = logoMark();
    fitGrid(painter, rect, mark.grid);
    drawMark(painter, mark);
    drawName(painter);
    painter.restore();
}

void drawProgramIcon(QPainter& painter, const QRectF& rect) {
    painter.save();
    const Mark mark = iconMark();
    fitGrid(painter, rect, mark.grid);
    drawMark(painter, mark);
    painter.restore();
}

QPixmap programLogo(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    drawProgramLogo(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}
