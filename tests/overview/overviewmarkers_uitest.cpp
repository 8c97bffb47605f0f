// The points and the charts' grounds drawn from kept pictures, as the Overview page
// draws them: every shape, colour and fill looks as the drawn shape does, at device
// pixel ratios 1 and 2 and under a moved painter; a kept ground is not used once the
// scale changes; where the painter does not paint pixels, the shapes are drawn.
#include "overview/overviewdrawing.h"
#include "overview/overviewmarkers.h"
#include "overviewpatient.h"
#include "testsupport/recordingpaintdevice.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Not white, so that a point's white inside shows.
const QColor kBackground(230, 240, 200);

QImage drawnPoint(bool cached, Series series, Ear ear, bool measured, qreal ratio, QPointF at) {
    QImage image(QSize(40, 40) * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(kBackground);
    QPainter painter(&image);
    painter.translate(3, 5);
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (cached)
        drawCachedMarker(painter, series, ear, at, measured);
    else
        drawMarker(painter, series, ear, at, measured);
    return image;
}

int channelDifference(QRgb p, QRgb q) {
    return std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                     std::abs(qBlue(p) - qBlue(q))});
}

// The largest difference of one colour channel between the two images.
int largestDifference(const QImage& a, const QImage& b) {
    int largest = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            largest = std::max(largest, channelDifference(a.pixel(x, y), b.pixel(x, y)));
    return largest;
}

TEST(OverviewMarkers, CachedPointsLookAsTheirShapes) {
    // Every shape of either ear, both fills, with centres on a pixel corner and half a
    // device pixel past it. One process draws them all, so that a picture kept for one
    // row and wrongly reused for the next shows.
    const Series series[] = {Series::Thr,        Series::Ucl,           Series::C,
                             Series::TargetSoft, Series::TargetAverage, Series::TargetLoud,
                             Series::Fitted,     Series::User,          Series::Aid};
    const struct {
        qreal ratio;
        QPointF at;
    } places[] = {
        {1, {12.5, 13}},
        {1, {14, 11.5}},
        {2, {12.25, 13}},
        {2, {12.5, 11.75}},
    };
    for (const auto& place : places) {
        for (const Series s : series) {
            for (const Ear ear : {Ear::Right, Ear::Left}) {
                for (const bool measured : {true, false}) {
                    const QImage shape = drawnPoint(false, s, ear, measured, place.ratio, place.at);
                    const QImage cached = drawnPoint(true, s, ear, measured, place.ratio, place.at);
                    const QImage empty = drawnPoint(false, s, ear, measured, place.ratio, {-50, 0});
                    const auto where = ::testing::Message()
                                       << "series " << int(s) << " ear " << int(ear) << " measured "
                                       << measured << " ratio " << place.ratio;
                    EXPECT_GT(largestDifference(shape, empty), 100) << where;
                    EXPECT_LE(largestDifference(shape, cached), 3) << where;
                }
            }
        }
    }
}

// Pixels of which a colour channel differs by more than 100.
int differentPixels(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += channelDifference(a.pixel(x, y), b.pixel(x, y)) > 100;
    return count;
}

QImage drawnChart(const FittingRecord& record, MarkerDrawing how) {
    QImage image(QSize(700, 460) * 2, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    image.fill(Qt::black);
    QPainter painter(&image);
    drawOverviewChart(painter, QRect(30, 20, 640, 400), OverviewChart::LoudnessMap,
                      {record, overviewDatabase(), overviewMeasured(), Ear::Right}, how);
    return image;
}

// On the white charts an ear's levels and targets are a darker red and a deeper blue
// than the bands behind them, and the curves darker than on the curve page's black
// graphs; the levels between threshold and UCL are grey.
TEST(OverviewMarkers, EachSeriesHasItsColourOnTheWhiteCharts) {
    const struct {
        Series series;
        Ear ear;
        QColor expected;
    } cases[] = {
        {Series::Thr, Ear::Right, QColor(210, 0, 0)},
        {Series::Ucl, Ear::Left, QColor(0, 60, 220)},
        {Series::TargetLoud, Ear::Left, QColor(0, 60, 220)},
        {Series::Css, Ear::Right, QColor(90, 90, 90)},
        {Series::Fitted, Ear::Right, QColor(0, 130, 150)},
        {Series::User, Ear::Left, QColor(40, 140, 0)},
        {Series::Aid, Ear::Left, QColor(190, 0, 190)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(seriesColour(c.series, c.ear), c.expected) << static_cast<int>(c.series);
}

TEST(OverviewMarkers, KeptGroundFollowsTheScale) {
    FittingRecord record = overviewPatient();
    const QImage before = drawnChart(record, MarkerDrawing::CachedPictures);
    // A UCL of 150 dB at 250 Hz widens the level scale: other numbers, other lines.
    record.rightLoudness[0][7] = 150;
    const QImage drawn = drawnChart(record, MarkerDrawing::Shapes);
    const QImage kept = drawnChart(record, MarkerDrawing::CachedPictures);
    const int changed = differentPixels(before, drawn), left = differentPixels(kept, drawn);
    EXPECT_GT(changed, 10000);
    EXPECT_LT(left, 200);
}

TEST(OverviewMarkers, PaintersWithoutPixelsGetTheShapes) {
    const FittingRecord record = overviewPatient();
    const AidDatabase database = overviewDatabase();
    const LevelFlags measured = overviewMeasured();
    for (const OverviewChart chart : {OverviewChart::LoudnessMap, OverviewChart::Gain}) {
        RecordingPaintDevice shapes{QSize(640, 400)}, cached{QSize(640, 400)};
        for (auto [device, how] : {std::pair{&shapes, MarkerDrawing::Shapes},
                                   std::pair{&cached, MarkerDrawing::CachedPictures}}) {
            QPainter painter(device);
            drawOverviewChart(painter, QRect(0, 0, 640, 400), chart,
                              {record, database, measured, Ear::Left}, how);
        }
        for (const auto kind : {PaintItem::Kind::Ellipse, PaintItem::Kind::Polygon,
                                PaintItem::Kind::Polyline, PaintItem::Kind::Line}) {
            EXPECT_EQ(cached.itemsOfKind(kind).size(), shapes.itemsOfKind(kind).size());
        }
        EXPECT_FALSE(shapes.itemsOfKind(PaintItem::Kind::Polygon).isEmpty());
    }
}

// On pixels at a whole-number scale a band is filled from a tile of device pixels, in
// strips of rows. Inside a wide comfortable band (CSS 25 to CSL 90 dB SPL at every
// frequency; here between 500 Hz and 1 kHz and 40 and 85 dB, across several strips)
// every pixel is the tint over white or a hatch pixel, but for the rows of the four
// grid lines at 50 to 80 dB under the tint, so no row is left out or tinted twice; the
// hatch lines run on unbroken from row to row, one device pixel up and right, and
// repeat every 8 device pixels, as Qt's hatch does, at each scale. What is drawn after
// the bands is not clipped to their last strip.
TEST(OverviewMarkers, BandsFilledFromTilesRunOnAcrossStrips) {
    FittingRecord record = overviewPatient();
    record.showInHL = 0;
    const int32_t levels[kCategoryCount] = {10, 15, 20, 25, 30, 90, 100, 110};
    for (auto& frequency : record.rightLoudness)
        std::copy(std::begin(levels), std::end(levels), std::begin(frequency));
    const QRect window(230, 150, 120, 95);
    const QRgb tint = qRgb(214, 214, 255), hatch = qRgb(0, 0, 255);
    for (const int ratio : {1, 2, 3}) {
        QImage image(QSize(700, 460) * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::black);
        {
            QPainter painter(&image);
            drawOverviewChart(painter, QRect(30, 20, 640, 400), OverviewChart::LoudnessMap,
                              {record, overviewDatabase(), overviewMeasured(), Ear::Right});
        }
        // The threshold's line and points above the bands, and the legend below, are
        // drawn after them: the strips' clip is gone.
        int red = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                red += image.pixel(x, y) == kRightEarColour.rgb();
        EXPECT_GT(red, 600 * ratio) << ratio;
        const QImage band = image.copy(QRect(window.topLeft() * ratio, window.size() * ratio));
        int tinted = 0, hatched = 0, broken = 0, unlike = 0, otherRows = 0;
        for (int y = 0; y < band.height(); ++y) {
            bool other = false;
            for (int x = 0; x < band.width(); ++x) {
                const QRgb p = band.pixel(x, y);
                tinted += channelDifference(p, tint) <= 1;
                hatched += p == hatch;
                other = other || (channelDifference(p, tint) > 1 && p != hatch);
                if (p == hatch && y > 0 && x + 1 < band.width())
                    broken += band.pixel(x + 1, y - 1) != hatch;
                if (x + 8 < band.width())
                    unlike += (p == hatch) != (band.pixel(x + 8, y) == hatch);
            }
            otherRows += other ? 1 : 0;
        }
        const int all = band.width() * band.height();
        EXPECT_GT(tinted, all * 3 / 4) << ratio;
        EXPECT_GE(hatched, all / 9) << ratio;
        EXPECT_EQ(otherRows, 4 * ratio) << ratio;
        EXPECT_EQ(broken, 0) << ratio;
        EXPECT_EQ(unlike, 0) << ratio;
    }
}

} // namespace
