// A settings file of sections in brackets and key=value lines. Section and key
// names match without regard to case; blanks around names and values do not count,
// and one pair of matching quotes around a value is taken off. Whatever a value
// holds, writing it and reading it back gives exactly the same text, and every other
// line of the file is kept as it was.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IniFile {
  public:
    IniFile() = default;
    static IniFile parse(std::string_view text);

    // The value of the first such key in the first such section.
    std::optional<std::string> value(std::string_view section, std::string_view key) const;

    // Replaces the key's value, or adds the key to its section, or adds the section
    // at the end. Returns false, changing nothing, for a value that cannot stand on
    // one line (a line break in it).
    bool setValue(std::string_view section, std::string_view key, std::string_view value);

    std::string text() const;

  private:
    struct Line {
        std::string raw;     // the line as in the file, without its line feed
        std::string section; // section it belongs to ("" before the first header)
        std::string key;     // trimmed key of a key=value line, else ""
        bool isHeader = false;
    };
    std::vector<Line> lines_;
    bool endsWithNewline_ = true;
};

// The largest settings file read: a settings file is a few lines.
inline constexpr std::size_t kLargestSettingsFile = 1 << 20;

// Reads one value from the file at path; a missing or unreadable file (or one larger
// than kLargestSettingsFile), section or key gives the default.
std::string readProfileString(const std::string& path, std::string_view section,
                              std::string_view key, const std::string& defaultValue);

// Writes one value into the file at path, creating the file and section if missing.
// The file is replaced atomically; FileError names it and the reason on failure. A
// file that is there but cannot be read whole (unreadable, too large, not a regular
// file) is never replaced: FileError says why and that it was left as it was.
void writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value);

// The whole file; an empty one when it is missing or cannot be read whole.
IniFile readProfileFile(const std::string& path);

// Rewrites the file at path with what change does to it, under the contract of
// writeProfileString. change returns false when it leaves the file alone; then
// nothing is written.
void updateProfileFile(const std::string& path, const std::function<bool(IniFile&)>& change);
