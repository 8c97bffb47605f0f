#include "controls/choicecombo.h"

#include <QAccessibleWidget>
#include <QWheelEvent>

namespace {

// What a screen reader is told of a list: its own name ("Right Ear, Type") and the
// choice as its value. The toolkit's own description of a drop-down list names it by
// the choice shown on this desktop, so that two lists showing "ITE" sound alike.
class ChoiceComboAccessible : public QAccessibleWidget {
  public:
    explicit ChoiceComboAccessible(ChoiceCombo* combo)
        : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override {
        if (kind == QAccessible::Value)
            return combo()->currentText();
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override {
        if (action == showMenuAction())
            combo()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

  private:
    ChoiceCombo* combo() const { return static_cast<ChoiceCombo*>(widget()); }
};

QAccessibleInterface* choiceComboAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String(ChoiceCombo::staticMetaObject.className()))
        return new ChoiceComboAccessible(static_cast<ChoiceCombo*>(object));
    return nullptr;
}

} // namespace

ChoiceCombo::ChoiceCombo(QWidget* parent) : QComboBox(parent) {
    static const bool accessibleInstalled = [] {
        QAccessible::installFactory(choiceComboAccessible);
        return true;
    }();
    Q_UNUSED(accessibleInstalled);
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
