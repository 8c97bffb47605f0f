#include "pages/loudnesstext.h"

#include "model/levelunits.h"
#include "model/numbers.h"
#include "model/predictioncheck.h"

#include <limits>

namespace {

constexpr int kThresholdColumn = 0;
constexpr int kUclColumn = 7;

// The columns the clinician enters while the rest is predicted.
bool isEnteredColumn(int32_t levelSource, int column) {
    if (levelSource == 1)
        return column == kThresholdColumn;
    return column == kThresholdColumn || column == kUclColumn;
}

bool isKnownSource(int32_t levelSource) {
    return levelSource >= 0 && levelSource <= 2;
}

// An optional "-" and digits, as a wide whole number; nothing for any other text or
// for a number far beyond any 32-bit level (a 20-digit string).
std::optional<long long> parseWholeNumber(std::string_view text) {
    const bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    constexpr long long kBeyondAnyLevel = 100'000'000'000LL;
    long long value = 0;
    for (const char ch : text) {
        if (ch < '0' || ch > '9')
            return std::nullopt;
        value = value * 10 + (ch - '0');
        if (value > kBeyondAnyLevel)
            return std::nullopt;
    }
    return negative ? -value : value;
}

bool isWholeNumberText(std::string_view text) {
    if (!text.empty() && text.front() == '-')
        text.remove_prefix(1);
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

} // namespace

LevelRange typedLevelRange(int frequency, bool showInHL) {
    if (showInHL)
        return {kLowestPlausibleLevelHL, kHighestPlausibleLevelHL};
    // In dB SPL the same levels as the record holds them.
    return {static_cast<int32_t>(storedLevel(kLowestPlausibleLevelHL, frequency, true)),
            static_cast<int32_t>(storedLevel(kHighestPlausibleLevelHL, frequency, true))};
}

bool isPlausibleLevel(int32_t stored, int frequency) {
    const long long hl = shownLevel(stored, frequency, true);
    return hl >= kLowestPlausibleLevelHL && hl <= kHighestPlausibleLevelHL;
}

TypedLevelCheck checkTypedLevel(std::string_view text, int frequency, bool showInHL) {
    if (text.empty())
        return {TypedLevel::Empty, kEmptyLevel};
    const std::optional<long long> value = parseWholeNumber(text);
    if (!value)
        return {isWholeNumberText(text) ? TypedLevel::OutOfRange : TypedLevel::NotANumber,
                kEmptyLevel};
    const LevelRange range = typedLevelRange(frequency, showInHL);
    if (*value < range.lowest || *value > range.highest)
        return {TypedLevel::OutOfRange, kEmptyLevel};
    return {TypedLevel::Level, static_cast<int32_t>(storedLevel(*value, frequency, showInHL))};
}

std::string loudnessCellName(const LoudnessCell& cell) {
    const bool known = cell.frequency >= 0 && cell.frequency < kFrequencyCount &&
                       cell.category >= 0 && cell.category < kCategoryCount;
    if (!known)
        return {};
    return earHeading(cell.ear) + ", " + frequencyCaptions[cell.frequency] + ", " +
           categoryNames[cell.category];
}

std::string refusedLevelNote(const LoudnessCell& cell, std::string_view text, TypedLevel kind,
                             bool showInHL) {
    const LevelRange range = typedLevelRange(cell.frequency, showInHL);
    const std::string unit = unitName(showInHL);
    std::string why = kind == TypedLevel::NotANumber
                          ? "\"" + std::string(text) + "\" is not a whole number"
                          : std::string(text) + " " + unit + " is no level an audiometer gives";
    return loudnessCellName(cell) + ": " + why + ". Type a level from " + formatInt(range.lowest) +
           " to " + formatInt(range.highest) + " " + unit + ", or leave the cell empty.";
}

std::string predictedCellNote(const LoudnessCell& cell, int32_t levelSource) {
    const std::string from = levelSource == 2 ? "the threshold and UCL" : "the threshold";
    const std::string type = levelSource == 2 ? "type them" : "type the threshold";
    return loudnessCellName(cell) + " is predicted from " + from + "; " + type +
           " and press \"Predict intermediate levels\".";
}

std::string replaceMeasuredQuestion(const std::vector<int>& frequencies, int32_t levelSource) {
    return "The levels at " + frequencyList(frequencies) + " are " +
           notWhatItPredicts(levelSource) + ". Replace them?";
}

std::string measuredInTheWayNote(Ear ear, int frequency, int32_t levelSource) {
    const bool known = frequency >= 0 && frequency < kFrequencyCount;
    return earHeading(ear) + ", " + (known ? frequencyCaptions[frequency] : "?") +
           ": the levels are " + notWhatItPredicts(levelSource) +
           ", but some count as measured, so they were not predicted again. Press \"Predict "
           "intermediate levels\" to replace them.";
}

int32_t parseCellLevel(std::string_view text) {
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.empty())
        return kEmptyLevel;
    // Accumulate as a negative number so that the most negative 32-bit value fits.
    long long value = 0;
    for (const char ch : text) {
        if (ch < '0' || ch > '9')
            return kEmptyLevel;
        value = value * 10 - (ch - '0');
        if (value < std::numeric_limits<int32_t>::min())
            return kEmptyLevel;
    }
    if (!negative) {
        value = -value;
        if (value > std::numeric_limits<int32_t>::max())
            return kEmptyLevel;
    }
    return static_cast<int32_t>(value);
}

// Both directions work on wide numbers: a level from a file at either end of the
// 32-bit range shows as what it is in dB HL, and that text stores it again.
std::string cellTextFromStored(int32_t stored, int frequency, bool showInHL) {
    if (stored == kEmptyLevel)
        return {};
    return formatInt(shownLevel(stored, frequency, showInHL));
}

int32_t storedFromCellText(std::string_view text, int frequency, bool showInHL) {
    const std::optional<long long> value = parseWholeNumber(text);
    if (!value)
        return kEmptyLevel;
    const long long stored = storedLevel(*value, frequency, showInHL);
    if (stored < std::numeric_limits<int32_t>::min() ||
        stored > std::numeric_limits<int32_t>::max())
        return kEmptyLevel;
    return static_cast<int32_t>(stored);
}

CellShade cellShade(int32_t levelSource, int column) {
    if (!isKnownSource(levelSource))
        return CellShade::Unpainted;
    if (levelSource == 0 || isEnteredColumn(levelSource, column))
        return CellShade::White;
    return CellShade::Grey;
}

bool cellSelectable(int32_t levelSource, int column) {
    if (levelSource != 1 && levelSource != 2)
        return true;
    return isEnteredColumn(levelSource, column);
}

bool isGridCharAccepted(char32_t ch) {
    return (ch >= U'0' && ch <= U'9') || ch == U'-' || ch == 8;
}

std::optional<std::string> dataTypeLabel(Ear ear, int32_t levelSource) {
    const std::string verb = ear == Ear::Right ? "using" : "from";
    switch (levelSource) {
    case 0:
        return "Data manually entered";
    case 1:
        return "All values in gray are predicted " + verb + " THR";
    case 2:
        return "All values in gray are predicted " + verb + " THR and UCL";
    default:
        return std::nullopt;
    }
}

std::optional<std::string> predictionHint(int32_t levelSource) {
    switch (levelSource) {
    case 1:
        return "Use threshold to compute remaining values";
    case 2:
        return "Use threshold and UCL to compute remaining values";
    default:
        return std::nullopt;
    }
}
