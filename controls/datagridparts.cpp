#include "controls/datagridparts.h"

#include "controls/datagrid.h"
#include "controls/statusnote.h"

#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
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
        // The grid's border shows whether the focus is in the grid.
        if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)
            grid_->update();
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
        // Ctrl+Z takes back what was typed into the cell; the main window's Edit menu
        // has the key when there is none (see app/editcommands.h).
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) {
            grid_->undoTyping();
            return true;
        }
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

QItemSelectionModel* makeGatedSelectionModel(DataGrid* grid) {
    return new GatedSelectionModel(grid->model(), grid);
}

QStyledItemDelegate* makeDataGridDelegate(DataGrid* grid) {
    return new DataGridDelegate(grid);
}
