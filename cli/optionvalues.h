// The values the drawing commands' options take, read without Qt so that they can
// be tested and fuzzed with the rest of the command line.
#pragma once

#include "report/reporttext.h"

#include <array>
#include <optional>
#include <string_view>

// A whole number from lowest to highest written in plain decimal digits ("3"), with
// nothing before or after it; nothing otherwise.
std::optional<int> parseWholeNumber(std::string_view text, int lowest, int highest);

// The report kinds of --curves: "fitted", "user" and "aid" separated by commas, in any
// order, each at most once, at least one; flags in the order fitted, user, aid.
// Nothing for anything else (an unknown or repeated kind, an empty item).
inline constexpr std::array<const char*, kReportChoiceCount> kCurveKindNames = {"fitted", "user",
                                                                                "aid"};
std::optional<std::array<bool, kReportChoiceCount>> parseCurveKinds(std::string_view text);
