#include "curves/usercurveentry.h"

#include <algorithm>

namespace {

constexpr int kUserColumns[] = {kLeftUserColumn, kRightUserColumn};

int userIndex(int column) {
    return column == kLeftUserColumn ? 0 : 1;
}

} // namespace

UserCurveEntry::UserCurveEntry() = default;

void UserCurveEntry::loaded(const CurveGrid& grid, const CurveParams& left,
                            const CurveParams& right) {
    edited_ = {};
    storedTyped_ = {};
    lastEditedColumn_ = 0;
    loadedCurves_ = {left, right};
    for (const int column : kUserColumns) {
        for (int row = 0; row < kCurveParameterRows; ++row)
            storedTexts_[userIndex(column)][row] = grid.cell[column][row];
    }
}

bool UserCurveEntry::wasEdited(int column, int row) const {
    return curveCellSelectable(column, row) && edited_[userIndex(column)][row];
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

void UserCurveEntry::stored(const CurveGrid& grid) {
    const CurveGrid read = asRead(grid);
    for (const int column : kUserColumns) {
        TypedCells typed{};
        for (int row = 0; row < kCurveParameterRows; ++row)
            typed[row] = typedForStore(grid, column, row);
        storedTyped_[userIndex(column)] = typed;
        for (int row = 0; row < kCurveParameterRows; ++row)
            storedTexts_[userIndex(column)][row] = read.cell[column][row];
    }
}

std::optional<CurveParams> UserCurveEntry::curveToStore(const CurveGrid& grid, int column) const {
    if (!anyTyped(column))
        return std::nullopt;
    TypedCells typed{};
    for (int row = 0; row < kCurveParameterRows; ++row)
        typed[row] = typedForStore(grid, column, row);
    const CurveGrid read = asRead(grid);
    return storeTypedCells(
        loadedCurves_[userIndex(column)],
        std::span<const std::string, kCurveParameterRows>(read.cell[column], kCurveParameterRows),
        typed);
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

std::vector<UserCell> UserCurveEntry::unplacedThresholds(const CurveGrid& grid) const {
    std::vector<UserCell> cells;
    const CurveGrid read = asRead(grid);
    for (const int column : kUserColumns) {
        if (!anyTyped(column))
            continue;
        std::string note = threshold2Note(std::span<const std::string, kCurveParameterRows>(
            read.cell[column], kCurveParameterRows));
        if (!note.empty())
            cells.push_back({column, kRowThreshold2, {EntryVerdict::Dropped, std::move(note)}});
    }
    return cells;
}

std::optional<UserCell> UserCurveEntry::judgeEdited(const CurveGrid& grid, int column,
                                                    int row) const {
    if (!curveCellSelectable(column, row) || !edited_[userIndex(column)][row])
        return std::nullopt;
    return UserCell{column, row, judgeTypedCurveText(row, grid.cell[column][row])};
}

bool UserCurveEntry::isRefused(const CurveGrid& grid, int column, int row) const {
    const std::optional<UserCell> cell = judgeEdited(grid, column, row);
    return cell && cell->judgement.verdict == EntryVerdict::Refused;
}

bool UserCurveEntry::typedForStore(const CurveGrid& grid, int column, int row) const {
    if (isRefused(grid, column, row))
        return storedTyped_[userIndex(column)][row];
    return edited_[userIndex(column)][row];
}

bool UserCurveEntry::anyTyped(int column) const {
    const auto& cells = edited_[userIndex(column)];
    return std::any_of(cells.begin(), cells.end(), [](bool typed) { return typed; });
}
