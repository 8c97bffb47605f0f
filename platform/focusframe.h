// The keyboard focus shows on every control of the program as a frame two pixels wide
// (four at twice the scale), in a colour that stands out from what lies beneath it:
// the desktop's highlight colour where it does, else black or white. The toolkit's own
// focus marks are a thin outline in the highlight colour, which vanishes on the navy
// curve page, on a lime list or under a high-contrast palette; here one style draws
// the frame for every button, check box, field, list, cell editor and framed view.
#pragma once

#include <QColor>
#include <QProxyStyle>

#include <initializer_list>

class QPainter;
class QPalette;
class QRect;

// The frame's width in device-independent pixels.
inline constexpr int kFocusFrameWidth = 2;

// The least contrast a focus mark needs against what it lies on: three to one.
inline constexpr double kFocusFrameContrast = 3.0;

// The contrast ratio of two colours, from 1 (the same lightness) to 21 (black on
// white), from their relative luminance.
double contrastRatio(const QColor& a, const QColor& b);

// The palette's highlight colour where it stands out from every one of the
// backgrounds by at least kFocusFrameContrast; otherwise black or white, whichever
// stands out more from the one it stands out least from.
QColor focusFrameColour(const QPalette& palette, std::initializer_list<QColor> backgrounds);

// Fills a frame kFocusFrameWidth wide just inside the rectangle.
void drawFocusFrame(QPainter& painter, const QRect& rect, const QColor& colour);

class FocusFrameStyle : public QProxyStyle {
    Q_OBJECT
  public:
    // Wraps the style of the given name, the one the desktop chose.
    explicit FocusFrameStyle(const QString& baseStyle);

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;
};

// Puts the style on the application; every window made afterwards shows the focus.
void installFocusFrameStyle();
