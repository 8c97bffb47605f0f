// The save history beside a patient file: what a save keeps, what a damaged history
// still gives, and that the history never stops a save.
#include "model/fileio.h"
#include "model/patientfile.h"
#include "model/patienthistory.h"
#include "model/patientscan.h"
#include "model/textslot.h"
#include "testsupport/testfiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

FittingRecord visit(const char* testDate, int32_t rightThr500) {
    FittingRecord r;
    resetFitting(r, testDate);
    writeText(r.lastName, "Smith");
    r.rightLoudness[1][0] = rightThr500;
    return r;
}

SaveStamp stamp(int64_t at, const char* user, const char* host) {
    return {at, user, host, "1.0a"};
}

std::vector<fs::path> versionFiles(const std::string& patient) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(historyPathFor(patient)))
        files.push_back(entry.path());
    std::ranges::sort(files);
    return files;
}

int32_t thr500(const KeptVersion& v) {
    return v.record.rightLoudness[1][0];
}

// 2030-01-01: the saves' stamps come after every file time of the test run.
constexpr int64_t kLater = 1893456000;

TEST(PatientHistory, EverySaveIsKeptWithItsStampOldestFirst) {
    TempDir dir;
    const std::string path = dir.file("SMITH.TAV");
    EXPECT_EQ(savePatientWithHistory(path, visit("01/06/2026", 40), stamp(kLater, "ann", "room-1")),
              "");
    EXPECT_EQ(savePatientWithHistory(path, visit("01/06/2026", 45), stamp(kLater, "bob", "room-2")),
              "");
    EXPECT_EQ(savePatientWithHistory(path, visit("02/03/2026", 50),
                                     stamp(kLater + 86400, "ann", "room 3/b")),
              "");

    const HistoryRead history = readHistory(path);
    EXPECT_TRUE(history.problems.empty());
    ASSERT_EQ(history.versions.size(), 3u);
    EXPECT_EQ(thr500(history.versions[0]), 40);
    EXPECT_EQ(thr500(history.versions[1]), 45);
    EXPECT_EQ(thr500(history.versions[2]), 50);
    EXPECT_EQ(history.versions[1].stamp.user, "bob");
    EXPECT_EQ(history.versions[1].stamp.host, "room-2");
    EXPECT_EQ(history.versions[2].stamp.savedAt, kLater + 86400);
    EXPECT_EQ(history.versions[2].stamp.host, "room 3/b");
    EXPECT_EQ(history.versions[2].stamp.programVersion, "1.0a");
    EXPECT_TRUE(history.versions[2].fileName.starts_with("20300102T000000."));
    EXPECT_TRUE(history.versions[2].fileName.find("_room-3-b_") != std::string::npos);
    EXPECT_EQ(fs::file_size(path), 1372u) << "the patient file stays the plain record";
    EXPECT_EQ(fs::file_size(versionFiles(path)[0]), 1544u);
}

TEST(PatientHistory, AFileNotWrittenWithTheHistoryIsKeptBeforeItIsReplaced) {
    TempDir dir;
    const std::string path = dir.file("P.TAV");
    writePatientFile(path, visit("12/01/2025", 30)); // from before the history
    const struct timespec times[2] = {{1764547200, 0}, {1764547200, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
    savePatientWithHistory(path, visit("01/06/2026", 40), stamp(kLater, "ann", "room-1"));
    writePatientFile(path, visit("01/06/2026", 35)); // another program, behind our back
    const struct timespec later[2] = {{kLater + 30, 5}, {kLater + 30, 5}};
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), later, 0), 0);
    savePatientWithHistory(path, visit("01/06/2026", 45), stamp(kLater + 60, "ann", "room-1"));
    savePatientWithHistory(path, visit("01/06/2026", 50), stamp(kLater + 120, "ann", "room-1"));

    const HistoryRead history = readHistory(path);
    ASSERT_EQ(history.versions.size(), 5u);
    const int32_t expected[] = {30, 40, 35, 45, 50};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(thr500(history.versions[i]), expected[i]) << i;
    EXPECT_EQ(history.versions[0].stamp.savedAt, 1764547200);
    EXPECT_EQ(history.versions[0].stamp.user, "unknown");
    EXPECT_EQ(history.versions[0].stamp.host, "unknown");
    EXPECT_EQ(history.versions[2].stamp.user, "unknown");
    EXPECT_EQ(history.versions[2].stamp.savedAt, kLater + 30);
    EXPECT_EQ(history.versions[3].stamp.user, "ann");
}

// Each damage costs its own version and is named; nothing is removed.
TEST(PatientHistory, ADamagedVersionFileIsNamedAndTheRestIsRead) {
    struct Case {
        const char* damage;
        std::function<void(const fs::path&)> apply;
        const char* problem;
    };
    const std::vector<Case> cases = {
        {"cut short", [](const fs::path& f) { fs::resize_file(f, 700); },
         "it is cut short (700 bytes)"},
        {"empty", [](const fs::path& f) { fs::resize_file(f, 0); },
         "it is no kept version of a patient file"},
        {"garbage",
         [](const fs::path& f) {
             writeBytes(f.string(), {'h', 'e', 'l', 'l', 'o'});
         },
         "it is no kept version of a patient file"},
        {"one byte of the record changed",
         [](const fs::path& f) {
             std::vector<uint8_t> bytes = readBytes(f.string());
             bytes[168 + 20] ^= 0x01;
             writeBytes(f.string(), bytes);
         },
         "its checksum does not match (the file is damaged)"},
        {"a later format",
         [](const fs::path& f) {
             std::vector<uint8_t> bytes = readBytes(f.string());
             bytes[8] = 2;
             writeBytes(f.string(), bytes);
         },
         "it was written in a form this program does not read (2)"},
        {"a folder in its place",
         [](const fs::path& f) {
             fs::remove(f);
             fs::create_directory(f);
         },
         "Is a directory"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        const std::string path = dir.file("P.TAV");
        for (int i = 0; i < 3; ++i)
            savePatientWithHistory(path, visit("01/06/2026", 40 + i), stamp(kLater + i, "a", "h"));
        const fs::path damaged = versionFiles(path)[1];
        c.apply(damaged);

        const HistoryRead history = readHistory(path);
        ASSERT_EQ(history.versions.size(), 2u) << c.damage;
        EXPECT_EQ(thr500(history.versions[0]), 40) << c.damage;
        EXPECT_EQ(thr500(history.versions[1]), 42) << c.damage;
        ASSERT_EQ(history.problems.size(), 1u) << c.damage;
        EXPECT_NE(history.problems[0].find(damaged.filename().string()), std::string::npos);
        EXPECT_NE(history.problems[0].find(c.problem), std::string::npos)
            << c.damage << ": " << history.problems[0];
        EXPECT_TRUE(fs::exists(damaged)) << c.damage;

        // The next save still works and is kept after the damage.
        EXPECT_EQ(
            savePatientWithHistory(path, visit("01/06/2026", 49), stamp(kLater + 9, "a", "h")), "");
        EXPECT_EQ(thr500(readHistory(path).versions.back()), 49) << c.damage;
    }
}

TEST(PatientHistory, AnAbsentHistoryIsEmptyAndTemporaryFilesAreNoVersions) {
    TempDir dir;
    const std::string path = dir.file("P.TAV");
    HistoryRead history = readHistory(path);
    EXPECT_TRUE(history.versions.empty() && history.problems.empty());
    savePatientWithHistory(path, visit("01/06/2026", 40), stamp(kLater, "a", "h"));
    writeBytes(historyPathFor(path) + "/.tavik-save-AbC123", {1, 2, 3}); // a killed save
    writeBytes(historyPathFor(path) + "/notes.txt", {'x'});
    history = readHistory(path);
    EXPECT_EQ(history.versions.size(), 1u);
    EXPECT_TRUE(history.problems.empty());
}

// The history cannot be written: the save is made all the same and says why.
TEST(PatientHistory, AHistoryThatCannotBeWrittenDoesNotStopTheSave) {
    TempDir dir;
    const std::string blocked = dir.file("BLOCKED.TAV");
    writeBytes(historyPathFor(blocked), {'x'}); // a file where the folder would go
    const std::string reason =
        savePatientWithHistory(blocked, visit("01/06/2026", 40), stamp(kLater, "a", "h"));
    EXPECT_NE(reason.find("could not keep this save"), std::string::npos) << reason;
    EXPECT_NE(reason.find("something else of that name is in the way"), std::string::npos);
    EXPECT_EQ(readBytes(blocked).size(), 1372u);
    EXPECT_EQ(readHistory(blocked).problems.size(), 1u);

    const std::string full = dir.file("FULL.TAV");
    std::string fullReason;
    {
        FileSizeLimit limit(1400); // a record fits, a version file does not
        fullReason = savePatientWithHistory(full, visit("01/06/2026", 41), stamp(kLater, "a", "h"));
    }
    EXPECT_NE(fullReason.find("File too large"), std::string::npos) << fullReason;
    EXPECT_EQ(readBytes(full).size(), 1372u);
    EXPECT_TRUE(readHistory(full).versions.empty());
}

TEST(PatientHistory, AReadOnlyFolderFailsTheSaveAsBeforeAndKeepsTheOldFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not stop root";
    TempDir dir;
    const std::string path = dir.file("P.TAV");
    savePatientWithHistory(path, visit("01/06/2026", 40), stamp(kLater, "a", "h"));
    ::chmod(dir.path().c_str(), 0555);
    ::chmod(historyPathFor(path).c_str(), 0555);
    EXPECT_THROW(savePatientWithHistory(path, visit("01/06/2026", 45), stamp(kLater + 1, "a", "h")),
                 FileError);
    ::chmod(historyPathFor(path).c_str(), 0755);
    ::chmod(dir.path().c_str(), 0755);
    EXPECT_EQ(readHistory(path).versions.size(), 1u);
}

TEST(PatientHistory, ThePreviousVisitIsTheNewestVersionOfAnotherTestDate) {
    HistoryRead history;
    const struct {
        const char* date;
        int32_t thr;
    } saved[] = {{"11/04/2025", 30}, {"12/02/2025", 35}, {"12/02/2025", 38}, {"01/06/2026", 40}};
    for (const auto& s : saved)
        history.versions.push_back({stamp(kLater, "a", "h"), visit(s.date, s.thr), {}});
    EXPECT_EQ(thr500(*previousVisit(history, "01/06/2026")), 38);
    EXPECT_EQ(thr500(*previousVisit(history, "12/02/2025")), 40);
    history.versions.resize(1);
    EXPECT_FALSE(previousVisit(history, "11/04/2025"));
    EXPECT_FALSE(previousVisit(HistoryRead{}, "01/06/2026"));
}

TEST(PatientHistory, TheHistoryIsNeverListedAsAPatient) {
    TempDir dir;
    const std::string path = dir.file("SMITH.TAV");
    for (int i = 0; i < 3; ++i)
        savePatientWithHistory(path, visit("01/06/2026", 40 + i), stamp(kLater + i, "a", "h"));
    // Even a patient file copied into the history folder by hand is not listed.
    writePatientFile(historyPathFor(path) + "/COPY.TAV", visit("01/06/2026", 1));
    const std::vector<PatientListing> listings = listPatientFolder(dir.path().string());
    ASSERT_EQ(listings.size(), 1u);
    EXPECT_EQ(listings[0].fileName, "SMITH.TAV");

    EXPECT_TRUE(isHistoryFolderName("SMITH.TAV.history"));
    EXPECT_TRUE(isHistoryFolderName("smith.tav.HISTORY"));
    EXPECT_FALSE(isHistoryFolderName(".tav.history"));
    EXPECT_FALSE(isHistoryFolderName("SMITH.history"));
    EXPECT_FALSE(isHistoryFolderName("SMITH.TAV.history.old"));
}

} // namespace
