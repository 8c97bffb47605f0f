#include "curves/usercurveentry.h"

namespace {

constexpr int kUserColumns[] = {kLeftUserColumn, kRightUserColumn};

int userIndex(int column) {
    return column == kLeftUserColumn ? 0 : 1;
}

} // namespace

void UserCurveEntry::loaded(const CurveGrid& grid) {
    edited_ = {};
    lastEditedColumn_ = 0;
    stored(grid);
}

void UserCurveEntry::edited(int column, int row) {
    if (!curveCellSelectable(column, row))
        return;
    edited_[userIndex(column)][row] = true;
    lastEditedColumn_ = column;
}

CurveGrid UserCurveEntry::asRead(CurveGrid grid) const {
    for (const int column : kUserColumns) {
        for (int row = 0; row < kCurveParameterRows; ++row) {
            if (isRefused(grid, column, row))
                grid.cell[column][row] = storedTexts_[userIndex(column)][row];
        }
    }
    return grid;
}

void UserCurveEntry::stored(const CurveGrid& readGrid) {
    for (const int column : kUserColumns) {
        for (int row = 0; row < kCurveParameterRows; ++row)
            storedTexts_[userIndex(column)][row] = readGrid.cell[column][row];
    }
}

std::optional<UserCell> UserCurveEntry::firstRefused(const CurveGrid& grid, int currentColumn,
                                                     int currentRow) const {
    if (isRefused(grid, currentColumn, currentRow))
        return judgeEdited(grid, currentColumn, currentRow);
    for (const int column : kUserColumns) {
        for (int row = 0; row < kCurveParameterRows; ++row) {
            if (isRefused(grid, column, row))
                return judgeEdited(grid, column, row);
        }
    }
    return std::nullopt;
}

std::vector<UserCell> UserCurveEntry::dropped(const CurveGrid& grid) const {
    std::vector<UserCell> cells;
    for (const int column : kUserColumns) {
        for (int row = 0; row < kCurveParameterRows; ++row) {
            std::optional<UserCell> cell = judgeEdited(grid, column, row);
            if (cell && (cell->judgement.verdict == EntryVerdict::Dropped ||
                         cell->judgement.verdict == EntryVerdict::NoNumber))
                cells.push_back(std::move(*cell));
        }
    }
    return cells;
}

std::optional<UserCell> UserCurveEntry::judgeEdited(const CurveGrid& grid, int column,
                                                    int row) const {
    if (!curveCellSelectable(column, row) || !edited_[userIndex(column)][row])
        return std::nullopt;
    return UserCell{column, row, judgeParameterText(row, grid.cell[column][row])};
}

bool UserCurveEntry::isRefused(const CurveGrid& grid, int column, int row) const {
    const std::optional<UserCell> cell = judgeEdited(grid, column, row);
    return cell && cell->judgement.verdict == EntryVerdict::Refused;
}
