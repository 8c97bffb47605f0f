#include "curves/gridnumber.h"

#include "model/fittingrecord.h"
#include "model/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

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

bool present(float value) {
    return value != kEmptyValue;
}

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
