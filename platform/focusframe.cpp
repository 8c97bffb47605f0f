#include "platform/focusframe.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPainter>
#include <QStyleOption>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace {

double linearChannel(double value) {
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double relativeLuminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * linearChannel(rgb.redF()) + 0.7152 * linearChannel(rgb.greenF()) +
           0.0722 * linearChannel(rgb.blueF());
}

// The contrast of a candidate with the background it stands out from least.
double leastContrast(const QColor& candidate, std::initializer_list<QColor> backgrounds) {
    double least = 21.0;
    for (const QColor& background : backgrounds)
        least = std::min(least, contrastRatio(candidate, background));
    return least;
}

// A focus frame over a control's face, just inside its edge, in a colour that stands
// out from the face and from the page around the control.
void frameInside(QPainter* painter, const QStyleOption& option, QPalette::ColorRole face) {
    const QPalette& palette = option.palette;
    drawFocusFrame(
        *painter, option.rect,
        focusFrameColour(palette, {palette.color(face), palette.color(QPalette::Window)}));
}

// What a focus rectangle lies on: a list item's background, a raised tool button's
// face, or else (a check box's caption, a flat tool button) the window behind.
QColor focusRectangleGround(const QStyleOption& option, const QWidget* widget) {
    const auto* focus = qstyleoption_cast<const QStyleOptionFocusRect*>(&option);
    if ((option.state & QStyle::State_Item) && focus && focus->backgroundColor.isValid())
        return focus->backgroundColor;
    if (option.state & QStyle::State_Item)
        return option.palette.color(QPalette::Base);
    const auto* tool = qobject_cast<const QToolButton*>(widget);
    if (tool && !tool->autoRaise())
        return option.palette.color(QPalette::Button);
    return option.palette.color(QPalette::Window);
}

// The toolkit's focus rectangle of buttons, check boxes and list items, made wide: it
// lies across the rectangle's edge, half outside, so that it frames a caption without
// covering it. A list item's frame stays inside the item.
void drawFocusRectangle(QPainter* painter, const QStyleOption& option, const QWidget* widget) {
    const int outside = (option.state & QStyle::State_Item) ? 0 : kFocusFrameWidth / 2;
    const QRect rect = option.rect.adjusted(-outside, -outside, outside, outside);
    drawFocusFrame(*painter, rect,
                   focusFrameColour(option.palette, {focusRectangleGround(option, widget)}));
}

bool hasFocus(const QStyleOption* option) {
    return option && (option->state & QStyle::State_HasFocus);
}

} // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double lighter = std::max(relativeLuminance(a), relativeLuminance(b));
    const double darker = std::min(relativeLuminance(a), relativeLuminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

QColor focusFrameColour(const QPalette& palette, std::initializer_list<QColor> backgrounds) {
    const QColor highlight = palette.color(QPalette::Active, QPalette::Highlight);
    if (leastContrast(highlight, backgrounds) >= kFocusFrameContrast)
        return highlight;
    const QColor black(Qt::black);
    const QColor white(Qt::white);
    return leastContrast(black, backgrounds) >= leastContrast(white, backgrounds) ? black : white;
}

void drawFocusFrame(QPainter& painter, const QRect& rect, const QColor& colour) {
    const int w = std::min({kFocusFrameWidth, rect.width() / 2, rect.height() / 2});
    if (w <= 0)
        return;
    painter.fillRect(rect.left(), rect.top(), rect.width(), w, colour);
    painter.fillRect(rect.left(), rect.bottom() - w + 1, rect.width(), w, colour);
    painter.fillRect(rect.left(), rect.top() + w, w, rect.height() - 2 * w, colour);
    painter.fillRect(rect.right() - w + 1, rect.top() + w, w, rect.height() - 2 * w, colour);
}

FocusFrameStyle::FocusFrameStyle(const QString& baseStyle) : QProxyStyle(baseStyle) {}

void FocusFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const {
    // Drawn whenever a control has the focus, not only after a key moved it there: a
    // click into a field is a focus to see as well.
    if (element == PE_FrameFocusRect) {
        drawFocusRectangle(painter, *option, widget);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    // Fields, with or without their own frame: a cell's editor is a field without one.
    if (element == PE_PanelLineEdit && hasFocus(option))
        frameInside(painter, *option, QPalette::Base);
}

void FocusFrameStyle::drawControl(ControlElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    if (!hasFocus(option))
        return;
    // A push button, on its face and the page around it: this style draws no focus
    // rectangle of its own on it.
    if (element == CE_PushButton)
        frameInside(painter, *option, QPalette::Button);
    // Grids, lists and text areas: the frame takes the place of their border.
    if (element == CE_ShapedFrame && qobject_cast<const QAbstractScrollArea*>(widget))
        frameInside(painter, *option, QPalette::Base);
}

void FocusFrameStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                         QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    // A drop-down list, over its face, coloured or not.
    if ((control == CC_ComboBox || control == CC_SpinBox) && hasFocus(option))
        frameInside(painter, *option, QPalette::Button);
}

// A framed grid, list or text area has a border as wide as the focus frame, so that
// the frame fits around its cells and lines without covering them.
int FocusFrameStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                                 const QWidget* widget) const {
    const int base = QProxyStyle::pixelMetric(metric, option, widget);
    if (metric == PM_DefaultFrameWidth && qobject_cast<const QAbstractScrollArea*>(widget))
        return std::max(base, kFocusFrameWidth);
    return base;
}

void installFocusFrameStyle() {
    QApplication::setStyle(new FocusFrameStyle(QApplication::style()->name()));
}
