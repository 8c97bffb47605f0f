#include "model/numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>

int32_t truncToInt(long double value) {
    if (std::isnan(value))
        return 0;
    if (value >= 2147483647.0L)
        return std::numeric_limits<int32_t>::max();
    if (value <= -2147483648.0L)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

int32_t clampToInt32(long long value) {
    return static_cast<int32_t>(std::clamp<long long>(value, std::numeric_limits<int32_t>::min(),
                                                      std::numeric_limits<int32_t>::max()));
}

int32_t wrappingAdd(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

int32_t roundHalfUp(long double value) {
    return truncToInt(value + 0.5L);
}

namespace {

// Adds one unit at digit position `pos` of a string of decimal digits, carrying left.
// Returns true when the carry runs off the front (999 + 1).
bool incrementDigits(std::string& digits, std::size_t pos) {
    for (std::size_t i = pos + 1; i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return false;
        }
        digits[i] = '0';
    }
    return true;
}

// The exact value rounded once, half away from zero, at the last printed decimal or,
// when significantDigits > 0, at that significant digit if it is coarser; printed
// with exactly `decimals` decimals. Zero never carries a minus sign.
std::string formatRounded(double value, int decimals, int significantDigits) {
    if (!std::isfinite(value))
        return "";
    if (decimals < 0)
        decimals = 0;
    // The exact decimal expansion of the value. A double is an integer of 53 bits times
    // 2^(e - 53), so it has at most 53 - e fractional digits, and never more than 1074
    // (a float at most 149); asking for that many prints it exactly, unrounded.
    std::array<char, 1500> buffer;
    const double magnitude = std::fabs(value);
    int exponent = 0;
    std::frexp(magnitude, &exponent);
    const int fractionDigits = std::clamp(53 - exponent, 1, 1074);
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                   std::chars_format::fixed, fractionDigits);
    if (ec != std::errc())
        return "";
    const auto length = static_cast<std::size_t>(end - buffer.data());
    const std::size_t point = std::string_view(buffer.data(), length).find('.');
    const int intDigits = static_cast<int>(point);
    // The digits without the point: the fraction moves one place to the left.
    std::memmove(buffer.data() + point, buffer.data() + point + 1, length - point - 1);
    const std::string_view digits(buffer.data(), length - 1);

    // Position (index into digits) of the last digit kept.
    const std::size_t firstSignificant = digits.find_first_not_of('0');
    int keep = intDigits - 1 + decimals; // last printed decimal
    if (significantDigits > 0 && firstSignificant != std::string_view::npos)
        keep = std::min(keep, static_cast<int>(firstSignificant) + significantDigits - 1);

    // keep >= 0: the last printed decimal lies at or right of the units digit.
    const auto k = static_cast<std::size_t>(keep);
    std::string kept(digits.substr(0, k + 1));
    int keptIntDigits = intDigits;
    if (k + 1 < digits.size() && digits[k + 1] >= '5' && incrementDigits(kept, k)) {
        kept.insert(kept.begin(), '1');
        ++keptIntDigits;
    }
    // Digits after the rounding place print as zeros.
    const auto wholeDigits = static_cast<std::size_t>(keptIntDigits);
    kept.resize(wholeDigits + static_cast<std::size_t>(decimals), '0');
    // Leading zeros of the whole part go, all but the units digit.
    std::size_t lead = 0;
    while (lead + 1 < wholeDigits && kept[lead] == '0')
        ++lead;
    const bool isZero = kept.find_first_not_of('0') == std::string::npos;
    std::string result;
    result.reserve(kept.size() + 2);
    if (value < 0 && !isZero)
        result += '-';
    result.append(kept, lead, wholeDigits - lead);
    if (decimals > 0) {
        result += '.';
        result.append(kept, wholeDigits);
    }
    return result;
}

} // namespace

std::string formatSig3(double value, int decimals) {
    return formatRounded(value, decimals, 3);
}

std::string formatFixed(double value, int decimals) {
    return formatRounded(value, decimals, 0);
}

std::string formatInt(long long value) {
    return std::to_string(value);
}

std::string shortestFloat(float value) {
    if (!std::isfinite(value))
        return "null";
    std::array<char, 64> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
    return ec == std::errc() ? std::string(buffer.data(), end) : "null";
}
