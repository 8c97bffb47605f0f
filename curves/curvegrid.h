// The curve page's data entry grid as texts: 7 x 7 cells, the row labels in column
// 0 and one curve per column after it, and which cells the clinician may move into
// and type what into.
#pragma once

#include <string>

inline constexpr int kGridColumns = 7;
inline constexpr int kGridRows = 7;
inline constexpr int kCurveCount = 6; // three per graph: fitted, user, hearing aid

// Rows of the grid, one per curve parameter.
enum GridRow : int {
    kRowGain = 0,
    kRowThreshold1 = 1,
    kRowRatio1 = 2,
    kRowThreshold2 = 3,
    kRowRatio2 = 4,
    kRowMaxOutput = 5,
    kRowRmsError = 6, // written by the scoring, never read
};
// The rows that hold a curve's parameters, gain to maximum output.
inline constexpr int kCurveParameterRows = 6;

inline constexpr const char* curveGridRowLabels[kGridRows] = {
    " Gain at 50 dB", " Comp. Threshold 1", " Comp. Ratio 1", " Comp. Threshold 2",
    " Comp. Ratio 2", " Maximum Output",    " RMS Error",
};

// The grid's texts, column-major: cell[column][row]. Column 0 holds the row labels;
// columns 1 to 6 hold curves 0 to 5 (left graph: fitted, user, aid; then the right
// graph in the same order). A new grid has its labels and every other cell empty.
struct CurveGrid {
    CurveGrid();
    std::string cell[kGridColumns][kGridRows];
};

// The grid columns the clinician types the two user curves into.
inline constexpr int kLeftUserColumn = 2;
inline constexpr int kRightUserColumn = 5;

// The cells the clinician may move into: the two user columns (2 and 5), rows 0 to 5.
bool curveCellSelectable(int column, int row);

// Whether a character may be typed into a cell of a row: digits, "." and backspace
// in rows 0 to 5, and the row's own letters: "-" for the gain, "i" and "o" for
// threshold 1, "x", "i" and "o" for threshold 2, "x" for ratio 2. Nothing in the RMS
// row.
bool curveCellAccepts(int row, char32_t ch);
