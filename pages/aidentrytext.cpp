#include "pages/aidentrytext.h"

#include "model/textslot.h"

#include <algorithm>
#include <cstring>
#include <string_view>

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

std::optional<BadAidCell> storeColumn(const AidEntryTexts& texts, AidFrequencyData& data, int f) {
    const std::optional<int> row = readParameterRows(texts.cell[f], data, kDatabaseRules);
    if (!row)
        return std::nullopt;
    std::string text = texts.cell[f][*row];
    std::erase(text, ' ');
    return BadAidCell{f, *row, text};
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
        if (std::optional<BadAidCell> bad = storeColumn(shown, database.aidData[n][f], f))
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
        for (JudgedCell& cell : cellsNotKept(shown.cell[f]))
            notes.push_back({f, std::move(cell)});
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
