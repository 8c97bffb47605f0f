// What tavik-cli does when its output cannot be written, and how it shows file names
// and arguments that hold control characters.
#include "model/patientfile.h"
#include "testsupport/clirun.h"
#include "testsupport/testfiles.h"

#include <gtest/gtest.h>

namespace {

// Runs the tavik-cli program with standard output sent where the shell text says.
CliResult runWithOutput(const Args& args, const std::string& output, const TempDir& scratch) {
    std::string command = shellQuoted(TAVIK_CLI_PATH);
    for (const std::string& arg : args)
        command += " " + shellQuoted(arg);
    const std::string err = scratch.file("stderr");
    command += " " + output + " 2>" + shellQuoted(err);
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, "", readTextFile(err)};
}

TEST(CliOutput, AnOutputThatCannotBeWrittenFailsTheCommand) {
    TempDir dir;
    const Args commands[] = {
        {"show", testDataFile("legacy.TAV")},
        {"show-db", dir.file("none.TDB")},
        {"predict", testDataFile("legacy.TAV"), "--ear", "left"},
        {"--help"},
        {"curves", "--help"},
    };
    const struct {
        const char* output;
        const char* reason;
    } outputs[] = {
        {">/dev/full", "No space left on device"},
        {">&-", "Bad file descriptor"},
    };
    for (const Args& args : commands) {
        for (const auto& o : outputs) {
            const CliResult res = runWithOutput(args, o.output, dir);
            EXPECT_EQ(res.code, 1) << args[0] << " " << o.output;
            EXPECT_EQ(res.err,
                      std::string("tavik-cli: cannot write the output: ") + o.reason + "\n")
                << args[0] << " " << o.output;
        }
        EXPECT_EQ(runWithOutput(args, ">/dev/null", dir).code, 0) << args[0];
    }
}

#ifdef TAVIK_CLI_HAS_GRAPHICS
TEST(CliOutput, ACommandThatPrintsNothingNeedsNoOutput) {
    TempDir dir;
    FittingRecord r;
    resetFitting(r, "01/01/2000");
    writePatientFile(dir.file("P.TAV"), r);
    const CliResult res = runWithOutput(
        {"graph", dir.file("P.TAV"), "--ear", "right", "-o", dir.file("g.png")}, ">&-", dir);
    EXPECT_EQ(res.code, 0) << res.err;
    EXPECT_EQ(readBytes(dir.file("g.png")).size() > 8, true);
    // With its output closed, the first file the program opens must not take the
    // output's place: the image stays an image, and nothing else appears.
    EXPECT_EQ(readBytes(dir.file("P.TAV")).size(), 1372u);
}
#endif

TEST(CliOutput, ControlCharactersInNamesAreShownEscaped) {
    TempDir dir;
    const struct {
        Args args;
        const char* shown;
        bool oneLine; // the message alone, without the usage after it
    } cases[] = {
        {{"show", dir.file("\x1b[2Jgone.TAV")}, "\\x1b[2Jgone.TAV\"", true},
        {{"curves", testDataFile("legacy.TAV"), "--db", dir.file("two\nlines\x07")},
         "two\\nlines\\x07\"",
         true},
        {{"curves", "P.TAV", "--\x1b]0;x\x07"}, "unknown option \"--\\x1b]0;x\\x07\"", false},
        {{"\x9b"
          "31mshow"},
         "unknown command \"\\x9b31mshow\"",
         true},
    };
    for (const auto& c : cases) {
        const CliResult res = runTool(c.args);
        EXPECT_EQ(res.code, 1);
        EXPECT_TRUE(contains(res.err, c.shown)) << res.err;
        for (const char control : {'\x1b', '\x07', '\x9b'})
            EXPECT_FALSE(contains(res.err, std::string(1, control))) << res.err;
        if (c.oneLine) {
            EXPECT_EQ(res.err.find('\n'), res.err.size() - 1) << res.err;
        }
    }
}

} // namespace
