#include "controls/datagrid.h"

#include "controls/datagridparts.h"
#include "controls/statusnote.h"
#include "platform/fontnames.h"

#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFrame>
#include <QStyledItemDelegate>

DataGrid::DataGrid(const QString& objectName, const DataGridLayout& layout, QWidget* parent)
    : QTableWidget(layout.rows, layout.columns, parent), layout_(layout) {
    setObjectName(objectName);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setDefaultSectionSize(layout.columnWidth);
    verticalHeader()->setDefaultSectionSize(layout.rowHeight);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setShowGrid(true);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    QFont font(formFace());
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(10);
    setFont(font);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    setPalette(palette);

    horizontalHeader()->resizeSection(0, layout.firstColumnWidth);

    for (int row = 0; row < layout.rows; ++row) {
        for (int column = 0; column < layout.columns; ++column)
            setItem(row, column, new QTableWidgetItem());
    }
    // Tab reaches the grid; a click gives it the focus only on a cell it may select
    // (see mousePressEvent), so a refused click cannot move the focus either.
    setFocusPolicy(Qt::TabFocus);
    setSelectionModel(makeGatedSelectionModel(this));
    setItemDelegate(makeDataGridDelegate(this));
    const int frame = 2 * frameWidth();
    setFixedSize(layout.firstColumnWidth + (layout.columns - 1) * layout.columnWidth + frame,
                 layout.rows * layout.rowHeight + frame);
}

QString DataGrid::cellText(int column, int row) const {
    return item(row, column)->text();
}

void DataGrid::setCellText(int column, int row, const QString& text) {
    item(row, column)->setText(text);
    if (currentRow() != row || currentColumn() != column)
        return;
    // The text the program puts in is not the clinician's edit; an open editor on
    // that cell shows it, whole, for the next key to replace.
    cellEdited_ = false;
    afterRefusedClick_ = false;
    if (editor_) {
        editor_->setText(text);
        if (!inPlace_)
            editor_->selectAll();
    }
}

void DataGrid::setCellName(int column, int row, const QString& name) {
    item(row, column)->setData(Qt::AccessibleTextRole, name);
    if (editor_ && currentRow() == row && currentColumn() == column)
        editor_->setAccessibleName(name);
}

bool DataGrid::hasTypingToUndo() const {
    return editor_ && cellEdited_ && editor_->text() != cellText(currentColumn(), currentRow());
}

void DataGrid::undoTyping() {
    if (!hasTypingToUndo())
        return;
    editor_->setText(cellText(currentColumn(), currentRow()));
    editor_->selectAll();
    cellEdited_ = false;
    if (textEdited)
        textEdited();
}

// The editor reads its text back from the cell, which would put the cursor at the
// end: the clinician's cursor and selection are kept.
void DataGrid::commitEditor() {
    if (!editor_)
        return;
    const int cursor = editor_->cursorPosition();
    const int selectionStart = editor_->selectionStart();
    const int selectionLength = editor_->selectionLength();
    commitData(editor_);
    if (selectionStart >= 0)
        editor_->setSelection(selectionStart, selectionLength);
    else
        editor_->setCursorPosition(cursor);
}

void DataGrid::returnToCell(int column, int row) {
    setCurrentCell(row, column);
    setFocus();
    if (!editor_)
        edit(currentIndex());
    if (editor_)
        editor_->end(false);
}

void DataGrid::leaveByTab(bool forward) {
    if (!mayLeaveCell())
        return;
    QWidget* next = this;
    for (;;) {
        next = forward ? next->nextInFocusChain() : next->previousInFocusChain();
        if (next == this)
            return;
        const bool reachable = !isAncestorOf(next) && (next->focusPolicy() & Qt::TabFocus) &&
                               next->isVisibleTo(window()) && next->isEnabled();
        if (reachable)
            break;
    }
    next->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

bool DataGrid::moveBy(int columnStep, int rowStep) {
    commitEditor();
    if (!mayLeaveCell())
        return false;
    int column = currentColumn() + columnStep;
    int row = currentRow() + rowStep;
    for (; column >= 0 && column < columnCount() && row >= 0 && row < rowCount();
         column += columnStep, row += rowStep) {
        if (!selectCell || selectCell(column, row)) {
            setCurrentCell(row, column);
            return true;
        }
    }
    // Nowhere to go: the number stays committed and its text is selected, as in a
    // cell moved onto, so that the next digits start a new number rather than join it.
    if (editor_) {
        inPlace_ = false;
        editor_->selectAll();
    }
    return true;
}

// F2 keeps the text and puts the cursor at its end; the arrows then move it.
void DataGrid::editInPlace() {
    inPlace_ = true;
    afterRefusedClick_ = false;
    if (editor_)
        editor_->end(false);
}

bool DataGrid::mayLeaveCell() {
    if (!cellEdited_ || !cellLeaving || !currentIndex().isValid())
        return true;
    commitEditor();
    return cellLeaving(currentColumn(), currentRow());
}

// Whether the window's focus is in the grid, also while a menu or another window
// has it for a while.
bool DataGrid::holdsFocus() const {
    const QWidget* focus = window()->focusWidget();
    return focus == this || isAncestorOf(focus);
}

// The current cell always carries the editor while the grid has the focus.
void DataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    const bool focused = holdsFocus();
    cellEdited_ = false;
    afterRefusedClick_ = false;
    QTableWidget::currentChanged(current, previous);
    if (focused && current.isValid() && state() != QAbstractItemView::EditingState)
        edit(current);
}

// The focus always goes on to the editor of the current cell. An editor still open
// from before (a menu or another window had the focus) takes it back as it was.
void DataGrid::focusInEvent(QFocusEvent* event) {
    QTableWidget::focusInEvent(event);
    if (editor_) {
        editor_->setFocus(event->reason());
        return;
    }
    if (currentIndex().isValid() && state() != QAbstractItemView::EditingState)
        edit(currentIndex());
}

// The cell editor has the focus, and the grid shows it around its cells as a field
// does around its text; the editor frames the current cell.
void DataGrid::initStyleOption(QStyleOptionFrame* option) const {
    QTableWidget::initStyleOption(option);
    if (QApplication::focusWidget() && isAncestorOf(QApplication::focusWidget()))
        option->state |= QStyle::State_HasFocus;
}

void DataGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    if (editor == editor_)
        editor_ = nullptr;
    QTableWidget::closeEditor(editor, hint);
}

bool DataGrid::onRefusedCell(const QMouseEvent* event) {
    const QModelIndex index = indexAt(event->position().toPoint());
    return index.isValid() && selectCell && !selectCell(index.column(), index.row());
}

// A click on a cell that may not become current changes nothing: the focus, the
// current cell and its text stay as they were, and no text is left selected for the
// next key to overwrite. Any other click takes the focus into the grid, as a click
// on a field does.
void DataGrid::mousePressEvent(QMouseEvent* event) {
    if (onRefusedCell(event)) {
        refuseClick(event);
        return;
    }
    // A cell the page will not let the clinician leave keeps the editor, as typed.
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && index != currentIndex() && !mayLeaveCell()) {
        event->accept();
        return;
    }
    afterRefusedClick_ = false;
    setFocus(Qt::MouseFocusReason);
    QTableWidget::mousePressEvent(event);
}

// A double-click on a cell that has no editor yet opens it for editing in place,
// with the cursor at the text's end. On an open editor the editor sees the click.
void DataGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (onRefusedCell(event)) {
        refuseClick(event);
        return;
    }
    afterRefusedClick_ = false;
    setFocus(Qt::MouseFocusReason);
    QTableWidget::mouseDoubleClickEvent(event);
    if (indexAt(event->position().toPoint()) == currentIndex())
        editInPlace();
}

// The click changes nothing, and says why in the status bar. The grid that has the
// focus keeps its editor's text but drops any selection, and keys that would type
// are dropped until the clinician moves.
void DataGrid::refuseClick(QMouseEvent* event) {
    event->accept();
    const QModelIndex index = indexAt(event->position().toPoint());
    refusedNote_ = refusedCellNote ? refusedCellNote(index.column(), index.row()) : QString();
    if (!refusedNote_.isEmpty())
        statusNote(this, refusedNote_);
    // The keys that follow would go to whichever grid has the focus, this one or
    // another on the page: that grid holds them back.
    for (QWidget* w = window()->focusWidget(); w; w = w->parentWidget()) {
        if (auto* holder = qobject_cast<DataGrid*>(w)) {
            holder->holdBackTyping(refusedNote_);
            return;
        }
    }
}

void DataGrid::holdBackTyping(const QString& note) {
    if (!editor_)
        return;
    refusedNote_ = note;
    afterRefusedClick_ = true;
    if (editor_->hasSelectedText())
        editor_->end(false);
}
