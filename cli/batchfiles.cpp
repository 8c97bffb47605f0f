#include "cli/batchfiles.h"

#include "model/patienthistory.h"
#include "model/safetext.h"

#include <algorithm>
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

// The Latin-1 capitals À to Þ, less ×, whose small letters lie 0x20 above them.
bool isLatin1Capital(unsigned char c) {
    return c >= 0xc0 && c <= 0xde && c != 0xd7;
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

std::vector<BatchInput> namedInputs(std::vector<std::string> found) {
    std::ranges::sort(found);
    const std::vector<std::string> stems = outputStems(found);
    std::vector<BatchInput> inputs;
    inputs.reserve(found.size());
    for (std::size_t i = 0; i < found.size(); ++i)
        inputs.push_back({found[i], stems[i]});
    return inputs;
}

} // namespace

std::vector<FolderEntry> listFolder(const fs::path& folder, std::error_code& ec) {
    std::vector<FolderEntry> entries;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        EntryKind kind = EntryKind::Other;
        if (it->is_symlink(typeError))
            kind = it->is_directory(typeError) ? EntryKind::LinkToFolder : EntryKind::Other;
        else if (it->is_directory(typeError))
            kind = EntryKind::Folder;
        entries.push_back({it->path().filename().string(), kind});
    }
    return entries;
}

BatchFinding findBatchInputs(const std::string& folder, const FolderLister& list) {
    const FolderLister lister = list ? list : FolderLister(listFolder);
    const fs::path root(folder);
    BatchFinding finding;
    std::vector<std::string> found;
    std::vector<fs::path> pending{fs::path()}; // from the root; a stack, not recursion
    while (!pending.empty()) {
        const fs::path relative = pending.back();
        pending.pop_back();
        std::error_code ec;
        const auto entries = lister(relative.empty() ? root : root / relative, ec);
        if (ec)
            finding.failures.push_back({relative.empty() ? "." : relative.string(), ec.message()});
        for (const FolderEntry& entry : entries) {
            const fs::path path = relative / entry.name;
            if (entry.kind == EntryKind::Folder && !isHistoryFolderName(entry.name))
                pending.push_back(path);
            else if (entry.kind == EntryKind::Other && hasPatientExtension(path))
                found.push_back(path.string());
        }
    }
    std::ranges::sort(finding.failures, {}, &FolderFailure::relativePath);
    finding.inputs = namedInputs(std::move(found));
    return finding;
}

std::string foldedName(std::string_view name) {
    std::string folded(name);
    for (std::size_t i = 0; i < folded.size();) {
        const auto byte = static_cast<unsigned char>(folded[i]);
        const std::size_t length = byte < 0x80 ? 1 : utf8Length(folded, i);
        if (length == 0) {
            // A single Latin-1 byte.
            if (isLatin1Capital(byte))
                folded[i] = static_cast<char>(byte + 0x20);
            ++i;
            continue;
        }
        if (byte >= 'A' && byte <= 'Z')
            folded[i] = static_cast<char>(byte + 0x20);
        // À to Þ are C3 80 to C3 9E in UTF-8; their small letters C3 A0 to C3 BE.
        const auto second = length == 2 ? static_cast<unsigned char>(folded[i + 1]) : 0;
        if (byte == 0xc3 && isLatin1Capital(static_cast<unsigned char>(second + 0x40)))
            folded[i + 1] = static_cast<char>(second + 0x20);
        i += length;
    }
    return folded;
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
    std::set<std::string> taken; // folded, as a folder that ignores case sees them
    for (const SplitPath& part : parts) {
        const bool shared = sharedStems[part.folder + lowerAscii(part.stem)] > 1;
        const std::string base = part.folder + (shared ? part.name : part.stem);
        std::string stem = base;
        for (int n = 2; !taken.insert(foldedName(stem)).second; ++n)
            stem = base + "~" + std::to_string(n);
        stems.push_back(stem);
    }
    return stems;
}

std::string pdfPathFor(const std::string& outputStem, Ear ear) {
    return outputStem + (ear == Ear::Right ? "-right.pdf" : "-left.pdf");
}
