// The rotated label, rendered into the recording device: where each text pass lands,
// in which colour, and how big the label makes itself.
#include "controls/pageform.h"
#include "controls/rotatelabel.h"
#include "testsupport/recordingpaintdevice.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace {

const QString axisTitle = QStringLiteral("OUTPUT (SPL in HA-1 COUPLER)");

// The curve page's vertical axis title.
void setUpAxisTitle(TRotateLabel& label) {
    label.setText(axisTitle);
    label.setEscapement(90);
    label.setTextStyle(tsNone);
    QFont font(QStringLiteral("Arial"));
    font.setPointSize(8);
    label.setFont(font);
    setTextColour(&label, Qt::yellow);
    label.setAutoSize(true);
}

// What the label's own painting draws, without the window background that
// QWidget::render adds by default.
void renderInto(RecordingPaintDevice& device, TRotateLabel& label) {
    label.render(&device, QPoint(), QRegion(), QWidget::DrawChildren);
}

QList<PaintItem> renderTexts(TRotateLabel& label) {
    RecordingPaintDevice device(QSize(600, 600));
    renderInto(device, label);
    return device.itemsOfKind(PaintItem::Kind::Text);
}

QColor desktopColour(const TRotateLabel& label, QPalette::ColorGroup group,
                     QPalette::ColorRole role) {
    return QApplication::palette(&label).color(group, role);
}

int textWidth(const TRotateLabel& label) {
    return label.fontMetrics().horizontalAdvance(label.text());
}

int textHeight(const TRotateLabel& label) {
    return label.fontMetrics().height();
}

} // namespace

TEST(RotateLabel, EscapementIsKeptWithinOneTurn) {
    const struct {
        int given;
        int stored;
    } cases[] = {{-30, 330}, {-360, 0},  {-400, 320},    {-720, 0},     {725, 5},
                 {360, 360}, {720, 360}, {450, 90},      {-90, 270},    {0, 0},
                 {359, 359}, {1, 1},     {INT_MAX, 127}, {INT_MIN, 232}};
    for (const auto& c : cases) {
        TRotateLabel label;
        label.setEscapement(c.given);
        EXPECT_EQ(label.escapement(), c.stored) << "given " << c.given;
    }
}

TEST(RotateLabel, DefaultsAreRaisedTextAt45DegreesInArial) {
    TRotateLabel label;
    EXPECT_EQ(label.escapement(), 45);
    EXPECT_EQ(label.textStyle(), tsRaised);
    EXPECT_EQ(label.font().family(), QStringLiteral("Arial"));
    EXPECT_EQ(label.property("Escapement").toInt(), 45);
    EXPECT_TRUE(label.setProperty("TextStyle", QVariant::fromValue(tsRecessed)));
    EXPECT_EQ(label.textStyle(), tsRecessed);
}

// The shadow pass lies one pixel below-right of the caption, the highlight pass one
// pixel above-left; the recessed look swaps their colours. Turned or not.
TEST(RotateLabel, TextStylesDrawTheirPassesInOrder) {
    struct Pass {
        QPoint offset;
        QPalette::ColorRole role;
    };
    const Pass main{{0, 0}, QPalette::WindowText};
    const struct {
        TTextStyle style;
        std::vector<Pass> passes;
    } cases[] = {
        {tsNone, {main}},
        {tsRaised, {{{1, 1}, QPalette::Dark}, {{-1, -1}, QPalette::Light}, main}},
        {tsRecessed, {{{1, 1}, QPalette::Light}, {{-1, -1}, QPalette::Dark}, main}},
    };
    for (const auto& c : cases) {
        for (int escapement : {0, 90, 200}) {
            SCOPED_TRACE(testing::Message() << "style " << c.style << ", " << escapement);
            TRotateLabel label;
            setUpAxisTitle(label);
            label.setEscapement(escapement);
            label.setTextStyle(c.style);
            const QList<PaintItem> texts = renderTexts(label);
            ASSERT_EQ(texts.size(), qsizetype(c.passes.size()));
            const QPointF mainPosition = texts.back().position;
            for (size_t i = 0; i < c.passes.size(); ++i) {
                const Pass& pass = c.passes[i];
                const QColor expected = pass.role == QPalette::WindowText
                                            ? QColor(Qt::yellow)
                                            : desktopColour(label, QPalette::Active, pass.role);
                EXPECT_EQ(texts[i].pen.color(), expected) << "pass " << i;
                EXPECT_EQ(texts[i].position - mainPosition, QPointF(pass.offset)) << "pass " << i;
                EXPECT_EQ(texts[i].text, axisTitle);
            }
        }
    }
}

// The caption greys out even when the label has its own text colour; the edges stay.
TEST(RotateLabel, DisabledLabelGreysOnlyItsMainPass) {
    TRotateLabel label;
    setUpAxisTitle(label);
    label.setTextStyle(tsRaised);
    const QList<PaintItem> enabled = renderTexts(label);
    label.setEnabled(false);
    const QList<PaintItem> disabled = renderTexts(label);
    ASSERT_EQ(enabled.size(), 3);
    ASSERT_EQ(disabled.size(), 3);
    EXPECT_EQ(disabled[0].pen.color(), enabled[0].pen.color());
    EXPECT_EQ(disabled[1].pen.color(), enabled[1].pen.color());
    const QColor grey = desktopColour(label, QPalette::Disabled, QPalette::Text);
    EXPECT_NE(grey, QColor(Qt::yellow));
    EXPECT_EQ(disabled[2].pen.color(), grey);
}

// With AutoSize the label is exactly the turned caption's box, and the caption fills it
// whatever the quadrant it points into.
TEST(RotateLabel, AutoSizedLabelHoldsTheTurnedCaption) {
    const struct {
        int escapement;
        bool upright; // the box is H wide and W high
    } cases[] = {{30, false},  {90, true},  {120, false}, {180, false},
                 {210, false}, {270, true}, {300, false}, {360, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.escapement);
        TRotateLabel label;
        setUpAxisTitle(label);
        label.setEscapement(c.escapement);
        const int w = textWidth(label);
        const int h = textHeight(label);
        if (c.escapement % 90 == 0) {
            EXPECT_EQ(label.size(), c.upright ? QSize(h, w) : QSize(w, h));
        }
        const QList<PaintItem> texts = renderTexts(label);
        ASSERT_EQ(texts.size(), 1);
        const QRectF cell = texts[0].rect;
        EXPECT_NEAR(cell.left(), 0, 2);
        EXPECT_NEAR(cell.top(), 0, 2);
        EXPECT_NEAR(cell.right(), label.width(), 2);
        EXPECT_NEAR(cell.bottom(), label.height(), 2);
    }
}

// At 90 degrees the caption reads upwards from a point W pixels down the left edge,
// moved right by the alignment when the label is wider than the caption.
TEST(RotateLabel, UprightCaptionStartsAtTheBottomAndReadsUpwards) {
    const struct {
        Qt::Alignment alignment;
        int shiftFromFreeWidth; // divisor of the free width; 0 for none
    } cases[] = {{Qt::AlignLeft, 0}, {Qt::AlignHCenter, 2}, {Qt::AlignRight, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.alignment));
        TRotateLabel label;
        setUpAxisTitle(label);
        label.setAutoSize(false);
        label.resize(41, 300);
        label.setAlignment(c.alignment);
        const int free = 41 - textHeight(label);
        const int shift = c.shiftFromFreeWidth == 0 ? 0 : free / c.shiftFromFreeWidth;
        const QList<PaintItem> texts = renderTexts(label);
        ASSERT_EQ(texts.size(), 1);
        const QTransform& turn = texts[0].transform;
        EXPECT_EQ(turn.map(QPointF(0, 0)), QPointF(shift, textWidth(label)));
        const QPointF along = turn.map(QPointF(1, 0)) - turn.map(QPointF(0, 0));
        EXPECT_NEAR(along.x(), 0, 1e-9);
        EXPECT_NEAR(along.y(), -1, 1e-9);
    }
}

// An "&" marks the next letter only in an unturned caption with ShowAccelChar on.
TEST(RotateLabel, AmpersandsFollowShowAccelChar) {
    const struct {
        int escapement;
        bool showAccelChar;
        QString drawn;
    } cases[] = {
        {0, true, QStringLiteral("R&D lab")},
        {0, false, QStringLiteral("R&&D &lab")},
        {90, true, QStringLiteral("R&&D &lab")},
    };
    for (const auto& c : cases) {
        TRotateLabel label;
        label.setTextStyle(tsNone);
        label.setEscapement(c.escapement);
        label.setShowAccelChar(c.showAccelChar);
        label.setText(QStringLiteral("R&&D &lab"));
        label.resize(200, 200);
        QString drawn;
        for (const PaintItem& item : renderTexts(label))
            drawn += item.text;
        EXPECT_EQ(drawn, c.drawn) << c.escapement << " " << c.showAccelChar;
    }
}

// An opaque label shows its page's colour behind the caption.
TEST(RotateLabel, OpaqueLabelFillsItsRectangleFirst) {
    for (bool transparent : {false, true}) {
        QWidget page;
        QPalette palette = page.palette();
        palette.setColor(QPalette::Window, QColor(0, 0, 128));
        page.setPalette(palette);
        TRotateLabel label(&page);
        setUpAxisTitle(label);
        label.setTransparent(transparent);
        RecordingPaintDevice device(QSize(600, 600));
        renderInto(device, label);
        const QList<PaintItem> fills = device.itemsOfKind(PaintItem::Kind::Rect);
        if (transparent) {
            EXPECT_TRUE(fills.isEmpty());
            continue;
        }
        ASSERT_EQ(fills.size(), 1);
        EXPECT_EQ(fills[0].rect, QRectF(label.rect()));
        EXPECT_EQ(fills[0].brush.color(), QColor(0, 0, 128));
        EXPECT_EQ(device.items().front().kind, PaintItem::Kind::Rect);
    }
}
