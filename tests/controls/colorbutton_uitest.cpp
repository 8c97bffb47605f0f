// The colour button, rendered into the recording device: its face, frames and caption
// in each drawing state, in the colours it was given.
#include "controls/colorbutton.h"
#include "testsupport/recordingpaintdevice.h"

#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const QColor kFace(200, 220, 255);
const QColor kHi(255, 255, 200);
const QColor kLo(90, 60, 30);

std::string at(QPointF p) {
    return std::to_string(int(p.x())) + "," + std::to_string(int(p.y()));
}

// A shape as "rect x,y wxh" or "line x,y x,y ...", then its pen and, for a rectangle,
// its brush: the pixels and colours the device receives.
std::string describe(const PaintItem& item) {
    std::string text;
    if (item.kind == PaintItem::Kind::Rect) {
        text = "rect " + at(item.rect.topLeft()) + " " + std::to_string(int(item.rect.width())) +
               "x" + std::to_string(int(item.rect.height()));
    } else {
        text = "line";
        for (const QPointF& p : item.points)
            text += " " + at(p);
    }
    text += item.pen.style() == Qt::NoPen ? " none" : " " + item.pen.color().name().toStdString();
    if (item.pen.style() == Qt::DotLine)
        text += " dotted";
    if (item.kind == PaintItem::Kind::Rect && item.brush.style() != Qt::NoBrush)
        text += " on " + item.brush.color().name().toStdString();
    return text;
}

struct Drawing {
    std::vector<std::string> shapes;
    QList<PaintItem> texts;
};

enum class State { Plain, Pressed, Disabled, Focused, Default };

// A 75 x 25 button in the test's colours, in the state, as it paints itself.
Drawing render(State state, const QString& caption = QStringLiteral("OK")) {
    TColorButton button(caption);
    button.setColorFace(kFace);
    button.setColorHi(kHi);
    button.setColorLo(kLo);
    button.resize(75, 25);
    button.setDown(state == State::Pressed);
    button.setEnabled(state != State::Disabled);
    button.setDefault(state == State::Default);
    if (state == State::Focused) {
        button.show();
        button.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&button));
        button.setFocus();
        EXPECT_TRUE(button.hasFocus());
    }
    RecordingPaintDevice device(QSize(100, 40));
    button.render(&device, QPoint(), QRegion(), QWidget::DrawChildren);
    Drawing drawing;
    for (const PaintItem& item : device.items()) {
        if (item.kind == PaintItem::Kind::Text)
            drawing.texts.append(item);
        else
            drawing.shapes.push_back(describe(item));
    }
    return drawing;
}

// Pressed, the face is flat with a shadow outline and the caption moves one pixel down
// and right; disabled, the caption is written twice, light one pixel down and right,
// then in the shadow colour in place; focused or default, a frame goes around the
// 3-D frame; focused, a dotted focus frame lies inside. No caption: the face only.
TEST(ColorButton, EachStateDrawsItsFaceFramesAndCaption) {
    const QPalette desktop = TColorButton().palette();
    const QColor text = desktop.color(QPalette::ButtonText);
    const std::string face = " on " + kFace.name().toStdString();
    const std::string frame =
        " " + desktop.color(QPalette::Active, QPalette::Shadow).name().toStdString();
    const std::string hi = " " + kHi.name().toStdString();
    const std::string lo = " " + kLo.name().toStdString();
    // The face and its 3-D frame on the pixels (x, y) to (r, b): light top and left,
    // frame colour bottom and right, then the inner shadow from the button's left.
    const auto raised = [&](int x, int y, int r, int b) {
        const auto p = [](int px, int py) { return at(QPointF(px, py)); };
        return std::vector<std::string>{
            "rect " + p(x, y) + " " + std::to_string(r - x + 1) + "x" + std::to_string(b - y + 1) +
                " none" + face,
            "line " + p(x, b - 1) + " " + p(x, y) + " " + p(r - 1, y) + hi,
            "line " + p(r, y) + " " + p(r, b) + " " + p(x, b) + frame,
            "line " + p(1, b - 1) + " " + p(r - 1, b - 1) + " " + p(r - 1, y + 1) + lo};
    };
    const auto framed = [&](std::vector<std::string> after) {
        after.insert(after.begin(), "rect 0,0 74x24" + frame + face);
        return after;
    };
    std::vector<std::string> focused = framed(raised(1, 1, 73, 23));
    focused.push_back("rect 4,4 66x16 " + text.name().toStdString() + " dotted");

    const PaintItem plain = render(State::Plain).texts.value(0);
    EXPECT_EQ(plain.text, "OK");
    EXPECT_NEAR(plain.rect.center().x(), 37.5, 1.0) << "centred";
    EXPECT_NEAR(plain.rect.center().y(), 12.5, 1.5) << "centred";
    using Passes = std::vector<std::pair<QColor, QPointF>>; // colour, shift from plain
    const struct {
        State state;
        QString caption;
        std::vector<std::string> shapes;
        Passes passes;
    } cases[] = {
        {State::Plain, "OK", raised(0, 0, 74, 24), {{text, {0, 0}}}},
        {State::Pressed, "OK", {"rect 0,0 74x24" + lo + face}, {{text, {1, 1}}}},
        {State::Disabled, "OK", raised(0, 0, 74, 24), {{kHi, {1, 1}}, {kLo, {0, 0}}}},
        {State::Default, "OK", framed(raised(1, 1, 73, 23)), {{text, {0, 0}}}},
        {State::Focused, "OK", focused, {{text, {0, 0}}}},
        {State::Focused, "", framed(raised(1, 1, 73, 23)), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.state));
        const Drawing drawing = render(c.state, c.caption);
        EXPECT_EQ(drawing.shapes, c.shapes);
        ASSERT_EQ(drawing.texts.size(), qsizetype(c.passes.size()));
        for (std::size_t i = 0; i < c.passes.size(); ++i) {
            const PaintItem& pass = drawing.texts[qsizetype(i)];
            EXPECT_EQ(pass.pen.color(), c.passes[i].first) << "pass " << i;
            EXPECT_EQ(pass.position - plain.position, c.passes[i].second) << "pass " << i;
        }
    }
}

} // namespace
