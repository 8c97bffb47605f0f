// A paint device for tests of drawing code: it draws nothing and records every call
// QPainter makes, so that a test can assert exact positions, texts, colours, hatch
// styles, fonts and clipping instead of comparing pixels.
//
//   RecordingPaintDevice device(QSize(595, 294));     // 96 dpi, like the screen
//   { QPainter painter(&device); drawSomething(painter); }
//   const PaintItem* soft = device.findText("soft");
//   ASSERT_NE(soft, nullptr);
//   EXPECT_EQ(soft->position, QPointF(32, 28));      // the text's baseline origin
//   for (const PaintItem& rect : device.itemsOfKind(PaintItem::Kind::Rect))
//       ... rect.rect, rect.brush.style(), rect.brush.color() ...
//
// The engine claims every feature, so QPainter hands over hatched brushes, transforms,
// clips and whole text items as they are instead of breaking them into pixels or
// paths. Each item carries the state in force when it was drawn, and its geometry is
// mapped into device pixels with the transform in force (device pixel ratio
// included), so a test sees where the item lands on the device.
//
// Widgets can be rendered into it too: widget->render(&device) records what the
// widget's paint event draws.
//
// The resolution is settable: 96 dpi for the screen, a printer's (say 600 dpi) for a
// printed page, and a device pixel ratio for high-density screens. Fonts in points
// are sized for that resolution, as on the real device.
#pragma once

#include <QBrush>
#include <QFont>
#include <QLineF>
#include <QList>
#include <QPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTransform>

#include <memory>

struct PaintItem {
    enum class Kind {
        Line,     // line: the line; points: its two ends
        Rect,     // rect: the rectangle; points: its four corners
        Polygon,  // points: the corners (filled with brush, outlined with pen)
        Polyline, // points: the vertices (pen only)
        Path,     // path: the path; rect: its bounding rectangle
        Point,    // points: the one point
        Ellipse,  // rect: the bounding rectangle
        Text,     // text, font, position (baseline origin), rect (the text's cell)
        Pixmap,   // rect: where the pixmap or image lands
    };
    Kind kind;
    qsizetype order = 0; // position in the device's items(): what is drawn later lies on top

    // Geometry in device pixels (the logical coordinates mapped with `transform`).
    QLineF line;
    QRectF rect; // for a rotated or sheared item, the bounding rectangle
    QPolygonF points;
    QPainterPath path;
    QPointF position; // Text: left end of the baseline

    // Text: what was drawn, its advance width and cell height in the font's own units
    // (logical pixels, before the transform).
    QString text;
    qreal textWidth = 0;
    qreal textAscent = 0;
    qreal textDescent = 0;

    // State in force.
    QPen pen;
    QBrush brush;
    QFont font;
    QTransform transform; // logical to device, the device pixel ratio included
    bool clipped = false; // whether a clip is in force
    QPainterPath clip;    // the clip in device pixels, when clipped
    QPainter::RenderHints hints;
    Qt::BGMode backgroundMode = Qt::TransparentMode;
    QBrush background;
    qreal opacity = 1;
};

class RecordingPaintEngine;

class RecordingPaintDevice : public QPaintDevice {
  public:
    // size in device pixels; dpi and devicePixelRatio as the device reports them.
    explicit RecordingPaintDevice(QSize size = QSize(1000, 1000), int dpi = 96,
                                  qreal devicePixelRatio = 1);
    ~RecordingPaintDevice() override;
    RecordingPaintDevice(const RecordingPaintDevice&) = delete;
    RecordingPaintDevice& operator=(const RecordingPaintDevice&) = delete;

    void setSize(QSize size) { size_ = size; }
    void setResolution(int dpi) { dpi_ = dpi; }
    void setDevicePixelRatio(qreal ratio) { ratio_ = ratio; }

    // Everything recorded, in drawing order, across painters until clear().
    const QList<PaintItem>& items() const;
    void clear();

    QList<PaintItem> itemsOfKind(PaintItem::Kind kind) const;
    // The drawn texts in drawing order.
    QStringList texts() const;
    // The first text item whose text is exactly `text`, or nullptr.
    const PaintItem* findText(const QString& text) const;
    // Every text item whose text is exactly `text`.
    QList<PaintItem> findTexts(const QString& text) const;

    QPaintEngine* paintEngine() const override;

  protected:
    int metric(PaintDeviceMetric metric) const override;

  private:
    QSize size_;
    int dpi_;
    qreal ratio_;
    std::unique_ptr<RecordingPaintEngine> engine_;
};
