#include "artwork/toolicons.h"

#include "platform/qtcolour.h"

#include <QApplication>
#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

namespace {

// Every picture is drawn on a 16 x 16 grid and scaled to the size asked for.
void drawNew(QPainter& p) {
    QPolygonF sheet({{3, 1}, {10, 1}, {13, 4}, {13, 15}, {3, 15}});
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawPolygon(sheet);
    p.drawPolyline(QPolygonF({{10, 1}, {10, 4}, {13, 4}}));
}

void drawLoad(QPainter& p) {
    p.setPen(QPen(QColor(120, 90, 0), 1));
    p.setBrush(QColor(240, 200, 80));
    p.drawPolygon(QPolygonF({{1, 4}, {6, 4}, {7, 5}, {14, 5}, {14, 14}, {1, 14}}));
    p.setBrush(QColor(255, 225, 120));
    p.drawPolygon(QPolygonF({{3, 8}, {15.5, 8}, {13.5, 14}, {1, 14}}));
}

void drawSave(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(QColor(40, 70, 160));
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 1.5, 8, 5));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(4, 9, 8, 5.5));
}

void drawPatient(QPainter& p) {
    p.setPen(QPen(QColor(60, 40, 20), 1));
    p.setBrush(QColor(250, 205, 160));
    p.drawEllipse(QRectF(5, 1, 6, 6));
    p.setBrush(QColor(60, 110, 190));
    QPainterPath body;
    body.moveTo(2, 15);
    body.cubicTo(2, 8, 14, 8, 14, 15);
    body.closeSubpath();
    p.drawPath(body);
}

void drawLoudness(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1.5, 2.5, 13, 11));
    p.setPen(QPen(QColor(120, 120, 120), 1));
    for (double x : {5.5, 9.5})
        p.drawLine(QPointF(x, 2.5), QPointF(x, 13.5));
    for (double y : {6.5, 10.5})
        p.drawLine(QPointF(1.5, y), QPointF(14.5, y));
    p.fillRect(QRectF(2, 3, 3.5, 3.5), Qt::red);
    p.fillRect(QRectF(10, 7, 4.5, 3.5), Qt::blue);
}

void drawDatabase(QPainter& p) {
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(150, 190, 150));
    p.drawRect(QRectF(2.5, 3.5, 11, 9));
    p.drawEllipse(QRectF(2.5, 10.5, 11, 4));
    p.setPen(Qt::NoPen);
    p.drawRect(QRectF(3, 4, 10, 8.5));
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(QColor(200, 235, 200));
    p.drawEllipse(QRectF(2.5, 1.5, 11, 4));
}

void drawCurves(QPainter& p) {
    p.setPen(QPen(Qt::black, 1));
    p.drawPolyline(QPolygonF({{2.5, 1}, {2.5, 13.5}, {15, 13.5}}));
    p.setPen(QPen(QColor(200, 0, 0), 1.5));
    p.drawPolyline(QPolygonF({{3, 12}, {7, 6}, {15, 3}}));
    p.setPen(QPen(QColor(0, 120, 0), 1.5));
    p.drawPolyline(QPolygonF({{3, 9}, {8, 8}, {15, 6}}));
}

void drawConfiguration(QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 2.5));
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(8, 8);
        p.rotate(45.0 * i);
        p.drawLine(QPointF(-7, 0), QPointF(7, 0));
        p.restore();
    }
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(QColor(180, 180, 180));
    p.drawEllipse(QRectF(3, 3, 10, 10));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(6, 6, 4, 4));
}

// A small chart: a loudness band under a red threshold line with circles and a blue
// one with crosses, as the Overview page draws the two ears.
void drawOverview(QPainter& p) {
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(0.5, 0.5, 15, 15));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 175, 255));
    p.drawPolygon(QPolygonF({{1, 10}, {8, 11}, {15, 9}, {15, 15}, {1, 15}}));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(qColor(chartEarColour(Ear::Right)), 1.2));
    p.drawPolyline(QPolygonF({{3.5, 3.5}, {12.5, 5}}));
    for (const QPointF at : {QPointF(3.5, 3.5), QPointF(12.5, 5)})
        p.drawEllipse(at, 1.8, 1.8);
    p.setPen(QPen(qColor(chartEarColour(Ear::Left)), 1.2));
    p.drawLine(QPointF(3.5, 7.5), QPointF(12.5, 7));
    for (const QPointF at : {QPointF(3.5, 7.5), QPointF(12.5, 7)}) {
        p.drawLine(at + QPointF(-1.8, -1.8), at + QPointF(1.8, 1.8));
        p.drawLine(at + QPointF(-1.8, 1.8), at + QPointF(1.8, -1.8));
    }
}

// The program's window picture: the ear's loudness scale rising to the right.
void drawProgram(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 128));
    p.drawRoundedRect(QRectF(0, 0, 16, 16), 3, 3);
    const QColor steps[4] = {QColor(120, 200, 255), QColor(120, 255, 160), QColor(255, 230, 80),
                             QColor(255, 90, 90)};
    for (int i = 0; i < 4; ++i)
        p.fillRect(QRectF(2 + 3.2 * i, 12 - 2.5 * i, 2.6, 2.5 * i + 2), steps[i]);
}

// A printer with a sheet coming out at the front. Drawn on a 32 x 32 grid for the
// finer parts; the 38 x 38 buttons of the curve page show it at 32 pixels.
void drawPrint(QPainter& p) {
    p.scale(0.5, 0.5);
    const QColor outline(50, 50, 50);
    p.setPen(QPen(outline, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8.5, 2.5, 15, 10)); // sheet waiting at the back
    p.setBrush(QColor(170, 175, 185));
    p.drawRoundedRect(QRectF(2.5, 10.5, 27, 13), 2.5, 2.5);
    p.setBrush(QColor(90, 95, 105));
    p.drawRect(QRectF(6.5, 17.5, 19, 3)); // paper slot
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 200, 60));
    p.drawEllipse(QPointF(25, 14), 1.6, 1.6);
    p.setPen(QPen(outline, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(8.5, 19.5, 15, 10.5)); // printed sheet
    p.setPen(QPen(QColor(60, 90, 170), 1.5));
    for (double y : {23.0, 26.0})
        p.drawLine(QPointF(11, y), QPointF(21, y));
}

// An ear over an arrow pointing both ways. Drawn on a 32 x 32 grid.
void drawSwitchEars(QPainter& p) {
    p.scale(0.5, 0.5);
    QPainterPath ear;
    ear.moveTo(10, 10);
    ear.cubicTo(10, 4.5, 13.5, 1.5, 17, 1.5);
    ear.cubicTo(21.5, 1.5, 24.5, 5, 24.5, 9);
    ear.cubicTo(24.5, 12.5, 22, 14, 21, 16);
    ear.cubicTo(20, 18, 20, 21.5, 16.5, 21.5);
    ear.cubicTo(14, 21.5, 12.5, 19.5, 12.5, 17.5);
    ear.cubicTo(12.5, 15, 10, 13, 10, 10);
    ear.closeSubpath();
    p.setPen(QPen(QColor(110, 60, 30), 1.5));
    p.setBrush(QColor(250, 200, 155));
    p.drawPath(ear);
    QPainterPath fold;
    fold.moveTo(15, 15.5);
    fold.cubicTo(13.5, 12, 14, 6, 17.5, 6);
    fold.cubicTo(20.5, 6, 21, 9, 20, 11);
    p.setBrush(Qt::NoBrush);
    p.drawPath(fold);

    const QColor arrow(20, 60, 170);
    p.setPen(QPen(arrow, 2.5, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(7, 27), QPointF(25, 27));
    p.setPen(Qt::NoPen);
    p.setBrush(arrow);
    p.drawPolygon(QPolygonF({{1, 27}, {8.5, 21.5}, {8.5, 32.5}}));
    p.drawPolygon(QPolygonF({{31, 27}, {23.5, 21.5}, {23.5, 32.5}}));
}

// The database page's steps: a blue triangle pointing the way, with a bar at the end
// for a jump to the first or last entry. Drawn pointing right; the first and previous
// steps are mirrored.
void drawRecordStep(QPainter& p, bool backwards, bool toEnd) {
    if (backwards) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    p.setPen(QPen(QColor(20, 50, 130), 1));
    p.setBrush(QColor(60, 110, 210));
    const double tip = toEnd ? 11.5 : 13;
    const double back = toEnd ? 3.5 : 4;
    p.drawPolygon(QPolygonF({{back, 2.5}, {tip, 8}, {back, 13.5}}));
    if (toEnd)
        p.drawRect(QRectF(12, 2.5, 2, 11));
}

QPixmap render(ToolIcon kind, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    switch (kind) {
    case ToolIcon::New:
        drawNew(p);
        break;
    case ToolIcon::Load:
        drawLoad(p);
        break;
    case ToolIcon::Save:
        drawSave(p);
        break;
    case ToolIcon::Patient:
        drawPatient(p);
        break;
    case ToolIcon::Loudness:
        drawLoudness(p);
        break;
    case ToolIcon::Database:
        drawDatabase(p);
        break;
    case ToolIcon::Curves:
        drawCurves(p);
        break;
    case ToolIcon::Configuration:
        drawConfiguration(p);
        break;
    case ToolIcon::Overview:
        drawOverview(p);
        break;
    case ToolIcon::Program:
        drawProgram(p);
        break;
    case ToolIcon::Print:
        drawPrint(p);
        break;
    case ToolIcon::SwitchEars:
        drawSwitchEars(p);
        break;
    case ToolIcon::FirstRecord:
        drawRecordStep(p, true, true);
        break;
    case ToolIcon::PrevRecord:
        drawRecordStep(p, true, false);
        break;
    case ToolIcon::NextRecord:
        drawRecordStep(p, false, false);
        break;
    case ToolIcon::LastRecord:
        drawRecordStep(p, false, true);
        break;
    }
    return pixmap;
}

// Draws a picture at the size it is first asked for, not every size up front, and
// keeps what it drew. A disabled or selected button gets the style's version of it.
class ToolIconEngine : public QIconEngine {
  public:
    explicit ToolIconEngine(ToolIcon kind) : kind_(kind) {}

    QIconEngine* clone() const override { return new ToolIconEngine(*this); }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        return {QSize(16, 16), QSize(32, 32), QSize(48, 48)};
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return scaledPixmap(size, mode, state, 1.0);
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override {
        const int side = qMax(1, qRound(qMin(size.width(), size.height()) * scale));
        const quint64 key = (quint64(side) << 8) | quint64(mode);
        if (const auto drawn = cache_.constFind(key); drawn != cache_.constEnd())
            return *drawn;
        QPixmap picture = render(kind_, side);
        if (mode != QIcon::Normal) {
            QStyleOption option;
            picture = QApplication::style()->generatedIconPixmap(mode, picture, &option);
        }
        picture.setDevicePixelRatio(scale);
        cache_.insert(key, picture);
        return picture;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal scale = painter->device()->devicePixelRatio();
        painter->drawPixmap(rect, scaledPixmap(rect.size(), mode, state, scale));
    }

  private:
    ToolIcon kind_;
    QHash<quint64, QPixmap> cache_;
};

} // namespace

QIcon toolIcon(ToolIcon kind) {
    return QIcon(new ToolIconEngine(kind));
}
