#include "controls/colorbutton.h"

#include <QPainter>
#include <QPen>

namespace {

// A rectangle outline on the pixels of `r`, its right and bottom edges included.
void outline(QPainter& painter, const QRect& r) {
    painter.drawRect(r.adjusted(0, 0, -1, -1));
}

} // namespace

TColorButton::TColorButton(QWidget* parent) : TColorButton(QString(), parent) {}

TColorButton::TColorButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {
    colorFace_ = palette().color(QPalette::Button);
    colorHi_ = palette().color(QPalette::Light);
    colorLo_ = palette().color(QPalette::Dark);
}

void TColorButton::setColour(QColor& member, const QColor& colour) {
    if (member == colour)
        return;
    member = colour;
    update();
}

void TColorButton::setColorFace(const QColor& colour) {
    setColour(colorFace_, colour);
}

void TColorButton::setColorHi(const QColor& colour) {
    setColour(colorHi_, colour);
}

void TColorButton::setColorLo(const QColor& colour) {
    setColour(colorLo_, colour);
}

// The frame around the focused or default button and the dark edge of the 3-D
// frame: the desktop's darkest shade, black on most, whatever the button's state.
QColor TColorButton::windowFrameColour() const {
    return palette().color(QPalette::Active, QPalette::Shadow);
}

TColorButton::DrawState TColorButton::drawState() const {
    DrawState state;
    state.selected = isDown();
    state.disabled = !isEnabled();
    state.focused = hasFocus();
    return state;
}

void TColorButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const DrawState state = drawState();
    DrawFace(painter, state);
    DrawCaption(painter, state);
}

void TColorButton::DrawFace(QPainter& painter, DrawState state) {
    QRect r = rect();
    painter.setBrush(colorFace_);
    if (isDefault() || state.focused) {
        painter.setPen(windowFrameColour());
        outline(painter, r);
        r.adjust(1, 1, -1, -1);
    }
    if (state.selected) {
        // Pressed: flat, outlined in the shadow colour.
        painter.setPen(colorLo_);
        outline(painter, r);
        return;
    }
    painter.fillRect(r, colorFace_);
    painter.setPen(colorHi_);
    painter.drawPolyline(
        QPolygon({QPoint(r.left(), r.bottom() - 1), r.topLeft(), QPoint(r.right() - 1, r.top())}));
    painter.setPen(windowFrameColour());
    painter.drawPolyline(QPolygon({r.topRight(), r.bottomRight(), r.bottomLeft()}));
    r.adjust(1, 1, -1, -1);
    // The inner shadow along the bottom and the right, from the button's left edge.
    painter.setPen(colorLo_);
    painter.drawPolyline(QPolygon({QPoint(1, r.bottom()), r.bottomRight(), r.topRight()}));
}

void TColorButton::DrawCaption(QPainter& painter, DrawState state) {
    if (text().isEmpty())
        return;
    QRect r(0, 0, width(), height());
    painter.setFont(font());
    painter.setBrush(Qt::NoBrush);
    painter.setBackgroundMode(Qt::TransparentMode);
    const int flags = Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    if (state.selected)
        r.translate(1, 1);
    QColor textColour = palette().color(QPalette::ButtonText);
    if (!isEnabled() || state.disabled) {
        // Engraved: a light copy one pixel down and right, the shadow colour on top.
        r.translate(1, 1);
        painter.setPen(colorHi_);
        painter.drawText(r, flags, text());
        r.translate(-1, -1);
        textColour = colorLo_;
    }
    painter.setPen(textColour);
    painter.drawText(r, flags, text());
    if (state.focused) {
        painter.setPen(QPen(palette().color(QPalette::ButtonText), 1, Qt::DotLine));
        outline(painter, rect().adjusted(4, 4, -4, -4));
    }
}
