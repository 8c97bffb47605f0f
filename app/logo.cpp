#include "app/logo.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

// The logo is drawn on a 120 x 70 grid and scaled to the rectangle asked for.
constexpr double gridWidth = 120;
constexpr double gridHeight = 70;

void drawPlate(QPainter& p) {
    QLinearGradient shade(0, 0, 0, gridHeight);
    shade.setColorAt(0, QColor(30, 60, 170));
    shade.setColorAt(1, QColor(0, 10, 100));
    p.setPen(QPen(QColor(120, 160, 240), 1.5));
    p.setBrush(shade);
    p.drawRoundedRect(QRectF(0.75, 0.75, gridWidth - 1.5, gridHeight - 1.5), 8, 8);
}

// A compression curve over the 1 : 1 line: output follows the input with a constant
// gain up to the knee, then rises slowly.
void drawCurve(QPainter& p) {
    p.setPen(QPen(QColor(170, 190, 235), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawPolyline(QPolygonF({{10, 9}, {10, 60}, {55, 60}}));
    p.setPen(QPen(QColor(90, 120, 200), 1.2, Qt::DashLine));
    p.drawLine(QPointF(11, 59), QPointF(52, 18));

    const QPointF knee(27, 31);
    p.setPen(QPen(QColor(255, 215, 0), 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({{14, 44}, knee, {53, 19}}));
    p.setPen(QPen(QColor(0, 10, 100), 1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(knee, 4, 4);
}

// The outlines of the name, made once: the splash, the curve page and the About
// screen all draw them, and taking them from the font is the slow part.
const QPainterPath& nameOutlines() {
    static const QPainterPath name = [] {
        QFont font(QStringLiteral("Arial"));
        font.setStyleHint(QFont::SansSerif);
        font.setBold(true);
        font.setPixelSize(100);
        QPainterPath path;
        path.addText(0, 0, font, QStringLiteral("TAVIK"));
        return path;
    }();
    return name;
}

// The name, as outlines fitted into its box so that it reads the same at any size.
void drawName(QPainter& p) {
    const QPainterPath& name = nameOutlines();
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
    const double scale = std::min(rect.width() / gridWidth, rect.height() / gridHeight);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(rect.center());
    painter.scale(scale, scale);
    painter.translate(-gridWidth / 2, -gridHeight / 2);
    drawPlate(painter);
    drawCurve(painter);
    drawName(painter);
    painter.restore();
}

namespace {

// The icon is drawn on a 64 x 64 grid: the logo's plate and curve without the name,
// which could not be read at the small sizes. dist/org.tavik.TAVIK.svg is the same
// drawing for the desktop's scalable icon; keep the two alike.
constexpr double iconGrid = 64;

void drawIconPlate(QPainter& p) {
    QLinearGradient shade(0, 0, 0, iconGrid);
    shade.setColorAt(0, QColor(30, 60, 170));
    shade.setColorAt(1, QColor(0, 10, 100));
    p.setPen(QPen(QColor(120, 160, 240), 1.5));
    p.setBrush(shade);
    p.drawRoundedRect(QRectF(1.75, 1.75, iconGrid - 3.5, iconGrid - 3.5), 11, 11);
}

void drawIconCurve(QPainter& p) {
    p.setPen(QPen(QColor(170, 190, 235), 2.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({{13, 9}, {13, 52}, {56, 52}}));
    QPen guide(QColor(90, 120, 200), 1.5, Qt::CustomDashLine);
    guide.setDashPattern({2, 2});
    p.setPen(guide);
    p.drawLine(QPointF(14, 51), QPointF(52, 13));

    const QPointF knee(31, 30);
    p.setPen(QPen(QColor(255, 215, 0), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(QPolygonF({{17, 44}, knee, {55, 18}}));
    p.setPen(QPen(QColor(0, 10, 100), 1.8));
    p.setBrush(Qt::white);
    p.drawEllipse(knee, 4.5, 4.5);
}

} // namespace

void drawProgramIcon(QPainter& painter, const QRectF& rect) {
    const double scale = std::min(rect.width(), rect.height()) / iconGrid;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(rect.center());
    painter.scale(scale, scale);
    painter.translate(-iconGrid / 2, -iconGrid / 2);
    drawIconPlate(painter);
    drawIconCurve(painter);
    painter.restore();
}

QPixmap programLogo(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    drawProgramLogo(painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}
