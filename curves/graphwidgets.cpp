#include "curves/graphwidgets.h"

#include <QMouseEvent>
#include <QPainter>

GraphPanel::GraphPanel(const GraphScene& scene, QWidget* parent) : QWidget(parent), scene_(scene) {
    setObjectName(QStringLiteral("MainGraphicsPanel"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraphPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    for (const GraphSide side : kGraphSides)
        drawGraphBackground(painter, scene_, side);
}

CurveGraphBox::CurveGraphBox(const GraphScene& scene, GraphSide side, QWidget* parent)
    : QWidget(parent), scene_(scene), side_(side) {
    setMouseTracking(true);
    setCursor(Qt::CrossCursor);
}

void CurveGraphBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawGraphCurves(painter, scene_, side_, size());
}

void CurveGraphBox::mouseMoveEvent(QMouseEvent* event) {
    if (pointerMoved)
        pointerMoved(event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

LegendFrame::LegendFrame(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("LegendPanel"));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
}

void LegendFrame::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        const QRect box = contentsRect();
        painter.fillRect(box, Qt::black);
        painter.translate(box.topLeft());
        painter.setClipRect(QRect(QPoint(0, 0), box.size()));
        drawGraphLegend(painter);
    }
    QFrame::paintEvent(event);
}

FrequencyLabel::FrequencyLabel(QWidget* parent) : QLabel(parent) {
    setFont(graphFrequencyLabelFont());
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void FrequencyLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    drawGraphFrequencyCaption(painter, rect(), text());
}
