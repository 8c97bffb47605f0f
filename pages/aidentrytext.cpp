#include "pages/aidentrytext.h"

#include "model/textslot.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <utility>

namespace {

// A cell that is no number stops the store; a threshold typed as an output level is
// the level less the gain, for both stages.
constexpr ParameterRules kDatabaseRules{NotANumber::Stops, OutputThreshold2::LessGain};

// The column the curve grid's writer fills; the page takes its six parameter rows.
constexpr int kWrittenColumn = 1;

bool isDigit(char32_t ch) {
    return ch >= U'0' && ch <= U'9';
}

bool sameColumn(const AidEntryTexts& a, const AidEntryTexts& b, int f) {
    return std::equal(std::begin(a.cell[f]), std::end(a.cell[f]), std::begin(b.cell[f]));
}

// The texts of a changed column are read as the database reads them, the stages left
// in the order typed: the store exchanges them only where the clinician typed one.
constexpr ParameterRules kChangedCellRules{NotANumber::Stops, OutputThreshold2::LessGain,
                                           WrongOrder::AsTyped};

using ColumnTexts = std::string[kAidGridRows];

bool present(float value) {
    return value != kEmptyValue;
}

std::string withoutSpaces(std::string text) {
    std::erase(text, ' ');
    return text;
}

BadAidCell badCell(const ColumnTexts& cells, int f, int row) {
    return BadAidCell{f, row, withoutSpaces(cells[row])};
}

std::optional<BadAidCell> storeColumn(const AidEntryTexts& texts, AidFrequencyData& data, int f) {
    const std::optional<int> row = readParameterRows(texts.cell[f], data, kDatabaseRules);
    if (!row)
        return std::nullopt;
    return badCell(texts.cell[f], f, *row);
}

// An untouched threshold that the gain moves: one stored as an output level and shown
// as one ("60o"). Its input level is the output level shown less the new gain.
bool followsGain(const std::string& cell, int32_t isOutput) {
    return isOutput == 1 && cell.find('o') != std::string::npos &&
           cell.find_first_of("0123456789") != std::string::npos;
}

// What one column's reading and its stored values make together: see
// storeChangedAidEntryTexts. `readRows` is the number of rows the reading reached.
struct ColumnMerge {
    const ColumnTexts& cells;
    bool changed[kAidGridRows];
    const AidFrequencyData& stored;
    const AidFrequencyData& read;
    int readRows;

    // A threshold stage: typed, it is as read; untouched, it keeps its value and flag,
    // unless it follows a changed gain.
    void threshold(int row, float AidFrequencyData::*value, int32_t AidFrequencyData::*isOutput,
                   AidFrequencyData& merged) const {
        if (changed[row]) {
            merged.*value = read.*value;
            merged.*isOutput = read.*isOutput;
            return;
        }
        if (changed[kRowGain] && followsGain(cells[row], stored.*isOutput) && present(read.*value))
            merged.*value = read.*value;
    }

    // A second stage that copies the first as it is now stored: typed as "x" or
    // nothing, or untouched, shown empty and missing beside a typed first stage (an
    // entry being filled in).
    bool copiesFirst(int row, int firstRow, float storedValue) const {
        if (row >= readRows || !readsAsFirstStage(row, cells[row]))
            return false;
        return changed[row] || (changed[firstRow] && !present(storedValue));
    }

    AidFrequencyData merge() const {
        AidFrequencyData merged = stored;
        if (changed[kRowGain])
            merged.gainAt50 = read.gainAt50;
        threshold(kRowThreshold1, &AidFrequencyData::threshold1,
                  &AidFrequencyData::threshold1IsOutput, merged);
        if (changed[kRowRatio1])
            merged.ratio1 = read.ratio1;
        threshold(kRowThreshold2, &AidFrequencyData::threshold2,
                  &AidFrequencyData::threshold2IsOutput, merged);
        if (copiesFirst(kRowThreshold2, kRowThreshold1, stored.threshold2))
            merged.threshold2 = merged.threshold1;
        if (copiesFirst(kRowRatio2, kRowRatio1, stored.ratio2))
            merged.ratio2 = merged.ratio1;
        else if (changed[kRowRatio2])
            merged.ratio2 = read.ratio2;
        if (changed[kRowMaxOutput])
            merged.maxOutput = read.maxOutput;
        exchangeTypedStages(merged);
        return merged;
    }

    // Stages in the wrong order are put right only where a threshold was typed, and
    // only when the whole column was read.
    void exchangeTypedStages(AidFrequencyData& merged) const {
        const bool thresholdTyped = changed[kRowThreshold1] || changed[kRowThreshold2];
        if (!thresholdTyped || readRows < kAidGridRows || !present(merged.threshold2) ||
            merged.threshold1 <= merged.threshold2)
            return;
        std::swap(merged.threshold1, merged.threshold2);
        std::swap(merged.ratio1, merged.ratio2);
    }
};

std::optional<BadAidCell> storeChangedColumn(const AidEntryTexts& shown,
                                             const AidEntryTexts& loaded, AidFrequencyData& data,
                                             int f) {
    AidFrequencyData read = data;
    const std::optional<int> stop = readParameterRows(shown.cell[f], read, kChangedCellRules);
    ColumnMerge column{shown.cell[f], {}, data, read, stop.value_or(kAidGridRows)};
    for (int row = 0; row < kAidGridRows; ++row)
        column.changed[row] = shown.cell[f][row] != loaded.cell[f][row];
    data = column.merge();
    if (!stop)
        return std::nullopt;
    return badCell(shown.cell[f], f, *stop);
}

} // namespace

AidEntryTexts aidEntryTexts(const AidDatabase& database, int n) {
    AidEntryTexts texts;
    texts.longName = readText(database.aidLongNames[n]);
    texts.shortName = readText(database.aidShortNames[n]);
    for (int f = 0; f < kAidGridColumns; ++f) {
        CurveGrid grid;
        writeStoredCurve(grid, kWrittenColumn, database.aidData[n][f]);
        std::copy_n(grid.cell[kWrittenColumn], kAidGridRows, texts.cell[f]);
    }
    return texts;
}

std::optional<BadAidCell> storeAidEntryTexts(const AidEntryTexts& texts, AidDatabase& database,
                                             int n) {
    writeText(database.aidLongNames[n], texts.longName);
    writeText(database.aidShortNames[n],
              texts.shortName.empty() ? "HA-" + std::to_string(n + 1) : texts.shortName);
    for (int f = 0; f < kAidGridColumns; ++f) {
        if (std::optional<BadAidCell> bad = storeColumn(texts, database.aidData[n][f], f))
            return bad;
    }
    return std::nullopt;
}

std::optional<BadAidCell> storeChangedAidEntryTexts(const AidEntryTexts& shown,
                                                    const AidEntryTexts& loaded,
                                                    AidDatabase& database, int n) {
    if (shown.longName != loaded.longName)
        writeText(database.aidLongNames[n], shown.longName);
    if (shown.shortName != loaded.shortName) {
        writeText(database.aidShortNames[n],
                  shown.shortName.empty() ? "HA-" + std::to_string(n + 1) : shown.shortName);
    }
    for (int f = 0; f < kAidGridColumns; ++f) {
        if (sameColumn(shown, loaded, f))
            continue;
        if (std::optional<BadAidCell> bad =
                storeChangedColumn(shown, loaded, database.aidData[n][f], f))
            return bad;
    }
    return std::nullopt;
}

std::vector<AidCellNote> changedCellsNotKept(const AidEntryTexts& shown,
                                             const AidEntryTexts& loaded) {
    std::vector<AidCellNote> notes;
    for (int f = 0; f < kAidGridColumns; ++f) {
        if (sameColumn(shown, loaded, f))
            continue;
        for (JudgedCell& cell : cellsNotKept(shown.cell[f])) {
            if (shown.cell[f][cell.row] != loaded.cell[f][cell.row])
                notes.push_back({f, std::move(cell)});
        }
    }
    return notes;
}

void copyAidEntry(const AidDatabase& from, AidDatabase& to, int n) {
    std::memcpy(to.aidLongNames[n], from.aidLongNames[n], sizeof to.aidLongNames[n]);
    std::memcpy(to.aidShortNames[n], from.aidShortNames[n], sizeof to.aidShortNames[n]);
    std::memcpy(to.aidData[n], from.aidData[n], sizeof to.aidData[n]);
}

bool aidCellAccepts(int row, char32_t ch) {
    // The characters of each row besides digits and backspace.
    static constexpr std::u32string_view own[kAidGridRows] = {U"-",   U"io", U".",
                                                              U"xio", U"x.", U""};
    if (row < 0 || row >= kAidGridRows)
        return false;
    return isDigit(ch) || ch == U'\b' || own[row].find(ch) != std::u32string_view::npos;
}
