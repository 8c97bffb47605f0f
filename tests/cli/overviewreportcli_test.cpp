// tavik-cli report --overview: one "Overview" page of both ears, read back with
// pdfinfo and pdftotext.
#include "model/aiddatabase.h"
#include "model/patientfile.h"
#include "model/patienthistory.h"
#include "model/textslot.h"
#include "testsupport/clirun.h"
#include "testsupport/testfiles.h"
#include "testsupport/workedear.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>

namespace {

#ifdef TAVIK_CLI_HAS_GRAPHICS

TEST(OverviewReportCli, OnePageWithThePatientAndBothEarsCharts) {
    TempDir dir, io;
    FittingRecord r = workedRightEar();
    writeText(r.lastName, "Lindqvist");
    writeText(r.firstName, "Maja");
    writeText(r.patientId, "A-2231");
    writeText(r.birthDate, "05/17/1948");
    writeText(r.clinician, "Dr. Ann Lee");
    r.binauralFitting = 1;
    r.rightLevelSource = 2;
    r.leftLevelSource = 1;
    const std::string patient = dir.file("P.TAV"), pdf = dir.file("overview.pdf");
    writePatientFile(patient, r);
    for (const char* page : {"letter", "a4"}) {
        SCOPED_TRACE(page);
        const CliResult res = runProgram(
            TAVIK_CLI_PATH, {"report", "--overview", patient, "--page", page, "-o", pdf}, io);
        ASSERT_EQ(res.code, 0) << res.err;
        const std::string info = runProgram("pdfinfo", {pdf}, io).out;
        EXPECT_TRUE(contains(info, "Pages:           1")) << info;
        EXPECT_TRUE(contains(info, std::string(page) == "a4" ? "595 x 842 pts (A4)"
                                                             : "612 x 792 pts (letter)"))
            << info;
    }
    // Only what lies on the A4 page counts: a line running off its edge loses its end.
    const std::string text =
        runProgram("pdftotext", {"-x", "0", "-y", "0", "-W", "595", "-H", "842", pdf, "-"}, io).out;
    // The patient is named with the printed report's own lines.
    for (const char* part :
         {"Overview", "Name: Lindqvist, Maja", "Patient ID: A-2231", "Birth Date: 05/17/1948",
          "Test Date: 01/01/2000", "Clinician: Dr. Ann Lee",
          "Fitting: Binaural (targets 5 dB lower)",
          "Levels: right ear predicted from threshold and UCL, left ear predicted from threshold",
          "Loudness map, right ear", "Loudness map, left ear", "Gain, right ear", "Gain, left ear"})
        EXPECT_TRUE(contains(text, part)) << part << "\n" << text;
}

// Without --db the reports use the current folder's database, as the program would,
// and say so; the aid report then names the clinic's aids.
TEST(OverviewReportCli, ReportsReadTheCurrentFoldersDatabase) {
    TempDir dir, io;
    const WorkingFolder here(dir.path());
    AidDatabase clinic{};
    defaultAidDatabase(clinic);
    writeText(clinic.aidLongNames[0], "Clinic Aid One");
    clinic.aidData[0][2] = {10, 40, 0, 2, 60, 1, 3, 115};
    saveAidDatabase(dir.file("TAVIK.TDB"), clinic);
    const std::string patient = dir.file("P.TAV"), pdf = dir.file("aid.pdf");
    writePatientFile(patient, workedRightEar());
    const CliResult res = runProgram(
        TAVIK_CLI_PATH, {"report", patient, "--ear", "right", "--curves", "aid", "-o", pdf}, io);
    ASSERT_EQ(res.code, 0) << res.err;
    EXPECT_EQ(res.err, "tavik-cli: aid database \"" + dir.file("TAVIK.TDB") + "\"\n");
    const std::string text = runProgram("pdftotext", {pdf, "-"}, io).out;
    EXPECT_TRUE(contains(text, "Aids: Clinic Aid One\\Clinic Aid One")) << text;
    EXPECT_FALSE(contains(text, "HALongName1")) << text;
    const CliResult overview =
        runProgram(TAVIK_CLI_PATH, {"report", "--overview", patient, "-o", pdf}, io);
    EXPECT_EQ(overview.err, res.err);
}

// Each ear's loudness map names in its legend the newest visit the file's history keeps
// with another test date; a file without one names none.
TEST(OverviewReportCli, NamesThePreviousVisitFromTheFilesHistory) {
    TempDir dir, io;
    const std::string patient = dir.file("P.TAV"), alone = dir.file("ALONE.TAV"),
                      pdf = dir.file("overview.pdf");
    FittingRecord r = workedRightEar();
    const char* dates[3] = {"03/02/2029", "08/21/2029", "11/05/2029"};
    for (int visit = 0; visit < 3; ++visit) {
        writeText(r.testDate, dates[visit]);
        r.rightLoudness[2][0] += 5 * visit;
        savePatientWithHistory(patient, r, {1860000000 + visit * 86400, "ann", "room-1", "1.0a"});
        if (visit == 1) // saved twice on its day: the later save is no visit of its own
            savePatientWithHistory(patient, r, {1860090000, "bob", "room-2", "1.0a"});
    }
    writePatientFile(alone, r);
    for (const auto& [file, legend] :
         {std::pair{patient, "Previous visit 08/21/2029"}, std::pair{alone, "Previous visit"}}) {
        const CliResult res =
            runProgram(TAVIK_CLI_PATH, {"report", "--overview", file, "-o", pdf}, io);
        ASSERT_EQ(res.code, 0) << res.err;
        const std::string text = runProgram("pdftotext", {pdf, "-"}, io).out;
        const std::size_t first = text.find(legend);
        if (file == alone) {
            EXPECT_EQ(first, std::string::npos) << text;
            continue;
        }
        ASSERT_NE(first, std::string::npos) << text;
        EXPECT_NE(text.find(legend, first + 1), std::string::npos) << "one in each ear's map";
        EXPECT_FALSE(contains(text, "03/02/2029")) << text;
    }
}

TEST(OverviewReportCli, TakesNoEarAndNeedsAnOutput) {
    TempDir dir, io;
    const std::string patient = dir.file("P.TAV"), pdf = dir.file("overview.pdf");
    writePatientFile(patient, workedRightEar());
    const struct {
        Args args;
        const char* message;
    } cases[] = {
        {{"report", "--overview", patient, "--ear", "right", "-o", pdf}, "takes no --ear"},
        {{"report", "--overview", patient}, "report needs -o OUT.pdf"},
        {{"report", "--overview", patient, "--page", "a3", "-o", pdf}, "--page takes a4 or letter"},
        {{"report", "--overview", patient, "--copies", "2", "-o", pdf}, "unknown option"},
    };
    for (const auto& c : cases) {
        const CliResult res = runProgram(TAVIK_CLI_PATH, c.args, io);
        EXPECT_EQ(res.code, 1) << c.message;
        EXPECT_TRUE(contains(res.err, c.message)) << res.err;
    }
    EXPECT_FALSE(std::filesystem::exists(pdf));
}

#endif

} // namespace
