#include "model/recentlist.h"

#include <algorithm>

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

RecentList withRecentFile(RecentList list, const std::string& path) {
    if (!isUsableRecentPath(path))
        return list;
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
        const std::optional<std::string> path = file.value(kRecentSection, recentFileKey(i));
        if (!path || !isUsableRecentPath(*path) ||
            std::find(list.begin(), list.end(), *path) != list.end())
            continue;
        list.push_back(*path);
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
