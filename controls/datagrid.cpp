#include "controls/datagrid.h"

#include "controls/statusnote.h"
#include "platform/fontnames.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QValidator>

// Takes a cell's text only when every character of it is one the cell accepts.
class CellCharValidator : public QValidator {
  public:
    CellCharValidator(DataGrid* grid, int column, int row, QObject* parent)
        : QValidator(parent), grid_(grid), column_(column), row_(row) {}

    State validate(QString& input, int&) const override {
        if (!grid_->acceptsChar)
            return Acceptable;
        for (const QChar ch : input) {
            if (!grid_->acceptsChar(column_, row_, ch))
                return Invalid;
        }
        return Acceptable;
    }

  private:
    DataGrid* grid_;
    int column_;
    int row_;
};

// Lets a cell become current only where the page allows it, whether the move comes
// from a key, the mouse or the program.
class GatedSelectionModel : public QItemSelectionModel {
  public:
    GatedSelectionModel(QAbstractItemModel* model, DataGrid* grid)
        : QItemSelectionModel(model, grid), grid_(grid) {}

    void setCurrentIndex(const QModelIndex& index,
                         QItemSelectionModel::SelectionFlags command) override {
        if (index.isValid() && grid_->selectCell && !grid_->selectCell(index.column(), index.row()))
            return;
        if (index != currentIndex() && !grid_->mayLeaveCell())
            return;
        QItemSelectionModel::setCurrentIndex(index, command);
    }

  private:
    DataGrid* grid_;
};

// Paints through the page, and gives the page's key filter the first look at every
// key typed into the cell editor.
class DataGridDelegate : public QStyledItemDelegate {
  public:
    explicit DataGridDelegate(DataGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        editor->setMaxLength(grid_->layout_.textLimit);
        editor->setAlignment(grid_->layout_.editorAlignment);
        // A cell the page has named lends the editor its name, which is what a screen
        // reader announces as the focus moves.
        editor->setAccessibleName(index.data(Qt::AccessibleTextRole).toString());
        // Pasting by menu or dropping text would bypass the key filter.
        editor->setContextMenuPolicy(Qt::NoContextMenu);
        editor->setAcceptDrops(false);
        editor->setAttribute(Qt::WA_InputMethodEnabled, false);
        // Shift+Insert and the middle mouse button paste without a key the filter sees:
        // only characters the cell accepts may come in that way, and they count as a
        // change.
        editor->setValidator(new CellCharValidator(grid_, index.column(), index.row(), editor));
        QObject::connect(editor, &QLineEdit::textEdited, grid_, [grid = grid_] {
            grid->cellEdited_ = true;
            if (grid->textEdited)
                grid->textEdited();
        });
        // A click into the text places the cursor there, and from then on the arrows
        // move it, as after F2.
        editor->installEventFilter(const_cast<DataGridDelegate*>(this));
        grid_->editor_ = editor;
        grid_->inPlace_ = false;
        return editor;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (grid_->drawCell)
            grid_->drawCell(*painter, index.column(), index.row(), option.rect);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // A menu, a dialog or a message box takes the focus only for a while: the
        // editor stays open on its cell, its text and cursor as they were, and the
        // focus comes back to it as to any other field.
        if (event->type() == QEvent::FocusOut &&
            isPassingFocusLoss(*static_cast<QFocusEvent*>(event)))
            return false;
        if (event->type() == QEvent::MouseButtonPress ||
            event->type() == QEvent::MouseButtonDblClick) {
            grid_->afterRefusedClick_ = false;
            grid_->inPlace_ = true;
        }
        if (event->type() == QEvent::KeyPress && editorKey(static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        return QStyledItemDelegate::eventFilter(watched, event);
    }

  private:
    static bool isPassingFocusLoss(const QFocusEvent& event) {
        return event.reason() == Qt::ActiveWindowFocusReason ||
               event.reason() == Qt::MenuBarFocusReason || event.reason() == Qt::PopupFocusReason;
    }

    // The keys the grid itself answers in the cell editor; true when one was taken. A
    // key taken is accepted too: an ignored key would travel on to the grid, which
    // hands typed characters back to the editor.
    bool editorKey(QKeyEvent* key) {
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            grid_->commitEditor();
            grid_->leaveByTab(key->key() == Qt::Key_Tab);
            return true;
        }
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            grid_->commitEditor();
            if (grid_->enterPressed)
                grid_->enterPressed();
            grid_->moveBy(0, 1);
            return true;
        }
        if (key->key() == Qt::Key_F2) {
            grid_->editInPlace();
            return true;
        }
        if (swallowedAfterRefusedClick(key))
            return true;
        if (grid_->keyPress && grid_->keyPress(key))
            return true;
        return moveKey(key);
    }

    // After a click on a cell that may not be typed into, keys that would type are
    // dropped, with the note again, until the clinician moves or clicks elsewhere.
    bool swallowedAfterRefusedClick(const QKeyEvent* key) {
        if (!grid_->afterRefusedClick_)
            return false;
        const bool types = (!key->text().isEmpty() && key->text().at(0).isPrint()) ||
                           key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete;
        if (!types) {
            grid_->afterRefusedClick_ = false;
            return false;
        }
        statusNote(grid_, grid_->refusedNote_);
        return true;
    }

    // Up and Down always move to the next cell that may be typed into. Left and
    // Right do too while the clinician types; in a cell edited in place they move
    // the cursor.
    bool moveKey(const QKeyEvent* key) {
        if (key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))
            return false;
        switch (key->key()) {
        case Qt::Key_Up:
            grid_->moveBy(0, -1);
            return true;
        case Qt::Key_Down:
            grid_->moveBy(0, 1);
            return true;
        case Qt::Key_Left:
        case Qt::Key_Right:
            if (grid_->inPlace_)
                return false;
            grid_->moveBy(key->key() == Qt::Key_Left ? -1 : 1, 0);
            return true;
        default:
            return false;
        }
    }

    DataGrid* grid_;
};

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
    QFont font(kFormFamily);
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
    setSelectionModel(new GatedSelectionModel(model(), this));
    setItemDelegate(new DataGridDelegate(this));
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

// The click changes nothing, and says why in the status bar. If the grid has the
// focus its editor keeps the text but loses any selection, and keys that would type
// are dropped until the clinician moves.
void DataGrid::refuseClick(QMouseEvent* event) {
    event->accept();
    const QModelIndex index = indexAt(event->position().toPoint());
    refusedNote_ = refusedCellNote ? refusedCellNote(index.column(), index.row()) : QString();
    if (!refusedNote_.isEmpty())
        statusNote(this, refusedNote_);
    if (!holdsFocus() || !editor_)
        return;
    afterRefusedClick_ = true;
    if (editor_->hasSelectedText())
        editor_->end(false);
}
