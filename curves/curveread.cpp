#include "curves/curveread.h"

#include "curves/gridnumber.h"
#include "model/numbers.h"

#include <cmath>
#include <string_view>
#include <utility>

namespace {

// How many input levels the output-to-input conversion of threshold 2 tries before
// it gives up. Any ratio a clinician would type reaches the entered level long
// before; a ratio such as 99999999 would otherwise count for minutes.
constexpr long long kMaxConversionSteps = 100000;

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

} // namespace

float outputLessGain(float output, float gainAt50) {
    const float input =
        static_cast<float>(static_cast<long double>(output) - static_cast<long double>(gainAt50));
    const long double shownAgain =
        static_cast<long double>(input) + static_cast<long double>(gainAt50);
    if (std::fabs(shownAgain - static_cast<long double>(output)) >= 0.5L)
        return kEmptyValue;
    return input;
}

bool hasFirstSegment(float threshold1, float ratio1) {
    return present(threshold1) && ratio1 > 0.0f;
}

namespace {

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
        if (rules_.wrongOrder == WrongOrder::Exchanged && curve_.threshold1 > curve_.threshold2 &&
            present(curve_.threshold2)) {
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
        if (level < kLowestGridLevel || level > kHighestGridLevel)
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

    float lessGain(float outputLevel) const { return outputLessGain(outputLevel, curve_.gainAt50); }

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
        if (curve_.threshold2IsOutput != 1 || !present(curve_.threshold2) ||
            !present(curve_.gainAt50))
            return true;
        if (rules_.threshold2 == OutputThreshold2::LessGain) {
            curve_.threshold2 = lessGain(curve_.threshold2);
            return true;
        }
        // The first segment needs threshold 1 and a rising ratio 1. While either is
        // missing (the clinician may fill the column in any order) the level cannot be
        // placed and stays missing: the curve is incomplete, and no exchange of the
        // stages makes a curve of it that nobody typed.
        curve_.threshold2 = hasFirstSegment(curve_.threshold1, curve_.ratio1)
                                ? outputToInputThreshold(curve_.threshold1, curve_.gainAt50,
                                                         curve_.ratio1, curve_.threshold2)
                                : kEmptyValue;
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

} // namespace

namespace {

// What a text that the reading would not use gets: named and read as missing, or
// refused where the clinician types a curve of their own.
enum class Unused { Dropped, Refused };

EntryJudgement noNumber(const std::string& text, Unused unused) {
    if (unused == Unused::Refused)
        return {EntryVerdict::Refused,
                "\"" + text + "\" is no number: correct it or empty the cell."};
    return {EntryVerdict::NoNumber, "\"" + text + "\" is no number and is not used."};
}

// A threshold or maximum output as typed: outside 30..130 dB it reads as missing.
EntryJudgement judgeLevel(const std::string& number, Unused unused) {
    const std::optional<float> level = parseGridNumber(number);
    if (!level)
        return noNumber(number, unused);
    if (*level >= kLowestGridLevel && *level <= kHighestGridLevel)
        return {};
    if (unused == Unused::Refused)
        return {EntryVerdict::Refused,
                number + " dB is outside the scale: type a level from 30 to 130 dB."};
    return {EntryVerdict::Dropped, number + " is outside 30 to 130 dB and is not used."};
}

EntryJudgement judgeRatio(const std::string& number, Unused unused) {
    const std::optional<float> ratio = parseGridNumber(number);
    if (!ratio)
        return noNumber(number, unused);
    if (*ratio < kLowestTypedRatio || *ratio > kHighestTypedRatio)
        return {EntryVerdict::Refused,
                number + " is a ratio no hearing aid has: type one from 0.1 to 20."};
    return {};
}

EntryJudgement judgeGain(const std::string& text, Unused unused) {
    if (text.empty())
        return {};
    // Read as missing, as the gain's minus sign stands only in front.
    if (text == "-" || text.find('-', 1) != std::string::npos) {
        return unused == Unused::Refused
                   ? noNumber(text, unused)
                   : EntryJudgement{EntryVerdict::Dropped,
                                    "\"" + text + "\" is no number and is not used."};
    }
    const std::optional<float> gain = parseGridNumber(text);
    if (!gain)
        return noNumber(text, unused);
    if (*gain < kLowestTypedGain || *gain > kHighestTypedGain)
        return {EntryVerdict::Refused,
                text + " dB is a gain no hearing aid has: type one from -20 to 90 dB."};
    return {};
}

EntryJudgement judgeText(int row, std::string_view cell, Unused unused) {
    const std::string text = withoutChars(cell, " ");
    switch (row) {
    case kRowGain:
        return judgeGain(text, unused);
    case kRowThreshold1:
        return text.find_first_not_of("io") == std::string::npos
                   ? EntryJudgement{}
                   : judgeLevel(withoutChars(text, "io"), unused);
    case kRowRatio1:
        return text.empty() ? EntryJudgement{} : judgeRatio(text, unused);
    case kRowThreshold2:
        return readsAsFirstStage(row, text) ? EntryJudgement{}
                                            : judgeLevel(withoutChars(text, "xio"), unused);
    case kRowRatio2:
        return readsAsFirstStage(row, text) ? EntryJudgement{}
                                            : judgeRatio(withoutChars(text, "x"), unused);
    case kRowMaxOutput:
        return text.empty() ? EntryJudgement{} : judgeLevel(text, unused);
    default:
        return {};
    }
}

} // namespace

EntryJudgement judgeParameterText(int row, std::string_view cell) {
    return judgeText(row, cell, Unused::Dropped);
}

EntryJudgement judgeTypedCurveText(int row, std::string_view cell) {
    return judgeText(row, cell, Unused::Refused);
}

bool readsAsFirstStage(int row, std::string_view cell) {
    const std::string text = withoutChars(cell, " ");
    if (row == kRowThreshold2)
        return text == "x" || withoutChars(text, "xio").empty();
    if (row == kRowRatio2)
        return text == "x" || withoutChars(text, "x").empty();
    return false;
}

std::vector<JudgedCell> cellsNotKept(std::span<const std::string, kCurveParameterRows> cells) {
    std::vector<JudgedCell> notKept;
    for (int row = 0; row < kCurveParameterRows; ++row) {
        EntryJudgement judgement = judgeParameterText(row, cells[row]);
        if (judgement.verdict != EntryVerdict::Kept)
            notKept.push_back({row, std::move(judgement)});
    }
    return notKept;
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

void readCurves(const CurveGrid& grid, CurveParams (&curves)[kCurveCount]) {
    for (int column = 1; column <= kCurveCount; ++column) {
        readColumn(grid.cell[column], isAidColumn(column) ? kAidColumnRules : kCurveGridRules,
                   curves[column - 1]);
    }
}
