// The database page's texts in the core: one hearing aid's two names and its 6 x 6
// grid of curve parameters (a column per frequency, a row per parameter), parsed
// into its database entry and written back out of it, and the characters each grid
// row accepts.
#pragma once

#include "curves/curvetext.h"
#include "model/fittingrecord.h"

#include <optional>
#include <string>
#include <vector>

inline constexpr int kAidGridColumns = kFrequencyCount;
inline constexpr int kAidGridRows = kCurveParameterRows;

// Row headings of the grid; rows use the parameter order of the curve grid.
inline constexpr const char* aidGridRowHeadings[kAidGridRows] = {
    "Gain @ 50",           "Compression Threshold 1",
    "Compression Ratio 1", "Compression Threshold 2",
    "Compression Ratio 2", "Maximum Output"};

// The longest name each edit takes: the long name fills its 25-byte slot but for the
// terminator; the short label keeps to 8 characters, so it fits the curve page's lists.
inline constexpr int kAidLongNameLimit = sizeof(AidDatabase::aidLongNames[0]) - 1;
inline constexpr int kAidShortNameLimit = 8;

// What the page shows of one entry. Names are Latin-1 bytes.
struct AidEntryTexts {
    std::string longName;
    std::string shortName;
    std::string cell[kAidGridColumns][kAidGridRows]; // [frequency][row]
};

// A cell whose text is no number, with that text as typed less its spaces.
struct BadAidCell {
    int column = 0;
    int row = 0;
    std::string text;
};

// The texts of entry n: the names as stored; each value as a whole number, ratios
// with one decimal, at most three significant digits (1234 shows as "1230"); a
// threshold entered as an output level as threshold + gain followed by "o" while the
// gain is there. Missing values are empty.
AidEntryTexts aidEntryTexts(const AidDatabase& database, int n);

// Stores the texts into entry n: the long name cut to its slot, the short label or
// "HA-" and n + 1 when it is empty, and each frequency column by the rules of
// readParameterRows, a threshold typed as an output level less the gain. The first
// cell whose text is no number stops the store and is returned: the names and the
// frequencies before it are stored, its frequency is missing from its row on, and
// the frequencies after it keep what they held.
std::optional<BadAidCell> storeAidEntryTexts(const AidEntryTexts& texts, AidDatabase& database,
                                             int n);

// Stores only what the clinician changed, cell by cell: a name or a cell whose text is
// as the page loaded it keeps its value as stored, so that looking at an entry, or
// typing into another cell of it, does not edit it (a threshold of 150 or a ratio of
// 2.2345 from the file stays, flags included). `database` must hold entry n as it was
// when `loaded` was taken from it, or as an earlier call with the same `loaded` left it.
// In a column with a changed cell:
// - a changed cell is read by the rules of readParameterRows, a threshold typed as an
//   output level less the gain as shown;
// - an untouched threshold stored as an output level and shown as one ("60o") follows
//   a changed gain: it is that output level less the new gain, as the page shows it;
// - "x" or nothing typed as a second stage copies the first stage as now stored; so
//   does an untouched empty second stage that is missing when its first stage was
//   typed (an entry being filled in). One that holds a value keeps it;
// - the stages are exchanged, each with its ratio, when threshold 1 lies above
//   threshold 2 and one of the two thresholds was typed; stored stages are never
//   exchanged;
// - a cell that is no number stops the store as storeAidEntryTexts does: the changed
//   cells from it on are missing, the untouched ones keep their values, and the later
//   columns are left as they were.
std::optional<BadAidCell> storeChangedAidEntryTexts(const AidEntryTexts& shown,
                                                    const AidEntryTexts& loaded,
                                                    AidDatabase& database, int n);

// The changed cells whose values are dropped or refused (see judgeParameterText),
// frequency by frequency, top to bottom. Untouched cells keep their stored values and
// are not named.
struct AidCellNote {
    int column = 0;
    JudgedCell cell;
};
std::vector<AidCellNote> changedCellsNotKept(const AidEntryTexts& shown,
                                             const AidEntryTexts& loaded);

// Copies entry n (names and curves) from one database image to another.
void copyAidEntry(const AidDatabase& from, AidDatabase& to, int n);

// Whether a character may be typed into a cell of a row: digits and backspace in
// every row, and "-" for the gain, "i" and "o" for threshold 1, "." for ratio 1,
// "x", "i" and "o" for threshold 2, "x" and "." for ratio 2. Letters only in lower
// case.
bool aidCellAccepts(int row, char32_t ch);
