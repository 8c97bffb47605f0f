// A checkable button of an exclusive group of choices (Monaural or Binaural, the
// level source of an ear, dB HL or dB SPL) that Tab reaches whether or not it is the
// one chosen. A button group on its own keeps only the chosen button in the Tab
// chain, which leaves the other choices to the arrow keys, and those choose as they
// move. Here Tab reaches every choice and Space chooses the one that has the focus.
#pragma once

#include <QAbstractButton>
#include <QButtonGroup>
#include <QFocusEvent>

template <typename Button> class ChoiceButton : public Button {
  public:
    using Button::Button;

  protected:
    // The group takes the other buttons out of the Tab chain as one gets the focus;
    // they are put back at once.
    void focusInEvent(QFocusEvent* event) override {
        Button::focusInEvent(event);
        if (const QButtonGroup* group = this->group()) {
            for (QAbstractButton* button : group->buttons())
                button->setFocusPolicy(Qt::FocusPolicy(button->focusPolicy() | Qt::TabFocus));
        }
    }
};
