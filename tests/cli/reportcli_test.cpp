// tavik-cli report. The command draws with Qt, which only the tavik-cli program
// links, so these tests run the program and read its PDF back with pdftotext and
// pdfinfo; without a user interface in the build only the refusal is left to test.
#include "model/aiddatabase.h"
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
    // The worked right ear, ITE (as new), with a name and comments; the clinic's HA-1
    // has data at 1 kHz only, where the right ear's left graph is.
    void SetUp() override {
        FittingRecord r = workedRightEar();
        writeText(r.lastName, "Smith");
        writeText(r.firstName, "Anna");
        writeText(r.middleInitial, "Q");
        writeText(r.comments, "Tinnitus & recruitment");
        writePatientFile(patient, r);
        AidDatabase clinic{};
        defaultAidDatabase(clinic);
        clinic.aidData[0][2] = {10, 40, 0, 2, 60, 1, 3, 115};
        saveAidDatabase(database, clinic);
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
    std::string database = io.file("CLINIC.TDB");
};

TEST_F(ReportCli, WritesOnePagePerReportInThePrintOrder) {
    const struct {
        Args options;
        std::vector<const char*> leftPlots;
        const char* pageSize;
    } cases[] = {
        {{}, {"Curve B", "HA-1"}, "595 x 842"}, // the user pair has no curve
        {{"--curves", "aid,fitted", "--copies", "2", "--page", "letter"},
         {"Curve B", "Curve B", "HA-1", "HA-1"},
         "612 x 792"},
    };
    for (const auto& c : cases) {
        Args args{"report", patient, "--ear", "right", "--db", database, "-o", pdf};
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

// Both ears' levels predicted from the threshold: the right ear's at 500 Hz typed by
// hand since (out of date), at 1 kHz what THR 40 dB HL predicts; the left ear's at 1 kHz
// what THR 40 predicts, with no curve chosen. A command line cannot be asked, so it
// says what the window would ask or note, prints the pairs with a curve and skips the
// others; with none left it writes nothing.
TEST_F(ReportCli, SaysWhatTheWindowWouldAndPrintsOnlyPairsWithACurve) {
    FittingRecord r = workedRightEar();
    r.rightLevelSource = 1;
    r.leftLevelSource = 1;
    const int typed500[8] = {25, 40, 50, 60, 70, 80, 90, 100};
    const int thr40At1k[8] = {40, 51, 63, 70, 77, 83, 89, 94};
    for (int c = 0; c < 8; ++c) {
        r.rightLoudness[1][c] = typed500[c];
        r.rightLoudness[2][c] = thr40At1k[c];
        r.leftLoudness[2][c] = thr40At1k[c];
    }
    writePatientFile(patient, r);
    const std::string said = "tavik-cli: \"" + patient + "\": ";
    const std::string rightOutOfDate =
        said + "Right Ear: the levels at 500 Hz are not what the threshold predicts; see the "
               "Loudmap Data page.\n";
    const struct {
        Args args;
        int code;
        std::vector<const char*> leftPlots; // none: the old PDF stays
        std::string lines;
    } cases[] = {
        {{"--ear", "right"},
         0,
         {"Curve B", "HA-1"},
         rightOutOfDate + said +
             "Right Ear: No curve to print in 1000 Hz (user)\\4000 Hz (user).\n"},
        {{"--ear", "right", "--curves", "aid"}, 0, {"HA-1"}, rightOutOfDate},
        {{"--ear", "left"},
         1,
         {},
         said +
             "Left Ear: No curve to print in No Curve\\No Curve or 500 Hz (user)\\3000 Hz "
             "(user) or HA-1\\HA-1.\n" +
             said + "Left Ear: no PDF written: no pair asked for has a curve\n"},
        {{"--ear", "left", "--curves", "user"},
         1,
         {},
         said + "Left Ear: No curve to print in 500 Hz (user)\\3000 Hz (user).\n" + said +
             "Left Ear: no PDF written: no pair asked for has a curve\n"},
        {{"--overview"}, 0, {}, rightOutOfDate},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        writeBytes(pdf, {'o', 'l', 'd'});
        Args args{"report", patient, "--db", database, "-o", pdf};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliResult res = run(args);
        EXPECT_EQ(res.code, c.code);
        EXPECT_EQ(res.err, "tavik-cli: aid database \"" + database + "\"\n" + c.lines);
        if (c.code != 0) {
            EXPECT_EQ(readTextFile(pdf), "old");
            continue;
        }
        EXPECT_TRUE(contains(info(), "Pages:           " + std::to_string(std::max<std::size_t>(
                                                               c.leftPlots.size(), 1))));
        for (std::size_t page = 0; page < c.leftPlots.size(); ++page)
            EXPECT_TRUE(contains(pageText(static_cast<int>(page + 1)),
                                 std::string("Left Plot: ") + c.leftPlots[page]))
                << page;
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

// A typed UCL of 1100 or VS of -50 at 1 kHz hatches nothing but the left plot of the
// hearing-aid pair's report (the fitted curve has no complete levels to rest on): on the
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
        ASSERT_EQ(run({"report", patient, "--ear", "right", "--curves", "aid", "--db", database,
                       "-o", pdf})
                      .code,
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
