// tavik-cli history, show --version and history --restore on a history made by saves.
#include "model/patientfile.h"
#include "model/patienthistory.h"
#include "model/textslot.h"
#include "testsupport/clirun.h"
#include "testsupport/threevisits.h"

#include <gtest/gtest.h>

namespace {

constexpr int64_t k2030 = 1893456000; // 2030-01-01T00:00:00Z

class HistoryCli : public ::testing::Test {
  protected:
    void SetUp() override { saveThreeVisits(path, k2030); }
    TempDir dir;
    const std::string path = dir.file("SMITH.TAV");
    // No TAVIK.TDB in the current folder: the default aids HA-1 to HA-6.
    WorkingFolder here{dir.path()};
};

TEST_F(HistoryCli, ListsTheVersionsNewestFirstWithWhatEachChanged) {
    const CliResult r = runTool({"history", path});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "3  2030-01-02T00:00:00Z  ann@room-1  test date 02/03/2030  Test date 01/06/2030 → "
              "02/03/2030; Left Ear 4 KHz UCL empty → 117 dB HL\n"
              "2  2030-01-01T00:01:30Z  bob@room-2  test date 01/06/2030  Right Ear 500 Hz THR 40 "
              "→ 45 dB HL; Left Ear aid HA-1 → HA-3\n"
              "1  2030-01-01T00:00:00Z  ann@room-1  test date 01/06/2030  first kept version\n");
}

TEST_F(HistoryCli, ListsAsJsonWithTheProblemsOfADamagedVersion) {
    const auto names = readHistory(path);
    std::filesystem::resize_file(historyPathFor(path) + "/" + names.versions[0].fileName, 100);
    const CliResult r = runTool({"history", "--json", path});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(contains(r.out,
                         "{\"versions\": [{\"version\": 2, \"savedAt\": \"2030-01-02T00:00:00Z\", "
                         "\"user\": \"ann\", \"host\": \"room-1\", \"programVersion\": "
                         "\"1.0b\", \"testDate\": \"02/03/2030\", \"changes\": [\"Test date"))
        << r.out;
    EXPECT_TRUE(contains(r.out, "{\"version\": 1, \"savedAt\": \"2030-01-01T00:01:30Z\", "
                                "\"user\": \"bob\""))
        << r.out;
    EXPECT_TRUE(contains(r.out, "it is cut short (100 bytes)"));
    EXPECT_TRUE(contains(r.err, "it is cut short (100 bytes)"));
}

TEST_F(HistoryCli, ShowsAKeptVersionInShowsFormEvenWithoutTheFile) {
    std::filesystem::remove(path);
    const CliResult r = runTool({"show", path, "--version", "1"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(contains(r.out, "{\"kind\": \"Current\", \"record\": {")) << r.out;
    EXPECT_TRUE(contains(r.out, "\"lastName\": \"Smith\""));
    EXPECT_TRUE(contains(r.out, "\"testDate\": \"01/06/2030\""));
    EXPECT_TRUE(
        contains(runTool({"show", "--version", "3", path}).out, "\"testDate\": \"02/03/2030\""));
}

TEST_F(HistoryCli, RestoresAVersionAsAPatientFile) {
    const std::string out = dir.file("OLD.TAV");
    const CliResult r = runTool({"history", path, "--restore", "2", "-o", out});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Version 2 of \"" + path + "\" written to \"" + out + "\"\n");
    FittingRecord restored{};
    LegacyImage legacy{};
    ASSERT_EQ(readPatientFile(out, restored, legacy, ""), PatientFileKind::Current);
    EXPECT_EQ(restored.rightLoudness[1][0], 51);
    EXPECT_EQ(restored.leftLoudness[5][7], -99);
    EXPECT_EQ(readText(restored.testDate), "01/06/2030");
}

TEST_F(HistoryCli, RefusesWrongArgumentsAndVersionsItDoesNotHold) {
    struct Case {
        Args args;
        int code;
        const char* err;
    };
    const std::vector<Case> cases = {
        {{"history", path, "--restore", "4", "-o", dir.file("X.TAV")},
         1,
         "There is no version 4: the history holds 3 versions"},
        {{"history", path, "--restore", "0", "-o", dir.file("X.TAV")},
         1,
         "usage: tavik-cli history"},
        {{"history", path, "--restore", "2"}, 1, "usage: tavik-cli history"},
        {{"history", path, "-o", dir.file("X.TAV")}, 1, "usage: tavik-cli history"},
        {{"history", path, "--json", "--restore", "1", "-o", dir.file("X.TAV")}, 1, "usage:"},
        {{"history"}, 1, "usage: tavik-cli history"},
        {{"history", path, path}, 1, "usage: tavik-cli history"},
        {{"show", path, "--version", "x"}, 1, "usage: tavik-cli show"},
        {{"show", path, "--version", "4"}, 1, "There is no version 4"},
        {{"show", dir.file("NONE.TAV"), "--version", "1"},
         1,
         "There is no version 1: the history holds 0 versions"},
    };
    for (const Case& c : cases) {
        const CliResult r = runTool(c.args);
        EXPECT_EQ(r.code, c.code) << c.args.back();
        EXPECT_TRUE(contains(r.err, c.err)) << c.args.back() << ": " << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.file("X.TAV")));
}

} // namespace
