// The data-entry grid the pages share, on a page of its own: cells addressed as
// (column, row), moves and clicks only to cells the page allows, the cell editor's
// keys and characters, and the selection kept when the editor is committed.
#include "controls/datagrid.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// Four columns of different widths from three rows: column 0 carries the labels,
// column 2 and the cell (3, 2) may never become current; cells take digits, and
// column 3 an "x" too.
class DataGridTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window.resize(400, 200);
        before->move(0, 0);
        grid->move(0, 30);
        after->move(0, 150);
        grid->selectCell = [](int column, int row) {
            return column != 0 && column != 2 && !(column == 3 && row == 2);
        };
        grid->acceptsChar = [](int column, int, QChar ch) {
            return ch.isDigit() || (column == 3 && ch == 'x');
        };
        grid->keyPress = [this](QKeyEvent* key) { return key->key() == discardedKey; };
        grid->textEdited = [this] { ++edits; };
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Puts the editor on a cell with the text given.
    void open(int column, int row, const QString& text) {
        grid->setCellText(column, row, text);
        grid->setFocus();
        grid->setCurrentCell(row, column);
        QCoreApplication::processEvents();
        ASSERT_NE(grid->cellEditor(), nullptr);
    }

    QPoint cellCentre(int column, int row) const {
        return grid->visualRect(grid->model()->index(row, column)).center();
    }

    std::pair<int, int> current() const { return {grid->currentColumn(), grid->currentRow()}; }

    static constexpr DataGridLayout kLayout{4, 3, 50, 70, 18, 6};
    QWidget window;
    QLineEdit* before = new QLineEdit(&window);
    DataGrid* grid = new DataGrid("TestDataGrid", kLayout, &window);
    QLineEdit* after = new QLineEdit(&window);
    int discardedKey = Qt::Key_5;
    int edits = 0;
};

TEST_F(DataGridTest, CellsAreAddressedAsColumnThenRowInTheirLayout) {
    EXPECT_EQ(grid->objectName(), "TestDataGrid");
    const int frame = 2 * grid->frameWidth();
    EXPECT_EQ(grid->size(), QSize(70 + 3 * 50 + frame, 3 * 18 + frame));
    EXPECT_EQ(grid->columnWidth(0), 70);
    EXPECT_EQ(grid->columnWidth(3), 50);
    grid->setCellText(3, 1, "47");
    EXPECT_EQ(grid->item(1, 3)->text(), "47");
    EXPECT_EQ(grid->cellText(3, 1), "47");

    open(3, 1, "47");
    EXPECT_EQ(grid->cellEditor()->maxLength(), 6);
    grid->setCellName(3, 1, "Right Ear, 1 KHz");
    EXPECT_EQ(grid->cellEditor()->accessibleName(), "Right Ear, 1 KHz");
    grid->setCellText(3, 1, "52");
    EXPECT_EQ(grid->cellEditor()->text(), "52") << "the open editor shows the new text";
    EXPECT_EQ(grid->cellEditor()->selectedText(), "52") << "whole, for the next key to replace";
    // Edited in place, the clinician's cursor is not swapped for a selection.
    QTest::keyClick(grid->cellEditor(), Qt::Key_F2);
    grid->setCellText(3, 1, "618");
    EXPECT_EQ(grid->cellEditor()->text(), "618");
    EXPECT_EQ(grid->cellEditor()->selectedText(), "");
}

TEST_F(DataGridTest, OnlyCellsThePageAllowsBecomeCurrentByProgramOrClick) {
    open(1, 1, "12");
    grid->setCurrentCell(1, 2);
    EXPECT_EQ(current(), std::make_pair(1, 1));
    for (const auto& [column, row] : {std::pair{0, 0}, {2, 1}, {3, 2}}) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(column, row));
        EXPECT_EQ(current(), std::make_pair(1, 1)) << column << "," << row;
        ASSERT_NE(grid->cellEditor(), nullptr);
        EXPECT_EQ(grid->cellEditor()->text(), "12");
    }
    // Away from the grid, a refused click leaves the focus where it is.
    before->setFocus();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(2, 0));
    EXPECT_TRUE(before->hasFocus());
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(3, 0));
    EXPECT_EQ(current(), std::make_pair(3, 0));
    EXPECT_TRUE(grid->cellEditor() && grid->cellEditor()->hasFocus());
}

TEST_F(DataGridTest, TheEditorTakesOnlyTheCellsCharactersAndThePageSeesKeysFirst) {
    open(3, 0, "");
    QTest::keyClicks(grid->cellEditor(), "1a5x9");
    EXPECT_EQ(grid->cellEditor()->text(), "1x9") << "5 is the page's key, a is refused";
    EXPECT_EQ(edits, 3);
    open(1, 2, "");
    QTest::keyClicks(grid->cellEditor(), "8x7");
    EXPECT_EQ(grid->cellEditor()->text(), "87");
    grid->commitEditor();
    EXPECT_EQ(grid->cellText(1, 2), "87");
}

TEST_F(DataGridTest, ArrowsMoveToTheNearestAllowedCellExceptLeftAndRightInPlace) {
    const struct {
        const char* what;
        int column, row;
        const char* startEditing; // "F2", "click" or "double-click" edits in place
        Qt::Key key;
        int toColumn, toRow;
        int cursorAfter; // -1: not checked
    } cases[] = {
        {"right passes over column 2, cursor anywhere", 1, 1, "", Qt::Key_Right, 3, 1, -1},
        {"left passes over column 2", 3, 1, "", Qt::Key_Left, 1, 1, -1},
        {"left from the first allowed cell stays", 1, 1, "", Qt::Key_Left, 1, 1, -1},
        {"right from the last cell stays", 3, 0, "", Qt::Key_Right, 3, 0, -1},
        {"down to the row below", 1, 0, "", Qt::Key_Down, 1, 1, -1},
        {"down onto a refused cell stays", 3, 1, "", Qt::Key_Down, 3, 1, -1},
        {"up from the top row stays", 3, 0, "", Qt::Key_Up, 3, 0, -1},
        {"F2, then left moves the cursor", 3, 1, "F2", Qt::Key_Left, 3, 1, 2},
        {"F2, then right at the end stays", 1, 1, "F2", Qt::Key_Right, 1, 1, 3},
        {"double-click, then left moves the cursor", 1, 2, "double-click", Qt::Key_Left, 1, 2, -1},
        {"double-click beside a cell to the left: cursor moves", 3, 0, "double-click", Qt::Key_Left,
         3, 0, -1},
        {"click beside a cell to the right: cursor moves", 1, 0, "click", Qt::Key_Right, 1, 0, -1},
        {"F2, then down still moves", 1, 1, "F2", Qt::Key_Down, 1, 2, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        open(c.column, c.row, "123");
        if (std::string(c.startEditing) == "F2")
            QTest::keyClick(grid->cellEditor(), Qt::Key_F2);
        if (std::string(c.startEditing) == "double-click")
            QTest::mouseDClick(grid->cellEditor(), Qt::LeftButton);
        if (std::string(c.startEditing) == "click")
            QTest::mouseClick(grid->cellEditor(), Qt::LeftButton, {}, QPoint(3, 5));
        QTest::keyClick(grid->cellEditor(), c.key);
        EXPECT_EQ(current(), std::make_pair(c.toColumn, c.toRow));
        if (c.cursorAfter >= 0) {
            EXPECT_EQ(grid->cellEditor()->cursorPosition(), c.cursorAfter);
        }
    }
    // Down with nowhere to go ends editing in place: the text is selected whole, and
    // Left moves to the next cell again.
    open(3, 1, "123");
    QTest::keyClick(grid->cellEditor(), Qt::Key_F2);
    QTest::keyClick(grid->cellEditor(), Qt::Key_Down);
    EXPECT_EQ(grid->cellEditor()->selectedText(), "123");
    QTest::keyClick(grid->cellEditor(), Qt::Key_Left);
    EXPECT_EQ(current(), std::make_pair(1, 1));
    // Typing, then Left: the number is committed whole and the next cell is typed into.
    open(3, 0, "");
    QTest::keyClicks(grid->cellEditor(), "100");
    QTest::keyClick(grid->cellEditor(), Qt::Key_Left);
    QTest::keyClicks(grid->cellEditor(), "88");
    EXPECT_EQ(grid->cellText(3, 0), "100");
    EXPECT_EQ(grid->cellEditor()->text(), "88");
    EXPECT_EQ(current(), std::make_pair(1, 0));
}

TEST_F(DataGridTest, EnterCommitsAndMovesDownToTheNextCellThatTakesAValue) {
    int enters = 0;
    grid->enterPressed = [&] {
        ++enters;
        EXPECT_EQ(grid->cellText(grid->currentColumn(), grid->currentRow()),
                  grid->cellEditor()->text())
            << "the cell is committed first";
    };
    open(1, 0, "");
    QTest::keyClicks(grid->cellEditor(), "20");
    QTest::keyClick(grid->cellEditor(), Qt::Key_Return);
    QTest::keyClicks(grid->cellEditor(), "60");
    QTest::keyClick(grid->cellEditor(), Qt::Key_Enter);
    EXPECT_EQ(grid->cellText(1, 0), "20");
    EXPECT_EQ(grid->cellText(1, 1), "60");
    EXPECT_EQ(current(), std::make_pair(1, 2));
    // Cell (3, 2) may not become current: Enter above it stays, committed.
    open(3, 1, "");
    QTest::keyClicks(grid->cellEditor(), "7");
    QTest::keyClick(grid->cellEditor(), Qt::Key_Return);
    EXPECT_EQ(current(), std::make_pair(3, 1));
    EXPECT_EQ(grid->cellText(3, 1), "7");
    EXPECT_EQ(enters, 3);
    // With nowhere to go, the next digits start a new number, after Enter or an arrow.
    QTest::keyClicks(grid->cellEditor(), "8");
    EXPECT_EQ(grid->cellEditor()->text(), "8");
    QTest::keyClick(grid->cellEditor(), Qt::Key_Right);
    QTest::keyClicks(grid->cellEditor(), "9");
    EXPECT_EQ(grid->cellEditor()->text(), "9");
    EXPECT_EQ(grid->cellText(3, 1), "8");
}

// The page refuses "999" in an edited cell: every way out keeps the clinician there
// with the text as typed; a text the program put there may be left.
TEST_F(DataGridTest, ThePageMayKeepTheClinicianInACellTheyChanged) {
    std::vector<std::pair<int, int>> asked;
    grid->cellLeaving = [&](int column, int row) {
        asked.emplace_back(column, row);
        return grid->cellText(column, row) != "999";
    };
    const struct {
        const char* what;
        std::function<void()> leave;
    } ways[] = {
        {"Enter", [&] { QTest::keyClick(grid->cellEditor(), Qt::Key_Return); }},
        {"Left", [&] { QTest::keyClick(grid->cellEditor(), Qt::Key_Left); }},
        {"Tab", [&] { QTest::keyClick(grid->cellEditor(), Qt::Key_Tab); }},
        {"a click on another cell",
         [&] { QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(1, 0)); }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.what);
        asked.clear();
        open(3, 1, "");
        QTest::keyClicks(grid->cellEditor(), "999");
        way.leave();
        EXPECT_EQ(current(), std::make_pair(3, 1));
        ASSERT_NE(grid->cellEditor(), nullptr);
        EXPECT_TRUE(grid->cellEditor()->hasFocus());
        EXPECT_EQ(grid->cellEditor()->text(), "999");
        EXPECT_FALSE(grid->cellEditor()->hasSelectedText());
        EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{3, 1}}));
    }
    QTest::keyClick(grid->cellEditor(), Qt::Key_Backspace);
    QTest::keyClick(grid->cellEditor(), Qt::Key_Return);
    EXPECT_EQ(grid->cellText(3, 1), "99");
    EXPECT_EQ(current(), std::make_pair(3, 1)) << "(3, 2) is refused: Enter stays";
    open(1, 1, "999");
    asked.clear();
    QTest::keyClick(grid->cellEditor(), Qt::Key_Down);
    EXPECT_EQ(current(), std::make_pair(1, 2));
    EXPECT_TRUE(asked.empty()) << "a text the program put there is not asked about";
}

TEST_F(DataGridTest, AfterARefusedClickTypingIsDroppedUntilTheClinicianMoves) {
    std::vector<std::pair<int, int>> noted;
    grid->refusedCellNote = [&](int column, int row) {
        noted.emplace_back(column, row);
        return QStringLiteral("not here");
    };
    open(1, 1, "12");
    grid->cellEditor()->selectAll();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(2, 2));
    EXPECT_EQ(noted, (std::vector<std::pair<int, int>>{{2, 2}}));
    EXPECT_FALSE(grid->cellEditor()->hasSelectedText());
    QTest::keyClicks(grid->cellEditor(), "57");
    QTest::keyClick(grid->cellEditor(), Qt::Key_Backspace);
    EXPECT_EQ(grid->cellEditor()->text(), "12");
    QTest::keyClick(grid->cellEditor(), Qt::Key_Right);
    QTest::keyClicks(grid->cellEditor(), "68");
    EXPECT_EQ(current(), std::make_pair(3, 1));
    EXPECT_EQ(grid->cellEditor()->text(), "68");
    EXPECT_EQ(grid->cellText(1, 1), "12");
    // A click into the open cell's text ends the hold: the digit goes in before "68".
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cellCentre(2, 0));
    QTest::mouseClick(grid->cellEditor(), Qt::LeftButton, {}, QPoint(1, 5));
    QTest::keyClicks(grid->cellEditor(), "4");
    EXPECT_EQ(grid->cellEditor()->text(), "468");
}

TEST_F(DataGridTest, CommittingKeepsTheCursorAndASelectionFromTheFirstCharacter) {
    const struct {
        int selectionStart, selectionLength, cursor;
    } cases[] = {{0, 3, 3}, {2, 2, 4}, {-1, 0, 0}, {-1, 0, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.selectionStart << "+" << c.selectionLength);
        open(1, 0, "");
        grid->cellEditor()->setText("12345");
        if (c.selectionStart >= 0)
            grid->cellEditor()->setSelection(c.selectionStart, c.selectionLength);
        else
            grid->cellEditor()->setCursorPosition(c.cursor);
        grid->commitEditor();
        EXPECT_EQ(grid->cellText(1, 0), "12345");
        EXPECT_EQ(grid->cellEditor()->selectionStart(), c.selectionStart);
        EXPECT_EQ(grid->cellEditor()->selectionLength(), c.selectionLength);
        EXPECT_EQ(grid->cellEditor()->cursorPosition(), c.cursor);
    }
}

TEST_F(DataGridTest, TabCommitsAndLeavesTheGridEitherWay) {
    open(3, 1, "");
    QTest::keyClicks(grid->cellEditor(), "64");
    QTest::keyClick(grid->cellEditor(), Qt::Key_Tab);
    EXPECT_TRUE(after->hasFocus());
    EXPECT_EQ(grid->cellText(3, 1), "64");
    open(1, 2, "");
    QTest::keyClicks(grid->cellEditor(), "3");
    QTest::keyClick(grid->cellEditor(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(before->hasFocus());
    EXPECT_EQ(grid->cellText(1, 2), "3");
}

} // namespace
