// The README and the developer guide, read as a newcomer follows them on a fresh
// clone: every link leads to a file (and a guide topic) that is there, every target
// they build is made by the build they configure, and the README's tavik-cli examples
// run on the sample patients.
#include "model/helpfile.h"
#include "testsupport/clirun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kRoot = TAVIK_SOURCE_DIR;
const char* const kDocs[] = {"README.md", "CONTRIBUTING.md"};

std::string sourceText(const fs::path& relative) {
    return readTextFile((kRoot / relative).string());
}

// The lines of the fenced code blocks of a Markdown text, each joined to one command.
std::vector<std::string> commandLines(const std::string& markdown) {
    std::vector<std::string> lines;
    std::istringstream in(markdown);
    std::string line;
    bool inBlock = false;
    while (std::getline(in, line)) {
        const std::size_t start = line.find_first_not_of(' ');
        const std::string text = start == std::string::npos ? "" : line.substr(start);
        if (text.starts_with("```"))
            inBlock = !inBlock;
        else if (inBlock && !text.empty())
            lines.push_back(text);
    }
    return lines;
}

std::vector<std::string> words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> result;
    for (std::string word; in >> word;)
        result.push_back(word);
    return result;
}

TEST(Docs, EveryLinkLeadsToAFileThatIsThereAndEveryGuideLinkToATopic) {
    static const std::regex link(R"(\]\(([^)#\s]+)(#([^)\s]+))?\))");
    const std::string guide = sourceText("app/help/TAVIK.HLP");
    int checked = 0;
    for (const char* doc : kDocs) {
        const std::string text = sourceText(doc);
        for (auto it = std::sregex_iterator(text.begin(), text.end(), link);
             it != std::sregex_iterator(); ++it, ++checked) {
            const std::string target = (*it)[1];
            if (target.starts_with("http"))
                continue;
            EXPECT_TRUE(fs::exists(kRoot / target)) << doc << ": " << target;
            if ((*it)[3].matched) {
                EXPECT_TRUE(helpHasTopic(guide, (*it)[3])) << doc << ": " << (*it)[0];
            }
        }
    }
    EXPECT_GT(checked, 10);
}

// The copy a browser opens is the program's guide itself, not a copy that could drift.
TEST(Docs, TheGuideInDocsIsTheFileTheProgramShows) {
    ASSERT_TRUE(fs::is_symlink(kRoot / "docs/guide.html"));
    EXPECT_TRUE(fs::equivalent(kRoot / "docs/guide.html", kRoot / "app/help/TAVIK.HLP"));
}

// Every target a document builds with `ninja -C DIR` is one the build makes, and the
// `cmake -B DIR` line that configures DIR does not switch off what it needs.
TEST(Docs, EveryTargetBuiltIsMadeByTheBuildTheDocumentConfigures) {
    std::set<std::string> targets;
    static const std::regex defined(R"(add_(?:executable|library)\(([A-Za-z0-9_-]+))");
    for (const auto& entry : fs::recursive_directory_iterator(kRoot)) {
        if (entry.path().filename() != "CMakeLists.txt" ||
            fs::relative(entry.path(), kRoot).string().starts_with("build"))
            continue;
        const std::string text = readTextFile(entry.path().string());
        for (auto it = std::sregex_iterator(text.begin(), text.end(), defined);
             it != std::sregex_iterator(); ++it)
            targets.insert((*it)[1]);
    }
    // What a target needs of the options (name ending or name: option not off).
    const std::map<std::string, std::vector<std::string>> needs = {
        {"_tests", {"TAVIK_BUILD_TESTS"}},
        {"_bench", {"TAVIK_BUILD_BENCHMARKS"}},
        {"tavik", {"TAVIK_BUILD_UI"}},
        {"tavik_ui_tests", {"TAVIK_BUILD_UI", "TAVIK_BUILD_TESTS"}},
        {"tavik_graphs_bench", {"TAVIK_BUILD_UI", "TAVIK_BUILD_BENCHMARKS"}},
        {"tavik_patientlist_bench", {"TAVIK_BUILD_UI", "TAVIK_BUILD_BENCHMARKS"}},
        {"tavik_startup_bench", {"TAVIK_BUILD_UI", "TAVIK_BUILD_BENCHMARKS"}},
    };
    int built = 0;
    for (const char* doc : kDocs) {
        std::map<std::string, std::string> configured; // build folder: its cmake line
        for (const std::string& line : commandLines(sourceText(doc))) {
            const std::vector<std::string> w = words(line);
            if (w.size() > 4 && w[0] == "cmake" && w[1] == "-S")
                configured[w[4]] = line;
            if (w.size() < 4 || w[0] != "ninja" || w[1] != "-C")
                continue;
            ASSERT_TRUE(configured.count(w[2])) << doc << ": " << w[2] << " is not configured";
            for (std::size_t i = 3; i < w.size(); ++i, ++built) {
                EXPECT_TRUE(targets.count(w[i])) << doc << ": unknown target " << w[i];
                for (const auto& [pattern, options] : needs) {
                    if (w[i] != pattern && !(pattern[0] == '_' && w[i].ends_with(pattern)))
                        continue;
                    for (const std::string& option : options)
                        EXPECT_EQ(configured[w[2]].find("-D" + option + "=OFF"), std::string::npos)
                            << doc << ": " << w[i] << " needs " << option;
                }
            }
        }
    }
    EXPECT_GE(built, 8);
}

#ifdef TAVIK_CLI_HAS_GRAPHICS
// The README's tavik-cli examples, run as written from the top of a clone (here a
// scratch folder that holds the clone's docs/), with what they write to /tmp kept in
// the scratch folder.
TEST(Docs, TheReadmesToolExamplesRunOnTheSamplePatients) {
    TempDir clone;
    fs::create_directory_symlink(kRoot / "docs", clone.path() / "docs");
    int run = 0;
    for (const std::string& line : commandLines(sourceText("README.md"))) {
        std::vector<std::string> args = words(line);
        if (args.empty() || args[0] != "build/tavik-cli")
            continue;
        std::string command = "cd " + shellQuoted(clone.path().string()) + " &&";
        command += " " + shellQuoted(TAVIK_CLI_PATH);
        for (std::size_t i = 1; i < args.size(); ++i) {
            if (args[i].starts_with("/tmp/"))
                args[i] = clone.file(args[i].substr(5));
            command += " " + shellQuoted(args[i]);
        }
        command += " >/dev/null 2>" + shellQuoted(clone.file("err"));
        EXPECT_EQ(std::system(command.c_str()), 0) << line << "\n"
                                                   << readTextFile(clone.file("err"));
        ++run;
    }
    EXPECT_GE(run, 5);
    EXPECT_TRUE(fs::exists(clone.file("NOVAK-left.pdf")));
    EXPECT_TRUE(fs::exists(clone.file("tavik-reports/MULLER-right.pdf")));
}
#endif

} // namespace
