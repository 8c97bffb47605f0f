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
        const std::optional<int> row =
            readParameterRows(texts.cell[f], database.aidData[n][f], kDatabaseRules);
        if (row) {
            std::string text = texts.cell[f][*row];
            std::erase(text, ' ');
            return BadAidCell{f, *row, text};
        }
    }
    return std::nullopt;
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
