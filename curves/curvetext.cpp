#include "curves/curvetext.h"

#include "model/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

namespace {

// How many input levels the output-to-input conversion of threshold 2 tries before
// it gives up. Any ratio a clinician would type reaches the entered level long
// before; a ratio such as 99999999 would otherwise count for minutes.
constexpr long long kMaxConversionSteps = 100000;

constexpr float kLowestLevel = 30.0f;
constexpr float kHighestLevel = 130.0f;

bool present(float value) {
    return value != kEmptyValue;
}

std::string withoutChars(std::string_view text, std::string_view unwanted) {
    std::string kept;
    kept.reserve(text.size());
    for (const char ch : text) {
        if (unwanted.find(ch) == std::string_view::npos)
            kept += ch;
    }
    return kept;
}

bool contains(std::string_view text, char ch) {
    return text.find(ch) != std::string_view::npos;
}

// Reads the six parameter rows of one curve by the shared rules. Each step returns
// false when its text is no number and the rules say that stops the read; the rows
// from there on then stay missing.
template <class Curve> class ParameterReader {
  public:
    ParameterReader(Curve& curve, ParameterRules rules) : curve_(curve), rules_(rules) {}

    std::optional<int> read(std::span<const std::string, kCurveParameterRows> cells) {
        curve_.gainAt50 = kEmptyValue;
        curve_.threshold1 = kEmptyValue;
        curve_.ratio1 = kEmptyValue;
        curve_.threshold2 = kEmptyValue;
        curve_.ratio2 = kEmptyValue;
        curve_.maxOutput = kEmptyValue;

        std::string text[kCurveParameterRows];
        for (int row = 0; row < kCurveParameterRows; ++row)
            text[row] = withoutChars(cells[row], " ");

        if (!readGain(text[kRowGain]))
            return kRowGain;
        if (!readThreshold1(text[kRowThreshold1]))
            return kRowThreshold1;
        if (!text[kRowRatio1].empty() && !readRatio(text[kRowRatio1], curve_.ratio1))
            return kRowRatio1;
        if (!readThreshold2(text[kRowThreshold2]))
            return kRowThreshold2;
        if (!readRatio2(text[kRowRatio2]))
            return kRowRatio2;
        if (!text[kRowMaxOutput].empty() && !readLevel(text[kRowMaxOutput], curve_.maxOutput))
            return kRowMaxOutput;

        // Thresholds typed in the wrong order are put right, each with its own ratio.
        if (curve_.threshold1 > curve_.threshold2 && present(curve_.threshold2)) {
            std::swap(curve_.threshold1, curve_.threshold2);
            std::swap(curve_.ratio1, curve_.ratio2);
        }
        return std::nullopt;
    }

  private:
    // A text that is no number reads as missing, or stops the read.
    bool readNumber(std::string_view text, float& value) const {
        const std::optional<float> number = parseGridNumber(text);
        value = number ? *number : kEmptyValue;
        return number || rules_.notANumber == NotANumber::Missing;
    }

    // A threshold or maximum output: a level outside 30..130 dB is missing.
    bool readLevel(std::string_view text, float& level) const {
        if (!readNumber(text, level))
            return false;
        if (level < kLowestLevel || level > kHighestLevel)
            level = kEmptyValue;
        return true;
    }

    // A compression ratio of exactly 0 is missing.
    bool readRatio(std::string_view text, float& ratio) const {
        if (!readNumber(text, ratio))
            return false;
        if (ratio == 0.0f)
            ratio = kEmptyValue;
        return true;
    }

    // The gain: read unless the text is empty, a lone minus, or has a minus sign
    // anywhere but in front.
    bool readGain(const std::string& text) {
        if (text.empty() || text == "-" || text.find('-', 1) != std::string::npos)
            return true;
        return readNumber(text, curve_.gainAt50);
    }

    // An output level as an input level: the level less the gain. A gain so large
    // that the level is lost in the float (1e18 less 50 is 1e18) leaves the threshold
    // missing, as the level shown again would be another one.
    float lessGain(float outputLevel) const {
        const float input = static_cast<float>(static_cast<long double>(outputLevel) -
                                               static_cast<long double>(curve_.gainAt50));
        const long double shownAgain =
            static_cast<long double>(input) + static_cast<long double>(curve_.gainAt50);
        if (std::fabs(shownAgain - static_cast<long double>(outputLevel)) >= 0.5L)
            return kEmptyValue;
        return input;
    }

    // Threshold 1: "i" marks an input level (the default), "o" an output level, which
    // is turned into an input level by taking the gain off.
    bool readThreshold1(const std::string& cellText) {
        std::string text = withoutChars(cellText, "i");
        curve_.threshold1IsOutput = contains(text, 'o') ? 1 : 0;
        text = withoutChars(text, "o");
        if (text.empty())
            return true;
        if (!readLevel(text, curve_.threshold1))
            return false;
        if (curve_.threshold1IsOutput == 1 && present(curve_.threshold1) &&
            present(curve_.gainAt50))
            curve_.threshold1 = lessGain(curve_.threshold1);
        return true;
    }

    // Threshold 2: "x" alone or nothing means the same as threshold 1. An output level
    // is turned into an input level as the rules say.
    bool readThreshold2(const std::string& cellText) {
        if (cellText == "x") {
            curve_.threshold2 = curve_.threshold1;
            return true;
        }
        std::string text = withoutChars(cellText, "xi");
        curve_.threshold2IsOutput = contains(text, 'o') ? 1 : 0;
        text = withoutChars(text, "o");
        if (text.empty()) {
            curve_.threshold2 = curve_.threshold1;
            return true;
        }
        if (!readLevel(text, curve_.threshold2))
            return false;
        if (curve_.threshold2IsOutput == 1 && present(curve_.threshold2) &&
            present(curve_.gainAt50)) {
            // The first segment needs threshold 1 and a rising ratio 1. While either is
            // still missing (the clinician may fill the column in any order) the level
            // is taken less the gain, which shows the typed text again; the curve is
            // incomplete then and neither drawn nor scored.
            const bool onFirstSegment = rules_.threshold2 == OutputThreshold2::OnFirstSegment &&
                                        present(curve_.threshold1) && curve_.ratio1 > 0.0f;
            curve_.threshold2 = onFirstSegment
                                    ? outputToInputThreshold(curve_.threshold1, curve_.gainAt50,
                                                             curve_.ratio1, curve_.threshold2)
                                    : lessGain(curve_.threshold2);
        }
        return true;
    }

    // Ratio 2: "x" alone or nothing means the same as ratio 1.
    bool readRatio2(const std::string& cellText) {
        if (cellText == "x") {
            curve_.ratio2 = curve_.ratio1;
            return true;
        }
        const std::string text = withoutChars(cellText, "x");
        if (text.empty()) {
            curve_.ratio2 = curve_.ratio1;
            return true;
        }
        return readRatio(text, curve_.ratio2);
    }

    Curve& curve_;
    ParameterRules rules_;
};

// The clinician's own curves: threshold 2 typed as an output level is found on the
// curve's first segment.
constexpr ParameterRules kCurveGridRules{NotANumber::Missing, OutputThreshold2::OnFirstSegment};
// The hearing-aid columns are read as the database page stores the entry: an output
// level less the gain. Their texts are the database page's, so the curve drawn is the
// aid's own.
constexpr ParameterRules kAidColumnRules{NotANumber::Missing, OutputThreshold2::LessGain};

bool isAidColumn(int column) {
    return column == 3 || column == 6;
}

void readColumn(const std::string (&column)[kGridRows], const ParameterRules& rules,
                CurveParams& curve) {
    const std::span<const std::string, kCurveParameterRows> cells(column, kCurveParameterRows);
    ParameterReader<CurveParams>(curve, rules).read(cells);
    const bool complete = present(curve.gainAt50) && present(curve.threshold1) &&
                          present(curve.ratio1) && present(curve.threshold2) &&
                          present(curve.ratio2) && present(curve.maxOutput);
    curve.complete = complete ? 1 : 0;
}

// Whether a number shown in a threshold cell reads back as a level (30..130 dB).
bool readsAsLevel(const std::string& shown) {
    const std::optional<float> level = parseGridNumber(shown);
    return level && *level >= kLowestLevel && *level <= kHighestLevel;
}

// A level as a whole number. One that lies within a decibel outside the scale (the
// whole levels of a first segment over a fractional gain, and the swap, put a
// threshold there) would read back as missing and the curve fall apart: it shows as
// the end of the scale it lies next to.
std::string scaleLevelText(double level) {
    if (level >= kLowestLevel - 1 && level < kLowestLevel - 0.5)
        return formatInt(static_cast<long long>(kLowestLevel));
    if (level >= kHighestLevel + 0.5 && level <= kHighestLevel + 1)
        return formatInt(static_cast<long long>(kHighestLevel));
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
    const bool typeable = curve.threshold2 >= kLowestLevel && curve.threshold2 <= kHighestLevel;
    if (curve.threshold2IsOutput != 1 && present(curve.threshold2) && !typeable)
        return "";
    const bool convertible = curve.threshold2IsOutput == 1 && present(curve.threshold2) &&
                             present(curve.threshold1) && present(curve.gainAt50) &&
                             curve.ratio1 > 0.0f;
    // An output level with no first segment yet reads as the level less the gain, as
    // a hearing aid's does. An input level stays one: read with "o" it would be taken
    // on the first segment, another level.
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
    if (output > kHighestLevel || output < kLowestLevel)
        return typeable ? formatSig3(curve.threshold2, 0) : "";
    return formatInt(output) + "o";
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

    // The texts are read back as the page will read them. Threshold 1 as an output
    // level over a gain of 129 dB or more can lie a hair off -99, the missing mark,
    // and its whole number read back as exactly that: it gets the decimals that read
    // back as itself ("40.7o", "40.95o" over a gain of 140.05 shown as 140). It is read
    // back on its own, before threshold 2 can take its place in the swap.
    std::string& threshold1Cell = cells[kRowThreshold1];
    const auto threshold1ReadsBack = [&] {
        std::string alone[kCurveParameterRows];
        std::copy_n(cells, kCurveParameterRows, alone);
        alone[kRowThreshold2].clear();
        CurveParams read{};
        ParameterReader<CurveParams>(read, rules).read(alone);
        return present(read.threshold1);
    };
    if (present(curve.threshold1) && present(curve.gainAt50) && threshold1Cell.ends_with('o') &&
        !threshold1ReadsBack()) {
        const std::string whole = threshold1Cell;
        // The output over the gain as shown, which is what it is read back against.
        const float shownGain = parseGridNumber(cells[kRowGain]).value_or(curve.gainAt50);
        const double output =
            static_cast<double>(curve.threshold1) + static_cast<double>(shownGain);
        bool readsBack = false;
        for (int decimals = 1; decimals <= 6 && !readsBack; ++decimals) {
            threshold1Cell = formatFixed(output, decimals) + "o";
            readsBack = threshold1ReadsBack();
        }
        if (!readsBack)
            threshold1Cell = whole;
    }
    // A threshold 2 shows as the same as threshold 1, with its own mark, which reads
    // back as exactly threshold 1:
    // - when it is at threshold 1's very level but shown in another form (one as an
    //   output level, the other as an input level): its own rounding can read back a
    //   hair off threshold 1, which the swap then turns round at every showing;
    // - when its text would read back as missing while threshold 1 does not: an output
    //   level far along a nearly flat first segment, whose rounded ratio no longer
    //   reaches it, would otherwise take the curve apart.
    if (!present(curve.threshold2))
        return;
    CurveParams read{};
    ParameterReader<CurveParams>(read, rules)
        .read(std::span<const std::string, kCurveParameterRows>(cells, kCurveParameterRows));
    const bool splitsFromThreshold1 =
        curve.threshold2 == curve.threshold1 && read.threshold2 != read.threshold1;
    const bool lost = !present(read.threshold2) && present(read.threshold1);
    if (splitsFromThreshold1 || lost)
        cells[kRowThreshold2] = curve.threshold2IsOutput == 1 ? "o" : "";
}

} // namespace

CurveGrid::CurveGrid() {
    for (int row = 0; row < kGridRows; ++row)
        cell[0][row] = curveGridRowLabels[row];
}

std::optional<float> parseGridNumber(std::string_view text) {
    std::size_t digits = 0;
    std::size_t points = 0;
    const std::size_t start = !text.empty() && text.front() == '-' ? 1 : 0;
    for (std::size_t i = start; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch >= '0' && ch <= '9')
            ++digits;
        else if (ch == '.')
            ++points;
        else
            return std::nullopt;
    }
    if (digits == 0 || points > 1)
        return std::nullopt;
    float value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

namespace {

// A value near -99 rounds to "-99" or "-99.0", the text of a missing value, and would
// be lost once shown and read again: it gets the decimals it needs to read back as
// itself ("-99.4", "-98.5").
std::string notReadAsMissing(float value, std::string text) {
    for (int decimals = 1; decimals < 64 && parseGridNumber(text) == kEmptyValue; ++decimals)
        text = formatFixed(value, decimals);
    return text;
}

// A text that shows the same again once it is read back: the decimals a value near
// -99 gets can round another way the next time ("-99.5" for -99.48 shows as "-100"),
// so such a value shows as where its showings settle.
template <class Form> std::string settled(float value, Form form) {
    std::string text = form(value);
    for (int round = 0; round < 4; ++round) {
        const std::optional<float> shown = parseGridNumber(text);
        if (!shown || *shown == value)
            break;
        std::string again = form(*shown);
        if (again == text)
            break;
        text = std::move(again);
        value = *shown;
    }
    return text;
}

std::string integerText(float value) {
    return notReadAsMissing(value, formatSig3(value, 0));
}

std::string ratioText(float value) {
    // A ratio under 0.05 would show as 0.0, which reads as no ratio at all: it gets
    // the decimals it needs to read back as itself ("0.01").
    std::string text = formatSig3(value, 1);
    if (value == 0.0f || parseGridNumber(text) != 0.0f)
        return notReadAsMissing(value, text);
    // Fewer decimals than its magnitude's leading zeros less one still round to 0:
    // the search starts there.
    const int leadingZeros = static_cast<int>(std::floor(-std::log10(std::fabs(value))));
    for (int decimals = std::clamp(leadingZeros - 1, 2, 63);
         decimals < 64 && parseGridNumber(text) == 0.0f; ++decimals)
        text = formatSig3(value, decimals);
    return text;
}

} // namespace

std::string integerForm(float value) {
    return present(value) ? settled(value, integerText) : "";
}

std::string ratioForm(float value) {
    return present(value) ? settled(value, ratioText) : "";
}

void writeStoredCurve(CurveGrid& grid, int column, const CurveParams& curve) {
    writeStored(grid, column, curve, userThreshold2Text(curve), kCurveGridRules);
}

void writeStoredCurve(CurveGrid& grid, int column, const AidFrequencyData& curve) {
    writeStored(grid, column, curve,
                thresholdText(curve.threshold2, curve.threshold2IsOutput, curve.gainAt50),
                kAidColumnRules);
}

float outputToInputThreshold(float threshold1, float gainAt50, float ratio1, float output) {
    const long long first = truncToInt(threshold1);
    const long double firstOutput =
        truncToInt(static_cast<long double>(threshold1) + static_cast<long double>(gainAt50));
    // A missing or non-positive ratio gives a first segment that never rises: only
    // the first level can reach the entered output then.
    const bool rises = ratio1 > 0.0f;
    const long double slope = rises ? 1.0L / static_cast<long double>(ratio1) : 0.0L;
    long long n = first;
    long double reached = 0;
    while (reached < static_cast<long double>(output)) {
        if (n > first && (!rises || n - first >= kMaxConversionSteps))
            return kEmptyValue;
        const long double steps = truncToInt(static_cast<long double>(n) - threshold1);
        reached = truncToInt(firstOutput + steps * slope);
        ++n;
    }
    return static_cast<float>(n - 1);
}

std::optional<int> readParameterRows(std::span<const std::string, kCurveParameterRows> cells,
                                     CurveParams& curve, ParameterRules rules) {
    return ParameterReader<CurveParams>(curve, rules).read(cells);
}

std::optional<int> readParameterRows(std::span<const std::string, kCurveParameterRows> cells,
                                     AidFrequencyData& curve, ParameterRules rules) {
    return ParameterReader<AidFrequencyData>(curve, rules).read(cells);
}

bool curveCellSelectable(int column, int row) {
    return (column == 2 || column == 5) && row >= kRowGain && row <= kRowMaxOutput;
}

bool curveCellAccepts(int row, char32_t ch) {
    if (row < kRowGain || row > kRowMaxOutput)
        return false;
    if ((ch >= U'0' && ch <= U'9') || ch == U'.' || ch == U'\b')
        return true;
    switch (row) {
    case kRowGain:
        return ch == U'-';
    case kRowThreshold1:
        return ch == U'i' || ch == U'o';
    case kRowThreshold2:
        return ch == U'x' || ch == U'i' || ch == U'o';
    case kRowRatio2:
        return ch == U'x';
    default:
        return false;
    }
}

void readCurves(const CurveGrid& grid, CurveParams (&curves)[kCurveCount]) {
    for (int column = 1; column <= kCurveCount; ++column) {
        readColumn(grid.cell[column], isAidColumn(column) ? kAidColumnRules : kCurveGridRules,
                   curves[column - 1]);
    }
}
