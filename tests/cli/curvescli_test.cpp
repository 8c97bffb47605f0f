#include "model/aiddatabase.h"
#include "model/patientfile.h"
#include "model/textslot.h"
#include "testsupport/clirun.h"
#include "testsupport/testfiles.h"
#include "testsupport/workedear.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// Right ear, BTE: 1000 Hz in the left graph with VS 50, CSS 70, CSL 90, UCL 100 and
// Curve B chosen; 4000 Hz, unmeasured, in the right graph. Left ear: 500 Hz measured.
FittingRecord sampleRecord() {
    FittingRecord r = workedRightEar();
    r.rightAidStyle = 0;
    r.leftLevelSource = 1;
    r.leftLoudness[1][0] = 46; // 40 dB HL at 500 Hz
    return r;
}

class CurvesCli : public testing::Test {
  protected:
    void SetUp() override { writePatientFile(file, sampleRecord()); }
    TempDir dir;
    WorkingFolder here{dir.path()};
    std::string file = dir.file("P.TAV");
};

TEST_F(CurvesCli, PrintsWhatTheCurvePageHoldsForTheRightEar) {
    const CliResult res = runTool({"curves", file});
    ASSERT_EQ(res.code, 0) << res.err;
    EXPECT_EQ(res.err, noDatabaseLine(dir));
    const std::string& j = res.out;
    EXPECT_EQ(j.rfind("{\"ear\": \"right\", \"targets\": {\"graphFrequency\": [2, 5], "
                      "\"graphLevels\": [[30, 50, 60, 70, 80, 90, 95, 100], "
                      "[-99, -99, -99, -99, -99, -99, -99, -99]], "
                      "\"bandLevels\": [[50, 70, 90, 100], [-99, -99, -99, 125]], "
                      "\"targetLevels\": [[54.8, 67, 83.4, 0], [0, 0, 0, 0]]}, "
                      "\"fitPoints\": [[{\"input\": 32, \"target\": 54.8}, "
                      "{\"input\": 42.5, \"target\": 60.9}, {\"input\": 53, \"target\": 67}, "
                      "{\"input\": 64.5, \"target\": 75.2}, {\"input\": 76, \"target\": 83.4}], "
                      "[{\"input\": 32, \"target\": 0}, ",
                      0),
              0u)
        << j;
    EXPECT_TRUE(contains(j, "\"controls\": [\"Curve B\", \"1000 Hz (user)\", \"HA-1\", "
                            "\"No Curve\", \"4000 Hz (user)\", \"HA-1\"], "));
    EXPECT_TRUE(contains(j, "\"grid\": [[\" Gain at 50 dB\", \" Comp. Threshold 1\", "
                            "\" Comp. Ratio 1\", \" Comp. Threshold 2\", \" Comp. Ratio 2\", "
                            "\" Maximum Output\", \" RMS Error\"], "
                            "[\"16\", \"32\", \"1.6\", \"32\", \"1.6\", \"100\", \"0.7\"], "
                            "[\"\", \"\", \"\", \"\", \"\", \"\", \"\"], "));
    EXPECT_TRUE(contains(j, "\"curves\": [{\"gainAt50\": 16, \"threshold1\": 32, "
                            "\"threshold1IsOutput\": 0, \"ratio1\": 1.6, \"threshold2\": 32, "
                            "\"threshold2IsOutput\": 0, \"ratio2\": 1.6, \"maxOutput\": 100, "
                            "\"rmsError\": 0.67523164, \"complete\": 1}, "));
    EXPECT_TRUE(contains(j, "\"rmsError\": 0, \"complete\": 0}]}\n"));
}

TEST_F(CurvesCli, TakesTheEarAndTheDatabaseFile) {
    AidDatabase db;
    defaultAidDatabase(db);
    writeText(db.aidShortNames[0], "Wide 1");
    db.aidData[0][2] = AidFrequencyData{10, 40, 0, 2, 60, 1, 3, 115};
    saveAidDatabase(dir.file("TAVIK.TDB"), db);

    const CliResult right = runTool({"curves", "--db", dir.file("TAVIK.TDB"), file});
    ASSERT_EQ(right.code, 0) << right.err;
    EXPECT_TRUE(contains(right.out, "\"1000 Hz (user)\", \"Wide 1\", "));
    EXPECT_TRUE(
        contains(right.out, "[\"10\", \"40\", \"2.0\", \"70o\", \"3.0\", \"115\", \"8.5\"]"));

    const CliResult left = runTool({"curves", file, "--ear", "left"});
    ASSERT_EQ(left.code, 0) << left.err;
    // The left ear's graphs are at 500 and 3000 Hz; its stored levels are not predicted.
    EXPECT_EQ(left.out.rfind("{\"ear\": \"left\", \"targets\": {\"graphFrequency\": [1, 4], "
                             "\"graphLevels\": [[46, -99, ",
                             0),
              0u)
        << left.out;
}

TEST_F(CurvesCli, ReadsADatabaseFileAsTheProgramDoes) {
    // A short file fills only the start; the rest stays zero, not the defaults.
    const CliResult res = runTool({"curves", file, "--db", testDataFile("short.TDB")});
    ASSERT_EQ(res.code, 0) << res.err;
    EXPECT_TRUE(contains(res.out, "\"controls\": [\"Curve B\", \"1000 Hz (user)\", \"\", "));
    EXPECT_TRUE(contains(res.out, "[\"0\", \"0\", \"0.0\", \"0\", \"0.0\", \"0\", \"\"]"));
}

// Without --db a command reads TAVIK.TDB of the current folder, as the program reads
// the one of the folder it starts in, and says on standard error which database it
// used or that none was found.
TEST_F(CurvesCli, WithoutDbTheCurrentFoldersDatabaseIsReadAndNamed) {
    TempDir other;
    AidDatabase given{};
    defaultAidDatabase(given);
    writeText(given.aidShortNames[0], "Given 1");
    saveAidDatabase(other.file("G.TDB"), given);
    AidDatabase clinic{};
    defaultAidDatabase(clinic);
    writeText(clinic.aidShortNames[0], "Clinic 1");
    const std::string here = dir.file("TAVIK.TDB");
    const struct {
        const char* what;
        int folderDatabase; // 0 none, 1 a file, 2 a folder of that name
        Args extra;
        std::string err;
        const char* aid;
    } cases[] = {
        {"none in the folder", 0, {}, noDatabaseLine(dir), "HA-1"},
        {"the folder's", 1, {}, "tavik-cli: aid database \"" + here + "\"\n", "Clinic 1"},
        {"--db before the folder's",
         1,
         {"--db", other.file("G.TDB")},
         "tavik-cli: aid database \"" + other.file("G.TDB") + "\"\n",
         "Given 1"},
        {"a folder in its place",
         2,
         {},
         "tavik-cli: Cannot read file \"" + here +
             "\": Is a directory; using the default aids HA-1 to HA-6, without curves\n",
         "HA-1"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(here);
        if (c.folderDatabase == 1)
            saveAidDatabase(here, clinic);
        if (c.folderDatabase == 2)
            std::filesystem::create_directory(here);
        Args args{"curves", file};
        args.insert(args.end(), c.extra.begin(), c.extra.end());
        const CliResult res = runTool(args);
        ASSERT_EQ(res.code, 0) << c.what << ": " << res.err;
        EXPECT_EQ(res.err, c.err) << c.what;
        EXPECT_TRUE(contains(res.out, std::string("\"1000 Hz (user)\", \"") + c.aid + "\", "))
            << c.what;
    }
}

TEST(CurvesCliFiles, OlderAndGarbageFilesAreShownSafely) {
    const CliResult legacy = runTool({"curves", testDataFile("legacy.TAV")});
    ASSERT_EQ(legacy.code, 0) << legacy.err;
    // The older file's right ear is CIC with no UCL: estimated and corrected.
    EXPECT_TRUE(contains(legacy.out, "\"bandLevels\": [[55, 65, 75, 135], [62, 72, 82, 136]]"));

    const CliResult garbage =
        runTool({"curves", testDataFile("garbage.TAV"), "--db", testDataFile("garbage.TDB")});
    ASSERT_EQ(garbage.code, 0) << garbage.err;
    EXPECT_TRUE(contains(garbage.out, "\"graphFrequency\": [0, 0]"));
    EXPECT_TRUE(contains(garbage.out, "\"controls\": [\"No Curve\", \"250 Hz (user)\", "));
    EXPECT_FALSE(contains(garbage.out, "null"));
}

TEST_F(CurvesCli, PredictPrintsTheEarsLevelsAfterPrediction) {
    const CliResult res = runTool({"predict", file, "--ear", "left"});
    ASSERT_EQ(res.code, 0) << res.err;
    EXPECT_EQ(res.out.rfind("{\"ear\": \"left\", \"loudness\": [[-99, -99, -99, -99, -99, -99, "
                            "-99, -99], [46, 57, 69, 76, 83, 89, 95, 100], [-99, ",
                            0),
              0u)
        << res.out;
    // The right ear's level source is 0: its levels come back unchanged.
    const CliResult right = runTool({"predict", "--ear", "right", file});
    EXPECT_TRUE(contains(right.out, "[30, 50, 60, 70, 80, 90, 95, 100]"));
}

// 2 KHz THR 40 and UCL 100 dB HL give the worked example 3 dB higher; at 4 KHz a UCL of
// 10 typed for 108 predicts nothing, and standard error says so.
TEST_F(CurvesCli, PredictLeavesAFrequencyWhoseUclIsBelowItsThreshold) {
    FittingRecord r = sampleRecord();
    r.rightLevelSource = 2;
    const int32_t at2k[8] = {43, -99, -99, -99, -99, -99, -99, 103};
    const int32_t at4k[8] = {60, 1, 2, 3, 4, 5, 6, 10};
    std::copy(std::begin(at2k), std::end(at2k), r.rightLoudness[3]);
    std::copy(std::begin(at4k), std::end(at4k), r.rightLoudness[5]);
    writePatientFile(file, r);
    const CliResult res = runTool({"predict", file, "--ear", "right"});
    ASSERT_EQ(res.code, 0) << res.err;
    EXPECT_TRUE(contains(res.out, "[43, 55, 68, 76, 83, 91, 97, 103], [-99, "));
    EXPECT_TRUE(contains(res.out, "[60, 1, 2, 3, 4, 5, 6, 10]]}"));
    EXPECT_EQ(res.err, "tavik-cli: Right Ear, 4 KHz: the UCL is below the threshold, so no "
                       "levels are predicted there.\n");
}

TEST_F(CurvesCli, BadArgumentsAndFilesAreRefused) {
    const struct {
        Args args;
        int code;
        const char* message;
    } cases[] = {
        {{"curves"}, 1, "no patient FILE"},
        {{"curves", file, file}, 1, "more than one FILE"},
        {{"curves", file, "--ear"}, 1, "--ear needs a value"},
        {{"curves", file, "--ear", "both"}, 1, "--ear takes right or left"},
        {{"curves", file, "--ear", "left", "--ear", "left"}, 1, "--ear takes right or left"},
        {{"curves", file, "--db"}, 1, "--db needs a value"},
        {{"curves", file, "--verbose"}, 1, "unknown option \"--verbose\""},
        {{"curves", file, "--db", "/nonexistent/TAVIK.TDB"}, 1, "/nonexistent/TAVIK.TDB"},
        {{"curves", "/nonexistent/P.TAV"}, 1, "No such file or directory"},
        {{"curves", testDataFile("truncated.TAV")}, 2, "truncated.TAV\": it is 1371 bytes long"},
        {{"predict", file}, 1, "predict needs --ear"},
        {{"predict", file, "--db", "x"}, 1, "unknown option \"--db\""},
        {{"predict", testDataFile("empty.TAV"), "--ear", "right"}, 2, "empty.TAV\": it is empty"},
    };
    for (const auto& c : cases) {
        const CliResult res = runTool(c.args);
        EXPECT_EQ(res.code, c.code) << c.message;
        EXPECT_TRUE(contains(res.err, c.message)) << res.err;
        EXPECT_EQ(res.out, "") << c.message;
    }
    const CliResult help = runTool({"--help"});
    EXPECT_TRUE(contains(help.out, "curves FILE [--ear right|left] [--db TAVIK.TDB]"));
    EXPECT_TRUE(contains(help.out, "predict FILE --ear right|left"));
}

} // namespace
