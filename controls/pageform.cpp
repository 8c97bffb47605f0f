#include "controls/pageform.h"

#include "platform/fontnames.h"
#include "platform/qtcolour.h"

#include <QHideEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

PageForm::PageForm(QWidget* parent, const QString& objectName, QColor background)
    : QWidget(parent) {
    setObjectName(objectName);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, background);
    setPalette(palette);
    setAutoFillBackground(true);
    setFont(pageFont(11));
    // Pages start hidden; the main window shows one at a time.
    setVisible(false);
}

// A page gives the focus to its first field as it is shown. One without fields takes
// it itself, so that no key typed on it reaches a control elsewhere in the window
// (Space on the tool bar's New button would start a new file).
void PageForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    FormShow();
    const QWidget* focus = window()->focusWidget();
    if (focus != this && !isAncestorOf(focus))
        focusFirstField();
}

void PageForm::focusFirstField() {
    if (QWidget* field = firstField())
        focusField(field);
    else
        setFocus();
}

void PageForm::focusField(QWidget* field) {
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->selectAll();
}

void PageForm::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        FormHide();
}

QLabel* placeLabel(QWidget* parent, const QString& text, int left, int top) {
    auto* label = new QLabel(text, parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

QFont pageFont(int pixelSize, bool bold) {
    QFont font(formFace());
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void setTextColour(QWidget* widget, QColor colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

QColor earColour(Ear ear) {
    return qColor(pageEarColour(ear));
}
