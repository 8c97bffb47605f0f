// tavik-cli batch as a program: the PDFs it draws and the summary it writes for a
// small clinic folder, read back with pdfinfo, pdftotext and an RFC 4180 reader.
#include "model/aiddatabase.h"
#include "model/patientfile.h"
#include "model/textslot.h"
#include "testsupport/clirun.h"
#include "testsupport/testfiles.h"
#include "testsupport/workedear.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <signal.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

#ifdef TAVIK_CLI_HAS_GRAPHICS

using CsvRow = std::vector<std::string>;

// Rows of an RFC 4180 text: fields split at commas, quoted fields may hold commas,
// CR, LF and doubled quotes; every line ends with CRLF. A bare LF or CR outside
// quotes is a fault and throws.
std::vector<CsvRow> readCsv(const std::string& text) {
    std::vector<CsvRow> rows(1, CsvRow(1));
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        std::string& field = rows.back().back();
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                field += text[++i];
            else if (c == '"')
                quoted = false;
            else
                field += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            rows.back().emplace_back();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            rows.emplace_back(1);
        } else if (c == '\r' || c == '\n') {
            throw std::runtime_error("a line end without CRLF at " + std::to_string(i));
        } else {
            field += c;
        }
    }
    rows.pop_back(); // after the last CRLF
    return rows;
}

// A patient with a comma, quotes and a letter beyond ASCII in name and file name,
// whose two ears differ in everything the summary shows.
FittingRecord namedPatient() {
    FittingRecord r = workedRightEar();
    writeText(r.lastName, "Smith, \"Jr\"");
    writeText(r.firstName, "Zo\xeb");
    writeText(r.patientId, "40-1172");
    writeText(r.birthDate, "03/14/1941");
    writeText(r.testDate, "12/07/2026");
    writeText(r.clinician, "Dr. Ann Lee");
    r.binauralFitting = 1;
    r.leftAidStyle = 3;
    r.leftLevelSource = 1;
    r.leftRangeLow = 1;
    r.leftRangeHigh = 4;
    const int at500[8] = {20, 35, 45, 55, 65, 75, 85, 92};
    const int at3000[8] = {40, 52, 60, 68, 76, 86, 96, 104};
    for (int c = 0; c < 8; ++c) {
        r.leftLoudness[1][c] = at500[c];
        r.leftLoudness[4][c] = at3000[c];
    }
    r.aidSettings[1][1].curveChoice = 3;
    r.aidSettings[1][4].curveChoice = 5;
    r.aidSettings[1][4].aidChoice = 4;
    return r;
}

std::vector<std::string> sortedLines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::ranges::sort(lines);
    return lines;
}

class BatchCli : public testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(in.path() / "north");
        writePatientFile(in.file(named), namedPatient());
        writePatientFile(in.file("B.TAV"), workedRightEar());
        writeBytes(in.file("broken.TAV"), {0, 1, 2});
    }

    CliResult run(Args args) const {
        args.insert(args.begin(), {"batch", in.path().string(), "-o", out.path().string()});
        return runProgram(TAVIK_CLI_PATH, args, io);
    }

    int pages(const std::string& pdf) const {
        const std::string info = runProgram("pdfinfo", {out.file(pdf)}, io).out;
        const std::size_t at = info.find("Pages:");
        return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
    }

    std::string text(const std::string& pdf) const {
        return runProgram("pdftotext", {"-layout", pdf, "-"}, io).out;
    }

    // A line of standard error on a file of DIR (named as quotedPath names it).
    std::string said(const std::string& file, const std::string& text) const {
        return "tavik-cli: \"" + in.file(file) + "\": " + text + "\n";
    }

    const std::string named = "north/Smith, \"Jr\" \xeb.TAV";
    const std::string quotedNamed = "north/Smith, \"Jr\" \\xeb.TAV";
    TempDir in, out, io;
    WorkingFolder here{io.path()};
};

TEST_F(BatchCli, SummaryRowsHoldEachEarInFileOrder) {
    const std::string summary = io.file("summary.csv");
    const CliResult res = run({"--jobs", "2", "--summary", summary});
    EXPECT_EQ(res.code, 1) << res.err;
    EXPECT_EQ(res.out, "");
    // The workers' lines come in the order the files are done.
    EXPECT_EQ(sortedLines(res.err),
              sortedLines(noDatabaseLine(io) +
                          said("broken.TAV",
                               "Not a patient file: it is 3 bytes long, and TAVIK reads patient "
                               "files of 1372 bytes and older ones of 3118 bytes") +
                          said("B.TAV", "Right Ear: No curve to print in 1000 Hz (user)\\4000 Hz "
                                        "(user) or HA-1\\HA-1.") +
                          said("B.TAV", "Left Ear: No curve to print in No Curve\\No Curve or 500 "
                                        "Hz (user)\\3000 Hz (user) or HA-1\\HA-1.") +
                          said("B.TAV", "Left Ear: no PDF written: no pair asked for has a curve") +
                          said(quotedNamed, "Right Ear: No curve to print in 1000 Hz "
                                            "(user)\\4000 Hz (user) or HA-1\\HA-1.") +
                          said(quotedNamed, "Left Ear: the levels at 500 Hz and 3 KHz are not "
                                            "what the threshold predicts; see the Loudmap Data "
                                            "page.") +
                          said(quotedNamed, "Left Ear: No curve to print in 500 Hz "
                                            "(user)\\3000 Hz (user) or HA-1\\HA-5.")));
    const std::vector<CsvRow> rows = readCsv(readTextFile(summary));
    ASSERT_EQ(rows.size(), 6u);
    for (const CsvRow& row : rows)
        ASSERT_EQ(row.size(), 32u);
    EXPECT_EQ(rows[0][0], "file");
    EXPECT_EQ(rows[0][30], "error");
    EXPECT_EQ(rows[0][31], "aids by frequency");
    const std::string smith = "north/Smith, \"Jr\" \xc3\xab";
    CsvRow brokenRow(32); // the file and, in the error column, why: the rest empty
    brokenRow[0] = "broken.TAV";
    brokenRow[30] = "Not a patient file: it is 3 bytes long, and TAVIK reads patient files of "
                    "1372 bytes and older ones of 3118 bytes";
    const std::vector<CsvRow> expected = {
        {"B.TAV",    "B-right.pdf", "",         "",         "",     "",     "01/01/2000", "",
         "right",    "ITE",         "measured", "Monaural", "1000", "4000", "Curve B",    "HA-1",
         "No Curve", "HA-1",        "0.7",      "",         "",     "",     "",           "",
         "54.8",     "67.0",        "83.4",     "",         "",     "",     "",           ""},
        {"B.TAV",
         "",
         "",
         "",
         "",
         "",
         "01/01/2000",
         "",
         "left",
         "ITE",
         "measured",
         "Monaural",
         "500",
         "3000",
         "No Curve",
         "HA-1",
         "No Curve",
         "HA-1",
         "",
         "",
         "",
         "",
         "",
         "",
         "",
         "",
         "",
         "",
         "",
         "",
         "no PDF written: no pair asked for has a curve",
         ""},
        brokenRow,
        {smith + ".TAV",
         smith + "-right.pdf",
         "Smith, \"Jr\"",
         "Zo\xc3\xab",
         "40-1172",
         "03/14/1941",
         "12/07/2026",
         "Dr. Ann Lee",
         "right",
         "ITE",
         "measured",
         "Binaural",
         "1000",
         "4000",
         "Curve B",
         "HA-1",
         "No Curve",
         "HA-1",
         "0.7",
         "",
         "",
         "",
         "",
         "",
         "49.8",
         "62.0",
         "78.4",
         "",
         "",
         "",
         "",
         ""},
        {smith + ".TAV",
         smith + "-left.pdf",
         "Smith, \"Jr\"",
         "Zo\xc3\xab",
         "40-1172",
         "03/14/1941",
         "12/07/2026",
         "Dr. Ann Lee",
         "left",
         "CIC",
         "predicted from threshold",
         "Binaural",
         "500",
         "3000",
         "Curve C",
         "HA-1",
         "Curve E",
         "HA-5",
         "1.2",
         "",
         "",
         "5.5",
         "",
         "",
         "37.8",
         "48.0",
         "59.6",
         "51.3",
         "60.1",
         "73.6",
         "",
         "HA-1 at 250 Hz, 500 Hz, 1 KHz, 2 KHz and 4 KHz; HA-5 at 3 KHz"},
    };
    for (std::size_t r = 0; r < expected.size(); ++r)
        EXPECT_EQ(rows[r + 1], expected[r]) << r;
    EXPECT_FALSE(fs::exists(out.file("B-left.pdf")));
    EXPECT_EQ(pages("B-right.pdf"), 1);
    EXPECT_EQ(pages("north/Smith, \"Jr\" \xeb-left.pdf"), 1);
}

// Each PDF holds the ticked kinds of its ear only, and its pages are those of
// tavik-cli report for that ear.
// The clinic's HA-1 has data at 500 Hz only, one of the left graphs' frequencies: its
// pair has a curve to print; the user pair, never typed, is skipped and named.
TEST_F(BatchCli, EarsAndCurvesChooseThePdfsAndTheirPages) {
    fs::remove(in.file("broken.TAV"));
    AidDatabase clinic{};
    defaultAidDatabase(clinic);
    clinic.aidData[0][1] = {10, 40, 0, 2, 60, 1, 3, 115};
    saveAidDatabase(io.file("TAVIK.TDB"), clinic);
    const CliResult res = run({"--ears", "left", "--curves", "aid,user", "--page", "letter"});
    EXPECT_EQ(res.code, 0) << res.err;
    const std::string noUserCurve = "Left Ear: No curve to print in 500 Hz (user)\\3000 Hz (user).";
    EXPECT_EQ(sortedLines(res.err),
              sortedLines("tavik-cli: aid database \"" + io.file("TAVIK.TDB") + "\"\n" +
                          said("B.TAV", noUserCurve) + said(quotedNamed, noUserCurve) +
                          said(quotedNamed, "Left Ear: the levels at 500 Hz and 3 KHz are not "
                                            "what the threshold predicts; see the Loudmap Data "
                                            "page.")));
    EXPECT_FALSE(fs::exists(out.file("B-right.pdf")));
    EXPECT_EQ(pages("B-left.pdf"), 1);
    const std::string pdf = out.file("north/Smith, \"Jr\" \xeb-left.pdf");
    const std::string single = io.file("single.pdf");
    ASSERT_EQ(runProgram(TAVIK_CLI_PATH,
                         {"report", in.file(named), "--ear", "left", "--curves", "user,aid",
                          "--page", "letter", "-o", single},
                         io)
                  .code,
              0);
    const std::string pages = text(pdf);
    EXPECT_EQ(pages, text(single));
    EXPECT_EQ(this->pages("north/Smith, \"Jr\" \xeb-left.pdf"), 1);
    EXPECT_TRUE(contains(pages, "Left Plot: HA-1")) << pages;
    EXPECT_FALSE(contains(pages, "(user)")) << pages;
    EXPECT_TRUE(contains(pages, "Aids: HALongName1\\HALongName5")) << pages;
}

bool anyFileUnder(const fs::path& folder, const std::function<bool(const std::string&)>& take) {
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(folder, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (take(it->path().filename().string()))
            return true;
    }
    return false;
}

// Starts tavik-cli in a process group of its own, as a shell starts a command, with
// its standard error into a file.
pid_t startInGroup(const std::vector<std::string>& args, const std::string& errors) {
    std::vector<char*> argv;
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::setpgid(0, 0);
        const int fd = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        ::dup2(fd, STDERR_FILENO);
        ::execv(TAVIK_CLI_PATH, argv.data());
        ::_exit(127);
    }
    ::setpgid(pid, pid); // here as well, so that the group is there to be signalled
    return pid;
}

// Ctrl+C (SIGINT to the whole group: the batch and its workers) once the first PDF is
// there: the files in hand are finished, nothing half-written and no summary is left.
TEST_F(BatchCli, CtrlCWhileTheWorkersDrawLeavesNoHalfWrittenFile) {
    fs::remove(in.file("broken.TAV"));
    fs::create_directories(in.path() / "many");
    for (int n = 0; n < 300; ++n)
        fs::copy_file(in.file("B.TAV"), in.file("many/P" + std::to_string(n) + ".TAV"));
    const std::string summary = io.file("s.csv"), errors = io.file("errors");
    const pid_t pid = startInGroup({"tavik-cli", "batch", in.path().string(), "-o",
                                    out.path().string(), "--jobs", "2", "--summary", summary},
                                   errors);
    ASSERT_GT(pid, 0);
    const auto isPdf = [](const std::string& name) { return name.ends_with(".pdf"); };
    const auto limit = std::chrono::steady_clock::now() + std::chrono::minutes(3);
    while (!anyFileUnder(out.path(), isPdf) && std::chrono::steady_clock::now() < limit)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    ::kill(-pid, SIGINT);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 130) << readTextFile(errors);
    EXPECT_TRUE(contains(readTextFile(errors), "tavik-cli: stopped: ")) << readTextFile(errors);
    EXPECT_FALSE(fs::exists(summary));
    EXPECT_FALSE(anyFileUnder(
        out.path(), [](const std::string& name) { return name.starts_with(".tavik-save-"); }));
    EXPECT_TRUE(anyFileUnder(out.path(), isPdf));
    EXPECT_FALSE(fs::exists(out.file("many/P99-left.pdf"))); // never begun
}

#endif

} // namespace
