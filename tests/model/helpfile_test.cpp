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

// A context number names its topic; one below 1, the contents and using help their
// own anchors. An anchor in single quotes is found as well as one in double quotes.
TEST(HelpFile, ARequestOpensItsTopicAndAnAnchorMayBeQuotedEitherWay) {
    const struct {
        HelpCommand command;
        int data;
        const char* anchor;
    } requests[] = {
        {HelpCommand::Context, 1031, "1031"},      {HelpCommand::Context, 1, "1"},
        {HelpCommand::Context, 0, "contents"},     {HelpCommand::Context, -7, "contents"},
        {HelpCommand::Contents, 1051, "contents"}, {HelpCommand::HelpOnHelp, 1011, "usinghelp"},
    };
    for (const auto& r : requests)
        EXPECT_EQ(helpAnchor(r.command, r.data), r.anchor) << r.data;
    EXPECT_TRUE(helpHasTopic("<a name='1011'></a>", "1011"));
    EXPECT_TRUE(helpHasTopic("<h2 id='usinghelp'>Help</h2>", "usinghelp"));
    EXPECT_FALSE(helpHasTopic("<a name='1011\"></a>", "1011"));
}

// A guide of 4 MiB is read; one byte more is no guide of ours.
TEST(HelpFile, AGuideOfTheLargestSizeIsReadAndOneByteMoreIsRefused) {
    TempDir dir;
    const std::string largest = dir.file("largest.HLP");
    const std::string larger = dir.file("larger.HLP");
    writeBytes(largest, std::vector<uint8_t>(4194304, 'a'));
    writeBytes(larger, std::vector<uint8_t>(4194305, 'b'));
    const HelpFileText read = readHelpFile(largest);
    EXPECT_TRUE(read.ok) << read.problem;
    EXPECT_EQ(read.html.size(), 4194304u);
    const HelpFileText refused = readHelpFile(larger);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.problem,
              "The help file \"" + larger + "\" is too large to be the TAVIK guide.");
}

// The guide beside the program comes first; the installed one only where there is
// none beside it; with neither, the path beside the program, to name.
TEST(HelpFile, TheGuideBesideTheProgramComesBeforeTheInstalledOne) {
    TempDir dir;
    const std::string bin = dir.file("bin");
    const std::string share = dir.file("share/tavik");
    std::filesystem::create_directories(bin);
    std::filesystem::create_directories(share);
    const std::string beside = bin + "/TAVIK.HLP";
    const std::string installed = dir.file("share/tavik/TAVIK.HLP");
    EXPECT_EQ(helpFilePath(bin), beside) << "neither";
    writeBytes(installed, {'i'});
    EXPECT_EQ(helpFilePath(bin + "/"), installed) << "installed only";
    writeBytes(beside, {'b'});
    EXPECT_EQ(helpFilePath(bin), beside) << "both";
}

// The problem page shows the reason as text, whatever characters it holds.
TEST(HelpFile, TheProblemPageShowsTheReasonAsText) {
    const std::string page = helpProblemPage("Cannot open \"A&B <1>.HLP\": it's gone");
    EXPECT_NE(page.find("<p>Cannot open &quot;A&amp;B &lt;1&gt;.HLP&quot;: it's gone</p>"),
              std::string::npos)
        << page;
}

} // namespace
