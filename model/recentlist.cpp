#include "model/recentlist.h"

#include <algorithm>
#include <filesystem>

namespace {

// The longest path the system hands to a file call.
constexpr std::size_t kLongestPath = 4095;

} // namespace

bool isUsableRecentPath(std::string_view path) {
    if (path.empty() || path.front() != '/' || path.size() > kLongestPath)
        return false;
    return std::none_of(path.begin(), path.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7f;
    });
}

namespace {

// The path with "." and ".." steps and doubled slashes taken out, so that two
// spellings of one file make one entry.
std::string normalPath(const std::string& path) {
    return std::filesystem::path(path).lexically_normal().string();
}

} // namespace

RecentList withRecentFile(RecentList list, const std::string& given) {
    if (!isUsableRecentPath(given))
        return list;
    const std::string path = normalPath(given);
    std::erase(list, path);
    list.insert(list.begin(), path);
    if (list.size() > kRecentFilesLimit)
        list.resize(kRecentFilesLimit);
    return list;
}

std::string recentFileKey(std::size_t index) {
    return "File" + std::to_string(index + 1);
}

RecentList recentFilesIn(const IniFile& file) {
    RecentList list;
    for (std::size_t i = 0; i < kRecentFilesLimit; ++i) {
        const std::optional<std::string> value = file.value(kRecentSection, recentFileKey(i));
        if (!value || !isUsableRecentPath(*value))
            continue;
        const std::string path = normalPath(*value);
        if (std::find(list.begin(), list.end(), path) == list.end())
            list.push_back(path);
    }
    return list;
}

bool putRecentFiles(IniFile& file, const RecentList& list) {
    bool changed = false;
    for (std::size_t i = 0; i < kRecentFilesLimit; ++i) {
        const std::string key = recentFileKey(i);
        const std::optional<std::string> present = file.value(kRecentSection, key);
        const std::string wanted = i < list.size() ? list[i] : std::string();
        if (present ? *present == wanted : wanted.empty())
            continue;
        changed = file.setValue(kRecentSection, key, wanted) || changed;
    }
    return changed;
}
