// tavik-cli list: the patient files of a folder as JSON or CSV.
#include "cli/listcommand.h"
#include "model/patientfile.h"
#include "model/textslot.h"
#include "testsupport/clirun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <utime.h>

namespace fs = std::filesystem;

namespace {

// 2026-01-02T03:04:05Z
constexpr time_t kChangeTime = 1767323045;

class ListCli : public ::testing::Test {
  protected:
    void SetUp() override {
        patient(dir.path() / "KOWALSKI.TAV", "Kowalski", "Zo\xEB", "K-9", 0, 3, "Lee, \"Al\"");
        patient(dir.path() / "north" / "m\xFCller.tav", "M\xFCller", "Ann", "M-1", 2, 1, "Ode");
        writeBytes(dir.file("BAD.TAV"), std::vector<uint8_t>(12, 7));
        touch(dir.file("BAD.TAV"));
    }

    void patient(const fs::path& path, const char* last, const char* first, const char* id,
                 int32_t right, int32_t left, const char* clinician) {
        FittingRecord record{};
        resetFitting(record, "05/06/2024");
        writeText(record.lastName, last);
        writeText(record.firstName, first);
        writeText(record.patientId, id);
        writeText(record.birthDate, "07/08/1960");
        writeText(record.clinician, clinician);
        record.rightAidStyle = right;
        record.leftAidStyle = left;
        fs::create_directories(path.parent_path());
        writePatientFile(path.string(), record);
        touch(path.string());
    }

    static void touch(const std::string& path) {
        const utimbuf times{kChangeTime, kChangeTime};
        ASSERT_EQ(::utime(path.c_str(), &times), 0);
    }

    TempDir dir;
};

TEST_F(ListCli, JsonHasOneObjectPerFileInFolderAndNameOrder) {
    const CliResult r = runTool({"list", dir.path().string()});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string expected =
        std::string("[") +
        R"({"file": "BAD.TAV", "folder": "", "lastChange": "2026-01-02T03:04:05Z", "error": )"
        R"("Not a patient file: it is 12 bytes long, and TAVIK reads patient files of 1372 )"
        R"(bytes and older ones of 3118 bytes"}, )"
        R"({"file": "KOWALSKI.TAV", "folder": "", "lastChange": "2026-01-02T03:04:05Z", )"
        R"("lastName": "Kowalski", "firstName": "Zoë", "patientId": "K-9", )"
        R"("birthDate": "07/08/1960", "testDate": "05/06/2024", "clinician": "Lee, \"Al\"", )"
        R"("rightAidStyle": "BTE", "leftAidStyle": "CIC"}, )"
        R"({"file": "müller.tav", "folder": "north", "lastChange": "2026-01-02T03:04:05Z", )"
        R"("lastName": "Müller", "firstName": "Ann", "patientId": "M-1", )"
        R"("birthDate": "07/08/1960", "testDate": "05/06/2024", "clinician": "Ode", )"
        R"("rightAidStyle": "ITC", "leftAidStyle": "ITE"}])"
        "\n";
    EXPECT_EQ(r.out, expected);
}

TEST_F(ListCli, CsvReadsBackAsRfc4180Rows) {
    const CliResult r = runTool({"list", "--csv", dir.path().string()});
    ASSERT_EQ(r.code, 0) << r.err;
    std::vector<std::string> lines;
    std::string text = r.out;
    for (std::size_t end; (end = text.find("\r\n")) != std::string::npos;) {
        lines.push_back(text.substr(0, end));
        text.erase(0, end + 2);
    }
    EXPECT_EQ(text, "") << "every line ends in CRLF";
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "lastName,firstName,patientId,birthDate,testDate,clinician,"
                        "rightAidStyle,leftAidStyle,file,folder,lastChange,error");
    EXPECT_EQ(lines[1], ",,,,,,,,BAD.TAV,,2026-01-02T03:04:05Z,\"Not a patient file: it is 12 "
                        "bytes long, and TAVIK reads patient files of 1372 bytes and older ones "
                        "of 3118 bytes\"");
    EXPECT_EQ(lines[2], "Kowalski,Zoë,K-9,07/08/1960,05/06/2024,\"Lee, \"\"Al\"\"\",BTE,CIC,"
                        "KOWALSKI.TAV,,2026-01-02T03:04:05Z,");
    EXPECT_EQ(lines[3], "Müller,Ann,M-1,07/08/1960,05/06/2024,Ode,ITC,ITE,müller.tav,north,"
                        "2026-01-02T03:04:05Z,");
}

TEST_F(ListCli, WrongArgumentsAndAnUnreadableFolderExitWithOne) {
    const Args cases[] = {
        {"list"},
        {"list", "--csv"},
        {"list", dir.path().string(), dir.path().string()},
        {"list", "--json", dir.path().string()},
        {"list", "--csv", "--csv", dir.path().string()},
    };
    for (const Args& args : cases) {
        const CliResult r = runTool(args);
        EXPECT_EQ(r.code, 1) << args.size();
        EXPECT_EQ(r.out, "");
        EXPECT_TRUE(contains(r.err, "usage: tavik-cli list DIR [--csv]")) << r.err;
    }
    const CliResult missing = runTool({"list", dir.file("nowhere")});
    EXPECT_EQ(missing.code, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_TRUE(contains(missing.err, "Cannot read folder")) << missing.err;
    EXPECT_TRUE(contains(missing.err, "nowhere")) << missing.err;
}

// A folder under DIR that cannot be read is a line of its own; the list is written
// whole and the exit code says it may lack files.
TEST_F(ListCli, AFolderThatCannotBeReadIsListedAndExitsWithOne) {
    fs::create_directories(dir.path() / "locked");
    touch(dir.file("locked"));
    fs::remove(dir.file("BAD.TAV"));
    const PatientFolderLister lister = [this](const fs::path& folder, std::error_code& ec) {
        if (folder == dir.path() / "locked") {
            ec = std::make_error_code(std::errc::permission_denied);
            return std::vector<PatientFolderEntry>{};
        }
        return listFolderEntries(folder, ec);
    };
    for (const bool csv : {false, true}) {
        Args args{dir.path().string()};
        if (csv)
            args.push_back("--csv");
        std::ostringstream out, err;
        EXPECT_EQ(runListWith(args, out, err, lister), 1) << csv;
        EXPECT_EQ(err.str(), "");
        const std::string line =
            csv ? ",,,,,,,,,locked,2026-01-02T03:04:05Z,The folder cannot be read: "
                  "Permission denied\r\n"
                : R"({"file": "", "folder": "locked", "lastChange": "2026-01-02T03:04:05Z", )"
                  R"("error": "The folder cannot be read: Permission denied"}, )";
        const std::size_t at = out.str().find(line);
        EXPECT_NE(at, std::string::npos) << out.str();
        EXPECT_LT(out.str().find("KOWALSKI.TAV"), at) << "in folder order";
        EXPECT_GT(out.str().find("north"), at) << "the search went on";
    }
    EXPECT_EQ(runTool({"list", dir.path().string()}).code, 0) << "readable, it exits with 0";
}

TEST_F(ListCli, AnEmptyFolderIsAnEmptyList) {
    TempDir empty;
    EXPECT_EQ(runTool({"list", empty.path().string()}).out, "[]\n");
    EXPECT_EQ(runTool({"list", empty.path().string(), "--csv"}).out,
              "lastName,firstName,patientId,birthDate,testDate,clinician,rightAidStyle,"
              "leftAidStyle,file,folder,lastChange,error\r\n");
}

} // namespace
