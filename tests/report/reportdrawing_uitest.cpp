// The printed report as drawn, recorded on pages of two printers: an A4 page at
// 600 dpi and a letter page at 300 dpi. Positions are checked as fractions of each
// page, so a report that keeps its proportions on one printer and not on the other
// fails; fonts, pens and hatches are checked as the printer receives them.
#include "platform/fontnames.h"
#include "report/recordedreport.h"
#include "report/reportdrawing.h"
#include "report/reportlayout.h"
#include "testsupport/recordingpaintdevice.h"
#include "testsupport/reportsample.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

TEST(ReportDrawing, TextsSitAtTheirShareOfThePageOnEveryPrinter) {
    const struct {
        const char* text;
        PageFraction x;
        PageFraction y;
        bool centred;
    } cases[] = {
        {"Loudness-Based Hearing Aid Fitting (TAVIK)", 0.5, 0.088, true},
        {"Patient ID: 40-1172", 0.08, 0.024, false},
        {"Birth Date: 03/14/1941", 0.35, 0.024, false},
        {"Test Date: 12/07/2026", 0.70, 0.024, false},
        {"Clinician: Dr. Lee", 0.08, 0.042, false},
        {"Fitting: Monaural", 0.45, 0.042, false},
        {"Levels: measured", 0.08, 0.06, false},
        {"Name: Smith, Anna Q", 0.08, 0.14, false},
        {"Ear: Right", 0.45, 0.14, false},
        {"Hearing Aid Type: BTE", 0.35, 0.16, false},
        {"Left Plot: Curve B", 0.70, 0.14, false},
        {"Tinnitus & recruitment", 0.08, 0.185, false}, // "&" is printed as itself
        {"Input", 0.15, 0.295, true},
        {"Output", 0.33, 0.28, true},
        {"1000 Hz", 0.27, 0.295, true},  // a heading of the input/output table
        {"4000 Hz", 0.845, 0.295, true}, // and of the parameter table
        {"Gain at 50 dB", 0.49, 0.315, false},
        {"Slope (dB/oct)", 0.49, 0.475, false},
        {"Comfortable", 0.5, 0.95, true},
    };
    for (const Printer& printer : kPrinters) {
        const Report report(printer, samplePrintData());
        for (const auto& c : cases) {
            const auto found = report.texts(QString::fromUtf8(c.text));
            ASSERT_FALSE(found.empty()) << c.text;
            const bool placed = std::ranges::any_of(found, [&](const PaintItem& t) {
                const int x = c.centred ? centredTextX(report.page, c.x, report.width(t))
                                        : pageX(report.page, c.x);
                return report.corner(t) == QPoint(x, pageY(report.page, c.y));
            });
            EXPECT_TRUE(placed) << c.text << " on " << printer.name << " at "
                                << report.corner(found.front()).x() << ", "
                                << report.corner(found.front()).y();
        }
    }
}

TEST(ReportDrawing, TextIsSetInTheMetricCompatibleFacesAtItsPointSize) {
    EXPECT_EQ(QFontInfo(reportFont(kSansFamily, 10)).family(), "Liberation Sans");
    const QString mono = QFontInfo(reportFont(kMonoFamily, 10)).family();
    EXPECT_TRUE(mono.startsWith("Liberation Mono") || mono.startsWith("Nimbus Mono PS"))
        << mono.toStdString();

    const Report report(kPrinters[0], samplePrintData());
    const struct {
        const char* text;
        const char* family;
        int points;
    } cases[] = {
        {"Loudness-Based Hearing Aid Fitting (TAVIK)", "Arial", 12},
        {"Gain at 50 dB", "Courier", 10},
        {"*", "Arial", 25},
        {"4000 Hz", "Arial", 16}, // the right plot's title, drawn after the headings
    };
    for (const auto& c : cases) {
        const auto found = report.texts(QString::fromLatin1(c.text));
        ASSERT_FALSE(found.empty()) << c.text;
        EXPECT_EQ(found.back().font.family(), c.family) << c.text;
        EXPECT_EQ(found.back().font.pointSize(), c.points) << c.text;
    }
}

// The plots worked out by hand from the page fractions (left plot 0.078..0.484 of
// the width, right plot 0.5..0.906, both 0.53..0.855 of the height) for the sample:
// the left plot at 1000 Hz with a curve of gain -15 dB, which reaches 30 dB at input
// 45; the right plot at 4000 Hz with a curve of gain 10 dB, drawn from input 30.
struct PlotPlace {
    const Printer& printer;
    QRect frames[2];     // left, top, width, height
    QLine firstSteps[2]; // the first step of each plot's curve
    int speechX[2][3];   // BTE speech: 32, 53, 76 dB at 1000 Hz; 32, 47, 70 at 4000 Hz
    int row40;           // the output level 40
    int curvePen;        // 6 units on a page more than 4000 units high
};

const PlotPlace kPlotPlaces[] = {
    {kPrinters[0],
     {{363, 3560, 1891, 2183}, {2329, 3560, 1891, 2183}},
     {{646, 5743, 665, 5721}, {2329, 5524, 2347, 5502}},
     {{400, 797, 1232}, {2366, 2650, 3085}},
     5524,
     6},
    {kPrinters[1],
     {{187, 1669, 974, 1024}, {1200, 1669, 974, 1024}},
     {{333, 2693, 342, 2682}, {1200, 2590, 1209, 2580}},
     {{206, 411, 635}, {1219, 1365, 1589}},
     2590,
     3},
};

// The frames, the first curve step, the dotted rules and the speech lines of both
// plots on one page.
void expectPlotLines(const PlotPlace& c, const std::vector<PaintItem>& frames,
                     const std::vector<PaintItem>& curve, const std::vector<PaintItem>& dotted,
                     const std::vector<PaintItem>& dashed) {
    const char* name = c.printer.name;
    for (int side = 0; side < 2; ++side) {
        const QRect& f = c.frames[side];
        EXPECT_EQ(frames[side].rect, QRectF(f)) << name << " " << side;
        EXPECT_EQ(curve[side == 0 ? 0 : 85].line, QLineF(c.firstSteps[side])) << name;
        const int right = f.left() + f.width(), bottom = f.top() + f.height();
        const std::size_t first = side == 0 ? 0 : 21;
        EXPECT_EQ(dotted[first].line, QLineF(f.left(), c.row40, right, c.row40)) << name;
        EXPECT_EQ(dotted[first + 9].line, QLineF(f.left(), f.top(), f.left(), bottom));
        EXPECT_EQ(dotted[first + 19].line, QLineF(right, f.top(), right, bottom));
        EXPECT_EQ(dotted[first + 20].line, QLineF(f.left(), bottom, right, f.top()));
        for (int k = 0; k < 3; ++k) {
            const int x = c.speechX[side][k];
            EXPECT_EQ(dashed[side * 3 + k].line, QLineF(x, f.top(), x, f.top() + f.height()))
                << name << " " << side << " " << k;
        }
    }
}

TEST(ReportDrawing, PlotsStandAtTheirShareOfEveryPage) {
    for (const PlotPlace& c : kPlotPlaces) {
        const Report report(c.printer, samplePrintData());
        const char* name = c.printer.name;
        const auto frames =
            report.items(Kind::Rect, [](const PaintItem& r) { return r.pen.width() == 2; });
        const auto curve = report.items(Kind::Line, [&](const PaintItem& l) {
            return l.pen.width() == c.curvePen && l.pen.style() == Qt::SolidLine;
        });
        const auto dashed = report.items(
            Kind::Line, [](const PaintItem& l) { return l.pen.style() == Qt::DashLine; });
        ASSERT_EQ(frames.size(), 2u) << name;
        ASSERT_EQ(curve.size(), 85u + 100u) << name;
        ASSERT_EQ(dashed.size(), 6u) << name;
        // Per plot dotted rules at output 40..120 and input 30..130, then the diagonal.
        const auto dotted = report.items(
            Kind::Line, [](const PaintItem& l) { return l.pen.style() == Qt::DotLine; });
        ASSERT_EQ(dotted.size(), 2u * (9 + 11 + 1)) << name;
        expectPlotLines(c, frames, curve, dotted, dashed);
        // The output scale stands left of the left plot and right of the right plot,
        // a digit's width away.
        const auto top = report.items(Kind::Text, [](const PaintItem& t) {
            return t.text == "130" && t.font.pointSize() == 9;
        });
        ASSERT_EQ(top.size(), 2u) << name;
        const QFontMetrics m = report.metrics(kSansFamily, 9);
        const int y = c.frames[0].top() - m.height() / 2;
        EXPECT_EQ(report.corner(top[0]),
                  QPoint(c.frames[0].left() - m.horizontalAdvance("1308"), y));
        EXPECT_EQ(report.corner(top[1]),
                  QPoint(c.frames[1].left() + c.frames[1].width() + m.horizontalAdvance("8"), y));

        // Each table is framed by a 3-unit pen; curves on a 300 dpi page use it too.
        const auto thick = report.items(Kind::Rect, [](const PaintItem& r) {
            return r.pen.width() == 3 && r.pen.style() == Qt::SolidLine;
        });
        ASSERT_EQ(thick.size(), 2u);
        EXPECT_EQ(thick[0].rect, outline(pageRect(report.page, 0.08, 0.31, 0.45, 0.49)));
        EXPECT_EQ(thick[1].rect, outline(pageRect(report.page, 0.48, 0.31, 0.90, 0.49)));
    }
}

TEST(ReportDrawing, BandsAndLegendAreHatchedInTheirColours) {
    const Report report(kPrinters[1], samplePrintData());
    const auto hatched =
        report.items(Kind::Rect, [](const PaintItem& r) { return r.brush.style() != Qt::NoBrush; });
    const struct {
        Qt::BrushStyle style;
        QColor colour;
    } expected[] = {
        {Qt::CrossPattern, QColor(0, 128, 0)},     // loud band of the left plot
        {Qt::BDiagPattern, QColor(0, 0, 255)},     // comfortable
        {Qt::DiagCrossPattern, QColor(255, 0, 0)}, // soft; the right plot has none
        {Qt::CrossPattern, QColor(0, 128, 0)},     // legend: Loud, Comfortable, Soft
        {Qt::BDiagPattern, QColor(0, 0, 255)},     {Qt::DiagCrossPattern, QColor(255, 0, 0)},
    };
    ASSERT_EQ(hatched.size(), std::size(expected));
    for (std::size_t i = 0; i < hatched.size(); ++i) {
        EXPECT_EQ(hatched[i].brush.style(), expected[i].style) << i;
        EXPECT_EQ(hatched[i].brush.color(), expected[i].colour) << i;
        EXPECT_EQ(hatched[i].backgroundMode, Qt::TransparentMode) << i;
        // At 300 dpi the hatch lines lie as far apart as on a 96 dpi screen.
        EXPECT_EQ(hatched[i].brush.transform(), QTransform::fromScale(3.125, 3.125)) << i;
    }
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_EQ(hatched[i].pen.style(), Qt::NoPen) << "bands have no outline";
    for (std::size_t i = 3; i < 6; ++i)
        EXPECT_EQ(hatched[i].pen.width(), 1) << "swatches are outlined";
    EXPECT_EQ(hatched[3].rect, outline(pageRect(report.page, 0.2, 0.9, 0.3, 0.94)));
}

// Typed levels far off the scale hatch nothing outside the plots: a UCL of 1100 on
// the left plot ends its loud band at the frame's top, a VS of -50 on the right plot
// its soft band at the frame's bottom, on both printers.
TEST(ReportDrawing, BandsOfLevelsOffTheScaleStayInsideTheirPlots) {
    PrintData data = samplePrintData();
    const int32_t bands[2][4] = {{50, 70, 90, 1100}, {-50, 60, 85, 110}};
    std::copy(&bands[0][0], &bands[0][0] + 8, &data.printTargets.bandLevels[0][0]);
    const struct {
        int printer;
        int frameTop;      // row of both frames' top line
        int frameBelow;    // first row below both frames' bottom line
        int leftFrame[2];  // left plot's first and last column
        int rightFrame[2]; // right plot's
    } cases[] = {
        {0, 3560, 5744, {363, 2254}, {2329, 4220}},
        {1, 1669, 2694, {187, 1161}, {1200, 2174}},
    };
    for (const auto& c : cases) {
        const Report report(kPrinters[c.printer], data);
        const auto drawn = report.items(Kind::Rect, [](const PaintItem& r) {
            return r.brush.style() != Qt::NoBrush && r.pen.style() == Qt::NoPen;
        });
        ASSERT_EQ(drawn.size(), 6u) << c.printer;
        for (std::size_t i = 0; i < drawn.size(); ++i) {
            const int* columns = i < 3 ? c.leftFrame : c.rightFrame;
            const QRectF frame(columns[0], c.frameTop, columns[1] + 1 - columns[0],
                               c.frameBelow - c.frameTop);
            EXPECT_TRUE(frame.contains(drawn[i].rect)) << c.printer << " band " << i;
        }
        EXPECT_EQ(drawn[0].rect.top(), c.frameTop) << "the loud band of UCL 1100";
        EXPECT_EQ(drawn[5].rect.bottom(), c.frameBelow) << "the soft band of VS -50";
    }
}

TEST(ReportDrawing, TargetMarkersAndTheCicNoteFollowTheEar) {
    // The soft target of 54.8 is marked at output 54 over the soft input 32: on the
    // A4 page row 5219 and column 400.
    const Report report(kPrinters[0], samplePrintData());
    const auto stars = report.texts("*");
    ASSERT_EQ(stars.size(), 1u);
    const QFontMetrics star = report.metrics(kSansFamily, 25);
    EXPECT_EQ(report.corner(stars[0]),
              QPoint(400 - star.horizontalAdvance("*") / 2, 5219 - star.height() * 33 / 100));

    const auto cicNotes = [](const PrintData& data) {
        return Report(kPrinters[1], data).texts("LOUDMAP data corrected for CIC").size();
    };
    PrintData cic = samplePrintData();
    cic.rightAidStyle = 3;
    EXPECT_EQ(cicNotes(cic), 2u);
    cic.printEar = Ear::Left; // the left ear wears a BTE
    EXPECT_EQ(cicNotes(cic), 0u);
}

TEST(ReportDrawing, TheOutputTitleRunsUpwardsBesideTheLeftPlot) {
    const Report report(kPrinters[0], samplePrintData());
    const auto title = report.texts("OUTPUT (SPL in HA-1 COUPLER)");
    ASSERT_EQ(title.size(), 1u);
    const QTransform& turn = title[0].transform;
    EXPECT_EQ(turn.map(QPointF(1, 0)) - turn.map(QPointF(0, 0)), QPointF(0, -1));
    const QFontMetrics m = report.metrics(kSansFamily, 10);
    const int x = pageX(report.page, 0.078) - m.horizontalAdvance("MMMM");
    const int y = pageY(report.page, 0.693) +
                  truncShare(m.horizontalAdvance("OUTPUT (SPL in HA-1 COUPLER)"), 0.5);
    // The top of the turned text cell lies on x, its start on y.
    EXPECT_EQ(title[0].position, QPointF(x + m.ascent(), y));
    // The legend after it is written level again.
    EXPECT_TRUE(report.texts("Soft")[0].transform.isIdentity());
}

} // namespace
