#include "model/diskchange.h"

#include "model/fileio.h"

#include <algorithm>
#include <sys/stat.h>
#include <vector>

std::optional<std::int64_t> changedOnDisk(const std::string& path,
                                          std::span<const std::uint8_t> known) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    try {
        bytes = readFileHead(path, known.size());
    } catch (const FileError&) {
        return std::nullopt;
    }
    if (std::ranges::equal(bytes, known))
        return std::nullopt;
    return static_cast<std::int64_t>(info.st_mtime);
}
