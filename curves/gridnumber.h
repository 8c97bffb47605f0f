// Numbers in the curve grid's cells: what counts as a typed number, and the integer
// and ratio forms in which values are written.
#pragma once

#include <optional>
#include <string>
#include <string_view>

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
