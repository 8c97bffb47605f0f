// tavik-cli's manual layout at its edges: a line of exactly 79 columns, a group that
// follows an option, a manual-page line that starts with a quote.
#include "cli/helpformat.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(HelpFormat, ALineOfSeventyNineColumnsStaysWholeAndEightyBreaks) {
    const std::string a(40, 'a');
    std::string out;
    appendWrapped(out, a + " " + std::string(38, 'b'), 0);
    EXPECT_EQ(out, a + " " + std::string(38, 'b') + "\n");
    out.clear();
    appendWrapped(out, a + " " + std::string(39, 'c'), 0);
    EXPECT_EQ(out, a + "\n" + std::string(39, 'c') + "\n");
    out.clear();
    appendWrapped(out, "xx " + std::string(72, 'd'), 4, 2);
    EXPECT_EQ(out, "  xx " + std::string(72, 'd') + "\n");
}

TEST(HelpFormat, AnOptionTakesItsValueButNotABracketedGroup) {
    const struct {
        const char* synopsis;
        std::vector<std::string> groups;
    } cases[] = {
        {"--ear right|left FILE", {"--ear right|left", "FILE"}},
        {"-o [--all] FILE...", {"-o", "[--all]", "FILE..."}},
        {"[--db TAVIK.TDB] --out DIR", {"[--db TAVIK.TDB]", "--out DIR"}},
        {"-q -v", {"-q", "-v"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(synopsisGroups(c.synopsis), c.groups) << c.synopsis;
}

TEST(HelpFormat, ManualLinesEscapeALeadingDotOrQuoteAndEveryMinus) {
    const struct {
        const char* text;
        const char* roffed;
    } cases[] = {
        {"'quoted' first", "\\&'quoted' first"},
        {".TAV files", "\\&.TAV files"},
        {"a-b \\ c", "a\\-b \\e c"},
        {"it's mid-line", "it's mid\\-line"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(roff(c.text), c.roffed) << c.text;
}

} // namespace
