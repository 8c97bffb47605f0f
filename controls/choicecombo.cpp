#include "controls/choicecombo.h"

#include <QWheelEvent>

ChoiceCombo::ChoiceCombo(QWidget* parent) : QComboBox(parent) {
    // Tab and click give the focus; the wheel does not.
    setFocusPolicy(Qt::StrongFocus);
}

void ChoiceCombo::setFaceColour(const QColor& colour) {
    QPalette palette = this->palette();
    for (const QPalette::ColorRole role : {QPalette::Button, QPalette::Base, QPalette::Window})
        palette.setColor(role, colour);
    for (const QPalette::ColorRole role : {QPalette::ButtonText, QPalette::Text})
        palette.setColor(role, Qt::black);
    setPalette(palette);
}

// Without the focus the wheel goes on to the page behind the list.
void ChoiceCombo::wheelEvent(QWheelEvent* event) {
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}
