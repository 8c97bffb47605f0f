// A drop-down list of fixed choices that changes only on purpose: the mouse wheel
// turns it only while it has the focus, so scrolling past an unfocused list never
// changes the choice a clinician made.
#pragma once

#include <QComboBox>

class ChoiceCombo : public QComboBox {
    Q_OBJECT
  public:
    explicit ChoiceCombo(QWidget* parent = nullptr);

    // The colour of the list's face (its text stays black).
    void setFaceColour(const QColor& colour);

  protected:
    void wheelEvent(QWheelEvent* event) override;
};
