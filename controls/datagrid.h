// A data-entry grid of the pages: a fixed table of texts edited in place, with the
// cell editor always shown on the current cell while the grid has the focus. The
// grid only holds the texts; its page decides which cells may become current, which
// characters a cell accepts, which keys reach the editor, and how every cell is
// painted.
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QTableWidget>

#include <functional>

// Size and cell metrics of a grid. Widths and heights are the pixels a column or row
// takes, its grid line included.
struct DataGridLayout {
    int columns = 1;
    int rows = 1;
    int columnWidth = 64;
    int firstColumnWidth = 64; // column 0, which may carry row labels
    int rowHeight = 20;
    int textLimit = 19; // the longest text the cell editor takes
    Qt::Alignment editorAlignment = Qt::AlignLeft | Qt::AlignVCenter;
};

class DataGrid : public QTableWidget {
    Q_OBJECT
  public:
    DataGrid(const QString& objectName, const DataGridLayout& layout, QWidget* parent);

    const DataGridLayout& gridLayout() const { return layout_; }

    // Set by the page. Cells are addressed as (column, row).
    std::function<bool(int column, int row)> selectCell;
    // Whether a character may stand in a cell's text. It guards pasted text too,
    // which no key filter sees.
    std::function<bool(int column, int row, QChar ch)> acceptsChar;
    std::function<void(QPainter& painter, int column, int row, const QRect& rect)> drawCell;
    // Sees every key typed into the cell editor first; true discards the key.
    std::function<bool(QKeyEvent* event)> keyPress;
    // Told of every change the user makes to a cell's text, pasting included.
    std::function<void()> textEdited;
    // Asked before the clinician moves off a cell whose text they changed since they
    // moved onto it (by Enter, an arrow, Tab or a click): false keeps them in the
    // cell, its text as typed. The page says why in the status bar.
    std::function<bool(int column, int row)> cellLeaving;
    // Told of Enter after the cell is committed, before the move down.
    std::function<void()> enterPressed;
    // Why a cell may not be typed into, for the status bar after a click on it.
    std::function<QString(int column, int row)> refusedCellNote;

    QString cellText(int column, int row) const;
    void setCellText(int column, int row, const QString& text);
    // Names a cell ("Right Ear, 1 KHz, Comfortable"): a screen reader announces the
    // name of the cell editor, which takes it from its cell.
    void setCellName(int column, int row, const QString& name);

    // Writes what the open cell editor holds into its cell.
    void commitEditor();
    // Takes the clinician back to a cell to correct it, after a message or a refused
    // step: the cell is current with its editor open and has the focus, its text as
    // typed with the cursor at the end, nothing selected for the next key to
    // overwrite. The editor is opened now, not when the window is active again.
    void returnToCell(int column, int row);
    QLineEdit* cellEditor() const { return editor_; }
    // Whether the open editor holds typing that Ctrl+Z takes back: a text the clinician
    // typed that differs from the cell's.
    bool hasTypingToUndo() const;
    // Puts the cell's text back into the editor, whole and selected, as before typing.
    void undoTyping();

    // Moves the focus to the next (or previous) control of the window, out of the grid.
    void leaveByTab(bool forward);
    // Commits the editor and moves to the nearest cell in that direction that the page
    // lets become current, passing over those it does not; stays where none is. False
    // when the page keeps the clinician in the cell.
    bool moveBy(int columnStep, int rowStep);

    // How the open editor takes Left and Right: while typing (the editor as the cell
    // opened it) they commit and move to the next cell; after F2, a double-click or a
    // click into the text they move the cursor.
    bool editsInPlace() const { return inPlace_; }
    void editInPlace();

  protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void focusInEvent(QFocusEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyboardSearch(const QString&) override {}
    // The grid's border shows the focus while its cell editor has it.
    void initStyleOption(QStyleOptionFrame* option) const override;

  private:
    friend class DataGridDelegate;
    friend class GatedSelectionModel;
    // Whether the mouse is on a cell the page does not let become current.
    bool onRefusedCell(const QMouseEvent* event);
    void refuseClick(QMouseEvent* event);
    // Drops typing keys in the open editor until the clinician moves, repeating the
    // note; the editor's text stays and loses any selection.
    void holdBackTyping(const QString& note);
    bool holdsFocus() const;
    // Whether the page lets the clinician move off the current cell.
    bool mayLeaveCell();
    DataGridLayout layout_;
    QPointer<QLineEdit> editor_;
    bool inPlace_ = false;
    // The text of the current cell changed since the clinician moved onto it.
    bool cellEdited_ = false;
    // A click on a cell that may not be typed into swallows typing until the
    // clinician moves, so that no key lands in the cell that still has the editor.
    bool afterRefusedClick_ = false;
    QString refusedNote_;
};
