// The curve parameters as text: the 7 x 7 data entry grid of the curve page, the
// text written for a stored curve, and the rules that read the grid back into
// curves, including the letters that mark a threshold as an input or output level
// ("i", "o") or as the same as the first one ("x").
#pragma once

#include "model/fittingrecord.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

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

// A number typed into the grid: an optional leading minus, digits and at most one
// decimal point, with at least one digit ("5", "-5", "2.5", ".5", "5."). Anything
// else, and a number too large for a float, is no number.
std::optional<float> parseGridNumber(std::string_view text);

// The integer form (no decimals) and the ratio form (one decimal) of a value, both
// rounded to three significant digits; a missing value (-99) is "". A ratio that would
// show as 0.0 (and so read as no ratio) gets the decimals it needs: 0.01 is "0.01";
// so does a value that would show as -99, the missing mark: -99.4 is "-99.4".
std::string integerForm(float value);
std::string ratioForm(float value);

// Writes a stored curve (a user curve or a hearing-aid entry) into rows 0 to 6 of a
// grid column (1..6). A threshold entered as an output level is shown as output
// (threshold + gain) followed by "o", except threshold 2 of a user curve: that one
// is shown as the output the curve's first segment gives at it, so that reading the
// column back gives the same curve.
void writeStoredCurve(CurveGrid& grid, int column, const CurveParams& curve);
void writeStoredCurve(CurveGrid& grid, int column, const AidFrequencyData& curve);

// Threshold 2 given as an output level, as the input level on the first segment: the
// first whole input level, counted up from the integer part of threshold 1, whose
// output reaches the entered level. -99 when no level within reach gets there (the
// first segment does not rise, or rises too slowly to get there within 100000 dB).
float outputToInputThreshold(float threshold1, float gainAt50, float ratio1, float output);

// The cells the clinician may move into: the two user columns (2 and 5), rows 0 to 5.
bool curveCellSelectable(int column, int row);

// Whether a character may be typed into a cell of a row: digits, "." and backspace
// in rows 0 to 5, and the row's own letters: "-" for the gain, "i" and "o" for
// threshold 1, "x", "i" and "o" for threshold 2, "x" for ratio 2. Nothing in the RMS
// row.
bool curveCellAccepts(int row, char32_t ch);

// How a column of parameter texts is read where the curve grid and the database
// page differ: what a text that is no number does, and how a threshold 2 typed as an
// output level becomes an input level.
enum class NotANumber { Missing, Stops };
enum class OutputThreshold2 {
    OnFirstSegment, // the input level at which the curve's first segment reaches it
    LessGain        // the level less the gain, as threshold 1
};
struct ParameterRules {
    NotANumber notANumber;
    OutputThreshold2 threshold2;
};

// Reads the six parameter texts of one curve (rows gain to maximum output) by the
// rules both grids share. Spaces are ignored. The six values start missing; the two
// flags keep their values unless a row sets them. Gain: empty, a lone "-" or a "-"
// after the first character is missing. Thresholds: "i" is ignored, "o" marks an
// output level, which becomes an input level when the gain is there; a level outside
// 30..130 dB as typed is missing. Ratios: 0 is missing. "x" alone or nothing as the
// second stage copies the first. Maximum output: outside 30..130 dB is missing.
// Thresholds in the wrong order are exchanged together with their ratios.
// With NotANumber::Stops the read stops at the first text that is no number and
// returns its row; that row and the rows after it stay missing.
std::optional<int> readParameterRows(std::span<const std::string, kCurveParameterRows> cells,
                                     CurveParams& curve, ParameterRules rules);
std::optional<int> readParameterRows(std::span<const std::string, kCurveParameterRows> cells,
                                     AidFrequencyData& curve, ParameterRules rules);

// Reads the six curve columns into curves[0..5]. The six parameters and `complete`
// are read afresh; the two flags keep their values unless a column sets them, and
// `rmsError` keeps its value.
void readCurves(const CurveGrid& grid, CurveParams (&curves)[kCurveCount]);
