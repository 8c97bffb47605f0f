#include "testsupport/recordingpaintdevice.h"

#include <QPaintEngine>
#include <QRegion>
#include <QTextItem>

#include <algorithm>
#include <climits>

// The engine keeps the painter's state as QPainter reports it and turns every draw
// call into items carrying that state.
class RecordingPaintEngine : public QPaintEngine {
  public:
    RecordingPaintEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

    QList<PaintItem> items;

    bool begin(QPaintDevice*) override {
        state_ = PaintItem{};
        clipSet_ = false;
        clipEnabled_ = true;
        return true;
    }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }

    void updateState(const QPaintEngineState& state) override {
        const QPaintEngine::DirtyFlags dirty = state.state();
        // The transform first: a clip is given in the coordinates in force with it.
        if (dirty & DirtyTransform)
            state_.transform = state.transform();
        if (dirty & DirtyPen)
            state_.pen = state.pen();
        if (dirty & DirtyBrush)
            state_.brush = state.brush();
        if (dirty & DirtyFont)
            state_.font = state.font();
        if (dirty & DirtyBackground)
            state_.background = state.backgroundBrush();
        if (dirty & DirtyBackgroundMode)
            state_.backgroundMode = state.backgroundMode();
        if (dirty & DirtyHints)
            state_.hints = state.renderHints();
        if (dirty & DirtyOpacity)
            state_.opacity = state.opacity();
        if (dirty & DirtyClipRegion) {
            QPainterPath path;
            path.addRegion(state.clipRegion());
            applyClip(state.clipOperation(), path);
        }
        if (dirty & DirtyClipPath)
            applyClip(state.clipOperation(), state.clipPath());
        if (dirty & DirtyClipEnabled)
            clipEnabled_ = state.isClipEnabled();
        state_.clipped = clipSet_ && clipEnabled_;
    }

    void drawRects(const QRect* rects, int count) override {
        for (int i = 0; i < count; ++i)
            addRect(QRectF(rects[i]));
    }
    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count; ++i)
            addRect(rects[i]);
    }
    void drawLines(const QLine* lines, int count) override {
        for (int i = 0; i < count; ++i)
            addLine(QLineF(lines[i]));
    }
    void drawLines(const QLineF* lines, int count) override {
        for (int i = 0; i < count; ++i)
            addLine(lines[i]);
    }
    void drawEllipse(const QRectF& r) override {
        PaintItem item = started(PaintItem::Kind::Ellipse);
        item.rect = state_.transform.mapRect(r);
        items.append(item);
    }
    void drawEllipse(const QRect& r) override { drawEllipse(QRectF(r)); }
    void drawPath(const QPainterPath& path) override {
        PaintItem item = started(PaintItem::Kind::Path);
        item.path = state_.transform.map(path);
        item.rect = item.path.boundingRect();
        items.append(item);
    }
    void drawPoints(const QPointF* points, int count) override {
        for (int i = 0; i < count; ++i) {
            PaintItem item = started(PaintItem::Kind::Point); // one item per point
            item.points = {state_.transform.map(points[i])};
            item.rect = QRectF(item.points[0], QSizeF(0, 0));
            items.append(item);
        }
    }
    void drawPoints(const QPoint* points, int count) override {
        for (int i = 0; i < count; ++i) {
            const QPointF point(points[i]);
            drawPoints(&point, 1);
        }
    }
    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        PaintItem item =
            started(mode == PolylineMode ? PaintItem::Kind::Polyline : PaintItem::Kind::Polygon);
        for (int i = 0; i < count; ++i)
            item.points.append(state_.transform.map(points[i]));
        item.rect = item.points.boundingRect();
        items.append(item);
    }
    void drawPolygon(const QPoint* points, int count, PolygonDrawMode mode) override {
        QPolygonF polygon;
        for (int i = 0; i < count; ++i)
            polygon.append(QPointF(points[i]));
        drawPolygon(polygon.constData(), count, mode);
    }
    void drawPixmap(const QRectF& r, const QPixmap&, const QRectF&) override { addPixmap(r); }
    void drawTiledPixmap(const QRectF& r, const QPixmap&, const QPointF&) override { addPixmap(r); }
    void drawImage(const QRectF& r, const QImage&, const QRectF&,
                   Qt::ImageConversionFlags) override {
        addPixmap(r);
    }
    void drawTextItem(const QPointF& p, const QTextItem& textItem) override {
        PaintItem item = started(PaintItem::Kind::Text);
        item.text = textItem.text();
        item.font = textItem.font();
        item.textWidth = textItem.width();
        item.textAscent = textItem.ascent();
        item.textDescent = textItem.descent();
        item.position = state_.transform.map(p);
        item.rect = state_.transform.mapRect(QRectF(p.x(), p.y() - item.textAscent, item.textWidth,
                                                    item.textAscent + item.textDescent));
        items.append(item);
    }

  private:
    PaintItem state_; // the state in force, as a template for the next item
    bool clipSet_ = false;
    bool clipEnabled_ = true;

    PaintItem started(PaintItem::Kind kind) const {
        PaintItem item = state_;
        item.kind = kind;
        item.order = items.size();
        return item;
    }

    void applyClip(Qt::ClipOperation operation, const QPainterPath& logical) {
        const QPainterPath device = state_.transform.map(logical);
        switch (operation) {
        case Qt::NoClip:
            state_.clip = QPainterPath();
            clipSet_ = false;
            return;
        case Qt::ReplaceClip:
            state_.clip = device;
            break;
        case Qt::IntersectClip:
            state_.clip = clipSet_ ? state_.clip.intersected(device) : device;
            break;
        }
        clipSet_ = true;
    }

    void addLine(const QLineF& line) {
        PaintItem item = started(PaintItem::Kind::Line);
        item.line = state_.transform.map(line);
        item.points = {item.line.p1(), item.line.p2()};
        item.rect = QRectF(item.line.p1(), item.line.p2()).normalized();
        items.append(item);
    }

    void addRect(const QRectF& r) {
        PaintItem item = started(PaintItem::Kind::Rect);
        item.points = {state_.transform.map(r.topLeft()), state_.transform.map(r.topRight()),
                       state_.transform.map(r.bottomRight()), state_.transform.map(r.bottomLeft())};
        item.rect = state_.transform.mapRect(r);
        items.append(item);
    }

    void addPixmap(const QRectF& r) {
        PaintItem item = started(PaintItem::Kind::Pixmap);
        item.rect = state_.transform.mapRect(r);
        items.append(item);
    }
};

RecordingPaintDevice::RecordingPaintDevice(QSize size, int dpi, qreal devicePixelRatio)
    : size_(size), dpi_(dpi), ratio_(devicePixelRatio),
      engine_(std::make_unique<RecordingPaintEngine>()) {}

RecordingPaintDevice::~RecordingPaintDevice() = default;

const QList<PaintItem>& RecordingPaintDevice::items() const {
    return engine_->items;
}

void RecordingPaintDevice::clear() {
    engine_->items.clear();
}

QList<PaintItem> RecordingPaintDevice::itemsOfKind(PaintItem::Kind kind) const {
    QList<PaintItem> found;
    std::ranges::copy_if(engine_->items, std::back_inserter(found),
                         [kind](const PaintItem& item) { return item.kind == kind; });
    return found;
}

QStringList RecordingPaintDevice::texts() const {
    QStringList found;
    for (const PaintItem& item : engine_->items) {
        if (item.kind == PaintItem::Kind::Text)
            found.append(item.text);
    }
    return found;
}

const PaintItem* RecordingPaintDevice::findText(const QString& text) const {
    const auto it = std::ranges::find_if(engine_->items, [&text](const PaintItem& item) {
        return item.kind == PaintItem::Kind::Text && item.text == text;
    });
    return it == engine_->items.end() ? nullptr : &*it;
}

QList<PaintItem> RecordingPaintDevice::findTexts(const QString& text) const {
    QList<PaintItem> found;
    for (const PaintItem& item : engine_->items) {
        if (item.kind == PaintItem::Kind::Text && item.text == text)
            found.append(item);
    }
    return found;
}

QPaintEngine* RecordingPaintDevice::paintEngine() const {
    return engine_.get();
}

int RecordingPaintDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return size_.width();
    case PdmHeight:
        return size_.height();
    case PdmWidthMM:
        return static_cast<int>(size_.width() * 25.4 / dpi_);
    case PdmHeightMM:
        return static_cast<int>(size_.height() * 25.4 / dpi_);
    case PdmNumColors:
        return INT_MAX;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return dpi_;
    case PdmDevicePixelRatio:
        return std::max(1, static_cast<int>(ratio_));
    case PdmDevicePixelRatioScaled:
        return static_cast<int>(ratio_ * devicePixelRatioFScale());
    }
    return QPaintDevice::metric(metric);
}
