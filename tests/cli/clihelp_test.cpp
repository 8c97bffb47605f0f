// tavik-cli's manual: --help lists every command, COMMAND --help describes each of
// its options, a wrong argument is followed by the command's usage, and the manual
// page is made from the same texts.
#include "cli/help.h"
#include "testsupport/clirun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <string_view>

namespace {

// What this test knows of each command apart from the command table: the start of the
// usage it prints after a wrong argument, and the options its own code reads. Every
// command of the table needs its row here, so a new command is checked the day it is
// added.
struct CommandFacts {
    const char* command;
    const char* usage;
    std::vector<const char*> options;
};
const CommandFacts kCommandFacts[] = {
    {"show", "usage: tavik-cli show FILE [--version N]\n", {"--version"}},
    {"show-db", "usage: tavik-cli show-db FILE\n", {}},
    {"curves", "usage: tavik-cli curves FILE [--ear", {"--ear", "--db"}},
    {"predict", "usage: tavik-cli predict FILE --ear right|left\n", {"--ear"}},
    {"graph", "usage: tavik-cli graph FILE --ear", {"--ear", "--db", "--scale", "-o"}},
    {"report",
     "usage: tavik-cli report FILE --ear",
     {"--ear", "--curves", "--copies", "--page", "--overview", "--db", "-o"}},
    {"chart", "usage: tavik-cli chart FILE --ear", {"--ear", "--kind", "--db", "--scale", "-o"}},
    {"batch",
     "usage: tavik-cli batch DIR -o OUTDIR",
     {"-o", "--ears", "--curves", "--page", "--db", "--jobs", "--summary", "--force"}},
    {"list", "usage: tavik-cli list DIR [--csv]\n", {"--csv"}},
    {"history", "usage: tavik-cli history FILE [--json]", {"--json", "--restore", "-o", "--db"}},
};

const CommandFacts* factsOf(std::string_view command) {
    for (const CommandFacts& facts : kCommandFacts) {
        if (command == facts.command)
            return &facts;
    }
    return nullptr;
}

std::vector<std::string> tableCommands() {
    std::vector<std::string> names;
    for (const CliCommand& command : cliCommands())
        names.emplace_back(command.name);
    return names;
}

TEST(CliHelp, EveryCommandOfTheTableIsKnownToTheseTestsAndNoOther) {
    for (const std::string& name : tableCommands())
        EXPECT_NE(factsOf(name), nullptr) << name << ": give it a row in kCommandFacts";
    for (const CliCommand& command : cliCommands())
        EXPECT_NE(command.run, nullptr) << command.name << " has nothing that runs it";
    for (const CommandFacts& facts : kCommandFacts)
        EXPECT_NE(findCliCommand(facts.command), nullptr) << facts.command;
    EXPECT_EQ(findCliCommand("Show"), nullptr);
    EXPECT_EQ(findCliCommand("help"), nullptr);
}

// The text, with the man page's escaped minus signs and font changes plain again.
std::string plain(std::string text) {
    for (const std::string code : {"\\-", "\\fB", "\\fI", "\\fR"}) {
        for (std::size_t at = text.find(code); at != std::string::npos; at = text.find(code, at))
            text.replace(at, code.size(), code == "\\-" ? "-" : "");
    }
    return text;
}

TEST(CliHelp, EveryCommandDescribesEachOfItsOptions) {
    const std::string list = runTool({"--help"}).out;
    const std::string manual = plain(manPageText("1.0"));
    for (const std::string& name : tableCommands()) {
        SCOPED_TRACE(name);
        const CommandFacts* facts = factsOf(name);
        ASSERT_NE(facts, nullptr);
        const CommandFacts& c = *facts;
        EXPECT_TRUE(contains(list, std::string("\n  ") + c.command + " ")) << list;
        EXPECT_TRUE(contains(manual, std::string(".SS \"") + c.command + " ")) << manual;
        for (const Args& ask : {Args{c.command, "--help"}, Args{"help", c.command},
                                Args{c.command, "FILE", "-h"}, Args{c.command, "--help", "FILE"}}) {
            const CliResult res = runTool(ask);
            EXPECT_EQ(res.code, 0);
            EXPECT_EQ(res.err, "");
            EXPECT_EQ(res.out.rfind(std::string("usage: tavik-cli ") + c.command + " ", 0), 0u)
                << res.out;
            for (const char* option : c.options) {
                // Described on a line of its own, followed by its text.
                const std::size_t at = res.out.find(std::string("\n  ") + option);
                EXPECT_NE(at, std::string::npos) << option << "\n" << res.out;
                EXPECT_TRUE(contains(res.out.substr(at), "\n      ")) << option;
            }
        }
        for (const char* option : c.options) {
            const std::size_t section = manual.find(std::string(".SS \"") + c.command + " ");
            const std::size_t next = manual.find(".SS", section + 1);
            const std::string part = manual.substr(section, next - section);
            EXPECT_TRUE(contains(part, std::string(".TP\n.BI \"") + option + " \"") ||
                        contains(part, std::string(".TP\n.B ") + option + "\n"))
                << option;
        }
    }
}

TEST(CliHelp, AWrongArgumentIsFollowedByTheCommandsUsage) {
    const struct {
        Args args;
        const char* usage;
    } cases[] = {
        {{"show"}, "usage: tavik-cli show FILE [--version N]\n"},
        {{"show-db", "a", "b"}, "usage: tavik-cli show-db FILE\n"},
        {{"curves", "P.TAV", "--ear", "middle"},
         "usage: tavik-cli curves FILE [--ear right|left] [--db TAVIK.TDB]\n"},
        {{"predict", "P.TAV"}, "usage: tavik-cli predict FILE --ear right|left\n"},
    };
    for (const auto& c : cases) {
        const CliResult res = runTool(c.args);
        EXPECT_EQ(res.code, 1);
        EXPECT_TRUE(res.err.starts_with("tavik-cli: ") || res.err.starts_with("usage: "))
            << res.err;
        EXPECT_TRUE(contains(res.err, c.usage)) << res.err;
    }
}

// A name that is no command, after help, lists the commands; as a command it is refused.
TEST(CliHelp, HelpForANameThatIsNoCommandListsTheCommands) {
    const std::string list = runTool({"--help"}).out;
    ASSERT_TRUE(list.starts_with("tavik-cli: read TAVIK patient")) << list;
    for (const Args& ask : {Args{"help", "Show"}, Args{"--help", "nosuch"}, Args{"help"},
                            Args{"-h", "show", "curves"}}) {
        const CliResult res = runTool(ask);
        EXPECT_EQ(res.code, 0) << ask.back();
        EXPECT_EQ(res.out, list) << ask.back();
        EXPECT_EQ(res.err, "") << ask.back();
    }
    const CliResult unknown = runTool({"nosuch", "--help"});
    EXPECT_EQ(unknown.code, 1);
    EXPECT_EQ(unknown.out, "");
    EXPECT_EQ(unknown.err, "tavik-cli: unknown command \"nosuch\" (see tavik-cli --help)\n");
}

// The guide the window shows has a row for every command in its table of tavik-cli's
// commands, in the order --help lists them, and none for a command that is not there.
TEST(CliHelp, TheGuidesCommandTableHasARowForEachCommand) {
    const std::string guide =
        readTextFile(std::string(TAVIK_TEST_DATA_DIR) + "/../../app/help/TAVIK.HLP");
    const std::size_t start = guide.find("<a name=\"cli\">");
    ASSERT_NE(start, std::string::npos);
    const std::string section = guide.substr(start, guide.find("</table>", start) - start);
    const std::regex row(R"(<tr><td>tavik-cli ([^ <]+))");
    std::vector<std::string> rows;
    for (auto it = std::sregex_iterator(section.begin(), section.end(), row);
         it != std::sregex_iterator(); ++it)
        rows.push_back((*it)[1].str());
    EXPECT_EQ(rows, tableCommands());
    EXPECT_EQ(rows.size(), std::size(kCommandFacts));
}

TEST(CliHelp, TheManualPageUsesOnlyTheManMacros) {
    const std::string page = manPageText("1.0");
    EXPECT_EQ(page.rfind(".TH TAVIK\\-CLI 1 \"\" \"TAVIK 1.0\" \"User Commands\"\n", 0), 0u);
    for (const char* section : {".SH NAME\ntavik\\-cli \\- ", ".SH SYNOPSIS\n", ".SH DESCRIPTION\n",
                                ".SH COMMANDS\n", ".SH OPTIONS\n", ".SH \"EXIT STATUS\"\n"})
        EXPECT_TRUE(contains(page, section)) << section;
    // A line that starts with a dot or a quote is a request to the formatter: only the
    // man macros used here, never a text line that happens to start so.
    const std::vector<std::string> requests = {".TH", ".SH", ".SS", ".TP", ".PP", ".B",
                                               ".BI", ".BR", ".RI", ".I",  ".br"};
    std::size_t start = 0;
    while (start < page.size()) {
        const std::size_t end = page.find('\n', start);
        const std::string line = page.substr(start, end - start);
        start = end + 1;
        if (line.empty() || (line[0] != '.' && line[0] != '\''))
            continue;
        const std::string request = line.substr(0, line.find(' '));
        EXPECT_NE(std::find(requests.begin(), requests.end(), request), requests.end()) << line;
    }
}

#ifdef TAVIK_CLI_HAS_GRAPHICS

// The text with every run of blanks and line breaks made one blank.
std::string oneLine(const std::string& text) {
    std::string result;
    for (const char c : text) {
        const bool blank = c == ' ' || c == '\n';
        if (!blank || (!result.empty() && result.back() != ' '))
            result += blank ? ' ' : c;
    }
    return result;
}

// Every command refuses to run without its arguments and shows its own usage.
TEST(CliHelp, EachCommandWithoutArgumentsShowsItsOwnUsage) {
    TempDir dir;
    for (const std::string& name : tableCommands()) {
        const CommandFacts* facts = factsOf(name);
        ASSERT_NE(facts, nullptr) << name;
        const CliResult res = runProgram(TAVIK_CLI_PATH, {name}, dir);
        EXPECT_EQ(res.code, 1) << name;
        EXPECT_EQ(res.out, "") << name;
        EXPECT_TRUE(res.err.starts_with(facts->usage) ||
                    contains(res.err, std::string("\n") + facts->usage))
            << res.err;
    }
}

// The range the manual gives for a number is the one the command takes: both ends
// pass the option check (the missing patient file is what stops the command), one
// past either end is refused with the range.
TEST(CliHelp, EachDocumentedRangeIsTheOneTheCommandTakes) {
    const struct {
        const char* command;
        const char* option;
        const char* documented;
        const char* refusal;
        std::vector<const char*> taken, refused;
    } cases[] = {
        {"graph",
         "--scale",
         "a whole number from 1 (the default) to 8.",
         "--scale takes a whole number from 1 to 8",
         {"1", "8"},
         {"0", "9", "08x"}},
        {"report",
         "--copies",
         "a whole number from 1 (the default) to 99;",
         "--copies takes a whole number from 1 to 99",
         {"1", "99"},
         {"0", "100", "-1"}},
    };
    TempDir dir;
    const std::string missing = dir.file("missing.TAV");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.option);
        EXPECT_TRUE(contains(oneLine(runTool({c.command, "--help"}).out), c.documented));
        for (const bool take : {true, false}) {
            for (const char* value : take ? c.taken : c.refused) {
                const CliResult res = runProgram(
                    TAVIK_CLI_PATH,
                    {c.command, missing, "--ear", "left", c.option, value, "-o", dir.file("out")},
                    dir);
                EXPECT_EQ(res.code, 1) << value;
                EXPECT_EQ(contains(res.err, c.refusal), !take) << value << ": " << res.err;
                EXPECT_EQ(contains(res.err, "missing.TAV"), take) << value << ": " << res.err;
            }
        }
    }
}

#endif

} // namespace
