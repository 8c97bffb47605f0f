// The curve graphs as drawn: bands, frame, texts, markers and curves, recorded by a
// paint device at the screen's resolution. Which bands and where is the plan's
// business (graphgeometry_test); these tests check what reaches the painter.
#include "curves/curvegraphs.h"
#include "testsupport/recordingpaintdevice.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

using Kind = PaintItem::Kind;

constexpr int kL = 30, kT = 25, kR = 280, kB = 275; // frame of the left graph
const QColor kWhite(255, 255, 255);

// The left graph at 1000 Hz, the right one at 4000 Hz, with the given band levels on
// the left; no targets.
GraphScene sceneWithBands(int32_t vs = -99, int32_t css = -99, int32_t csl = -99,
                          int32_t ucl = -99) {
    GraphScene scene;
    scene.targets.graphFrequency[0] = 2;
    scene.targets.graphFrequency[1] = 5;
    std::fill(&scene.targets.bandLevels[1][0], &scene.targets.bandLevels[1][4], kEmptyLevel);
    const int32_t levels[kBandCount] = {vs, css, csl, ucl};
    std::copy(std::begin(levels), std::end(levels), scene.targets.bandLevels[0]);
    return scene;
}

// Outputs x - 25: below 30 dB up to input 54.
CurveParams risingCurve() {
    return CurveParams{-25, 60, 0, 1, 130, 0, 1, 130, 0, 1, {}};
}
// Outputs x up to 50, then 100 - x: below 30 dB from input 71.
CurveParams fallingCurve() {
    return CurveParams{0, 50, 0, -1, 130, 0, 1, 130, 0, 1, {}};
}

// A recording of the panel, or of the left graph's background alone.
struct Drawing {
    explicit Drawing(const GraphScene& scene, bool wholePanel = false)
        : device(QSize(kGraphPanelWidth, kGraphPanelHeight)) {
        QPainter painter(&device);
        if (wholePanel)
            drawGraphPanel(painter, scene);
        else
            drawGraphBackground(painter, scene, GraphSide::Left);
    }
    RecordingPaintDevice device;

    QFontMetrics arial(int points) const {
        QFont font("Arial");
        font.setPointSize(points);
        return QFontMetrics(font, &device);
    }
    int heightM() const { return arial(8).height(); }
    int width(const QString& text) const { return arial(8).horizontalAdvance(text); }
    // The top-left corner of a text's cell: its baseline origin, an ascent higher.
    QPoint corner(const PaintItem& text) const {
        const int ascent = QFontMetrics(text.font, &device).ascent();
        return QPointF(text.position.x(), text.position.y() - ascent).toPoint();
    }
    std::vector<PaintItem> items(Kind kind, auto&& wanted) const {
        std::vector<PaintItem> found;
        std::ranges::copy_if(device.itemsOfKind(kind), std::back_inserter(found), wanted);
        return found;
    }
    std::vector<PaintItem> filledRects() const {
        return items(Kind::Rect, [](const PaintItem& r) { return r.brush.style() != Qt::NoBrush; });
    }
    std::vector<PaintItem> lines(Qt::PenStyle style) const {
        return items(Kind::Line, [style](const PaintItem& l) { return l.pen.style() == style; });
    }
};

TEST(CurveGraphs, BandsAreHatchedWithoutOutlineInsideTheFrame) {
    const Drawing d(sceneWithBands(50, 70, 90, 100));
    const struct {
        QBrush brush;
        QRectF rect; // level v lies on row 275 - (v - 30) x 2.5
    } bands[] = {
        {QBrush(QColor(0, 128, 0), Qt::CrossPattern), QRectF(31, 100, 248, 26)},
        {QBrush(QColor(0, 0, 255), Qt::BDiagPattern), QRectF(31, 125, 248, 51)},
        {QBrush(QColor(255, 0, 0), Qt::DiagCrossPattern), QRectF(31, 175, 248, 51)},
    };
    const std::vector<PaintItem> rects = d.filledRects();
    ASSERT_EQ(rects.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rects[i].brush, bands[i].brush) << i;
        EXPECT_EQ(rects[i].rect, bands[i].rect) << i;
        EXPECT_EQ(rects[i].pen.style(), Qt::NoPen) << i;
    }
    // The frame: a white 1-pixel pen along the centres of columns 30 and 280 and of
    // rows 25 and 275, drawn over the bands.
    const std::vector<PaintItem> frames =
        d.items(Kind::Rect, [](const PaintItem& r) { return r.brush.style() == Qt::NoBrush; });
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].rect, QRectF(kL + 0.5, kT + 0.5, 250, 250));
    EXPECT_EQ(frames[0].pen, QPen(kWhite, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    EXPECT_GT(frames[0].order, rects[2].order);
}

// Levels far off the scale end their bands at the frame's top and bottom lines, so
// that no hatch covers the axis labels or the speech words.
TEST(CurveGraphs, BandsOfLevelsOffTheScaleStayInsideTheFrame) {
    const struct {
        int32_t vs, css, csl, ucl;
        int top, below; // rows the bands take, from the loud band's top
    } cases[] = {
        {-50, 70, 90, 1100, kT, kB + 1},
        {40, 70, 90, 100, 100, 251},
    };
    for (const auto& c : cases) {
        const Drawing d(sceneWithBands(c.vs, c.css, c.csl, c.ucl));
        const std::vector<PaintItem> rects = d.filledRects();
        ASSERT_EQ(rects.size(), 3u) << c.vs;
        EXPECT_EQ(rects[0].rect.top(), c.top) << c.vs;
        EXPECT_EQ(rects[2].rect.bottom(), c.below) << c.vs;
        for (const PaintItem& band : rects)
            EXPECT_TRUE(QRectF(kL, kT, kR + 1 - kL, kB + 1 - kT).contains(band.rect)) << c.vs;
    }
}

TEST(CurveGraphs, AUclAboveTheGraphIsAnnouncedOnlyWithTheLoudBand) {
    const QString message = "^ ^ ^ UCL exceeds graph/audiometer limits ^ ^ ^";
    const struct {
        int32_t csl, ucl;
        bool announced;
        int bands;
    } cases[] = {{90, 131, true, 3}, {90, 130, false, 3}, {-99, 131, false, 1}};
    for (const auto& c : cases) {
        const Drawing d(sceneWithBands(50, 70, c.csl, c.ucl));
        const std::vector<PaintItem> rects = d.filledRects();
        ASSERT_EQ(rects.size(), c.bands) << c.csl;
        if (c.bands == 3) {
            EXPECT_EQ(rects[0].rect.top(), kT) << "the loud band reaches the top of the frame";
        }
        const PaintItem* text = d.device.findText(message);
        ASSERT_EQ(text != nullptr, c.announced) << c.csl << " " << c.ucl;
        if (text) {
            EXPECT_EQ(d.corner(*text),
                      QPoint(kL + 125 - d.width(message) / 2, kT + d.heightM() / 2));
        }
    }
}

TEST(CurveGraphs, TargetsAreMarkedAndTheGuidesAreDrawnWithOrWithoutThem) {
    // At 1000 Hz for a BTE aid the speech levels are 32, 53 and 76 dB SPL: columns
    // 35, 87 and 145. Targets 54.8, 67 and 83.4 lie on rows 213, 182 and 141.
    const int columns[3] = {35, 87, 145};
    const struct {
        float targets[3];
        std::vector<int> markerRows;
    } cases[] = {{{0, 0, 0}, {}}, {{54.8f, 67, 83.4f}, {213, 182, 141}}};
    for (const auto& c : cases) {
        GraphScene scene = sceneWithBands();
        std::copy(std::begin(c.targets), std::end(c.targets), scene.targets.targetLevels[0]);
        const Drawing d(scene);
        const QList<PaintItem> markers = d.device.findTexts("*");
        ASSERT_EQ(markers.size(), c.markerRows.size());
        const QFontMetrics big = d.arial(25);
        for (int k = 0; k < markers.size(); ++k) {
            EXPECT_EQ(d.corner(markers[k]), QPoint(columns[k] - big.horizontalAdvance("*") / 2,
                                                   c.markerRows[k] - big.height() * 33 / 100));
            EXPECT_EQ(markers[k].font.pointSize(), 25);
        }
        // The diagonal, then a dotted line over the frame per speech level.
        const std::vector<PaintItem> dotted = d.lines(Qt::DotLine);
        ASSERT_EQ(dotted.size(), 4u);
        EXPECT_EQ(dotted[0].line, QLineF(kL + 0.5, kB + 0.5, kR + 0.5, kT + 0.5));
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(dotted[k + 1].line, QLineF(columns[k] + 0.5, kT, columns[k] + 0.5, kB));
        EXPECT_EQ(d.device.texts().filter(QRegularExpression("^(soft|average|loud)$")),
                  (QStringList{"soft", "average", "loud"}));
    }
}

TEST(CurveGraphs, TicksPointInwardAtLevels30To120) {
    const Drawing d(sceneWithBands());
    // Output levels 30..120 on the left and the right, then input levels 40..120 at
    // the top and the bottom, each 3 pixels long from the frame inwards.
    const std::vector<PaintItem> ticks = d.lines(Qt::SolidLine);
    ASSERT_EQ(ticks.size(), 2u * 10 + 2u * 9);
    const struct {
        std::size_t index;
        QLineF line;
    } cases[] = {
        {0, {kL, kB + 0.5, kL + 3, kB + 0.5}},     // output 30, left
        {1, {kR + 1, kB + 0.5, kR - 2, kB + 0.5}}, // output 30, right
        {19, {kR + 1, 50.5, kR - 2, 50.5}},        // output 120, right
        {20, {55.5, kT + 4, 55.5, kT + 1}},        // input 40, top
        {21, {55.5, kB - 3, 55.5, kB}},            // input 40, bottom
        {37, {255.5, kB - 3, 255.5, kB}},          // input 120, bottom
    };
    for (const auto& c : cases)
        EXPECT_EQ(ticks[c.index].line, c.line) << c.index;
}

TEST(CurveGraphs, TextsArePlacedByTheTopLeftCornerOfTheirCell) {
    GraphScene scene = sceneWithBands();
    scene.binaural = true;
    scene.aidStyle = 3;
    const Drawing d(scene);
    const int hM = d.heightM();
    const QString binaural = "Target levels reduced 5 dB for binaural fitting";
    const QString cic = "LOUDMAP data corrected for CIC";
    const struct {
        QString text;
        QPoint corner;
    } cases[] = {
        // Output levels right-aligned a digit's width left of the frame.
        {"130", {kL - d.width("1308"), kT - hM / 2}},
        {"30", {kL - d.width("308"), kB - hM / 2}},
        // Input levels centred under the frame.
        {"120", {kL + 225 - d.width("120") / 2, kB + hM / 5}},
        // The words above the frame, "average" higher than its neighbours, over the
        // CIC speech levels at 1000 Hz: 34 and 55 dB SPL in columns 40 and 92.
        {"soft", {40 - d.width("soft") / 2, kT - hM * 12 / 10}},
        {"average", {92 - d.width("average") / 2, kT - hM * 19 / 10}},
        // The messages centred on the frame, near its bottom and its top.
        {binaural, {kL + 125 - d.width(binaural) / 2, kB - hM * 29 / 10}},
        {cic, {kL + 125 - d.width(cic) / 2, kT + hM * 15 / 10}},
    };
    for (const auto& c : cases) {
        const QList<PaintItem> found = d.device.findTexts(c.text);
        ASSERT_FALSE(found.empty()) << c.text.toStdString();
        EXPECT_EQ(d.corner(found.back()), c.corner) << c.text.toStdString();
        EXPECT_EQ(found.back().font.family(), "Arial");
        EXPECT_EQ(found.back().font.pointSize(), 8);
        EXPECT_EQ(found.back().pen.color(), kWhite);
        EXPECT_EQ(found.back().backgroundMode, Qt::TransparentMode);
    }
    // 30 and 130 label the output axis only.
    EXPECT_EQ(d.device.findTexts("30").size(), 1);
    EXPECT_EQ(d.device.findTexts("40").size(), 2);
    EXPECT_EQ(d.device.findTexts("130").size(), 1);
}

TEST(CurveGraphs, CurvesAreDrawnWhereTheirOutputStartsAtLeast30Db) {
    const struct {
        const char* name;
        CurveParams curve;
        int segments;
        QLine first, last;
    } cases[] = {
        // Output 30 at input 55: the first segment is 55 to 56, drawn to input 130.
        {"rising", risingCurve(), 75, QLine(63, 250, 65, 248), QLine(248, 65, 250, 63)},
        // Output 30 at input 70 and 29 at 71: that falling segment is the last one.
        {"falling", fallingCurve(), 41, QLine(0, 250, 3, 248), QLine(100, 250, 103, 253)},
    };
    for (const auto& c : cases) {
        GraphScene scene = sceneWithBands();
        scene.curves[0] = c.curve;
        RecordingPaintDevice device(QSize(kCurveBoxSize, kCurveBoxSize));
        {
            QPainter painter(&device);
            drawGraphCurves(painter, scene, GraphSide::Left, QSize(kCurveBoxSize, kCurveBoxSize));
        }
        const QList<PaintItem> lines = device.itemsOfKind(Kind::Line);
        ASSERT_EQ(lines.size(), c.segments) << c.name;
        EXPECT_EQ(lines.front().line, QLineF(c.first)) << c.name;
        EXPECT_EQ(lines.back().line, QLineF(c.last)) << c.name;
    }
}

TEST(CurveGraphs, PanelDrawsEachCompleteCurveInItsColourClippedToItsBox) {
    // Rising curves on the left, falling ones on the right.
    GraphScene scene = sceneWithBands();
    for (int k = 0; k < 3; ++k) {
        scene.curves[k] = risingCurve();
        scene.curves[k + 3] = fallingCurve();
    }
    scene.curves[1].complete = 0; // the left user curve is not drawn
    const Drawing d(scene, true);
    const std::vector<PaintItem> curveLines =
        d.items(Kind::Line, [](const PaintItem& l) { return l.pen.widthF() == 2; });
    const QRectF left(30, 25, 250, 250), right(323, 25, 250, 250);
    const QColor aqua(0, 255, 255), lime(0, 255, 0), fuchsia(255, 0, 255);
    const struct {
        QColor colour;
        QRectF box;
        std::size_t segments;
    } expected[] = {{aqua, left, 75},
                    {fuchsia, left, 75},
                    {aqua, right, 41},
                    {lime, right, 41},
                    {fuchsia, right, 41}};
    ASSERT_EQ(curveLines.size(), 2u * 75 + 3u * 41);
    std::size_t i = 0;
    for (const auto& e : expected) {
        for (std::size_t n = 0; n < e.segments; ++n, ++i) {
            ASSERT_EQ(curveLines[i].pen.color(), e.colour) << i;
            ASSERT_TRUE(curveLines[i].clipped);
            ASSERT_EQ(curveLines[i].clip.boundingRect(), e.box) << i;
        }
    }
    // The right graph's falling curve starts at input 30 in its own box.
    EXPECT_EQ(curveLines[150].line, QLineF(323 + 0, 25 + 250, 323 + 3, 25 + 248));

    // Then both captions in yellow, right-aligned in their boxes, over the curves.
    const QFontMetrics metrics(graphFrequencyLabelFont(), &d.device);
    const struct {
        const char* text;
        int right;
    } captions[] = {{"1000 Hz", 276}, {"4000 Hz", 557}};
    for (const auto& c : captions) {
        const PaintItem* label = d.device.findText(c.text);
        ASSERT_NE(label, nullptr) << c.text;
        EXPECT_EQ(label->pen.color(), QColor(255, 255, 0));
        EXPECT_EQ(d.corner(*label), QPoint(c.right - metrics.horizontalAdvance(c.text), 250));
        EXPECT_GT(label->order, curveLines.back().order);
    }
}

TEST(CurveGraphs, LegendShowsTheThreeHatchesWithTheirWords) {
    RecordingPaintDevice device(QSize(kLegendWidth, kLegendHeight));
    {
        QPainter painter(&device);
        drawGraphLegend(painter);
    }
    const struct {
        QBrush swatch;
        QRectF rect;
        QPointF wordBaseline; // (45, 12), (45, 37), (45, 62) plus the ascent
    } cases[] = {
        {QBrush(QColor(0, 128, 0), Qt::CrossPattern), QRectF(5, 10, 35, 15), {45, 12}},
        {QBrush(QColor(0, 0, 255), Qt::BDiagPattern), QRectF(5, 35, 35, 15), {45, 37}},
        {QBrush(QColor(255, 0, 0), Qt::DiagCrossPattern), QRectF(5, 60, 35, 15), {45, 62}},
    };
    const QList<PaintItem> rects = device.itemsOfKind(Kind::Rect);
    const QList<PaintItem> words = device.itemsOfKind(Kind::Text);
    ASSERT_EQ(rects.size(), 3);
    EXPECT_EQ(device.texts(), (QStringList{"LOUD", "COMF.", "SOFT"}));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(rects[i].brush, cases[i].swatch) << i;
        EXPECT_EQ(rects[i].rect, cases[i].rect) << i;
        EXPECT_EQ(rects[i].pen.style(), Qt::NoPen) << i;
        const int ascent = QFontMetrics(words[i].font, &device).ascent();
        EXPECT_EQ(words[i].position, cases[i].wordBaseline + QPointF(0, ascent)) << i;
        EXPECT_EQ(words[i].font.pointSize(), 7);
        EXPECT_EQ(words[i].pen.color(), kWhite);
    }
}

TEST(CurveGraphs, AtTwiceThePixelsEverythingLandsOnTwiceTheCoordinatesUnsmoothed) {
    GraphScene scene = sceneWithBands(50, 70, 90, 100);
    scene.curves[0] = risingCurve();
    RecordingPaintDevice single(QSize(kGraphPanelWidth, kGraphPanelHeight));
    RecordingPaintDevice doubled(QSize(2 * kGraphPanelWidth, 2 * kGraphPanelHeight), 96, 2);
    for (RecordingPaintDevice* device : {&single, &doubled}) {
        QPainter painter(device);
        drawGraphPanel(painter, scene);
    }
    ASSERT_EQ(single.items().size(), doubled.items().size());
    for (qsizetype i = 0; i < single.items().size(); ++i) {
        const PaintItem& one = single.items()[i];
        const PaintItem& two = doubled.items()[i];
        ASSERT_EQ(two.rect.topLeft(), 2 * one.rect.topLeft()) << i;
        // Lines and fills unsmoothed (QPainter itself smooths scaled text for an
        // engine that takes whole text items).
        if (two.kind != Kind::Text) {
            ASSERT_FALSE(two.hints.testFlag(QPainter::Antialiasing)) << i;
        }
        if (two.brush.style() > Qt::SolidPattern) {
            ASSERT_TRUE(two.hints.testFlag(QPainter::NonCosmeticBrushPatterns))
                << "hatches grow with the picture";
        }
    }
}

} // namespace
