// One ear's loudness grid: 8 loudness categories across, 6 frequencies down, edited
// in place. The grid only holds the texts; its page decides which cells may become
// current, which keys reach the cell editor, and how every cell is painted.
#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QTableWidget>

#include <functional>

class LoudnessGrid : public QTableWidget {
    Q_OBJECT
  public:
    static constexpr int kColumns = 8;
    static constexpr int kRows = 6;
    static constexpr int kColumnWidth = 38;
    static constexpr int kRowHeight = 20;

    LoudnessGrid(const QString& objectName, QWidget* parent);

    // Set by the page. Cells are addressed as (column, row).
    std::function<bool(int column, int row)> selectCell;
    std::function<void(QPainter& painter, int column, int row, const QRect& rect)> drawCell;
    // Sees every key typed into the cell editor first; true discards the key.
    std::function<bool(QKeyEvent* event)> keyPress;
    // Told of every change the user makes to a cell's text, pasting included.
    std::function<void()> textEdited;

    QString cellText(int column, int row) const;
    void setCellText(int column, int row, const QString& text);

    // Writes what the open cell editor holds into its cell.
    void commitEditor();
    QLineEdit* cellEditor() const { return editor_; }

    // Moves the focus to the next (or previous) control of the window, out of the grid.
    void leaveByTab(bool forward);

  protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void focusInEvent(QFocusEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    void keyboardSearch(const QString&) override {}

  private:
    friend class LoudnessCellDelegate;
    QPointer<QLineEdit> editor_;
};
