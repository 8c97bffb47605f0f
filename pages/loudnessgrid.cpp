#include "pages/loudnessgrid.h"

#include <QRegularExpressionValidator>

#include "pages/loudnesstext.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>

// Lets a cell become current only where the page allows it, whether the move comes
// from a key, the mouse or the program.
class GatedSelectionModel : public QItemSelectionModel {
  public:
    GatedSelectionModel(QAbstractItemModel* model, LoudnessGrid* grid)
        : QItemSelectionModel(model, grid), grid_(grid) {}

    void setCurrentIndex(const QModelIndex& index,
                         QItemSelectionModel::SelectionFlags command) override {
        if (index.isValid() && grid_->selectCell && !grid_->selectCell(index.column(), index.row()))
            return;
        QItemSelectionModel::setCurrentIndex(index, command);
    }

  private:
    LoudnessGrid* grid_;
};

// Paints through the page, and gives the page's key filter the first look at every
// key typed into the cell editor.
class LoudnessCellDelegate : public QStyledItemDelegate {
  public:
    explicit LoudnessCellDelegate(LoudnessGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        editor->setMaxLength(kCellTextLimit);
        // Pasting by menu or dropping text would bypass the key filter.
        editor->setContextMenuPolicy(Qt::NoContextMenu);
        editor->setAcceptDrops(false);
        editor->setAttribute(Qt::WA_InputMethodEnabled, false);
        // Shift+Insert and the middle mouse button paste without a key the filter sees:
        // only digits and minus signs may come in that way, and they count as a change.
        editor->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9-]*")), editor));
        QObject::connect(editor, &QLineEdit::textEdited, grid_, [grid = grid_] {
            if (grid->textEdited)
                grid->textEdited();
        });
        grid_->editor_ = editor;
        return editor;
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        if (grid_->drawCell)
            grid_->drawCell(*painter, index.column(), index.row(), option.rect);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            // A key taken here is accepted too: an ignored key would travel on to the
            // grid, which hands typed characters back to the editor.
            if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
                grid_->commitEditor();
                grid_->leaveByTab(key->key() == Qt::Key_Tab);
                key->accept();
                return true;
            }
            if (grid_->keyPress && grid_->keyPress(key)) {
                key->accept();
                return true;
            }
            if (moveAcrossEdge(static_cast<QLineEdit*>(watched), key)) {
                key->accept();
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(watched, event);
    }

  private:
    // Left at the start of the text, or right at its end, moves to the neighbouring
    // cell (where the page allows it); inside the text the arrows move the cursor.
    bool moveAcrossEdge(QLineEdit* editor, QKeyEvent* key) {
        if (key->modifiers() & Qt::ShiftModifier)
            return false;
        const bool all = editor->hasSelectedText() && editor->selectedText() == editor->text();
        const bool none = !editor->hasSelectedText();
        int step = 0;
        if (key->key() == Qt::Key_Left && (all || (none && editor->cursorPosition() == 0)))
            step = -1;
        if (key->key() == Qt::Key_Right &&
            (all || (none && editor->cursorPosition() == editor->text().size())))
            step = 1;
        if (step == 0)
            return false;
        const int column = grid_->currentColumn() + step;
        if (column >= 0 && column < LoudnessGrid::kColumns)
            grid_->setCurrentCell(grid_->currentRow(), column);
        return true;
    }

    LoudnessGrid* grid_;
};

LoudnessGrid::LoudnessGrid(const QString& objectName, QWidget* parent)
    : QTableWidget(kRows, kColumns, parent) {
    setObjectName(objectName);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    horizontalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setMinimumSectionSize(1);
    horizontalHeader()->setDefaultSectionSize(kColumnWidth);
    verticalHeader()->setDefaultSectionSize(kRowHeight);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setShowGrid(true);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTabKeyNavigation(false);
    setWordWrap(false);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(10);
    setFont(font);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    setPalette(palette);

    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column)
            setItem(row, column, new QTableWidgetItem());
    }
    setSelectionModel(new GatedSelectionModel(model(), this));
    setItemDelegate(new LoudnessCellDelegate(this));
    const int frame = 2 * frameWidth();
    setFixedSize(kColumns * kColumnWidth + frame, kRows * kRowHeight + frame);
}

QString LoudnessGrid::cellText(int column, int row) const {
    return item(row, column)->text();
}

void LoudnessGrid::setCellText(int column, int row, const QString& text) {
    item(row, column)->setText(text);
    // An open editor on that cell shows the new text too.
    if (editor_ && currentRow() == row && currentColumn() == column)
        editor_->setText(text);
}

void LoudnessGrid::commitEditor() {
    if (editor_)
        commitData(editor_);
}

void LoudnessGrid::leaveByTab(bool forward) {
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

// The current cell always carries the editor while the grid has the focus.
void LoudnessGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    const bool focused = hasFocus() || (editor_ && editor_->hasFocus());
    QTableWidget::currentChanged(current, previous);
    if (focused && current.isValid() && state() != QAbstractItemView::EditingState)
        edit(current);
}

void LoudnessGrid::focusInEvent(QFocusEvent* event) {
    QTableWidget::focusInEvent(event);
    if (currentIndex().isValid() && state() != QAbstractItemView::EditingState)
        edit(currentIndex());
}

void LoudnessGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    if (editor == editor_)
        editor_ = nullptr;
    QTableWidget::closeEditor(editor, hint);
}
