// The words for the record's choices, as the pages, the report, tavik-cli and the
// save history name them.
#pragma once

#include <cstdint>
#include <string>

// Curve shapes as offered in the curve combos; index 0 fits nothing.
inline constexpr int kCurveShapeCount = 6;
inline constexpr const char* curveShapeNames[kCurveShapeCount] = {
    "No Curve", "Curve A", "Curve B", "Curve C", "Curve D", "Curve E",
};

// How an ear's loudness levels were obtained, by its level source: "measured",
// "predicted from threshold", "predicted from threshold and UCL"; a source outside
// 0..2 is "not recorded".
std::string levelSourceText(int32_t levelSource);
// "Binaural" for 1, "Monaural" for anything else.
std::string fittingTypeText(int32_t binauralFitting);
