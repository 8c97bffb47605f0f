// The overview charts' one drawing, through the recording device: the ears' colours
// and shapes, predicted levels drawn hollow and dashed, a crisp frame at a device
// pixel ratio of 2, and the accessible texts.
#include "overview/overviewdrawing.h"
#include "overviewpatient.h"
#include "testsupport/recordingpaintdevice.h"

#include <gtest/gtest.h>

#include <algorithm>

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

    // The centre of each mark of that kind drawn in that colour, in drawing order.
    std::vector<QPointF> centres(PaintItem::Kind kind, const QColor& pen) const {
        std::vector<QPointF> found;
        for (const PaintItem& item : device.itemsOfKind(kind)) {
            if (item.pen.color() != pen)
                continue;
            const bool byCorners =
                kind == PaintItem::Kind::Polygon || kind == PaintItem::Kind::Polyline;
            found.push_back(byCorners ? item.points.boundingRect().center() : item.rect.center());
        }
        return found;
    }

    // The centre of each X drawn in that colour: two strokes of one square, crossing.
    std::vector<QPointF> crosses(const QColor& pen) const {
        std::vector<QLineF> strokes;
        for (const PaintItem& item : device.itemsOfKind(PaintItem::Kind::Line)) {
            if (item.pen.color() == pen)
                strokes.push_back(item.line);
        }
        std::vector<QPointF> found;
        for (std::size_t i = 0; i + 1 < strokes.size(); ++i) {
            const QLineF a = strokes[i], b = strokes[i + 1];
            if (a.p1() == QPointF(b.x1(), b.y2()) && a.p2() == QPointF(b.x2(), b.y1()) &&
                a.dx() != 0 && a.dy() != 0)
                found.push_back(a.center());
        }
        return found;
    }

    // Whether a line in that colour runs from one point to the other.
    bool joined(QPointF from, QPointF to, const QColor& pen) const {
        for (const PaintItem& item : device.itemsOfKind(PaintItem::Kind::Line)) {
            if (item.pen.color() == pen && QLineF(item.line.p1(), from).length() < 0.01 &&
                QLineF(item.line.p2(), to).length() < 0.01)
                return true;
        }
        return false;
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

void expectPoints(const std::vector<QPointF>& drawn, const std::vector<QPointF>& expected) {
    ASSERT_EQ(drawn.size(), expected.size());
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        EXPECT_NEAR(drawn[i].x(), expected[i].x(), 0.01) << i;
        EXPECT_NEAR(drawn[i].y(), expected[i].y(), 0.01) << i;
    }
}

// The frequencies across the map: 250, 500, 1000, 2000, 3000 and 4000 Hz.
constexpr qreal kAt250 = 40, kAt500 = 185.75, kAt1k = 331.5, kAt2k = 477.25, kAt3k = 562.508,
                kAt4k = 623;
// Where the legend's first two marks sit: Threshold and UCL.
const QPointF kLegendThreshold(53, 372), kLegendUcl(199, 372);

// The right ear marks its thresholds with an O and its UCLs with a "<"; the left ear
// with an X and a ">". Each at its frequency and level in dB HL, with the legend's
// mark; the right ear has nothing at 2000 Hz and the left no UCL at all.
TEST(OverviewDrawing, EarsDifferInColourAndInShape) {
    Drawn right;
    right.draw(OverviewChart::LoudnessMap, Ear::Right);
    expectPoints(right.centres(PaintItem::Kind::Ellipse, kRightEarColour), {{kAt250, 147.462},
                                                                            {kAt500, 147.462},
                                                                            {kAt1k, 147.462},
                                                                            {kAt3k, 172.154},
                                                                            {kAt4k, 209.192},
                                                                            kLegendThreshold});
    expectPoints(right.centres(PaintItem::Kind::Polyline, kRightEarColour), {{kAt250, 283.269},
                                                                             {kAt500, 295.615},
                                                                             {kAt1k, 295.615},
                                                                             {kAt3k, 283.269},
                                                                             {kAt4k, 332.654},
                                                                             kLegendUcl});
    for (const PaintItem& item : right.device.itemsOfKind(PaintItem::Kind::Polyline)) {
        if (item.pen.color() == kRightEarColour) {
            EXPECT_LT(item.points[1].x(), item.points[0].x()) << "a < opens to the right";
        }
    }
    EXPECT_TRUE(right.crosses(kRightEarColour).empty());

    Drawn left;
    left.draw(OverviewChart::LoudnessMap, Ear::Left);
    const std::vector<QPointF> thresholds = {{kAt250, 122.769}, {kAt500, 122.769},
                                             {kAt1k, 122.769},  {kAt2k, 135.115},
                                             {kAt3k, 147.462},  {kAt4k, 172.154}};
    std::vector<QPointF> withLegend = thresholds;
    withLegend.push_back(kLegendThreshold);
    expectPoints(left.crosses(kLeftEarColour), withLegend);
    // The threshold line joins the six Xs from one frequency to the next.
    for (std::size_t i = 0; i + 1 < thresholds.size(); ++i)
        EXPECT_TRUE(left.joined(thresholds[i], thresholds[i + 1], kLeftEarColour)) << i;
    EXPECT_TRUE(left.centres(PaintItem::Kind::Ellipse, kLeftEarColour).empty());
    // Only the legend's ">" for the UCL it has none of.
    expectPoints(left.centres(PaintItem::Kind::Polyline, kLeftEarColour), {kLegendUcl});

    for (const auto& [drawn, other] :
         {std::pair{&right, kLeftEarColour}, std::pair{&left, kRightEarColour}}) {
        EXPECT_EQ(drawn->count(PaintItem::Kind::Ellipse, other) +
                      drawn->count(PaintItem::Kind::Line, other),
                  0);
    }
}

// The right ear's levels between threshold and UCL are grey discs: hollow and dashed
// where predicted (VS to LOK at 3000 Hz, C at 500 Hz, and the legend's Predicted),
// filled and solid where measured (250 and 1000 Hz, 500 Hz but C).
TEST(OverviewDrawing, PredictedLevelsAreHollowAndTheirLinesDashed) {
    Drawn d;
    d.draw(OverviewChart::LoudnessMap, Ear::Right);
    const QColor grey(90, 90, 90);
    std::vector<QPointF> hollow;
    std::vector<qreal> filledAt;
    for (const PaintItem& item : d.device.itemsOfKind(PaintItem::Kind::Ellipse)) {
        if (item.pen.color() != grey)
            continue;
        const bool isHollow = item.brush.color() == Qt::white;
        EXPECT_EQ(item.pen.style(), isHollow ? Qt::CustomDashLine : Qt::SolidLine);
        if (isHollow)
            hollow.push_back(item.rect.center());
        else
            filledAt.push_back(item.rect.center().x());
    }
    expectPoints(hollow, {{kAt3k, 196.846},
                          {kAt3k, 214.131},
                          {kAt3k, 233.885},
                          {kAt500, 236.354},
                          {kAt3k, 251.169},
                          {kAt3k, 268.454},
                          {kAt3k, 288.208},
                          {345, 372}});
    std::ranges::sort(filledAt);
    EXPECT_EQ(filledAt, (std::vector<qreal>{kAt250, kAt250, kAt250, kAt250, kAt250, kAt250, kAt500,
                                            kAt500, kAt500, kAt500, kAt500, kAt1k, kAt1k, kAt1k,
                                            kAt1k, kAt1k, kAt1k}));
    // The two lines of C reach the predicted C at 500 Hz: dashed, the others solid.
    std::vector<QLineF> dashed;
    for (const PaintItem& item : d.device.itemsOfKind(PaintItem::Kind::Line)) {
        if (item.pen.color() == grey && item.pen.style() == Qt::CustomDashLine)
            dashed.push_back(item.line);
    }
    ASSERT_EQ(dashed.size(), 2u);
    expectPoints({dashed[0].p1(), dashed[0].p2(), dashed[1].p1(), dashed[1].p2()},
                 {{kAt250, 233.885}, {kAt500, 236.354}, {kAt500, 236.354}, {kAt1k, 246.231}});
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
    // Targets at 250, 500, 1000 and 3000 Hz (nothing at 2000 Hz, no target at 4000 Hz)
    // in the ear's colour: a triangle down in the soft plot, a diamond in the average
    // one and a triangle up in the loud one, each as in the legend.
    expectPoints(d.centres(PaintItem::Kind::Polygon, kRightEarColour), {{40, 123.761},
                                                                        {85.75, 175.42},
                                                                        {131.5, 186.4},
                                                                        {204.012, 77.744},
                                                                        {240, 181.062},
                                                                        {285.75, 235.2},
                                                                        {331.5, 253.5},
                                                                        {404.012, 152.087},
                                                                        {440, 222.619},
                                                                        {485.75, 293.76},
                                                                        {531.5, 303.825},
                                                                        {604.012, 243.892},
                                                                        {53, 372},
                                                                        {199, 372},
                                                                        {345, 372}});
    std::string drawnShapes;
    for (const PaintItem& item : d.device.itemsOfKind(PaintItem::Kind::Polygon)) {
        if (item.pen.color() != kRightEarColour)
            continue;
        const QRectF box = item.points.boundingRect();
        const bool apexBelow = item.points[2].y() == box.bottom();
        drawnShapes += item.points.size() == 4 ? 'D' : apexBelow ? 'v' : '^';
    }
    EXPECT_EQ(drawnShapes, "vvvvDDDD^^^^vD^");
    // The fitted curve's square and the user curve's disc (20 dB of gain throughout)
    // at 1000 Hz in each plot, and in the legend.
    expectPoints(d.centres(PaintItem::Kind::Rect, QColor(0, 130, 150)),
                 {{131.5, 184.875}, {331.5, 244.922}, {531.5, 310.688}, {491, 372}});
    expectPoints(d.centres(PaintItem::Kind::Ellipse, QColor(40, 140, 0)),
                 {{131.5, 192.5}, {331.5, 192.5}, {531.5, 192.5}, {53, 388}});
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
