#include "model/inifile.h"

#include "model/fileio.h"
#include "model/safetext.h"

#include <algorithm>
#include <cerrno>
#include <span>
#include <sys/stat.h>

namespace {

constexpr std::string_view kBlanks = " \t\r";

std::string_view trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

bool sameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

bool isQuoted(std::string_view text) {
    return text.size() >= 2 && text.front() == text.back() &&
           (text.front() == '"' || text.front() == '\'');
}

// A value as it reads back: trimmed, then one pair of matching quotes taken off.
std::string readBack(std::string_view written) {
    std::string_view value = trim(written);
    if (isQuoted(value))
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

// A value as written: quoted when trimming or quote removal would change it.
std::string written(std::string_view value) {
    const std::string plain(value);
    if (readBack(plain) == plain)
        return plain;
    return "\"" + plain + "\"";
}

} // namespace

IniFile IniFile::parse(std::string_view text) {
    IniFile file;
    file.endsWithNewline_ = text.empty() || text.back() == '\n';
    std::string section;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view raw = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        Line line{std::string(raw), section, {}, false};
        const std::string_view content = trim(raw);
        if (content.size() >= 2 && content.front() == '[' && content.back() == ']') {
            section = std::string(trim(content.substr(1, content.size() - 2)));
            line.section = section;
            line.isHeader = true;
        } else if (const std::size_t eq = content.find('=');
                   eq != std::string_view::npos && content.front() != ';') {
            line.key = std::string(trim(content.substr(0, eq)));
        }
        file.lines_.push_back(std::move(line));
    }
    return file;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const {
    for (const Line& line : lines_) {
        if (line.isHeader || line.key.empty() || !sameName(line.section, section) ||
            !sameName(line.key, key))
            continue;
        return readBack(line.raw.substr(line.raw.find('=') + 1));
    }
    return std::nullopt;
}

bool IniFile::setValue(std::string_view section, std::string_view key, std::string_view value) {
    if (value.find_first_of("\r\n") != std::string_view::npos)
        return false;
    const std::string text = written(value);

    std::optional<std::size_t> lastOfSection;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        Line& line = lines_[i];
        if (!sameName(line.section, section))
            continue;
        if (!line.isHeader && sameName(line.key, key)) {
            // Keep the key as spelled in the file, and a carriage return if it had one.
            const bool crlf = !line.raw.empty() && line.raw.back() == '\r';
            line.raw = line.key + "=" + text + (crlf ? "\r" : "");
            return true;
        }
        if (line.isHeader || !trim(line.raw).empty())
            lastOfSection = i;
    }
    Line added{std::string(key) + "=" + text, std::string(section), std::string(key), false};
    if (lastOfSection) {
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(*lastOfSection + 1), added);
        return true;
    }
    if (!lines_.empty() && !trim(lines_.back().raw).empty())
        lines_.push_back(Line{"", lines_.back().section, {}, false});
    lines_.push_back(Line{"[" + std::string(section) + "]", std::string(section), {}, true});
    lines_.push_back(added);
    endsWithNewline_ = true;
    return true;
}

std::string IniFile::text() const {
    std::string out;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        out += lines_[i].raw;
        if (i + 1 < lines_.size() || endsWithNewline_)
            out += '\n';
    }
    return out;
}

namespace {

// Anything that is not a regular file or is larger than kLargestSettingsFile is not
// read: a pipe or device named like the file cannot stall start-up.
// The whole file's text; FileError when it is there but cannot be read whole.
std::string readWholeFile(const std::string& path) {
    const std::vector<uint8_t> bytes = readFileHead(path, kLargestSettingsFile);
    if (bytes.size() > kLargestSettingsFile)
        throw FileError("Cannot read file " + quotedPath(path) +
                        ": it is larger than a settings file can be (1 MiB)");
    return std::string(bytes.begin(), bytes.end());
}

bool isMissing(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) != 0 && errno == ENOENT;
}

} // namespace

std::string readProfileString(const std::string& path, std::string_view section,
                              std::string_view key, const std::string& defaultValue) {
    try {
        return IniFile::parse(readWholeFile(path)).value(section, key).value_or(defaultValue);
    } catch (const FileError&) {
        return defaultValue;
    }
}

IniFile readProfileFile(const std::string& path) {
    try {
        return IniFile::parse(readWholeFile(path));
    } catch (const FileError&) {
        return IniFile();
    }
}

void updateProfileFile(const std::string& path, const std::function<bool(IniFile&)>& change) {
    // The file is rewritten from what it holds, so one that cannot be read whole is
    // left as it is: replacing it would throw away every other line in it.
    IniFile file;
    try {
        file = IniFile::parse(readWholeFile(path));
    } catch (const FileError& error) {
        if (!isMissing(path))
            throw FileError(std::string(error.what()) + "; it is left as it was");
    }
    if (!change(file))
        return;
    const std::string text = file.text();
    writeFileAtomically(path,
                        std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
}

void writeProfileString(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
    updateProfileFile(path, [&](IniFile& file) {
        if (!file.setValue(section, key, value))
            throw FileError("Cannot write \"" + std::string(key) + "\" to " + quotedPath(path) +
                            ": the value holds a line break");
        return true;
    });
}
