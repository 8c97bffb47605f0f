#include "pages/loudnesscells.h"

#include "controls/datagrid.h"
#include "pages/loudnesstext.h"

#include <QLineEdit>

void LoudnessCells::load(const LoudnessLevels& loudness, bool showInHL, int32_t levelSource) {
    showInHL_ = showInHL;
    levelSource_ = levelSource;
    for (int r = 0; r < kFrequencyCount; ++r) {
        for (int c = 0; c < kCategoryCount; ++c) {
            loaded_[r][c] = loudness[r][c];
            shown_[r][c] = QString::fromStdString(cellTextFromStored(loudness[r][c], r, showInHL));
            committed_[r][c] = shown_[r][c];
            grid_->setCellText(c, r, shown_[r][c]);
        }
    }
    refreshMarks();
}

void LoudnessCells::showStored(const LoudnessLevels& loudness) {
    for (int r = 0; r < kFrequencyCount; ++r) {
        for (int c = 0; c < kCategoryCount; ++c) {
            if (refusedAt(c, r))
                continue;
            loaded_[r][c] = loudness[r][c];
            shown_[r][c] = QString::fromStdString(cellTextFromStored(loudness[r][c], r, showInHL_));
            committed_[r][c] = shown_[r][c];
            if (textAt(c, r) != shown_[r][c])
                grid_->setCellText(c, r, shown_[r][c]);
        }
    }
    refreshMarks();
}

bool LoudnessCells::takeCommit(int column, int row) {
    const QString text = grid_->cellText(column, row);
    if (text == committed_[row][column])
        return false;
    committed_[row][column] = text;
    return true;
}

void LoudnessCells::store(LoudnessLevels& loudness) const {
    grid_->commitEditor();
    for (int r = 0; r < kFrequencyCount; ++r) {
        for (int c = 0; c < kCategoryCount; ++c) {
            if (!isChanged(c, r)) {
                loudness[r][c] = loaded_[r][c];
                continue;
            }
            const std::string text = textAt(c, r).toStdString();
            const TypedLevelCheck typed = checkTypedLevel(text, r, showInHL_);
            const bool storable =
                typed.kind == TypedLevel::Empty || typed.kind == TypedLevel::Level;
            loudness[r][c] = storable ? typed.stored : loaded_[r][c];
        }
    }
}

std::optional<RefusedLevel> LoudnessCells::refusedAt(int column, int row) const {
    if (!isChanged(column, row))
        return std::nullopt;
    const std::string text = textAt(column, row).toStdString();
    const TypedLevel kind = checkTypedLevel(text, row, showInHL_).kind;
    if (kind == TypedLevel::Empty || kind == TypedLevel::Level)
        return std::nullopt;
    const std::string note = refusedLevelNote({ear_, row, column}, text, kind, showInHL_);
    return RefusedLevel{column, row, QString::fromStdString(note)};
}

std::optional<RefusedLevel> LoudnessCells::firstRefused() const {
    if (grid_->currentIndex().isValid()) {
        if (auto refused = refusedAt(grid_->currentColumn(), grid_->currentRow()))
            return refused;
    }
    for (int r = 0; r < kFrequencyCount; ++r) {
        for (int c = 0; c < kCategoryCount; ++c) {
            if (auto refused = refusedAt(c, r))
                return refused;
        }
    }
    return std::nullopt;
}

void LoudnessCells::putBack(int column, int row) {
    committed_[row][column] = shown_[row][column];
    grid_->setCellText(column, row, shown_[row][column]);
    refreshMarks();
}

void LoudnessCells::refreshMarks() {
    LoudnessLevels levels;
    for (int r = 0; r < kFrequencyCount; ++r) {
        for (int c = 0; c < kCategoryCount; ++c)
            levels[r][c] = levelAt(c, r);
    }
    marks_ = markLoudness(levels, showInHL_);
    for (int r = 0; r < kFrequencyCount; ++r) {
        for (int c = 0; c < kCategoryCount; ++c)
            levels[r][c] = committedLevelAt(c, r);
    }
    markOutOfDate(marks_, levels, showInHL_, levelSource_);
    for (int r = 0; r < kFrequencyCount; ++r) {
        for (int c = 0; c < kCategoryCount; ++c)
            setReason(c, r, QString::fromStdString(marks_[r][c].reason));
    }
    grid_->viewport()->update();
}

QString LoudnessCells::textAt(int column, int row) const {
    const QLineEdit* editor = grid_->cellEditor();
    if (editor && grid_->currentColumn() == column && grid_->currentRow() == row)
        return editor->text();
    return grid_->cellText(column, row);
}

bool LoudnessCells::isChanged(int column, int row) const {
    return textAt(column, row) != shown_[row][column];
}

int32_t LoudnessCells::levelAt(int column, int row) const {
    if (!isChanged(column, row))
        return loaded_[row][column];
    return checkTypedLevel(textAt(column, row).toStdString(), row, showInHL_).stored;
}

// A committed text that cannot be stored leaves the record's level, as store() does.
int32_t LoudnessCells::committedLevelAt(int column, int row) const {
    const QString text = grid_->cellText(column, row);
    if (text == shown_[row][column])
        return loaded_[row][column];
    const TypedLevelCheck typed = checkTypedLevel(text.toStdString(), row, showInHL_);
    const bool storable = typed.kind == TypedLevel::Empty || typed.kind == TypedLevel::Level;
    return storable ? typed.stored : loaded_[row][column];
}

// The reason goes to the cell's tool tip and its description. Changing a cell's data
// makes the grid hand it to an open editor again, which would move its cursor: the
// editor's text, cursor and selection stay as the clinician left them.
void LoudnessCells::setReason(int column, int row, const QString& reason) {
    QTableWidgetItem* item = grid_->item(row, column);
    if (item->toolTip() == reason)
        return;
    QLineEdit* editor = grid_->cellEditor();
    const bool onEditor = editor && grid_->currentColumn() == column && grid_->currentRow() == row;
    const QString text = onEditor ? editor->text() : QString();
    const int cursor = onEditor ? editor->cursorPosition() : 0;
    const int selectionStart = onEditor ? editor->selectionStart() : -1;
    const int selectionLength = onEditor ? editor->selectionLength() : 0;
    item->setToolTip(reason);
    item->setData(Qt::AccessibleDescriptionRole, reason);
    if (!onEditor)
        return;
    editor->setText(text);
    editor->setAccessibleDescription(reason);
    if (selectionStart >= 0)
        editor->setSelection(selectionStart, selectionLength);
    else
        editor->setCursorPosition(cursor);
}
