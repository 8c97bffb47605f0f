#include "pages/loudnesstext.h"

#include "model/numbers.h"

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

int32_t correction(int frequency) {
    if (frequency < 0 || frequency >= kFrequencyCount)
        return 0;
    return hlToSplCorrection[frequency];
}

} // namespace

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

std::string cellTextFromStored(int32_t stored, int frequency, bool showInHL) {
    if (stored == kEmptyLevel)
        return {};
    return formatInt(showInHL ? wrappingAdd(stored, -correction(frequency)) : stored);
}

int32_t storedFromCellText(std::string_view text, int frequency, bool showInHL) {
    const int32_t value = parseCellLevel(text);
    if (value == kEmptyLevel || !showInHL)
        return value;
    return wrappingAdd(value, correction(frequency));
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
