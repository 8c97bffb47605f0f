#include "overview/overviewmarkers.h"

#include "overview/overviewdrawing.h"

#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QVector>

namespace {

constexpr qreal kMarkerRadius = 5;
constexpr qreal kSmallRadius = 3.5;
constexpr qreal kMainWidth = 2;
constexpr qreal kThinWidth = 1;
constexpr qreal kMarkerPenWidth = 1.6;
constexpr qreal kOrderRingRadius = 9;
const QColor kLevelGrey(90, 90, 90);
const QColor kFittedColour(0, 130, 150);
const QColor kUserColour(40, 140, 0);
const QColor kAidColour(190, 0, 190);

QColor earColour(Ear ear) {
    return ear == Ear::Right ? kRightEarColour : kLeftEarColour;
}

QPen strokePen(const QColor& colour, qreal width, Stroke stroke) {
    QPen pen(colour, width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    switch (stroke) {
    case Stroke::Dashed:
        pen.setDashPattern({4, 2.5});
        break;
    case Stroke::DashDot:
        pen.setDashPattern({5, 2, 1, 2});
        break;
    case Stroke::Dotted:
        pen.setDashPattern({1, 2});
        break;
    default:
        break;
    }
    return pen;
}

QPolygonF polygonAround(QPointF at, std::initializer_list<QPointF> corners) {
    QPolygonF polygon;
    for (const QPointF& corner : corners)
        polygon << at + corner;
    return polygon;
}

// Filled shapes: the disc, the square, the triangles and the diamond.
void drawFilled(QPainter& painter, Marker shape, QPointF at, qreal r) {
    switch (shape) {
    case Marker::Disc:
        painter.drawEllipse(at, r, r);
        break;
    case Marker::Square:
        painter.drawRect(QRectF(at.x() - r, at.y() - r, 2 * r, 2 * r));
        break;
    case Marker::TriangleDown:
        painter.drawPolygon(polygonAround(at, {{-r, -r}, {r, -r}, {0, r}}));
        break;
    case Marker::TriangleUp:
        painter.drawPolygon(polygonAround(at, {{-r, r}, {r, r}, {0, -r}}));
        break;
    default:
        painter.drawPolygon(polygonAround(at, {{0, -r}, {r, 0}, {0, r}, {-r, 0}}));
        break;
    }
}

// Open shapes: O, X, <, > and +.
void drawOpen(QPainter& painter, Marker shape, QPointF at, qreal r) {
    switch (shape) {
    case Marker::Circle:
        painter.drawEllipse(at, r, r);
        break;
    case Marker::Cross:
        painter.drawLine(at + QPointF(-r, -r), at + QPointF(r, r));
        painter.drawLine(at + QPointF(-r, r), at + QPointF(r, -r));
        break;
    case Marker::LeftAngle:
        painter.drawPolyline(polygonAround(at, {{r, -r}, {-r, 0}, {r, r}}));
        break;
    case Marker::RightAngle:
        painter.drawPolyline(polygonAround(at, {{-r, -r}, {r, 0}, {-r, r}}));
        break;
    default:
        painter.drawLine(at + QPointF(-r, 0), at + QPointF(r, 0));
        painter.drawLine(at + QPointF(0, -r), at + QPointF(0, r));
        break;
    }
}

bool isOpen(Marker shape) {
    return shape == Marker::Circle || shape == Marker::Cross || shape == Marker::LeftAngle ||
           shape == Marker::RightAngle || shape == Marker::Plus;
}

} // namespace

QColor seriesColour(Series series, Ear ear) {
    switch (series) {
    case Series::Thr:
    case Series::Ucl:
    case Series::TargetSoft:
    case Series::TargetAverage:
    case Series::TargetLoud:
        return earColour(ear);
    case Series::Fitted:
        return kFittedColour;
    case Series::User:
        return kUserColour;
    case Series::Aid:
        return kAidColour;
    default:
        return kLevelGrey;
    }
}

void setLinePen(QPainter& painter, Series series, Ear ear, bool measured) {
    const Stroke stroke = seriesStroke(series);
    const qreal width = stroke == Stroke::Thin ? kThinWidth : kMainWidth;
    painter.setPen(strokePen(seriesColour(series, ear), width, measured ? stroke : Stroke::Dashed));
    painter.setBrush(Qt::NoBrush);
}

void drawMarker(QPainter& painter, Series series, Ear ear, QPointF at, bool measured) {
    const Marker shape = seriesMarker(series, ear);
    const QColor colour = seriesColour(series, ear);
    const bool main = seriesStroke(series) != Stroke::Thin;
    const qreal r = main ? kMarkerRadius : kSmallRadius;
    painter.setPen(strokePen(colour, main ? kMarkerPenWidth : kThinWidth,
                             measured ? Stroke::Solid : Stroke::Dotted));
    if (isOpen(shape)) {
        // A white inside keeps the O readable over the bands and lines.
        painter.setBrush(shape == Marker::Circle ? QBrush(Qt::white) : QBrush(Qt::NoBrush));
        drawOpen(painter, shape, at, r);
        return;
    }
    painter.setBrush(measured ? QBrush(colour) : QBrush(Qt::white));
    drawFilled(painter, shape, at, r);
}

void drawOrderMark(QPainter& painter, QPointF at) {
    painter.setPen(QPen(Qt::black, kMarkerPenWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(at, kOrderRingRadius, kOrderRingRadius);
    painter.drawText(QRectF(at.x() + kOrderRingRadius, at.y() - 2 * kOrderRingRadius,
                            2 * kOrderRingRadius, 2 * kOrderRingRadius),
                     Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("!"));
}
