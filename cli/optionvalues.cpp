#include "cli/optionvalues.h"

#include <charconv>

std::optional<int> parseWholeNumber(std::string_view text, int lowest, int highest) {
    // from_chars takes a leading minus, which no option value here has.
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return std::nullopt;
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

std::optional<std::array<bool, kReportChoiceCount>> parseCurveKinds(std::string_view text) {
    std::array<bool, kReportChoiceCount> ticked{false, false, false};
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        bool known = false;
        for (std::size_t k = 0; k < kCurveKindNames.size(); ++k) {
            if (item == kCurveKindNames[k] && !ticked[k]) {
                ticked[k] = true;
                known = true;
            }
        }
        if (!known)
            return std::nullopt;
        if (comma == std::string_view::npos)
            return ticked;
        text.remove_prefix(comma + 1);
    }
}
