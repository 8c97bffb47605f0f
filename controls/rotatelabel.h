// A label that writes its caption at any angle, plain or with a raised or recessed
// three-dimensional edge. The curve page uses one for the title of the graphs'
// vertical axis, running from bottom to top.
#pragma once

#include <QLabel>

// Where a caption written at an angle starts and how much room it takes. The offset
// is that of the text origin (the top-left corner of the first character's cell)
// from the top-left corner of the drawing rectangle.
struct RotatedTextBox {
    int dx = 0;
    int dy = 0;
    int width = 0;
    int height = 0;
};

// The box of a caption textWidth x textHeight pixels turned counter-clockwise by
// `escapement` degrees (0..360). Every distance is cut toward zero to whole pixels.
RotatedTextBox rotatedTextBox(int textWidth, int textHeight, int escapement);

class TRotateLabel : public QLabel {
    Q_OBJECT
    Q_PROPERTY(int Escapement READ escapement WRITE setEscapement)
    Q_PROPERTY(TTextStyle TextStyle READ textStyle WRITE setTextStyle)
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(bool ShowAccelChar READ showAccelChar WRITE setShowAccelChar)

  public:
    // tsRaised: light edge above-left, dark edge below-right; tsRecessed the reverse.
    enum TTextStyle { tsNone, tsRaised, tsRecessed };
    Q_ENUM(TTextStyle)

    explicit TRotateLabel(QWidget* parent = nullptr);

    // Degrees counter-clockwise from the horizontal, kept in 0..360: a negative angle
    // is brought up by whole turns (-30 becomes 330, -360 becomes 0), one above 360
    // down (725 becomes 5); 360 itself stays.
    int escapement() const { return escapement_; }
    void setEscapement(int degrees);

    TTextStyle textStyle() const { return textStyle_; }
    void setTextStyle(TTextStyle style);

    // On: the label takes the size of its caption (of the turned caption when the
    // escapement is not 0) whenever the caption, font or angle changes. Off by default,
    // so that a label placed by a layout keeps the size the layout gives it.
    bool autoSize() const { return autoSize_; }
    void setAutoSize(bool on);

    // Off (the default): the label fills its rectangle with its background colour
    // before writing. On: whatever lies behind shows through.
    bool transparent() const { return transparent_; }
    void setTransparent(bool on);

    // On (the default): an "&" in the caption of an unturned label underlines the next
    // character and "&&" writes one "&". Off: every "&" is written as it is. A turned
    // caption is always written character for character.
    bool showAccelChar() const { return showAccelChar_; }
    void setShowAccelChar(bool on);

    // QLabel::setText, plus the new size when AutoSize is on.
    void setText(const QString& text);
    void setWordWrap(bool on);

    // The size AutoSize gives the label.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    int textFlags() const;
    QSize captionSize() const;
    void applyAutoSize();
    void drawCaption(QPainter& painter, const QRect& rect, const QColor& colour) const;

    int escapement_ = 45;
    TTextStyle textStyle_ = tsRaised;
    bool autoSize_ = false;
    bool transparent_ = false;
    bool showAccelChar_ = true;
};

using TTextStyle = TRotateLabel::TTextStyle;
using enum TRotateLabel::TTextStyle;
