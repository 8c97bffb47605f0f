// The previous visit as the one drawing paints it, through the recording device: thin
// grey lines at each ear's previous thresholds and UCLs, under this visit's lines, its
// date in the legend beside a grey swatch, and nothing of it without a previous visit.
#include "overview/overviewdrawing.h"
#include "overviewpatient.h"
#include "testsupport/recordingpaintdevice.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const QColor kGrey(150, 150, 150);

struct DrawnMap {
    FittingRecord record = overviewPatient();
    AidDatabase database = overviewDatabase();
    LevelFlags measured = overviewMeasured();
    RecordingPaintDevice device{QSize(640, 400)};

    DrawnMap(Ear ear, const KeptVersion* previous) {
        QPainter painter(&device);
        drawOverviewChart(painter, QRect(0, 0, 640, 400), OverviewChart::LoudnessMap,
                          {record, database, measured, ear, previous});
    }

    std::vector<PaintItem> linesIn(const QColor& colour) const {
        std::vector<PaintItem> found;
        for (const PaintItem& item : device.itemsOfKind(PaintItem::Kind::Line)) {
            if (item.pen.color() == colour)
                found.push_back(item);
        }
        return found;
    }
};

void expectLines(const std::vector<PaintItem>& drawn, const std::vector<QLineF>& expected) {
    ASSERT_EQ(drawn.size(), expected.size());
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(drawn[i].pen.widthF(), 1);
        EXPECT_EQ(drawn[i].pen.style(), Qt::SolidLine);
        for (const auto& [got, want] : {std::pair{drawn[i].line.p1(), expected[i].p1()},
                                        std::pair{drawn[i].line.p2(), expected[i].p2()}}) {
            EXPECT_NEAR(got.x(), want.x(), 1e-3);
            EXPECT_NEAR(got.y(), want.y(), 1e-3);
        }
    }
}

// The legend's eighth cell, two columns wide on a third row (40, 380 to 332, 396),
// holds the swatch from 40 to 66 and the text from 70.
const QLineF kSwatch(40, 388, 66, 388);

TEST(OverviewVisitDrawing, GreyLinesAtEachEarsPreviousLevels) {
    const KeptVersion previous = overviewPreviousVisit();
    const DrawnMap right(Ear::Right, &previous);
    const std::vector<PaintItem> grey = right.linesIn(kGrey);
    expectLines(grey, {{40, 105.333, 185.75, 115.5},
                       {185.75, 115.5, 331.5, 125.667},
                       {562.508, 135.833, 623, 156.167},
                       {185.75, 235.467, 331.5, 257.833},
                       {619, 318.833, 627, 318.833},
                       kSwatch});
    // Under this visit's threshold line, which is drawn after them.
    const std::vector<PaintItem> ear = right.linesIn(kRightEarColour);
    ASSERT_FALSE(ear.empty());
    EXPECT_LT(grey[4].order, ear.front().order);

    const DrawnMap left(Ear::Left, &previous);
    expectLines(left.linesIn(kGrey), {{40, 129.577, 185.75, 117.846},
                                      {185.75, 117.846, 331.5, 136.615},
                                      {331.5, 136.615, 477.25, 110.808},
                                      {477.25, 110.808, 562.508, 141.308},
                                      kSwatch});
    for (const DrawnMap* map : {&right, &left}) {
        const PaintItem* legend = map->device.findText(QStringLiteral("Previous visit 06/01/2026"));
        ASSERT_NE(legend, nullptr);
        EXPECT_EQ(legend->position.x(), 70);
    }
}

TEST(OverviewVisitDrawing, NothingOfAPreviousVisitWithoutOne) {
    for (const Ear ear : kEars) {
        const DrawnMap map(ear, nullptr);
        EXPECT_TRUE(map.linesIn(kGrey).empty());
        for (const QString& text : map.device.texts())
            EXPECT_FALSE(text.startsWith(QStringLiteral("Previous visit"))) << text.toStdString();
    }
    // The gain chart draws none even with one.
    const KeptVersion previous = overviewPreviousVisit();
    FittingRecord record = overviewPatient();
    const AidDatabase database = overviewDatabase();
    const LevelFlags measured = overviewMeasured();
    RecordingPaintDevice device{QSize(640, 400)};
    {
        QPainter painter(&device);
        drawOverviewChart(painter, QRect(0, 0, 640, 400), OverviewChart::Gain,
                          {record, database, measured, Ear::Right, &previous});
    }
    for (const PaintItem& item : device.itemsOfKind(PaintItem::Kind::Line))
        EXPECT_NE(item.pen.color(), kGrey);
}

TEST(OverviewVisitDrawing, DescriptionSaysHowTheThresholdsMoved) {
    const KeptVersion previous = overviewPreviousVisit();
    const DrawnMap map(Ear::Right, &previous);
    const QString text =
        overviewChartDescription(OverviewChart::LoudnessMap,
                                 {map.record, map.database, map.measured, Ear::Right, &previous});
    EXPECT_TRUE(text.endsWith(QStringLiteral(
        "; right threshold 5 to 10 dB higher than on 06/01/2026 at 250–500 Hz, unchanged at "
        "1 KHz and 5 to 10 dB higher at 3–4 KHz.")))
        << text.toStdString();
}

} // namespace
