#include "cli/batchfiles.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

namespace fs = std::filesystem;

namespace {

std::string lowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

bool hasPatientExtension(const fs::path& path) {
    return lowerAscii(path.extension().string()) == ".tav";
}

struct SplitPath {
    std::string folder; // with its trailing "/", or ""
    std::string name;
    std::string stem;
};

SplitPath splitPath(const std::string& relative) {
    const fs::path path(relative);
    const std::string folder = path.parent_path().string();
    return {folder.empty() ? "" : folder + "/", path.filename().string(), path.stem().string()};
}

} // namespace

std::vector<BatchInput> findBatchInputs(const std::string& folder) {
    std::vector<std::string> found;
    std::error_code ec;
    const fs::path root(folder);
    auto it =
        fs::recursive_directory_iterator(root, fs::directory_options::skip_permission_denied, ec);
    for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        if (!hasPatientExtension(it->path()) || it->is_directory(typeError))
            continue;
        found.push_back(it->path().lexically_relative(root).string());
    }
    std::ranges::sort(found);
    const std::vector<std::string> stems = outputStems(found);
    std::vector<BatchInput> inputs;
    inputs.reserve(found.size());
    for (std::size_t i = 0; i < found.size(); ++i)
        inputs.push_back({found[i], stems[i]});
    return inputs;
}

std::vector<std::string> outputStems(const std::vector<std::string>& relativePaths) {
    std::map<std::string, int> sharedStems; // folder + lower-case stem: how many
    std::vector<SplitPath> parts;
    parts.reserve(relativePaths.size());
    for (const std::string& path : relativePaths) {
        parts.push_back(splitPath(path));
        ++sharedStems[parts.back().folder + lowerAscii(parts.back().stem)];
    }
    std::vector<std::string> stems;
    std::set<std::string> taken;
    for (const SplitPath& part : parts) {
        const bool shared = sharedStems[part.folder + lowerAscii(part.stem)] > 1;
        const std::string base = part.folder + (shared ? part.name : part.stem);
        std::string stem = base;
        for (int n = 2; !taken.insert(stem).second; ++n)
            stem = base + "~" + std::to_string(n);
        stems.push_back(stem);
    }
    return stems;
}

std::string pdfPathFor(const std::string& outputStem, Ear ear) {
    return outputStem + (ear == Ear::Right ? "-right.pdf" : "-left.pdf");
}
