// A push button that paints itself, so that its face, highlight and shadow colours
// can be chosen freely. Clicking, the default button, keyboard focus and the rest
// stay the ordinary push button's; only the drawing is its own. A fast second click
// counts as a click, as it does for every push button here.
//
// No page places one: it is one of the program's own controls, beside the rotated
// label, kept complete and tested so that a page that wants a button in its own
// colours takes this one rather than making another.
#pragma once

#include <QColor>
#include <QPushButton>

class TColorButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(QColor ColorFace READ colorFace WRITE setColorFace)
    Q_PROPERTY(QColor ColorLo READ colorLo WRITE setColorLo)
    Q_PROPERTY(QColor ColorHi READ colorHi WRITE setColorHi)

  public:
    // What one drawing shows: pressed, disabled, with the focus.
    struct DrawState {
        bool selected = false;
        bool disabled = false;
        bool focused = false;
    };

    explicit TColorButton(QWidget* parent = nullptr);
    explicit TColorButton(const QString& text, QWidget* parent = nullptr);

    // The face fill. Default: the desktop's button colour.
    QColor colorFace() const { return colorFace_; }
    void setColorFace(const QColor& colour);
    // The top and left edge, and the light copy of a disabled caption. Default: the
    // desktop's button highlight.
    QColor colorHi() const { return colorHi_; }
    void setColorHi(const QColor& colour);
    // The inner shadow, the outline of a pressed button and a disabled caption.
    // Default: the desktop's button shadow.
    QColor colorLo() const { return colorLo_; }
    void setColorLo(const QColor& colour);

    // The state the button would be drawn in now.
    DrawState drawState() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    virtual void DrawFace(QPainter& painter, DrawState state);
    virtual void DrawCaption(QPainter& painter, DrawState state);

  private:
    void setColour(QColor& member, const QColor& colour);
    QColor windowFrameColour() const;

    QColor colorFace_;
    QColor colorHi_;
    QColor colorLo_;
};
