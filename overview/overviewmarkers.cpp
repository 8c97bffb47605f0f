#include "overview/overviewmarkers.h"

#include "overview/overviewdrawing.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <QTransform>
#include <QVector>

#include <cmath>
#include <unordered_map>

namespace {

constexpr qreal kMarkerRadius = 5;
constexpr qreal kSmallRadius = 3.5;
constexpr qreal kMainWidth = 2;
constexpr qreal kThinWidth = 1;
constexpr qreal kMarkerPenWidth = 1.6;
constexpr qreal kOrderRingRadius = 9;
const QColor kLevelGrey(90, 90, 90);

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
        return ear == Ear::Right ? kRightEarColour : kLeftEarColour;
    case Series::Fitted:
        return qColor(kChartCurveColours.fitted);
    case Series::User:
        return qColor(kChartCurveColours.user);
    case Series::Aid:
        return qColor(kChartCurveColours.aid);
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

namespace {

// A picture reaches this far from its point's centre, in logical pixels: the largest
// point's radius, half its outline and a pixel for the antialiased edge.
constexpr qreal kPictureReach = kMarkerRadius + kMarkerPenWidth / 2 + 1;
// Pictures kept per thread; a screen of another scale starts the collection afresh.
constexpr std::size_t kMostPictures = 512;

// Which picture: the series and ear (its shape, colour and size), filled or hollow,
// the device pixels per logical pixel, and whether the centre lies on a pixel corner
// or half a pixel past it, across and down.
struct PictureKey {
    Series series;
    Ear ear;
    bool measured;
    qreal scale;
    bool halfAcross;
    bool halfDown;

    std::uint64_t packed() const {
        const auto scaleBits = static_cast<std::uint64_t>(std::lround(scale * 4096));
        return scaleBits << 8 | static_cast<std::uint64_t>(series) << 4 |
               (ear == Ear::Left ? 8u : 0u) | (measured ? 4u : 0u) | (halfAcross ? 2u : 0u) |
               (halfDown ? 1u : 0u);
    }
};

// Half the picture's side in device pixels; the point's centre lies at this pixel
// corner, or half a pixel further across or down.
int pictureHalf(qreal scale) {
    return static_cast<int>(std::ceil(kPictureReach * scale));
}

QImage markerPicture(const PictureKey& key) {
    const int half = pictureHalf(key.scale);
    QImage picture(2 * half + 1, 2 * half + 1, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.scale(key.scale, key.scale);
    const QPointF centre(half + (key.halfAcross ? 0.5 : 0), half + (key.halfDown ? 0.5 : 0));
    drawMarker(painter, key.series, key.ear, centre / key.scale, key.measured);
    painter.end();
    picture.setDevicePixelRatio(key.scale);
    return picture;
}

const QImage& cachedPicture(const PictureKey& key) {
    thread_local std::unordered_map<std::uint64_t, QImage> pictures;
    const std::uint64_t packed = key.packed();
    if (const auto found = pictures.find(packed); found != pictures.end())
        return found->second;
    if (pictures.size() >= kMostPictures)
        pictures.clear();
    return pictures.emplace(packed, markerPicture(key)).first->second;
}

// A picture looks the same as the shape where the painter paints pixels straight,
// enlarged alike both ways at most, antialiased, opaque and over what is there.
bool picturesLookTheSame(const QPainter& painter) {
    const QPaintEngine* engine = painter.paintEngine();
    const QTransform& toDevice = painter.deviceTransform();
    return engine && engine->type() == QPaintEngine::Raster &&
           toDevice.type() <= QTransform::TxScale && toDevice.m11() == toDevice.m22() &&
           toDevice.m11() > 0 && painter.testRenderHint(QPainter::Antialiasing) &&
           painter.opacity() == 1 &&
           painter.compositionMode() == QPainter::CompositionMode_SourceOver;
}

} // namespace

void drawCachedMarker(QPainter& painter, Series series, Ear ear, QPointF at, bool measured) {
    if (!picturesLookTheSame(painter)) {
        drawMarker(painter, series, ear, at, measured);
        return;
    }
    const QTransform& toDevice = painter.deviceTransform();
    const qreal scale = toDevice.m11();
    // The centre in device pixels, to the nearest half pixel.
    const QPointF centre = toDevice.map(at);
    const qreal halvesAcross = std::round(centre.x() * 2), halvesDown = std::round(centre.y() * 2);
    const PictureKey key{series,
                         ear,
                         measured,
                         scale,
                         std::fmod(std::abs(halvesAcross), 2.0) == 1,
                         std::fmod(std::abs(halvesDown), 2.0) == 1};
    const int half = pictureHalf(scale);
    const QPointF corner(std::floor(halvesAcross / 2) - half, std::floor(halvesDown / 2) - half);
    painter.drawImage(toDevice.inverted().map(corner), cachedPicture(key));
}

void drawOrderMark(QPainter& painter, QPointF at) {
    painter.setPen(QPen(Qt::black, kMarkerPenWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(at, kOrderRingRadius, kOrderRingRadius);
    painter.drawText(QRectF(at.x() + kOrderRingRadius, at.y() - 2 * kOrderRingRadius,
                            2 * kOrderRingRadius, 2 * kOrderRingRadius),
                     Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("!"));
}
