// tavik-cli report. The command draws with Qt, which only the tavik-cli program
// links, so these tests run the program and read its PDF back with pdftotext and
// pdfinfo; without a user interface in the build only the refusal is left to test.
#include "model/patientfile.h"
#include "model/textslot.h"
#include "testsupport/clirun.h"
#include "testsupport/testfiles.h"
#include "testsupport/workedear.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

TEST(ReportCliLibrary, WithoutGraphicsInTheProgramTheCommandSaysSo) {
    const CliResult res = runTool({"report", "P.TAV", "--ear", "right", "-o", "out.pdf"});
    EXPECT_EQ(res.code, 1);
    EXPECT_TRUE(contains(res.err, "cannot draw reports")) << res.err;
    EXPECT_TRUE(contains(runTool({"--help"}).out,
                         "report FILE --ear right|left [--curves fitted,user,aid] [--copies N]"));
}

#ifdef TAVIK_CLI_HAS_GRAPHICS

class ReportCli : public testing::Test {
  protected:
    // The worked right ear, ITE (as new), with a name and comments.
    void SetUp() override {
        FittingRecord r = workedRightEar();
        writeText(r.lastName, "Smith");
        writeText(r.firstName, "Anna");
        writeText(r.middleInitial, "Q");
        writeText(r.comments, "Tinnitus & recruitment");
        writePatientFile(patient, r);
    }

    CliResult run(const Args& args) const { return runProgram(TAVIK_CLI_PATH, args, io); }

    // The text of one page of the PDF (1-based).
    std::string pageText(int page) const {
        const std::string n = std::to_string(page);
        return runProgram("pdftotext", {"-layout", "-f", n, "-l", n, pdf, "-"}, io).out;
    }

    std::string info() const { return runProgram("pdfinfo", {pdf}, io).out; }

    bool leftNothingBehind() const {
        return std::distance(std::filesystem::directory_iterator(dir.path()),
                             std::filesystem::directory_iterator()) == 1;
    }

    TempDir dir, io;
    std::string patient = dir.file("P.TAV");
    std::string pdf = dir.file("report.pdf");
};

TEST_F(ReportCli, WritesOnePagePerReportInThePrintOrder) {
    const struct {
        Args options;
        std::vector<const char*> leftPlots;
        const char* pageSize;
    } cases[] = {
        {{}, {"Curve B", "1000 Hz (user)", "HA-1"}, "595 x 842"},
        {{"--curves", "aid,fitted", "--copies", "2", "--page", "letter"},
         {"Curve B", "Curve B", "HA-1", "HA-1"},
         "612 x 792"},
    };
    for (const auto& c : cases) {
        Args args{"report", patient, "--ear", "right", "-o", pdf};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CliResult res = run(args);
        ASSERT_EQ(res.code, 0) << res.err;
        EXPECT_EQ(res.out, "");
        const std::string meta = info();
        EXPECT_TRUE(contains(meta, "Pages:           " + std::to_string(c.leftPlots.size())))
            << meta;
        EXPECT_TRUE(contains(meta, c.pageSize)) << meta;
        for (std::size_t page = 0; page < c.leftPlots.size(); ++page) {
            const std::string text = pageText(static_cast<int>(page + 1));
            EXPECT_TRUE(contains(text, std::string("Left Plot: ") + c.leftPlots[page]))
                << page << "\n"
                << text;
            for (const char* line : {"Loudness-Based Hearing Aid Fitting (TAVIK)",
                                     "Name: Smith, Anna Q", "Tinnitus & recruitment"})
                EXPECT_TRUE(contains(text, line)) << line << "\n" << text;
        }
    }
}

// Reading the patient file and the database is shared with the other commands and
// tested with them; these are the report's own refusals.
TEST_F(ReportCli, BadArgumentsAndUnwritablePlacesLeaveNoPdf) {
    const auto withOptions = [&](const Args& options) {
        Args args{"report", patient, "--ear", "left", "-o", pdf};
        args.insert(args.end(), options.begin(), options.end());
        return args;
    };
    const std::string underAFile = patient + "/report.pdf";
    const struct {
        Args args;
        std::string message;
    } cases[] = {
        {withOptions({"--curves", "fitted,loud"}), "--curves takes fitted, user and aid"},
        {withOptions({"--curves", "fitted,"}), "--curves takes fitted, user and aid"},
        {withOptions({"--copies", "0"}), "--copies takes a whole number from 1 to 99"},
        {withOptions({"--page", "A5"}), "--page takes a4 or letter"},
        {{"report", patient, "-o", pdf}, "report needs --ear"},
        {{"report", patient, "--ear", "right"}, "report needs -o"},
        {{"report", patient, "--ear", "right", "-o", underAFile}, underAFile},
    };
    for (const auto& c : cases) {
        const CliResult res = run(c.args);
        EXPECT_EQ(res.code, 1) << c.message;
        EXPECT_TRUE(contains(res.err, c.message)) << res.err;
        EXPECT_TRUE(leftNothingBehind()) << c.message;
    }
}

// The rows of the first page, rendered at 50 dpi, that hold a coloured pixel: the
// bands' hatches and the legend's swatches are the page's only colours.
std::vector<int> colouredRows(const std::string& pdf, const TempDir& scratch) {
    const std::string base = scratch.file("page");
    runProgram("pdftoppm", {"-r", "50", "-f", "1", "-l", "1", "-singlefile", pdf, base}, scratch);
    std::ifstream in(base + ".ppm", std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maxValue = 0;
    in >> magic >> width >> height >> maxValue;
    in.get();
    std::vector<int> rows;
    for (int y = 0; y < height && in; ++y) {
        bool coloured = false;
        for (int x = 0; x < width; ++x) {
            unsigned char rgb[3];
            in.read(reinterpret_cast<char*>(rgb), 3);
            const int spread =
                std::max({rgb[0], rgb[1], rgb[2]}) - std::min({rgb[0], rgb[1], rgb[2]});
            coloured = coloured || spread > 60;
        }
        if (coloured)
            rows.push_back(y);
    }
    return rows;
}

// A typed UCL of 1100 or VS of -50 at 1 kHz hatches nothing but the left plot: on the
// A4 page at 50 dpi the plots take rows 309 to 491 and the legend rows 516 to 538,
// and the header, the tables and the input scale between plot and legend stay clear.
TEST_F(ReportCli, BandsOfLevelsOffTheScaleStayInsideThePlots) {
    const struct {
        int category;
        int32_t level;
    } cases[] = {{7, 1100}, {1, -50}};
    for (const auto& c : cases) {
        FittingRecord r = workedRightEar();
        r.rightLoudness[2][c.category] = c.level;
        writePatientFile(patient, r);
        ASSERT_EQ(run({"report", patient, "--ear", "right", "--curves", "fitted", "-o", pdf}).code,
                  0);
        const std::vector<int> rows = colouredRows(pdf, io);
        ASSERT_FALSE(rows.empty()) << c.level;
        for (const int y : rows)
            EXPECT_TRUE((y >= 306 && y <= 494) || (y >= 513 && y <= 542))
                << c.level << " row " << y;
    }
}

#endif

} // namespace
