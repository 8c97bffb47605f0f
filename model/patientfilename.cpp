#include "model/patientfilename.h"

#include "model/textslot.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kLastNumber = 999;

bool isLatin1Letter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
           (c >= 0xC0 && c != 0xD7 && c != 0xF7);
}

// Capitals of Latin-1: ß and ÿ have none in Latin-1 and stay.
unsigned char latin1Upper(unsigned char c) {
    if (c >= 'a' && c <= 'z')
        return static_cast<unsigned char>(c - 'a' + 'A');
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<unsigned char>(c - 0x20);
    return c;
}

bool isKept(unsigned char c) {
    return isLatin1Letter(c) || (c >= '0' && c <= '9') || c == '-' || c == '\'' || c == '_';
}

// The kept characters in capitals, words parted by one space, nothing at either end
// but a letter or a digit.
std::string fileNameStem(std::string_view lastName) {
    std::string stem;
    for (const char ch : lastName) {
        const auto c = static_cast<unsigned char>(ch);
        if (isKept(c))
            stem += static_cast<char>(latin1Upper(c));
        else if (!stem.empty() && stem.back() != ' ')
            stem += ' ';
    }
    const auto isEdge = [](char c) { return c == ' ' || c == '-' || c == '\'' || c == '_'; };
    while (!stem.empty() && isEdge(stem.back()))
        stem.pop_back();
    const auto first = std::find_if_not(stem.begin(), stem.end(), isEdge);
    return std::string(first, stem.end());
}

// A name in one case for comparing: ASCII letters and the two-byte UTF-8 forms of the
// Latin-1 letters à to þ become capitals.
std::string folded(std::string_view name) {
    std::string text(name);
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<unsigned char>(text[i]);
        if (c >= 'a' && c <= 'z') {
            text[i] = static_cast<char>(c - 'a' + 'A');
        } else if (c == 0xC3 && i + 1 < text.size()) {
            c = static_cast<unsigned char>(text[i + 1]);
            if (c >= 0xA0 && c <= 0xBE && c != 0xB7)
                text[i + 1] = static_cast<char>(c - 0x20);
            ++i;
        }
    }
    return text;
}

// Names that a file cannot have on a shared folder's other system, whatever follows
// the dot.
bool isDeviceName(const std::string& stem) {
    static constexpr std::array<std::string_view, 4> plain{"CON", "PRN", "AUX", "NUL"};
    if (std::find(plain.begin(), plain.end(), stem) != plain.end())
        return true;
    return stem.size() == 4 && (stem.starts_with("COM") || stem.starts_with("LPT")) &&
           stem[3] >= '1' && stem[3] <= '9';
}

} // namespace

std::string proposedPatientFileName(std::string_view lastName,
                                    const std::vector<std::string>& taken) {
    const std::string stem = fileNameStem(lastName);
    if (stem.empty())
        return {};
    std::vector<std::string> names;
    names.reserve(taken.size());
    for (const std::string& name : taken)
        names.push_back(folded(name));
    const auto isFree = [&names](const std::string& name) {
        return std::find(names.begin(), names.end(), folded(name)) == names.end();
    };
    const std::string utf8Stem = latin1ToUtf8(stem);
    if (!isDeviceName(stem) && isFree(utf8Stem + ".TAV"))
        return utf8Stem + ".TAV";
    for (int number = 2; number <= kLastNumber; ++number) {
        const std::string name = utf8Stem + '-' + std::to_string(number) + ".TAV";
        if (isFree(name))
            return name;
    }
    return {};
}
