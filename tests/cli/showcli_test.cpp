#include "model/aiddatabase.h"
#include "model/patientfile.h"
#include "model/textslot.h"
#include "testsupport/clirun.h"
#include "testsupport/testfiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <sys/stat.h>

namespace {

TEST(CliShow, PrintsACurrentFileAsWritten) {
    TempDir dir;
    FittingRecord r;
    resetFitting(r, "07/04/2007");
    writeText(r.lastName, "M\xfcller \"Jr\"");
    writeText(r.comments, "two\r\nlines");
    r.rightLoudness[0][0] = 40;
    r.aidSettings[1][5].curve.ratio1 = 2.3f;
    r.aidSettings[0][0].curve.gainAt50 = 0.1f;
    writePatientFile(dir.file("A.TAV"), r);

    const CliResult res = runTool({"show", dir.file("A.TAV")});
    ASSERT_EQ(res.code, 0) << res.err;
    const std::string& j = res.out;
    EXPECT_EQ(j.rfind("{\"kind\": \"Current\", \"record\": {\"fileTag\": \"TAVIKWIN1\", "
                      "\"lastName\": \"M\xc3\xbcller \\\"Jr\\\"\"",
                      0),
              0u)
        << j;
    EXPECT_TRUE(contains(j, "\"comments\": \"two\\r\\nlines\""));
    EXPECT_TRUE(contains(j, "\"testDate\": \"07/04/2007\""));
    EXPECT_TRUE(contains(j, "\"rightLoudness\": [[40, -99, -99, -99, -99, -99, -99, -99], "));
    EXPECT_TRUE(contains(j, "\"showInHL\": 1, \"aidSettings\": [[{\"curveChoice\": 0, "
                            "\"aidChoice\": 0, \"gainAt50\": 0.1, \"threshold1\": -99, "));
    EXPECT_TRUE(contains(j, "\"ratio1\": 2.3, "));
    EXPECT_TRUE(contains(j, "\"rmsError\": 0, \"complete\": 0}]]}}\n"));
    EXPECT_FALSE(contains(j, "padding"));
}

// Every field that exists once per ear holds a different value for each ear, so that
// a right field printed under a left name (or the ears' curve settings swapped) shows.
TEST(CliShow, EachEarsFieldsArePrintedUnderTheirOwnNames) {
    TempDir dir;
    FittingRecord r;
    resetFitting(r, "01/01/2000");
    r.rightAidStyle = 2;
    r.leftAidStyle = 3;
    r.rightLevelSource = 1;
    r.leftLevelSource = 2;
    r.rightRangeLow = 0;
    r.rightRangeHigh = 5;
    r.leftRangeLow = 2;
    r.leftRangeHigh = 3;
    for (int c = 0; c < kCategoryCount; ++c) {
        r.rightLoudness[0][c] = 10 + c;
        r.leftLoudness[0][c] = 60 + c;
    }
    r.aidSettings[0][0].curveChoice = 4;
    r.aidSettings[1][0].curveChoice = 5;
    r.aidSettings[0][0].aidChoice = 1;
    r.aidSettings[1][0].aidChoice = 2;
    r.aidSettings[0][0].curve.gainAt50 = 11.5f;
    r.aidSettings[1][0].curve.gainAt50 = 22.5f;
    writePatientFile(dir.file("EARS.TAV"), r);

    const CliResult res = runTool({"show", dir.file("EARS.TAV")});
    ASSERT_EQ(res.code, 0) << res.err;
    const char* const printed[] = {
        "\"rightAidStyle\": 2, \"leftAidStyle\": 3,",
        "\"leftLevelSource\": 2, \"rightLevelSource\": 1,",
        "\"leftRangeLow\": 2, \"leftRangeHigh\": 3, \"leftLoudness\": [[60, 61, 62, 63, 64, 65, "
        "66, "
        "67], [-99,",
        "\"rightRangeLow\": 0, \"rightRangeHigh\": 5, \"rightLoudness\": [[10, 11, 12, 13, 14, 15, "
        "16, 17], [-99,",
        // aidSettings: the right ear first, then the left.
        "\"aidSettings\": [[{\"curveChoice\": 4, \"aidChoice\": 1, \"gainAt50\": 11.5,",
        "}], [{\"curveChoice\": 5, \"aidChoice\": 2, \"gainAt50\": 22.5,",
    };
    for (const char* text : printed)
        EXPECT_TRUE(contains(res.out, text)) << text << "\n" << res.out;
}

TEST(CliShow, PrintsAnOlderFileConvertedOverAFreshRecord) {
    const CliResult res = runTool({"show", testDataFile("legacy.TAV")});
    ASSERT_EQ(res.code, 0) << res.err;
    EXPECT_TRUE(contains(res.out, "{\"kind\": \"Older\""));
    EXPECT_TRUE(contains(res.out, "\"fileTag\": \"TAVIKWIN1\", \"lastName\": \"Smith, John       "
                                  "\", \"firstName\": \"            \", \"middleInitial\": \"\""));
    EXPECT_TRUE(contains(res.out, "\"clinician\": \"Dr.\xc3\x84 \""));
    EXPECT_TRUE(contains(res.out, "\"rightAidStyle\": 3, \"leftAidStyle\": 1"));
}

TEST(CliShow, GarbageOfTheRightSizeIsPrintedSafely) {
    const CliResult res = runTool({"show", testDataFile("garbage.TAV")});
    ASSERT_EQ(res.code, 0) << res.err;
    // Slot-bounded texts, NaN floats as null, out-of-range numbers as they are.
    EXPECT_TRUE(contains(res.out, "\"middleInitial\": \"\xc3\xbf\xc3\xbf\""));
    EXPECT_TRUE(contains(res.out, "\"gainAt50\": null"));
    EXPECT_TRUE(contains(res.out, "\"rightAidStyle\": -1"));
    EXPECT_TRUE(contains(res.out, "\"showInHL\": 255"));
}

// A file of another size is named with its size and the sizes TAVIK reads, in the
// words every command and the patient list use.
TEST(CliShow, RefusesOtherSizesAndUnreadableFiles) {
    const struct {
        const char* name;
        const char* size;
    } cases[] = {
        {"empty.TAV", "it is empty"},
        {"truncated.TAV", "it is 1371 bytes long"},
        {"overlong.TAV", "it is 1373 bytes long"},
        {"legacy-short.TAV", "it is 3117 bytes long"},
        {"legacy-long.TAV", "it is longer than 3118 bytes"},
    };
    for (const auto& c : cases) {
        const std::string path = testDataFile(c.name);
        const CliResult res = runTool({"show", path});
        EXPECT_EQ(res.code, 2) << c.name;
        EXPECT_EQ(res.err, "Not a patient file \"" + path + "\": " + c.size +
                               ", and TAVIK reads patient files of 1372 bytes and older ones "
                               "of 3118 bytes\n");
        EXPECT_EQ(res.out, "");
    }
    const CliResult missing = runTool({"show", "/nonexistent/X.TAV"});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(contains(missing.err, "/nonexistent/X.TAV"));
    EXPECT_TRUE(contains(missing.err, "No such file or directory"));
}

TEST(CliShowDb, PrintsDefaultsForAMissingFileAndTheFileOtherwise) {
    TempDir dir;
    const CliResult defaults = runTool({"show-db", dir.file("TAVIK.TDB")});
    ASSERT_EQ(defaults.code, 0);
    EXPECT_EQ(defaults.out.rfind("{\"aidLongNames\": [\"HALongName1\", \"HALongName2\", ", 0), 0u);
    EXPECT_TRUE(contains(defaults.out, "\"aidShortNames\": [\"HA-1\", "));
    EXPECT_TRUE(contains(defaults.out,
                         "\"aidData\": [[{\"gainAt50\": -99, \"threshold1\": -99, "
                         "\"threshold1IsOutput\": 0, \"ratio1\": -99, \"threshold2\": -99, "
                         "\"threshold2IsOutput\": 0, \"ratio2\": -99, \"maxOutput\": -99}, "));

    AidDatabase d{};
    defaultAidDatabase(d);
    writeText(d.aidLongNames[2], "Wide Range 3");
    d.aidData[2][1].ratio1 = 2.5f;
    saveAidDatabase(dir.file("TAVIK.TDB"), d);
    const CliResult res = runTool({"show-db", dir.file("TAVIK.TDB")});
    EXPECT_TRUE(contains(res.out, "\"HALongName2\", \"Wide Range 3\""));
    EXPECT_TRUE(contains(res.out, "\"ratio1\": 2.5"));
}

// Only a missing file gives the defaults; whatever else stands at the path and
// cannot be read is an error that names it and says why.
TEST(CliShowDb, AnythingButAMissingFileThatCannotBeReadIsAnError) {
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "folder.TDB");
    ASSERT_EQ(::mkfifo(dir.file("pipe.TDB").c_str(), 0644), 0);
    std::filesystem::create_symlink(dir.path() / "loop.TDB", dir.path() / "loop.TDB");
    std::filesystem::create_symlink(dir.path() / "gone.TDB", dir.path() / "dangling.TDB");
    writeBytes(dir.file("locked.TDB"), std::vector<uint8_t>(10, 0));
    ::chmod(dir.file("locked.TDB").c_str(), 0);
    const struct {
        std::string path;
        const char* reason;
    } cases[] = {
        {dir.file("folder.TDB"), "Is a directory"},
        {dir.file("pipe.TDB"), "not a regular file"},
        {"/dev/null", "not a regular file"},
        {dir.file("loop.TDB"), "Too many levels of symbolic links"},
        {dir.file("dangling.TDB"), "No such file or directory"},
        {dir.file("locked.TDB"), "Permission denied"},
    };
    for (const auto& c : cases) {
        if (c.path == dir.file("locked.TDB") && ::geteuid() == 0)
            continue; // root reads a file without read permission
        const CliResult res = runTool({"show-db", c.path});
        EXPECT_EQ(res.code, 1) << c.path;
        EXPECT_EQ(res.out, "") << c.path;
        EXPECT_TRUE(contains(res.err, "\"" + c.path + "\"")) << res.err;
        EXPECT_TRUE(contains(res.err, c.reason)) << res.err;
    }
    EXPECT_EQ(runTool({"show-db", dir.file("none.TDB")}).code, 0);
    EXPECT_EQ(runTool({"show-db", dir.file("no-folder/none.TDB")}).code, 0);
}

TEST(CliArguments, HelpAndMistakes) {
    const CliResult help = runTool({"--help"});
    EXPECT_EQ(help.code, 0);
    EXPECT_TRUE(contains(help.out, "show FILE"));
    EXPECT_TRUE(contains(help.out, "show-db FILE"));
    EXPECT_EQ(runTool({}).code, 1);
    EXPECT_EQ(runTool({"frobnicate"}).code, 1);
    EXPECT_EQ(runTool({"show"}).code, 1);
    EXPECT_EQ(runTool({"show", "a", "b"}).code, 1);
}

} // namespace
