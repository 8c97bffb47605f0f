// The colour of the focus frame: the desktop's highlight where it stands out from what
// lies beneath by three to one, else black or white, whichever stands out more.
#include "platform/focusframe.h"

#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QStyleOptionFocusRect>

#include <gtest/gtest.h>

#include <vector>

namespace {

const QColor kNavy(0, 0, 128);
const QColor kCellGrey(230, 230, 230);

TEST(FocusFrameColour, ContrastRatioRunsFromOneToTwentyOne) {
    const struct {
        QColor a, b;
        double ratio;
    } cases[] = {
        {Qt::black, Qt::white, 21.0},
        {Qt::white, Qt::black, 21.0},
        {kNavy, kNavy, 1.0},
        {QColor(48, 140, 198), Qt::white, 3.68},
        {QColor(48, 140, 198), kNavy, 4.33},
        {Qt::green, Qt::black, 15.3},
        {Qt::magenta, Qt::white, 3.14},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(contrastRatio(c.a, c.b), c.ratio, 0.01) << c.a.name().toStdString();
}

TEST(FocusFrameColour, HighlightWhereItStandsOutElseBlackOrWhite) {
    const struct {
        QColor highlight;
        std::vector<QColor> backgrounds;
        QColor expected;
    } cases[] = {
        // The desktop's blue on white cells and on the navy page.
        {QColor(48, 140, 198), {Qt::white, kNavy}, QColor(48, 140, 198)},
        // ... not on a grey cell (2.96), nor on a lime list: black.
        {QColor(48, 140, 198), {kCellGrey}, Qt::black},
        {QColor(48, 140, 198), {Qt::green}, Qt::black},
        // Lime beside navy: white stands out from both a little more than black.
        {QColor(48, 140, 198), {Qt::green, kNavy}, Qt::white},
        // A high-contrast yellow on white cells gives black; on black fields it stays.
        {QColor(255, 255, 0), {Qt::white}, Qt::black},
        {QColor(255, 255, 0), {Qt::black}, QColor(255, 255, 0)},
        // A dark highlight on a black face: white.
        {QColor(0, 0, 160), {Qt::black, QColor(40, 40, 40)}, Qt::white},
        // The background it stands out from least decides: grey (118, 118, 118) is
        // 4.54 on white but 1.54 on a darker grey.
        {QColor(118, 118, 118), {Qt::white, QColor(150, 150, 150)}, Qt::black},
    };
    for (const auto& c : cases) {
        QPalette palette;
        palette.setColor(QPalette::Active, QPalette::Highlight, c.highlight);
        QColor chosen;
        if (c.backgrounds.size() == 1)
            chosen = focusFrameColour(palette, {c.backgrounds[0]});
        else
            chosen = focusFrameColour(palette, {c.backgrounds[0], c.backgrounds[1]});
        EXPECT_EQ(chosen, c.expected) << c.highlight.name().toStdString();
    }
}

// Two pixels wide just inside the rectangle, four at twice the scale; nothing
// outside it and nothing further in.
TEST(FocusFrameColour, FrameFillsTwoPixelsInsideTheRectangleAtEachScale) {
    for (const int scale : {1, 2}) {
        QImage image(40 * scale, 30 * scale, QImage::Format_RGB32);
        image.setDevicePixelRatio(scale);
        image.fill(Qt::white);
        QPainter painter(&image);
        drawFocusFrame(painter, QRect(5, 4, 20, 12), Qt::red);
        painter.end();
        const auto at = [&](int x, int y) { return QColor(image.pixel(x, y)); };
        const int left = 5 * scale, top = 4 * scale, right = 25 * scale - 1,
                  bottom = 16 * scale - 1, width = 2 * scale, midY = 10 * scale;
        EXPECT_EQ(at(left, midY), Qt::red) << scale;
        EXPECT_EQ(at(left + width - 1, midY), Qt::red) << scale;
        EXPECT_EQ(at(left + width, midY), Qt::white) << scale;
        EXPECT_EQ(at(left - 1, midY), Qt::white) << scale;
        EXPECT_EQ(at(right, midY), Qt::red) << scale;
        EXPECT_EQ(at(right - width, midY), Qt::white) << scale;
        EXPECT_EQ(at(15 * scale, top + width - 1), Qt::red) << scale;
        EXPECT_EQ(at(15 * scale, bottom - width + 1), Qt::red) << scale;
        EXPECT_EQ(at(15 * scale, bottom + 1), Qt::white) << scale;
        EXPECT_EQ(at(15 * scale, bottom), Qt::red) << scale;
        EXPECT_EQ(at(15 * scale, bottom - width), Qt::white) << scale;
        EXPECT_EQ(at(15 * scale, top), Qt::red) << scale;
        EXPECT_EQ(at(15 * scale, top + width), Qt::white) << scale;
        EXPECT_EQ(at(15 * scale, top - 1), Qt::white) << scale;
    }
}

// A control too low for the frame's width: the frame takes half its height at most,
// and the row between the edges stays free inside.
TEST(FocusFrameColour, AFrameOfALowControlKeepsItsMiddleRowFree) {
    QImage image(40, 12, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    drawFocusFrame(painter, QRect(5, 4, 20, 3), Qt::red);
    painter.end();
    const auto at = [&](int x, int y) { return QColor(image.pixel(x, y)); };
    EXPECT_EQ(at(10, 4), Qt::red);
    EXPECT_EQ(at(10, 5), Qt::white);
    EXPECT_EQ(at(10, 6), Qt::red);
    EXPECT_EQ(at(5, 5), Qt::red);
    EXPECT_EQ(at(24, 5), Qt::red);
    EXPECT_EQ(at(10, 7), Qt::white);
}

// A list item's focus frame lies inside the item; a button's across its edge.
TEST(FocusFrameColour, AListItemsFrameStaysInsideTheItem) {
    FocusFrameStyle style(QStringLiteral("Fusion"));
    for (const bool item : {true, false}) {
        SCOPED_TRACE(item ? "item" : "button");
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::white);
        QStyleOptionFocusRect option;
        option.rect = QRect(5, 4, 20, 12);
        option.state = QStyle::State_HasFocus | (item ? QStyle::State_Item : QStyle::State_None);
        option.palette.setColor(QPalette::Active, QPalette::Highlight, Qt::black);
        option.palette.setColor(QPalette::Base, Qt::white);
        option.palette.setColor(QPalette::Window, Qt::white);
        QPainter painter(&image);
        style.drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, nullptr);
        painter.end();
        EXPECT_EQ(QColor(image.pixel(4, 10)), item ? Qt::white : Qt::black);
        EXPECT_EQ(QColor(image.pixel(5, 10)), Qt::black);
        EXPECT_EQ(QColor(image.pixel(6, 10)), item ? Qt::black : Qt::white);
    }
}

} // namespace
