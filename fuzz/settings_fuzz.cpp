// A settings file of any bytes, and any value to write into it (before the first NUL
// byte of the input; the file follows it). Reading and writing the file back without
// a change gives the same bytes; a value is refused only when it holds a line break;
// once written it reads back exactly, from the text as it would be saved; and every
// other key of the file keeps the value it had.
#include "fuzz/fuzzsupport.h"
#include "model/inifile.h"

#include <optional>
#include <utility>

namespace {

constexpr const char* kSection = "Information";
constexpr const char* kKey = "DataPath";

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// The (section, key) pairs of a file's key=value lines, as the reader finds them.
std::vector<std::pair<std::string, std::string>> keysOf(std::string_view text) {
    std::vector<std::pair<std::string, std::string>> keys;
    std::string section;
    for (const std::string& raw : fuzz::split(text, '\n')) {
        const std::size_t first = raw.find_first_not_of(" \t\r");
        if (first == std::string::npos)
            continue;
        const std::size_t last = raw.find_last_not_of(" \t\r");
        const std::string content = raw.substr(first, last - first + 1);
        if (content.size() >= 2 && content.front() == '[' && content.back() == ']') {
            const std::string inner = content.substr(1, content.size() - 2);
            const std::size_t a = inner.find_first_not_of(" \t\r");
            const std::size_t b = inner.find_last_not_of(" \t\r");
            section = a == std::string::npos ? "" : inner.substr(a, b - a + 1);
        } else if (const std::size_t eq = content.find('=');
                   eq != std::string::npos && content.front() != ';') {
            const std::string key = content.substr(0, eq);
            const std::size_t b = key.find_last_not_of(" \t\r");
            keys.emplace_back(section, b == std::string::npos ? "" : key.substr(0, b + 1));
        }
    }
    return keys;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view input = fuzz::asText(data, size);
    const std::size_t nul = input.find('\0');
    const std::string_view value = input.substr(0, nul);
    const std::string_view text = nul == std::string_view::npos ? "" : input.substr(nul + 1);

    const IniFile original = IniFile::parse(text);
    FUZZ_CHECK(original.text() == text);

    IniFile changed = original;
    const bool written = changed.setValue(kSection, kKey, value);
    FUZZ_CHECK(written == (value.find_first_of("\r\n") == std::string_view::npos));
    if (!written) {
        FUZZ_CHECK(changed.text() == text);
        return 0;
    }
    const std::string saved = changed.text();
    const IniFile reread = IniFile::parse(saved);
    FUZZ_CHECK(reread.value(kSection, kKey) == std::optional<std::string>(value));
    for (const auto& [section, key] : keysOf(text)) {
        if (sameName(section, kSection) && sameName(key, kKey))
            continue;
        FUZZ_CHECK(reread.value(section, key) == original.value(section, key));
    }
    return 0;
}
