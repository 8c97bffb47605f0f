// A band's fill on a raster image at a whole-pixel scale, where it is filled in strips
// of device rows: every row of a tall band gets its tint and hatching, the rows below
// the last whole strip too.
#include "overview/overviewbands.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

TEST(OverviewBands, EveryRowOfATallBandIsFilledAtEachScale) {
    for (const int scale : {1, 2}) {
        SCOPED_TRACE(scale);
        QImage image(30 * scale, 101 * scale, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.scale(scale, scale);
            fillBand(painter, LoudnessBand::Soft, QPolygonF(QRectF(0, 0, 30, 101)));
        }
        // The tile repeats every 8 pixels of the chart: each row is the row of the
        // first period at its place, and the first row is no longer white.
        const int period = 8 * scale;
        EXPECT_NE(image.pixel(0, 0), QColor(Qt::white).rgb());
        int firstOther = -1;
        for (int y = 0; y < image.height() && firstOther < 0; ++y) {
            for (int x = 0; x < image.width(); ++x) {
                if (image.pixel(x, y) != image.pixel(x, y % period))
                    firstOther = y;
            }
        }
        EXPECT_EQ(firstOther, -1) << "the first row that differs";
    }
}

} // namespace
