#include "controls/pageform.h"

#include "controls/datagrid.h"
#include "model/document.h"
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

// What the page stores as it hides and no field of it has made a step of already is
// one step of its own, so that Undo never loses it.
void PageForm::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    if (event->spontaneous())
        return;
    FormHide();
    commitChange("changes on this page", placeOf(nullptr));
}

ChangePlace PageForm::placeOf(const QWidget* field, int column, int row) const {
    return {objectName().toStdString(), field ? field->objectName().toStdString() : std::string(),
            column, row};
}

void PageForm::showChange(const ChangePlace& place) {
    auto* field = findChild<QWidget*>(QString::fromStdString(place.field));
    if (!field) {
        focusFirstField();
        return;
    }
    if (auto* grid = qobject_cast<DataGrid*>(field); grid && place.row >= 0) {
        grid->setFocus();
        grid->setCurrentCell(place.row, place.column);
        return;
    }
    focusField(field);
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
