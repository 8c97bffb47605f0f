// The help file without a window: how a topic is found, how a file that cannot be
// read is reported, and the guide that ships with TAVIK.
#include "model/helpfile.h"
#include "testsupport/testfiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

namespace {

std::string textOf(const std::string& path) {
    const auto bytes = readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

std::string shippedGuide() {
    return textOf(std::string(TAVIK_TEST_DATA_DIR) + "/../../app/help/TAVIK.HLP");
}

TEST(HelpFile, ATopicIsANamedAnchorOrAnIdNotALinkOrALongerName) {
    const struct {
        const char* html;
        bool has1031;
    } cases[] = {
        {R"(<a name="1031"></a><h2>Curves</h2>)", true},
        {R"(<h2 id="1031">Curves</h2>)", true},
        {R"(<a name="10311"></a>)", false},
        {R"(<a href="#1031">the curve page</a>)", false},
        {"<p>Press F1 for topic 1031.</p>", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(helpHasTopic(c.html, "1031"), c.has1031) << c.html;
    EXPECT_FALSE(helpHasTopic(R"(<a name=""></a>)", ""));
}

TEST(HelpFile, AFileThatCannotBeReadIsReportedWithItsPathAndTheReason) {
    TempDir dir;
    const std::string missing = dir.file("TAVIK.HLP");
    const std::string folder = dir.file("folder");
    std::filesystem::create_directory(folder);
    const std::string empty = dir.file("empty.HLP");
    writeBytes(empty, {});
    const struct {
        std::string path;
        const char* reason;
    } cases[] = {
        {missing, "No such file or directory"},
        {folder, "Is a directory"},
        {empty, "is empty"},
    };
    for (const auto& c : cases) {
        const HelpFileText file = readHelpFile(c.path);
        EXPECT_FALSE(file.ok) << c.path;
        EXPECT_NE(file.problem.find(c.path), std::string::npos) << file.problem;
        EXPECT_NE(file.problem.find(c.reason), std::string::npos) << file.problem;
        EXPECT_TRUE(file.html.empty());
    }

    const std::string guide = "<a name=\"contents\"></a>caf\xc3\xa9";
    writeBytes(missing, std::vector<uint8_t>(guide.begin(), guide.end()));
    const HelpFileText found = readHelpFile(missing);
    EXPECT_TRUE(found.ok);
    EXPECT_EQ(found.html, guide);
}

// Every page and the About screen have their topic, and every link in the guide leads
// to a topic that is there.
TEST(HelpFile, TheShippedGuideHasEveryTopicAndNoBrokenLink) {
    const std::string guide = shippedGuide();
    ASSERT_FALSE(guide.empty());
    for (const char* topic :
         {"1001", "1011", "1021", "1031", "1041", "1051", kContentsAnchor, kUsingHelpAnchor})
        EXPECT_TRUE(helpHasTopic(guide, topic)) << topic;

    const std::regex link(R"re(href="#([^"]*)")re");
    int links = 0;
    for (auto it = std::sregex_iterator(guide.begin(), guide.end(), link);
         it != std::sregex_iterator(); ++it, ++links)
        EXPECT_TRUE(helpHasTopic(guide, (*it)[1].str())) << "link to #" << (*it)[1].str();
    EXPECT_GT(links, 10);
}

} // namespace
