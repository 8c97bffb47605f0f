#include "overview/overviewbands.h"

#include "curves/graphpainter.h"
#include "platform/qtcolour.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>

#include <cmath>
#include <map>
#include <optional>

namespace {

constexpr qreal kBandTintAlpha = 0.16;

QBrush bandHatch(QPainter& painter, LoudnessBand band, qreal hatchScale) {
    const GraphMedium medium{Qt::black, QFont(), false, hatchScale};
    return GraphPainter(painter, medium).bandBrush(band);
}

QColor bandTint(LoudnessBand band) {
    QColor tint = qColor(band == LoudnessBand::Loud          ? kLoudBandColour
                         : band == LoudnessBand::Comfortable ? kComfortableBandColour
                                                             : kSoftBandColour);
    tint.setAlphaF(kBandTintAlpha);
    return tint;
}

// The whole-number scale from logical to device pixels where the painter paints into
// pixels without turning, shearing or stretching them, and its bands' hatching is not
// enlarged: where a band can be filled from a tile of device pixels.
std::optional<int> wholePixelScale(QPainter& painter) {
    const QPaintEngine* engine = painter.paintEngine();
    const QTransform& toDevice = painter.deviceTransform();
    const qreal scale = toDevice.m11();
    const QPointF origin = toDevice.map(QPointF(0, 0));
    if (!engine || engine->type() != QPaintEngine::Raster ||
        toDevice.type() > QTransform::TxScale || toDevice.m22() != scale || scale < 1 ||
        scale > 8 || scale != std::floor(scale) || origin.x() != std::floor(origin.x()) ||
        origin.y() != std::floor(origin.y()) || hatchScaleFor(*painter.device()) != 1)
        return std::nullopt;
    return static_cast<int>(scale);
}

// A band's tint and hatching together in one tile of device pixels at a whole-number
// scale, kept for the thread's later paintings: the pixels of the two fills, but for
// the tint's rounding, with the hatching starting at the chart's corner rather than
// where Qt's own pattern would start it. Filled with it a band costs one pass over its
// pixels instead of two, and no per-pixel transform of a scaled pattern.
QBrush bandTile(LoudnessBand band, int scale) {
    constexpr int kPatternSide = 8; // Qt's hatch patterns repeat every 8 pixels
    thread_local std::map<std::pair<int, int>, QImage> tiles;
    QImage& tile = tiles[{static_cast<int>(band), scale}];
    if (tile.isNull()) {
        tile =
            QImage(kPatternSide * scale, kPatternSide * scale, QImage::Format_ARGB32_Premultiplied);
        tile.fill(bandTint(band));
        QPainter onTile(&tile);
        onTile.scale(scale, scale);
        onTile.fillRect(QRect(0, 0, kPatternSide, kPatternSide), bandHatch(onTile, band, 1));
    }
    QBrush brush(tile);
    brush.setTransform(QTransform::fromScale(1.0 / scale, 1.0 / scale));
    return brush;
}

// Qt hands a fill of more than about a hundred pixel rows to its thread pool in pieces
// and waits for them, which costs more than a band's fill itself. Filled in strips of
// kStripRows device rows, a band stays on this thread; the strips meet at whole device
// rows, so each pixel is filled once and the band looks the same. Each strip is clipped
// to the painter's clip, the chart's rectangle, by its bounds; the clip is set back as
// it was.
constexpr int kStripRows = 48;

void fillInStrips(QPainter& painter, const QPolygonF& outline, int scale) {
    const bool clipped = painter.hasClipping();
    const QRectF clip = clipped ? painter.clipBoundingRect() : QRectF();
    const QRectF box = outline.boundingRect().adjusted(-1, 0, 1, 0);
    const qreal strip = static_cast<qreal>(kStripRows) / scale;
    painter.save();
    for (qreal top = std::floor(box.top()); top < box.bottom(); top += strip) {
        const QRectF rows(box.left(), top, box.width(), strip);
        painter.setClipRect(clipped ? rows.intersected(clip) : rows);
        painter.drawPolygon(outline);
    }
    painter.restore();
}

} // namespace

void fillBand(QPainter& painter, LoudnessBand band, const QPolygonF& outline) {
    const bool smooth = painter.testRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    if (const std::optional<int> scale = wholePixelScale(painter)) {
        painter.setBrush(bandTile(band, *scale));
        fillInStrips(painter, outline, *scale);
    } else {
        painter.setBrush(bandTint(band));
        painter.drawPolygon(outline);
        painter.setBrush(bandHatch(painter, band, hatchScaleFor(*painter.device())));
        painter.drawPolygon(outline);
    }
    painter.setRenderHint(QPainter::Antialiasing, smooth);
}
