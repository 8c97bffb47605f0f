// A user column of the curve grid as the curve page shows and stores it, from any
// stored curve and any typing. The stored curve is the raw 40-byte image that follows
// a leading "#" (any float, any flag, as a file may hold it), or else the curve the
// first six lines read to (one a clinician typed before). The next six lines are typed
// into the rows gain to maximum output, key by key through the grid's key filter; a
// line "~" leaves its row untouched. Properties:
// - a column nobody typed into leaves the stored curve unchanged byte for byte;
// - showing a column a second time shows the same texts as the first;
// - after typing, a typed gain or maximum output the page takes is stored as typed,
//   the complete flag says whether all six values are there, and a threshold 2 typed
//   as an output level with no first segment stays missing;
// - the curve stored after typing, shown and left, stays as it was, and its texts
//   settle at its first showing.
#include "curves/curvetext.h"
#include "curves/usercurveentry.h"
#include "fuzz/fuzzsupport.h"

#include <cstring>

namespace {

constexpr int kColumn = kLeftUserColumn;

bool present(float value) {
    return value != kEmptyValue;
}

bool sameBytes(const CurveParams& a, const CurveParams& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::span<const std::string, kCurveParameterRows> userTexts(const CurveGrid& grid) {
    return std::span<const std::string, kCurveParameterRows>(grid.cell[kColumn],
                                                             kCurveParameterRows);
}

bool sameTexts(const CurveGrid& a, const CurveGrid& b) {
    for (int row = 0; row < kGridRows; ++row) {
        if (a.cell[kColumn][row] != b.cell[kColumn][row])
            return false;
    }
    return true;
}

CurveGrid shown(const CurveParams& curve) {
    CurveGrid grid;
    writeStoredCurve(grid, kColumn, curve);
    return grid;
}

// Shows the stored curve, leaves it untouched, and shows it again: the record keeps
// its bytes and both showings the same texts.
void checkLookingIsNotEditing(const CurveParams& stored) {
    const CurveGrid first = shown(stored);
    UserCurveEntry entry;
    entry.loaded(first, stored, stored);
    CurveParams record = stored;
    if (const std::optional<CurveParams> curve = entry.curveToStore(first, kColumn))
        record = *curve;
    FUZZ_CHECK(sameBytes(record, stored));
    FUZZ_CHECK(sameTexts(first, shown(record)));
}

// The keys of a line that the row takes, as the grid's key filter lets them through.
std::string keysTaken(int row, const std::string& line) {
    std::string taken;
    for (const char ch : line) {
        if (curveCellAccepts(row, static_cast<unsigned char>(ch)))
            taken += ch;
    }
    return taken;
}

CurveParams storedCurve(const std::vector<std::string>& lines, std::string_view input) {
    CurveParams stored{};
    if (!input.empty() && input.front() == '#') {
        std::memcpy(&stored, input.data() + 1, std::min(sizeof stored, input.size() - 1));
        return stored;
    }
    CurveGrid grid;
    for (int row = 0; row < kCurveParameterRows && row < static_cast<int>(lines.size()); ++row)
        grid.cell[kColumn][row] = lines[static_cast<std::size_t>(row)];
    CurveParams curves[kCurveCount]{};
    readCurves(grid, curves);
    return curves[kColumn - 1];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view input = fuzz::asText(data, size);
    const bool raw = !input.empty() && input.front() == '#';
    const std::vector<std::string> lines =
        fuzz::split(raw ? input.substr(std::min(size, sizeof(CurveParams) + 1)) : input, '\n');
    const CurveParams stored = storedCurve(lines, input);
    checkLookingIsNotEditing(stored);

    // Typing, as the page takes it: a refused text reads as the text shown before.
    CurveGrid grid = shown(stored);
    UserCurveEntry entry;
    entry.loaded(grid, stored, stored);
    const std::size_t first = raw ? 0 : kCurveParameterRows;
    bool kept[kCurveParameterRows]{};
    for (int row = 0; row < kCurveParameterRows; ++row) {
        const std::size_t line = first + static_cast<std::size_t>(row);
        if (line >= lines.size() || lines[line] == "~")
            continue;
        grid.cell[kColumn][row] = keysTaken(row, lines[line]);
        entry.edited(kColumn, row);
        kept[row] = judgeTypedCurveText(row, grid.cell[kColumn][row]).verdict == EntryVerdict::Kept;
    }
    const CurveParams typed = entry.curveToStore(grid, kColumn).value_or(stored);
    const CurveGrid read = entry.asRead(grid);
    const std::string(&cells)[kGridRows] = read.cell[kColumn];

    if (kept[kRowGain] && !cells[kRowGain].empty())
        FUZZ_CHECK(typed.gainAt50 == parseGridNumber(cells[kRowGain]).value_or(kEmptyValue));
    if (kept[kRowMaxOutput])
        FUZZ_CHECK(typed.maxOutput == parseGridNumber(cells[kRowMaxOutput]).value_or(kEmptyValue));
    if (kept[kRowThreshold2] && !threshold2Note(userTexts(read)).empty())
        FUZZ_CHECK(typed.threshold2 == kEmptyValue);
    const bool allThere = present(typed.gainAt50) && present(typed.threshold1) &&
                          present(typed.ratio1) && present(typed.threshold2) &&
                          present(typed.ratio2) && present(typed.maxOutput);
    FUZZ_CHECK(typed.complete == (allThere ? 1 : 0) || sameBytes(typed, stored));

    checkLookingIsNotEditing(typed);
    return 0;
}
