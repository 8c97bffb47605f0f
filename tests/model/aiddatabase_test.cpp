#include "model/aiddatabase.h"
#include "model/fileio.h"
#include "model/textslot.h"
#include "testsupport/testfiles.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::vector<uint8_t> imageOf(const AidDatabase& d) {
    const auto* p = reinterpret_cast<const uint8_t*>(&d);
    return std::vector<uint8_t>(p, p + sizeof d);
}

TEST(AidDatabaseFile, MissingFileGivesTheDefaults) {
    TempDir dir;
    AidDatabase d{};
    loadAidDatabase(dir.file("TAVIK.TDB"), d);
    for (int n = 0; n < kAidCount; ++n) {
        EXPECT_EQ(readText(d.aidLongNames[n]), "HALongName" + std::to_string(n + 1));
        EXPECT_EQ(readText(d.aidShortNames[n]), "HA-" + std::to_string(n + 1));
        for (const AidFrequencyData& f : d.aidData[n]) {
            for (float v :
                 {f.gainAt50, f.threshold1, f.ratio1, f.threshold2, f.ratio2, f.maxOutput})
                EXPECT_EQ(v, -99.0f);
            EXPECT_EQ(f.threshold1IsOutput, 0);
            EXPECT_EQ(f.threshold2IsOutput, 0);
        }
    }
}

TEST(AidDatabaseFile, DefaultsLeaveThePaddingAlone) {
    AidDatabase d{};
    d.padding[0] = 7;
    defaultAidDatabase(d);
    EXPECT_EQ(d.padding[0], 7);
}

TEST(AidDatabaseFile, ShortFileFillsOnlyTheStart) {
    AidDatabase d{};
    defaultAidDatabase(d);
    loadAidDatabase(testDataFile("short.TDB"), d);
    EXPECT_EQ(readText(d.aidLongNames[0]), "Short aid");
    EXPECT_EQ(readText(d.aidLongNames[3]), "");      // inside the 100 bytes
    EXPECT_EQ(readText(d.aidShortNames[0]), "HA-1"); // past them: kept
    EXPECT_EQ(d.aidData[5][5].maxOutput, -99.0f);
}

TEST(AidDatabaseFile, UnchangedDatabaseIsWrittenBackByteForByte) {
    TempDir dir;
    const std::vector<uint8_t> original = readBytes(testDataFile("garbage.TDB"));
    AidDatabase d{};
    loadAidDatabase(testDataFile("garbage.TDB"), d);
    saveAidDatabase(dir.file("TAVIK.TDB"), d);
    EXPECT_EQ(readBytes(dir.file("TAVIK.TDB")), original);

    defaultAidDatabase(d);
    d.padding[1] = 3;
    saveAidDatabase(dir.file("TAVIK.TDB"), d);
    AidDatabase back{};
    loadAidDatabase(dir.file("TAVIK.TDB"), back);
    EXPECT_EQ(imageOf(back), imageOf(d));
}

TEST(AidDatabaseFile, FailedSaveKeepsTheOldFileAndReports) {
    TempDir dir;
    AidDatabase d{};
    defaultAidDatabase(d);
    saveAidDatabase(dir.file("TAVIK.TDB"), d);
    const std::vector<uint8_t> before = readBytes(dir.file("TAVIK.TDB"));
    writeText(d.aidLongNames[0], "Changed");
    {
        FileSizeLimit limit(512);
        EXPECT_THROW(saveAidDatabase(dir.file("TAVIK.TDB"), d), FileError);
    }
    EXPECT_EQ(readBytes(dir.file("TAVIK.TDB")), before);
}

struct LoadCase {
    const char* what;
    std::function<void(const std::string& path)> make;
    AidDatabaseSource source;
    const char* reason; // part of the reason given; "" for none
};

// Only a missing file gives the defaults silently; a file that is there but cannot be
// read gives them with a reason naming the file, and a FIFO does not hang the read.
TEST(AidDatabaseLoad, TellsAMissingFileFromAnUnreadableOne) {
    const LoadCase cases[] = {
        {"missing", [](const std::string&) {}, AidDatabaseSource::Missing, ""},
        {"file", [](const std::string& p) { writeBytes(p, std::vector<uint8_t>(1364, 0x41)); },
         AidDatabaseSource::File, ""},
        {"directory", [](const std::string& p) { std::filesystem::create_directory(p); },
         AidDatabaseSource::Unreadable, "Is a directory"},
        {"fifo", [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); },
         AidDatabaseSource::Unreadable, "not a regular file"},
        {"dangling link",
         [](const std::string& p) { std::filesystem::create_symlink(p + ".gone", p); },
         AidDatabaseSource::Unreadable, "No such file"},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const std::string path = dir.file("TAVIK.TDB");
        c.make(path);
        AidDatabase d{};
        const AidDatabaseLoad load = loadAidDatabase(path, d);
        EXPECT_EQ(load.source, c.source);
        if (c.source == AidDatabaseSource::Unreadable) {
            EXPECT_NE(load.reason.find(path), std::string::npos) << load.reason;
            EXPECT_NE(load.reason.find(c.reason), std::string::npos) << load.reason;
        } else {
            EXPECT_EQ(load.reason, "");
        }
        const std::string firstName = readText(d.aidLongNames[0]);
        EXPECT_EQ(firstName, c.source == AidDatabaseSource::File ? std::string(25, 'A')
                                                                 : std::string("HALongName1"));
    }
}

TEST(AidDatabaseExitRule, AnUnreadableFileIsReplacedOnlyAfterAChangeAndAQuestion) {
    AidDatabase atStart{};
    defaultAidDatabase(atStart);
    AidDatabase changed = atStart;
    changed.aidData[5][5].maxOutput = 120;
    using enum AidDatabaseSource;
    EXPECT_EQ(aidDatabaseExit(File, atStart, atStart), AidDatabaseExit::Write);
    EXPECT_EQ(aidDatabaseExit(Missing, atStart, atStart), AidDatabaseExit::Write);
    EXPECT_EQ(aidDatabaseExit(Unreadable, atStart, atStart), AidDatabaseExit::Keep);
    EXPECT_EQ(aidDatabaseExit(Unreadable, atStart, changed), AidDatabaseExit::AskFirst);
}

} // namespace
