// The source folders form layers: a folder includes headers only from the folders
// below it, so that no two folders include each other and each layer can be built,
// tested and understood without the ones above it. Every source file outside the
// tests is read and each of its includes of another folder checked against the
// layer table.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Each folder with the folders it may include from. cli/ sits beside app/: both use
// the layers below and neither uses the other.
const std::map<std::string, std::set<std::string>> kMayInclude = {
    {"model", {}},
    {"platform", {"model"}},
    {"controls", {"model", "platform"}},
    {"artwork", {"model", "platform"}},
    {"curves", {"model", "platform", "controls", "artwork"}},
    {"pages", {"model", "platform", "controls", "artwork", "curves"}},
    {"report", {"model", "platform", "controls", "artwork", "curves"}},
    {"overview", {"model", "platform", "controls", "artwork", "curves", "pages"}},
    {"app", {"model", "platform", "controls", "artwork", "curves", "pages", "report", "overview"}},
    {"cli", {"model", "platform", "curves", "pages", "report", "overview"}},
};

struct Include {
    std::string file;
    std::string header;
};

std::vector<Include> crossFolderIncludes(const fs::path& root, const std::string& folder) {
    static const std::regex quoted(R"re(^\s*#\s*include\s*"([a-z]+)/[^"]+")re");
    std::vector<Include> found;
    for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".cpp" && ext != ".h")
            continue;
        std::ifstream in(entry.path());
        std::string line;
        std::smatch match;
        while (std::getline(in, line)) {
            if (std::regex_search(line, match, quoted) && match[1] != folder)
                found.push_back({fs::relative(entry.path(), root).string(), line});
        }
    }
    return found;
}

TEST(Layering, EachFolderIncludesOnlyTheLayersBelowIt) {
    const fs::path root = TAVIK_SOURCE_DIR;
    static const std::regex folderOf(R"re("([a-z]+)/)re");
    int checked = 0;
    for (const auto& [folder, allowed] : kMayInclude) {
        ASSERT_TRUE(fs::is_directory(root / folder)) << folder;
        for (const Include& include : crossFolderIncludes(root, folder)) {
            std::smatch match;
            ASSERT_TRUE(std::regex_search(include.header, match, folderOf));
            EXPECT_TRUE(allowed.count(match[1])) << include.file << ": " << include.header;
            ++checked;
        }
    }
    // The check saw the includes it is about (the pages and the window use the model).
    EXPECT_GT(checked, 50);
}

TEST(Layering, EverySourceFolderHasItsLayer) {
    const std::set<std::string> notLayers = {"tests",   "bench", "fuzz", "dist",
                                             "scripts", "docs",  ".ci"};
    for (const auto& entry : fs::directory_iterator(TAVIK_SOURCE_DIR)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_directory() || name.starts_with("build") || name.starts_with(".git") ||
            notLayers.count(name))
            continue;
        EXPECT_TRUE(kMayInclude.count(name)) << name << "/ is in no layer";
    }
}

} // namespace
