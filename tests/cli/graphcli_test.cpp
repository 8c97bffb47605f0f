// tavik-cli graph. The command draws with Qt, which only the tavik-cli program links,
// so these tests run the program itself; without a user interface in the build there
// is only the command's refusal to test.
#include "model/patientfile.h"
#include "testsupport/clirun.h"
#include "testsupport/testfiles.h"
#include "testsupport/workedear.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(GraphCliLibrary, WithoutGraphicsInTheProgramTheCommandSaysSo) {
    // The command library alone, as the core tests link it, has no drawing.
    const CliResult res = runTool({"graph", "P.TAV", "--ear", "right", "-o", "out.png"});
    EXPECT_EQ(res.code, 1);
    EXPECT_TRUE(contains(res.err, "this build has no graphics")) << res.err;
    EXPECT_TRUE(contains(runTool({"--help"}).out,
                         "graph FILE --ear right|left [--db TAVIK.TDB] [--scale N] -o OUT.png"));
}

#ifdef TAVIK_CLI_HAS_GRAPHICS

class GraphCli : public testing::Test {
  protected:
    void SetUp() override { writePatientFile(patient, workedRightEar()); }

    CliResult run(const Args& args) const { return runProgram(TAVIK_CLI_PATH, args, io); }

    // Width and height from a PNG file's header; 0 x 0 when it is no PNG.
    static std::pair<uint32_t, uint32_t> pngSize(const std::string& path) {
        const std::vector<uint8_t> bytes = readBytes(path);
        const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
        if (bytes.size() < 24 || !std::equal(signature, signature + 8, bytes.begin()))
            return {0, 0};
        const auto bigEndian = [&](std::size_t at) {
            return uint32_t(bytes[at]) << 24 | uint32_t(bytes[at + 1]) << 16 |
                   uint32_t(bytes[at + 2]) << 8 | uint32_t(bytes[at + 3]);
        };
        return {bigEndian(16), bigEndian(20)};
    }

    bool leftNothingBehind() const {
        return std::distance(std::filesystem::directory_iterator(dir.path()),
                             std::filesystem::directory_iterator()) == 1;
    }

    TempDir dir, io;
    WorkingFolder here{io.path()};
    std::string patient = dir.file("P.TAV");
    std::string png = dir.file("graph.png");
};

TEST_F(GraphCli, DrawsThePanelAtTheGivenScale) {
    const struct {
        Args scale;
        uint32_t width, height;
    } cases[] = {{{}, 595, 294}, {{"--scale", "1"}, 595, 294}, {{"--scale", "2"}, 1190, 588}};
    for (const auto& c : cases) {
        Args args{"graph", patient, "--ear", "right", "-o", png};
        args.insert(args.end(), c.scale.begin(), c.scale.end());
        const CliResult res = run(args);
        ASSERT_EQ(res.code, 0) << res.err;
        EXPECT_EQ(res.out, "");
        EXPECT_EQ(res.err, noDatabaseLine(io));
        EXPECT_EQ(pngSize(png), std::pair(c.width, c.height));
    }
}

TEST_F(GraphCli, BadArgumentsAndFilesLeaveNoImage) {
    const std::string noFolder = dir.file("missing") + "/graph.png";
    const struct {
        Args args;
        int code;
        const char* message;
    } cases[] = {
        {{"--scale", "0"}, 1, "--scale takes a whole number from 1 to 8"},
        {{"--scale", "9"}, 1, "--scale takes a whole number from 1 to 8"},
        {{"--scale", "2.5"}, 1, "--scale takes a whole number from 1 to 8"},
        {{"--scale", "1", "--scale", "1"}, 1, "--scale given twice"},
        {{"--db", "/nonexistent/TAVIK.TDB"}, 1, "/nonexistent/TAVIK.TDB"},
    };
    for (const auto& c : cases) {
        Args args{"graph", patient, "--ear", "left", "-o", png};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliResult res = run(args);
        EXPECT_EQ(res.code, c.code) << c.message;
        EXPECT_TRUE(contains(res.err, c.message)) << res.err;
        EXPECT_TRUE(leftNothingBehind()) << c.message;
    }
    const struct {
        Args args;
        int code;
        std::string message;
    } files[] = {
        {{"graph", "/nonexistent/P.TAV", "--ear", "right", "-o", png}, 1, "/nonexistent/P.TAV"},
        {{"graph", testDataFile("truncated.TAV"), "--ear", "right", "-o", png},
         2,
         "Not a patient file \"" + testDataFile("truncated.TAV") + "\": it is 1371 bytes"},
        {{"graph", patient, "-o", png}, 1, "graph needs --ear"},
        {{"graph", patient, "--ear", "right"}, 1, "graph needs -o"},
        {{"graph", patient, "--ear", "right", "-o", noFolder}, 1, noFolder},
    };
    for (const auto& c : files) {
        const CliResult res = run(c.args);
        EXPECT_EQ(res.code, c.code) << c.message;
        EXPECT_TRUE(contains(res.err, c.message)) << res.err;
        EXPECT_TRUE(leftNothingBehind()) << c.message;
    }
}

#endif

} // namespace
