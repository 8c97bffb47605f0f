#include "overview/overviewdrawing.h"

#include "overview/overviewbands.h"
#include "overview/overviewlayout.h"
#include "overview/overviewmarkers.h"
#include "platform/fontnames.h"

#include <QFont>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPolygonF>

#include <cmath>
#include <string>
#include <vector>

namespace {

// Text sizes in logical pixels, so that the charts keep their proportions on a
// screen, in an image of any scale and on a page.
constexpr int kLabelPixels = 11;
constexpr int kTitlePixels = 13;
constexpr int kLabelGap = 4;
constexpr int kSwatchWidth = 26;
const QColor kInk(40, 40, 40);
const QColor kGridColour(215, 215, 215);
const QColor kDisplayFrequencyColour(110, 110, 110);
const QColor kPreviousVisit = qColor(kPreviousVisitColour);
constexpr qreal kPreviousVisitWidth = 1;

// The middle of the pixel row or column a coordinate falls in, where a 1-unit line
// covers whole pixels at a device pixel ratio of 1 and of 2.
qreal pixelCentre(double position) {
    return std::floor(position) + 0.5;
}

QPointF toPoint(const ChartPoint& p) {
    return {p.x, p.y};
}

void setFont(QPainter& painter, int pixels, bool bold = false) {
    QFont font(QString::fromLatin1(kSansFamily));
    font.setPixelSize(pixels);
    font.setBold(bold);
    painter.setFont(font);
}

ChartPlan planFor(OverviewChart chart, const OverviewSource& source, QSize size) {
    if (chart == OverviewChart::LoudnessMap)
        return planLoudnessMap(source.record, source.measured, source.ear, size.width(),
                               size.height(), source.previous);
    return planGainChart(source.record, source.database, source.ear, size.width(), size.height());
}

void drawGrid(QPainter& painter, const ChartPlan& plan) {
    painter.setPen(QPen(kGridColour, 1));
    for (const ChartPanel& panel : plan.panels) {
        const PixelRect& f = panel.frame;
        for (const ScaleTick& tick : plan.levelTicks)
            painter.drawLine(QPointF(f.left, pixelCentre(tick.position)),
                             QPointF(f.right, pixelCentre(tick.position)));
        for (const ScaleTick& tick : panel.frequencyTicks)
            painter.drawLine(QPointF(pixelCentre(tick.position), f.top),
                             QPointF(pixelCentre(tick.position), f.bottom));
    }
}

// 250 starts at its line, inside the frame and clear of the level numbers; the other
// numbers are centred on their lines.
void drawFrequencyNumbers(QPainter& painter, const ChartPanel& panel, int height) {
    for (std::size_t i = 0; i < panel.frequencyTicks.size(); ++i) {
        const ScaleTick& tick = panel.frequencyTicks[i];
        const bool first = i == 0;
        const qreal left = first ? tick.position : tick.position - 20;
        const Qt::Alignment across = first ? Qt::AlignLeft : Qt::AlignHCenter;
        painter.drawText(QRectF(left, panel.frame.bottom + 2, 40, height), across | Qt::AlignTop,
                         QString::fromStdString(tick.label));
    }
}

void drawScaleNumbers(QPainter& painter, const ChartPlan& plan) {
    const PixelRect& f = plan.panels.front().frame;
    setFont(painter, kLabelPixels);
    painter.setPen(kInk);
    const int height = painter.fontMetrics().height();
    for (const ScaleTick& tick : plan.levelTicks) {
        if (tick.label.empty())
            continue;
        const QRectF cell(0, tick.position - height / 2.0, f.left - kLabelGap, height);
        painter.drawText(cell, Qt::AlignRight | Qt::AlignVCenter,
                         QString::fromStdString(tick.label));
    }
    for (const ChartPanel& panel : plan.panels)
        drawFrequencyNumbers(painter, panel, height);
}

// A graph frequency: a dotted line down the plot from a small triangle at its top.
void drawDisplayFrequency(QPainter& painter, double x, qreal top, qreal bottom) {
    QPen pen(kDisplayFrequencyColour, 1);
    pen.setDashPattern({2, 2});
    painter.setPen(pen);
    painter.drawLine(QPointF(pixelCentre(x), top), QPointF(pixelCentre(x), bottom));
    painter.setPen(Qt::NoPen);
    painter.setBrush(kDisplayFrequencyColour);
    painter.drawPolygon(QPolygonF({QPointF(x - 5, top), QPointF(x + 5, top), QPointF(x, top + 7)}));
}

void drawDisplayFrequencies(QPainter& painter, const ChartPlan& plan) {
    for (const ChartPanel& panel : plan.panels)
        for (const double x : panel.displayFrequencyX)
            drawDisplayFrequency(painter, x, panel.frame.top, panel.frame.bottom);
}

void putMarker(QPainter& painter, MarkerDrawing how, Series series, Ear ear, QPointF at,
               bool measured) {
    if (how == MarkerDrawing::CachedPictures)
        drawCachedMarker(painter, series, ear, at, measured);
    else
        drawMarker(painter, series, ear, at, measured);
}

void drawData(QPainter& painter, const ChartPlan& plan, MarkerDrawing how) {
    for (const ChartBand& band : plan.bands) {
        QPolygonF outline;
        for (const ChartPoint& p : band.outline)
            outline << toPoint(p);
        fillBand(painter, band.band, outline);
    }
    drawDisplayFrequencies(painter, plan);
    painter.setPen(QPen(kPreviousVisit, kPreviousVisitWidth));
    for (const ChartLine& line : plan.previousLines)
        painter.drawLine(toPoint(line.from), toPoint(line.to));
    for (const ChartLine& line : plan.lines) {
        setLinePen(painter, line.series, plan.ear, line.measured);
        painter.drawLine(toPoint(line.from), toPoint(line.to));
    }
    for (const ChartMarker& marker : plan.markers)
        putMarker(painter, how, marker.series, plan.ear, toPoint(marker.at), marker.measured);
    setFont(painter, kLabelPixels, true);
    for (const OrderMark& mark : plan.orderMarks)
        drawOrderMark(painter, toPoint(mark.at));
}

void drawFrames(QPainter& painter, const ChartPlan& plan) {
    painter.setPen(QPen(kInk, 1));
    painter.setBrush(Qt::NoBrush);
    for (const ChartPanel& panel : plan.panels) {
        const PixelRect& f = panel.frame;
        painter.drawRect(
            QRectF(f.left + 0.5, f.top + 0.5, f.right - f.left - 1, f.bottom - f.top - 1));
    }
}

void drawSwatch(QPainter& painter, const ChartPlan& plan, const LegendEntry& entry, QRectF swatch,
                MarkerDrawing how) {
    const QPointF middle = swatch.center();
    if (entry.series) {
        setLinePen(painter, *entry.series, plan.ear, true);
        painter.drawLine(QPointF(swatch.left(), middle.y()), QPointF(swatch.right(), middle.y()));
        putMarker(painter, how, *entry.series, plan.ear, middle, true);
    } else if (entry.band) {
        fillBand(painter, *entry.band, QPolygonF(swatch.adjusted(2, 2, -2, -2)));
    } else if (entry.extra == LegendEntry::Extra::Predicted) {
        setLinePen(painter, Series::Thr, plan.ear, false);
        painter.drawLine(QPointF(swatch.left(), middle.y()), QPointF(swatch.right(), middle.y()));
        putMarker(painter, how, Series::C, plan.ear, middle, false);
    } else if (entry.extra == LegendEntry::Extra::PreviousVisit) {
        painter.setPen(QPen(kPreviousVisit, kPreviousVisitWidth));
        painter.drawLine(QPointF(swatch.left(), middle.y()), QPointF(swatch.right(), middle.y()));
    } else if (entry.extra == LegendEntry::Extra::OrderMark) {
        drawOrderMark(painter, middle - QPointF(4, -1));
    } else if (entry.extra == LegendEntry::Extra::DisplayFrequency) {
        drawDisplayFrequency(painter, middle.x(), std::floor(swatch.top()) + 1,
                             std::floor(swatch.bottom()));
    }
}

// Which of the legend is drawn: all of it, or apart from the band swatches (a kept
// ground's part, as their fill is made for the pixels painted), or those alone.
enum class LegendPart { Whole, AllButBands, BandsOnly };

void drawLegend(QPainter& painter, const ChartPlan& plan, MarkerDrawing how, LegendPart part) {
    for (const LegendEntry& entry : plan.legend) {
        const PixelRect& c = entry.cell;
        const QRectF swatch(c.left, c.top, kSwatchWidth, c.bottom - c.top);
        setFont(painter, kLabelPixels, true);
        if (part == LegendPart::Whole || (part == LegendPart::BandsOnly) == entry.band.has_value())
            drawSwatch(painter, plan, entry, swatch, how);
        if (part == LegendPart::BandsOnly)
            continue;
        setFont(painter, kLabelPixels);
        painter.setPen(kInk);
        const QRectF text(c.left + kSwatchWidth + kLabelGap, c.top,
                          c.right - c.left - kSwatchWidth - kLabelGap, c.bottom - c.top);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter,
                         QString::fromStdString(entry.text));
    }
}

// The chart's title above the plots, and each plot's own title under it.
void drawTitles(QPainter& painter, const ChartPlan& plan) {
    const PixelRect& first = plan.panels.front().frame;
    const int width = plan.panels.back().frame.right - first.left;
    setFont(painter, kTitlePixels, true);
    painter.setPen(kInk);
    painter.drawText(QRectF(first.left, 0, width, kTitleHeight - kLabelGap),
                     Qt::AlignLeft | Qt::AlignBottom, QString::fromStdString(plan.title));
    setFont(painter, kLabelPixels, true);
    for (const ChartPanel& panel : plan.panels) {
        const PixelRect& f = panel.frame;
        if (panel.title.empty())
            continue;
        painter.drawText(QRectF(f.left, kTitleHeight, f.right - f.left, f.top - kTitleHeight),
                         Qt::AlignHCenter | Qt::AlignVCenter, QString::fromStdString(panel.title));
    }
}

// The chart's ground: white, with its grid, scale numbers, frames and titles.
void drawGround(QPainter& painter, const ChartPlan& plan, QSize size) {
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing, false);
    drawGrid(painter, plan);
    drawScaleNumbers(painter, plan);
    drawFrames(painter, plan);
    drawTitles(painter, plan);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
}

template <typename T> void append(std::string& key, const T& value) {
    key.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void append(std::string& key, const std::string& text) {
    append(key, text.size());
    key += text;
}

void append(std::string& key, const PixelRect& rect) {
    for (const int n : {rect.left, rect.top, rect.right, rect.bottom})
        append(key, n);
}

void appendTicks(std::string& key, const std::vector<ScaleTick>& ticks) {
    append(key, ticks.size());
    for (const ScaleTick& tick : ticks) {
        append(key, tick.position);
        append(key, tick.label);
    }
}

// Everything a kept ground is drawn from, so that a ground is used again only where it
// would be drawn the same: its size and scale and what the plan puts there.
std::string groundKey(const ChartPlan& plan, QSize size, qreal scale) {
    std::string key;
    for (const int n :
         {static_cast<int>(plan.chart), static_cast<int>(plan.ear), size.width(), size.height()})
        append(key, n);
    append(key, scale);
    append(key, plan.title);
    appendTicks(key, plan.levelTicks);
    append(key, plan.panels.size());
    for (const ChartPanel& panel : plan.panels) {
        append(key, panel.frame);
        append(key, panel.title);
        appendTicks(key, panel.frequencyTicks);
    }
    append(key, plan.legend.size());
    for (const LegendEntry& entry : plan.legend) {
        append(key, entry.cell);
        for (const int n :
             {entry.series ? static_cast<int>(*entry.series) : -1,
              entry.band ? static_cast<int>(*entry.band) : -1, static_cast<int>(entry.extra)})
            append(key, n);
        append(key, entry.text);
    }
    return key;
}

struct KeptGround {
    std::string key;
    QImage image;
};

const QImage& keptGround(const ChartPlan& plan, QSize size, qreal scale) {
    // One ground for each chart of each ear: what the page shows at most.
    thread_local KeptGround grounds[2][2];
    KeptGround& kept = grounds[static_cast<int>(plan.chart)][plan.ear == Ear::Left];
    std::string key = groundKey(plan, size, scale);
    if (kept.key == key && !kept.image.isNull())
        return kept.image;
    kept.key = std::move(key);
    kept.image = QImage(size * scale, QImage::Format_RGB32);
    kept.image.setDevicePixelRatio(scale);
    QPainter painter(&kept.image);
    drawGround(painter, plan, size);
    drawLegend(painter, plan, MarkerDrawing::CachedPictures, LegendPart::AllButBands);
    return kept.image;
}

// The chart's ground and legend from a picture kept from an earlier painting with
// the same ground, where the painter paints whole device pixels at whole-pixel
// places, so that the picture is the very pixels the drawing would give.
bool drawKeptGround(QPainter& painter, const ChartPlan& plan, QSize size) {
    const QPaintEngine* engine = painter.paintEngine();
    const QTransform& toDevice = painter.deviceTransform();
    const qreal scale = toDevice.m11();
    const QPointF origin = toDevice.map(QPointF(0, 0));
    const auto whole = [](qreal v) { return v == std::floor(v); };
    if (!engine || engine->type() != QPaintEngine::Raster ||
        toDevice.type() > QTransform::TxScale || toDevice.m22() != scale || scale <= 0 ||
        !whole(origin.x()) || !whole(origin.y()) || !whole(size.width() * scale) ||
        !whole(size.height() * scale) || painter.opacity() != 1 ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver)
        return false;
    painter.drawImage(QPointF(0, 0), keptGround(plan, size, scale));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    return true;
}

} // namespace

void drawOverviewChart(QPainter& painter, const QRect& area, OverviewChart chart,
                       const OverviewSource& source, MarkerDrawing markers) {
    const ChartPlan plan = planFor(chart, source, area.size());
    painter.save();
    painter.translate(area.topLeft());
    painter.setClipRect(QRect(QPoint(0, 0), area.size()));
    const bool kept =
        markers == MarkerDrawing::CachedPictures && drawKeptGround(painter, plan, area.size());
    if (!kept)
        drawGround(painter, plan, area.size());
    drawData(painter, plan, markers);
    drawLegend(painter, plan, markers, kept ? LegendPart::BandsOnly : LegendPart::Whole);
    painter.restore();
}

QString overviewChartName(OverviewChart chart, Ear ear) {
    return QString::fromStdString(chartName(chart, ear));
}

QString overviewChartDescription(OverviewChart chart, const OverviewSource& source) {
    if (chart == OverviewChart::LoudnessMap)
        return QString::fromStdString(
            loudnessMapDescription(source.record, source.measured, source.ear, source.previous));
    return QString::fromStdString(
        gainDescription(gainTable(source.record, source.database, source.ear), source.ear));
}
