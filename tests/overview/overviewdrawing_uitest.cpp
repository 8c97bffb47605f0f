// The overview charts' one drawing, through the recording device: the ears' colours
// and shapes, predicted levels drawn hollow and dashed, a crisp frame at a device
// pixel ratio of 2, and the accessible texts.
#include "overview/overviewdrawing.h"
#include "overviewpatient.h"
#include "testsupport/recordingpaintdevice.h"

#include <gtest/gtest.h>

namespace {

struct Drawn {
    FittingRecord record = overviewPatient();
    AidDatabase database = overviewDatabase();
    LevelFlags measured = overviewMeasured();
    RecordingPaintDevice device{QSize(640, 400)};

    void draw(OverviewChart chart, Ear ear, qreal ratio = 1) {
        device.setDevicePixelRatio(ratio);
        device.setSize(QSize(640, 400) * ratio);
        QPainter painter(&device);
        drawOverviewChart(painter, QRect(0, 0, 640, 400), chart, {record, database, measured, ear});
    }

    qsizetype count(PaintItem::Kind kind, const QColor& pen, Qt::PenStyle style = Qt::SolidLine,
                    Qt::BrushStyle brush = Qt::NoBrush) const {
        qsizetype n = 0;
        for (const PaintItem& item : device.itemsOfKind(kind))
            n += item.pen.color() == pen && item.pen.style() == style &&
                 (brush == Qt::NoBrush || item.brush.style() == brush);
        return n;
    }
};

TEST(OverviewDrawing, EarsDifferInColourAndInShape) {
    const struct {
        Ear ear;
        QColor colour, other;
        qsizetype circles, angles;
    } cases[] = {
        // Right: an O at each of 5 thresholds and a "<" at each of 5 UCLs, each with
        // one more in the legend. Left: no O, no UCL, X strokes instead.
        {Ear::Right, kRightEarColour, kLeftEarColour, 6, 6},
        {Ear::Left, kLeftEarColour, kRightEarColour, 0, 1},
    };
    for (const auto& c : cases) {
        Drawn d;
        d.draw(OverviewChart::LoudnessMap, c.ear);
        EXPECT_EQ(d.count(PaintItem::Kind::Ellipse, c.colour), c.circles);
        EXPECT_EQ(d.count(PaintItem::Kind::Polyline, c.colour), c.angles);
        EXPECT_EQ(d.count(PaintItem::Kind::Ellipse, c.other) +
                      d.count(PaintItem::Kind::Line, c.other),
                  0);
        EXPECT_GT(d.count(PaintItem::Kind::Line, c.colour), 0);
    }
    Drawn left;
    left.draw(OverviewChart::LoudnessMap, Ear::Left);
    // Six thresholds drawn as X (two strokes each) and the legend's X; five lines
    // between them and the legend's threshold and UCL lines.
    EXPECT_EQ(left.count(PaintItem::Kind::Line, kLeftEarColour), 2 * 7 + 5 + 2);
}

TEST(OverviewDrawing, PredictedLevelsAreHollowAndTheirLinesDashed) {
    Drawn d;
    d.draw(OverviewChart::LoudnessMap, Ear::Right);
    const QColor grey(90, 90, 90);
    qsizetype hollow = 0, filled = 0;
    for (const PaintItem& item : d.device.itemsOfKind(PaintItem::Kind::Ellipse)) {
        if (item.pen.color() != grey)
            continue;
        const bool isHollow = item.brush.color() == Qt::white;
        EXPECT_EQ(item.pen.style(), isHollow ? Qt::CustomDashLine : Qt::SolidLine);
        (isHollow ? hollow : filled) += 1;
    }
    EXPECT_EQ(hollow, 6 + 1 + 1); // VS..LOK at 3000 Hz, C at 500 Hz, the legend
    EXPECT_EQ(filled, 6 + 5 + 6); // 250 Hz, 500 Hz without C, 1000 Hz
    // The two lines of C reach the predicted C at 500 Hz: dashed.
    qsizetype dashedGrey = 0;
    for (const PaintItem& item : d.device.itemsOfKind(PaintItem::Kind::Line))
        dashedGrey += item.pen.color() == grey && item.pen.style() == Qt::CustomDashLine;
    EXPECT_EQ(dashedGrey, 2);
}

TEST(OverviewDrawing, FramesCoverWholeDevicePixelsAtRatioTwo) {
    // The gain chart's soft, average and loud plots.
    const QRectF expected[3] = {QRectF(40.5, 40.5, 183, 305), QRectF(240.5, 40.5, 183, 305),
                                QRectF(440.5, 40.5, 183, 305)};
    for (const qreal ratio : {1.0, 2.0}) {
        Drawn d;
        d.draw(OverviewChart::Gain, Ear::Left, ratio);
        std::vector<QRectF> frames;
        for (const PaintItem& item : d.device.itemsOfKind(PaintItem::Kind::Rect)) {
            if (item.brush.style() == Qt::NoBrush && item.pen.color() == QColor(40, 40, 40))
                frames.push_back(item.rect);
        }
        ASSERT_EQ(frames.size(), 3u) << ratio;
        for (std::size_t i = 0; i < 3; ++i)
            EXPECT_EQ(frames[i], QRectF(expected[i].topLeft() * ratio, expected[i].size() * ratio))
                << ratio << " " << i;
    }
}

TEST(OverviewDrawing, GainChartShowsTargetsInTheEarColourAndCurvesByShape) {
    Drawn d;
    d.draw(OverviewChart::Gain, Ear::Right);
    EXPECT_NE(d.device.findText("Gain, right ear (dB)"), nullptr);
    EXPECT_NE(d.device.findText("Target average"), nullptr);
    for (const char* title : {"Soft speech", "Average speech", "Loud speech"})
        EXPECT_NE(d.device.findText(title), nullptr) << title;
    // Targets at 4 frequencies, a triangle down, a diamond or a triangle up in each
    // plot, and three in the legend; the fitted curve's square and the user's disc at
    // 1000 Hz in each plot and the legend.
    EXPECT_EQ(d.count(PaintItem::Kind::Polygon, kRightEarColour), 3 * 4 + 3);
    EXPECT_EQ(d.count(PaintItem::Kind::Rect, QColor(0, 130, 150)), 3 + 1);
    EXPECT_EQ(d.count(PaintItem::Kind::Ellipse, QColor(40, 140, 0)), 3 + 1);
}

TEST(OverviewDrawing, AccessibleNameAndDescription) {
    const FittingRecord r = overviewPatient();
    const AidDatabase db = overviewDatabase();
    const LevelFlags measured = overviewMeasured();
    EXPECT_EQ(overviewChartName(OverviewChart::LoudnessMap, Ear::Right),
              QStringLiteral("Loudness map, right ear"));
    EXPECT_EQ(overviewChartName(OverviewChart::Gain, Ear::Left), QStringLiteral("Gain, left ear"));
    EXPECT_TRUE(overviewChartDescription(OverviewChart::LoudnessMap, {r, db, measured, Ear::Left})
                    .startsWith(QStringLiteral("Left ear: threshold 30 to 50 dB HL, no UCL")));
    EXPECT_TRUE(overviewChartDescription(OverviewChart::Gain, {r, db, measured, Ear::Left})
                    .startsWith(QStringLiteral("Gain, left ear: targets at 2 of 6")));
}

} // namespace
