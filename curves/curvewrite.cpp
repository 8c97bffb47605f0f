#include "curves/curvewrite.h"

#include "curves/curveread.h"
#include "curves/gridnumber.h"
#include "model/numbers.h"

#include <algorithm>
#include <utility>

namespace {

bool present(float value) {
    return value != kEmptyValue;
}

// Whether a number shown in a threshold cell reads back as a level (30..130 dB).
bool readsAsLevel(const std::string& shown) {
    const std::optional<float> level = parseGridNumber(shown);
    return level && *level >= kLowestGridLevel && *level <= kHighestGridLevel;
}

// A level as a whole number. One that lies within a decibel outside the scale (the
// whole levels of a first segment over a fractional gain, and the swap, put a
// threshold there) would read back as missing and the curve fall apart: it shows as
// the end of the scale it lies next to.
std::string scaleLevelText(double level) {
    if (level >= kLowestGridLevel - 1 && level < kLowestGridLevel - 0.5)
        return formatInt(static_cast<long long>(kLowestGridLevel));
    if (level >= kHighestGridLevel + 0.5 && level <= kHighestGridLevel + 1)
        return formatInt(static_cast<long long>(kHighestGridLevel));
    return formatSig3(level, 0);
}

// A threshold in the form it was typed in: as an output level (threshold + gain,
// then "o") or as an input level. Where only the other form reads back as a level,
// that one is shown, so that storing the cell again keeps the threshold: a threshold
// 1 typed as 50o with a gain of 30 is the input level 20, which typed as "20" would
// be refused, and a threshold moved to the second stage by the swap may stand above
// 130 as an output level.
std::string thresholdText(float threshold, int32_t isOutput, float gainAt50) {
    if (!present(threshold))
        return "";
    const std::string input = scaleLevelText(threshold);
    if (!present(gainAt50))
        return input;
    const std::string output =
        scaleLevelText(static_cast<double>(threshold) + static_cast<double>(gainAt50));
    const bool asOutput = isOutput == 1 ? readsAsLevel(output) || !readsAsLevel(input)
                                        : !readsAsLevel(input) && readsAsLevel(output);
    if (!asOutput || output.empty())
        return input;
    return output + "o";
}

// Threshold 2 of a user curve when it was typed as an output level: the whole-number
// output the first segment gives at the stored input level. Reading that text maps
// back to the same input level, so the clinician sees what they typed and the curve
// stays the same however often the page shows it. Without a rising first segment the
// output cannot be worked out, and the threshold is shown as a hearing aid's is.
std::string userThreshold2Text(const CurveParams& curve) {
    // An input level outside the levels that may be typed comes from an output level
    // typed over a gain far off the scale: a copy of threshold 1 (a gain of 138 dB
    // turns "50o" into -88), or threshold 1 moved here by the swap (a gain of -2777340
    // turns "45o" into 2777385). Its number would read back as missing and the curve
    // fall apart; an empty cell reads as "the same as threshold 1", a whole curve that
    // shows the same from then on.
    const bool typeable =
        curve.threshold2 >= kLowestGridLevel && curve.threshold2 <= kHighestGridLevel;
    if (curve.threshold2IsOutput != 1 && present(curve.threshold2) && !typeable)
        return "";
    const bool convertible = curve.threshold2IsOutput == 1 && present(curve.threshold2) &&
                             present(curve.threshold1) && present(curve.gainAt50) &&
                             curve.ratio1 > 0.0f;
    // An output level with no first segment yet shows as the level plus the gain, as
    // a hearing aid's does; it reads as missing until threshold 1 and ratio 1 are
    // there. An input level stays one: read with "o" it would be taken on the first
    // segment, another level.
    if (!convertible) {
        return curve.threshold2IsOutput == 1
                   ? thresholdText(curve.threshold2, curve.threshold2IsOutput, curve.gainAt50)
                   : integerForm(curve.threshold2);
    }
    const long double firstOutput =
        truncToInt(static_cast<long double>(curve.threshold1) + curve.gainAt50);
    const long double steps =
        truncToInt(static_cast<long double>(curve.threshold2) - curve.threshold1);
    const int32_t output = truncToInt(firstOutput + steps / curve.ratio1);
    // Off the scale "131o" or "29o" would read as missing. A first segment steeper
    // than 1:1 can step past the top of the scale, and under a gain below 0 dB the
    // output can fall under it: the input level stands for the same curve where it
    // can be typed. Otherwise the level lies within a hair of threshold 1 (a copy of
    // it, "o" alone, over a first segment that starts under 30 dB, or "30o" over a
    // fractional gain, where a float's rounding takes the output to 29.99 or the whole
    // levels of the first segment fall short of 30), or comes of a gain far off the
    // scale, and shows as the same as threshold 1.
    if (output > kHighestGridLevel || output < kLowestGridLevel)
        return typeable ? formatSig3(curve.threshold2, 0) : "";
    return formatInt(output) + "o";
}

// The texts are read back as the page will read them. Threshold 1 as an output level
// over a gain of 129 dB or more can lie a hair off -99, the missing mark, and its
// whole number read back as exactly that: it gets the decimals that read back as
// itself ("40.7o", "40.95o" over a gain of 140.05 shown as 140). It is read back on
// its own, before threshold 2 can take its place in the swap.
template <class Stored>
void keepThreshold1ReadingBack(std::string (&cells)[kGridRows], const Stored& curve,
                               const ParameterRules& rules) {
    std::string& threshold1Cell = cells[kRowThreshold1];
    const auto threshold1ReadsBack = [&] {
        std::string alone[kCurveParameterRows];
        std::copy_n(cells, kCurveParameterRows, alone);
        alone[kRowThreshold2].clear();
        CurveParams read{};
        readParameterRows(alone, read, rules);
        return present(read.threshold1);
    };
    if (!present(curve.threshold1) || !present(curve.gainAt50) || !threshold1Cell.ends_with('o') ||
        threshold1ReadsBack())
        return;
    const std::string whole = threshold1Cell;
    // The output over the gain as shown, which is what it is read back against.
    const float shownGain = parseGridNumber(cells[kRowGain]).value_or(curve.gainAt50);
    const double output = static_cast<double>(curve.threshold1) + static_cast<double>(shownGain);
    bool readsBack = false;
    for (int decimals = 1; decimals <= 6 && !readsBack; ++decimals) {
        threshold1Cell = formatFixed(output, decimals) + "o";
        readsBack = threshold1ReadsBack();
    }
    if (!readsBack)
        threshold1Cell = whole;
}

// A threshold 2 shows as the same as threshold 1, with its own mark, which reads back
// as exactly threshold 1:
// - when it is at threshold 1's very level but shown in another form (one as an
//   output level, the other as an input level): its own rounding can read back a
//   hair off threshold 1, which the swap then turns round at every showing;
// - when its text would read back as missing while threshold 1 and ratio 1 do not: an
//   output level far along a nearly flat first segment, whose rounded ratio no longer
//   reaches it, would otherwise take the curve apart.
template <class Stored>
void keepThreshold2WithThreshold1(std::string (&cells)[kGridRows], const Stored& curve,
                                  const ParameterRules& rules) {
    if (!present(curve.threshold2))
        return;
    CurveParams read{};
    readParameterRows(std::span<const std::string, kCurveParameterRows>(cells, kCurveParameterRows),
                      read, rules);
    const bool splitsFromThreshold1 =
        curve.threshold2 == curve.threshold1 && read.threshold2 != read.threshold1;
    // An output level with no first segment to place it on is missing as it reads:
    // its text stays, so the clinician sees what was stored and can add ratio 1.
    const bool waitsForFirstSegment = rules.threshold2 == OutputThreshold2::OnFirstSegment &&
                                      read.threshold2IsOutput == 1 &&
                                      !hasFirstSegment(read.threshold1, read.ratio1);
    const bool lost =
        !present(read.threshold2) && present(read.threshold1) && !waitsForFirstSegment;
    if (splitsFromThreshold1 || lost)
        cells[kRowThreshold2] = curve.threshold2IsOutput == 1 ? "o" : "";
}

template <class Stored>
void writeStored(CurveGrid& grid, int column, const Stored& curve, std::string threshold2Text,
                 const ParameterRules& rules) {
    std::string(&cells)[kGridRows] = grid.cell[column];
    cells[kRowGain] = integerForm(curve.gainAt50);
    cells[kRowThreshold1] =
        thresholdText(curve.threshold1, curve.threshold1IsOutput, curve.gainAt50);
    cells[kRowRatio1] = ratioForm(curve.ratio1);
    cells[kRowThreshold2] = std::move(threshold2Text);
    cells[kRowRatio2] = ratioForm(curve.ratio2);
    cells[kRowMaxOutput] = integerForm(curve.maxOutput);
    cells[kRowRmsError].clear();
    keepThreshold1ReadingBack(cells, curve, rules);
    keepThreshold2WithThreshold1(cells, curve, rules);
}

// A threshold 2 typed as "o" alone sits at threshold 1's very level, and its output
// is worked out from threshold 1 as stored. Where threshold 1's text reads back as
// another level (an output level over a gain of 139.5, shown as 140, is -98.5 stored
// and -98 read), that output belongs to neither: it is worked out again from the
// curve as it reads back, so that the next showing writes the very same texts.
void settleThreshold2AtThreshold1(std::string (&cells)[kGridRows], const CurveParams& curve) {
    if (curve.threshold2IsOutput != 1 || !present(curve.threshold1) ||
        curve.threshold2 != curve.threshold1)
        return;
    const std::span<const std::string, kCurveParameterRows> column(cells, kCurveParameterRows);
    CurveParams read = curve;
    readParameterRows(column, read, kCurveGridRules);
    if (!present(read.threshold1) || read.threshold1 == curve.threshold1 ||
        read.threshold2 != read.threshold1)
        return;
    const std::string stored = cells[kRowThreshold2];
    CurveParams shown = read;
    shown.threshold2 = read.threshold1;
    shown.threshold2IsOutput = 1;
    cells[kRowThreshold2] = userThreshold2Text(shown);
    CurveParams again = curve;
    readParameterRows(column, again, kCurveGridRules);
    if (again.threshold2 != read.threshold1)
        cells[kRowThreshold2] = stored;
}

} // namespace

void writeStoredCurve(CurveGrid& grid, int column, const CurveParams& curve) {
    writeStored(grid, column, curve, userThreshold2Text(curve), kCurveGridRules);
    settleThreshold2AtThreshold1(grid.cell[column], curve);
}

void writeStoredCurve(CurveGrid& grid, int column, const AidFrequencyData& curve) {
    writeStored(grid, column, curve,
                thresholdText(curve.threshold2, curve.threshold2IsOutput, curve.gainAt50),
                kAidColumnRules);
}
