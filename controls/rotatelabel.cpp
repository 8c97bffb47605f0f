#include "controls/rotatelabel.h"

#include "model/numbers.h"
#include "platform/fontnames.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>
#include <cstdlib>
#include <numbers>

namespace {

long double radians(long double degrees) {
    return degrees * std::numbers::pi_v<long double> / 180.0L;
}

// The offset of the text origin depends on the quadrant the caption points into:
// the origin is the corner of the text cell that turns with the text, and the box
// must start at the top-left of the turned cell.
QPoint originOffset(long double w, long double h, int escapement) {
    const long double theta = radians(escapement);
    if (escapement <= 90)
        return {0, truncToInt(w * std::sin(theta))};
    if (escapement <= 180)
        return {truncToInt(-w * std::cos(theta)),
                truncToInt(w * std::sin(theta) + h * std::cos(radians(180 - escapement)))};
    if (escapement <= 270)
        return {truncToInt(-w * std::cos(theta) + h * std::sin(radians(escapement - 180))),
                truncToInt(h * std::sin(radians(270 - escapement)))};
    return {truncToInt(h * std::sin(radians(360 - escapement))), 0};
}

// Brings an angle into 0..360 as whole turns: a negative angle ends in 0..359, one
// above 360 in 1..360.
int normalisedEscapement(int degrees) {
    if (degrees < 0) {
        const int rest = degrees % 360;
        return rest == 0 ? 0 : rest + 360;
    }
    if (degrees > 360) {
        const int rest = degrees % 360;
        return rest == 0 ? 360 : rest;
    }
    return degrees;
}

} // namespace

RotatedTextBox rotatedTextBox(int textWidth, int textHeight, int escapement) {
    const long double w = textWidth;
    const long double h = textHeight;
    const long double theta = radians(escapement);
    const QPoint origin = originOffset(w, h, escapement);
    RotatedTextBox box;
    box.dx = origin.x();
    box.dy = origin.y();
    box.width =
        std::abs(truncToInt(w * std::cos(theta))) + std::abs(truncToInt(h * std::sin(theta)));
    box.height =
        std::abs(truncToInt(w * std::sin(theta))) + std::abs(truncToInt(h * std::cos(theta)));
    return box;
}

TRotateLabel::TRotateLabel(QWidget* parent) : QLabel(parent) {
    QFont labelFont = font();
    labelFont.setFamily(kSansFamily);
    setFont(labelFont);
    // Text starts at the top of the label, as the turned caption does.
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TRotateLabel::setEscapement(int degrees) {
    if (degrees == escapement_)
        return;
    escapement_ = normalisedEscapement(degrees);
    applyAutoSize();
    update();
}

void TRotateLabel::setTextStyle(TTextStyle style) {
    if (style == textStyle_)
        return;
    textStyle_ = style;
    update();
}

void TRotateLabel::setAutoSize(bool on) {
    autoSize_ = on;
    applyAutoSize();
    update();
}

void TRotateLabel::setTransparent(bool on) {
    transparent_ = on;
    update();
}

void TRotateLabel::setShowAccelChar(bool on) {
    showAccelChar_ = on;
    applyAutoSize();
    update();
}

void TRotateLabel::setText(const QString& text) {
    QLabel::setText(text);
    applyAutoSize();
}

void TRotateLabel::setWordWrap(bool on) {
    QLabel::setWordWrap(on);
    applyAutoSize();
}

QSize TRotateLabel::sizeHint() const {
    return captionSize();
}

QSize TRotateLabel::minimumSizeHint() const {
    return captionSize();
}

int TRotateLabel::textFlags() const {
    int flags = Qt::TextExpandTabs;
    flags |= int(alignment() & (Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask));
    if (wordWrap())
        flags |= Qt::TextWordWrap;
    if (showAccelChar_)
        flags |= Qt::TextShowMnemonic;
    return flags;
}

QSize TRotateLabel::captionSize() const {
    const QFontMetrics metrics = fontMetrics();
    if (escapement_ == 0) {
        if (!wordWrap())
            return metrics.size(textFlags(), text());
        // A wrapped caption keeps the label's width and takes the height it needs.
        const QRect bound =
            metrics.boundingRect(QRect(0, 0, width(), QWIDGETSIZE_MAX), textFlags(), text());
        return {width(), bound.height()};
    }
    const RotatedTextBox box =
        rotatedTextBox(metrics.horizontalAdvance(text()), metrics.height(), escapement_);
    return {box.width, box.height};
}

void TRotateLabel::applyAutoSize() {
    if (autoSize_ && size() != captionSize())
        resize(captionSize());
}

void TRotateLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        applyAutoSize();
}

void TRotateLabel::paintEvent(QPaintEvent*) {
    // A caption set through QLabel itself bypasses setText; catch up once this
    // painting is done rather than resizing in the middle of it.
    if (autoSize_ && size() != captionSize())
        QMetaObject::invokeMethod(this, &TRotateLabel::applyAutoSize, Qt::QueuedConnection);

    QPainter painter(this);
    if (!transparent_)
        painter.fillRect(rect(), palette().color(backgroundRole()));
    painter.setBrush(Qt::NoBrush);
    painter.setFont(font());

    // The edge colours and the grey of a disabled caption are the desktop's, not the
    // label's own: a coloured caption still greys out and keeps its edges.
    const QPalette desktop = QApplication::palette(this);
    QColor light = desktop.color(QPalette::Active, QPalette::Light);
    QColor dark = desktop.color(QPalette::Active, QPalette::Dark);
    if (textStyle_ == tsRecessed)
        std::swap(light, dark);
    if (textStyle_ != tsNone) {
        drawCaption(painter, rect().translated(1, 1), dark);
        drawCaption(painter, rect().translated(-1, -1), light);
    }
    const QColor main = isEnabled() ? palette().color(foregroundRole())
                                    : desktop.color(QPalette::Disabled, QPalette::Text);
    drawCaption(painter, rect(), main);
}

void TRotateLabel::drawCaption(QPainter& painter, const QRect& rect, const QColor& colour) const {
    painter.setPen(colour);
    if (escapement_ == 0) {
        painter.drawText(rect, textFlags(), text());
        return;
    }
    const QFontMetrics metrics = fontMetrics();
    const RotatedTextBox box =
        rotatedTextBox(metrics.horizontalAdvance(text()), metrics.height(), escapement_);
    int dx = box.dx;
    if (!autoSize_) {
        if (alignment() & Qt::AlignHCenter)
            dx += (width() - box.width) / 2;
        else if (alignment() & Qt::AlignRight)
            dx += width() - box.width;
    }
    // The text cell's top-left corner sits on the origin and turns about it;
    // Qt's y axis points down, so counter-clockwise is a negative angle.
    painter.save();
    painter.translate(rect.topLeft() + QPoint(dx, box.dy));
    painter.rotate(-escapement_);
    painter.drawText(QPoint(0, metrics.ascent()), text());
    painter.restore();
}
