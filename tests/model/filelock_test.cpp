// The mark a workstation leaves beside an open patient file, and the check that a
// file was changed on disk behind the program's back.
#include "cli/batchfiles.h"
#include "model/diskchange.h"
#include "model/fileio.h"
#include "model/filelock.h"
#include "model/patientfile.h"
#include "model/patientscan.h"
#include "testsupport/testfiles.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const std::string kAnnaText = "TAVIK lock 1\nuser=anna\nhost=room-2\npid=4711\nsince=1796640000\n"
                              "end\n";

std::string text(const std::vector<uint8_t>& bytes) {
    return {bytes.begin(), bytes.end()};
}

void writeText(const std::string& path, const std::string& content) {
    writeBytes(path, {content.begin(), content.end()});
}

TEST(FileLock, TextNamesUserHostProcessAndTimeAndReadsBack) {
    const LockOwner anna{"anna", "room-2", 4711, 1796640000};
    EXPECT_EQ(formatLock(anna), kAnnaText);
    EXPECT_EQ(parseLock(kAnnaText), anna);

    // Names cannot break the lines, and are cut to what a lock holds.
    const LockOwner odd{"o\nbrien\x7f", std::string(70, 'h'), 2, 0};
    EXPECT_EQ(formatLock(odd), "TAVIK lock 1\nuser=o?brien?\nhost=" + std::string(64, 'h') +
                                   "\npid=2\nsince=0\nend\n");
    EXPECT_EQ(parseLock(formatLock(odd)), (LockOwner{"o?brien?", std::string(64, 'h'), 2, 0}));
    // A cut never splits a letter: "ł" takes bytes 64 and 65.
    EXPECT_EQ(formatLock({std::string(63, 'u') + "\xc5\x82", "h", 1, 0}),
              "TAVIK lock 1\nuser=" + std::string(63, 'u') + "\nhost=h\npid=1\nsince=0\nend\n");
}

TEST(FileLock, TextThatIsNotOneWholeLockNamesNoOne) {
    const std::string head = "TAVIK lock 1\nuser=anna\nhost=room-2\n";
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"empty", ""},
        {"garbage", "\x01\x02 PK\x03\x04 not a lock"},
        {"no terminator", head + "pid=4711\nsince=1796640000\n"},
        {"last line without its break", head + "pid=4711\nsince=1796640000\nend"},
        {"something after the end", kAnnaText + "x\n"},
        {"another kind of file", "TAVIK lock 2\nuser=anna\nhost=room-2\npid=4711\nsince=1\nend\n"},
        {"keys out of order", "TAVIK lock 1\nhost=room-2\nuser=anna\npid=4711\nsince=1\nend\n"},
        {"no host", "TAVIK lock 1\nuser=anna\nhost=\npid=4711\nsince=1\nend\n"},
        {"process 0", head + "pid=0\nsince=1\nend\n"},
        {"process beyond the system's", head + "pid=2147483648\nsince=1\nend\n"},
        {"process not a number", head + "pid=47x1\nsince=1\nend\n"},
        {"negative time", head + "pid=4711\nsince=-5\nend\n"},
        {"name longer than a lock holds",
         "TAVIK lock 1\nuser=" + std::string(65, 'u') + "\nhost=h\npid=1\nsince=1\nend\n"},
        {"huge", kAnnaText + std::string(5000, '\n')},
    };
    for (const auto& [name, lockText] : cases)
        EXPECT_EQ(parseLock(lockText), std::nullopt) << name;
    // Both ends of the ranges that are taken.
    EXPECT_EQ(parseLock(head + "pid=2147483647\nsince=0\nend\n")->processId, 2147483647);
    EXPECT_EQ(parseLock(head + "pid=1\nsince=0\nend\n")->processId, 1);
}

bool onlyProcess200Runs(std::int64_t processId) {
    return processId == 200;
}

TEST(FileLock, JudgedForThisProcessByHostAndWhetherItsHolderRuns) {
    const LockOwner self{"me", "ws-1", 100, 1796650000};
    const auto lockOf = [](const char* host, std::int64_t pid) {
        return std::optional<std::string>(formatLock({"anna", host, pid, 1796640000}));
    };
    const std::vector<std::tuple<const char*, std::optional<std::string>, LockState>> cases = {
        {"no lock file", std::nullopt, LockState::Free},
        {"ours", lockOf("ws-1", 100), LockState::Ours},
        {"this computer, process ended", lockOf("ws-1", 300), LockState::Abandoned},
        {"this computer, process runs", lockOf("ws-1", 200), LockState::Held},
        {"other computer, our process id", lockOf("ws-2", 100), LockState::Held},
        {"other computer, no such process here", lockOf("ws-2", 300), LockState::Held},
        {"garbage", std::string("\xff\xfe"), LockState::Unreadable},
        {"a lock file that could not be read", std::string(), LockState::Unreadable},
    };
    for (const auto& [name, lockText, expected] : cases)
        EXPECT_EQ(judgeLock(lockText, self, onlyProcess200Runs), expected) << name;
}

TEST(FileLock, ProcessCheckTellsARunningProcessFromOneThatEnded) {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ASSERT_GT(child, 0);
    ASSERT_EQ(::waitpid(child, nullptr, 0), child);
    EXPECT_FALSE(processRuns(child));
    EXPECT_TRUE(processRuns(::getpid()));
    EXPECT_TRUE(processRuns(1)) << "another user's process runs too";
    EXPECT_FALSE(processRuns(0));
    EXPECT_FALSE(processRuns(-4711));
    EXPECT_EQ(thisWorkstation().processId, ::getpid());
}

TEST(FileLock, LivesBesideTheFileHiddenAndNeverEndingInTav) {
    EXPECT_EQ(lockPathFor("/data/north/SMITH.TAV"), "/data/north/.SMITH.TAV.lock");
    EXPECT_EQ(lockPathFor("smith.tav"), ".smith.tav.lock");
}

TEST(FileLock, IsWrittenOnlyWhereNoneIsUnlessReplacedAndRemovedOnlyByItsOwner) {
    TempDir dir;
    const std::string patient = dir.file("SMITH.TAV");
    const LockOwner anna{"anna", "room-2", 4711, 1796640000};
    const LockOwner ben{"ben", "room-5", 815, 1796643600};
    EXPECT_EQ(readLockText(patient), std::nullopt);

    EXPECT_TRUE(writeLock(patient, anna, false));
    EXPECT_EQ(text(readBytes(dir.file(".SMITH.TAV.lock"))), kAnnaText);
    EXPECT_FALSE(writeLock(patient, ben, false)) << "anna came first";
    EXPECT_EQ(readLockText(patient), kAnnaText);

    removeLock(patient, ben);
    EXPECT_EQ(readLockText(patient), kAnnaText) << "ben may not take anna's mark away";
    EXPECT_TRUE(writeLock(patient, ben, true));
    removeLock(patient, anna);
    EXPECT_EQ(parseLock(*readLockText(patient)), ben) << "taken over: anna's close leaves it";
    removeLock(patient, {"ben", "room-5", 815, 0}); // the time it was taken does not matter
    EXPECT_EQ(readLockText(patient), std::nullopt);

    // Nothing but the lock is left in the folder: no temporary file.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 0);
}

TEST(FileLock, HugeOrUnreadableLockFileCountsAsHeldBySomeoneUnnamed) {
    TempDir dir;
    const std::string patient = dir.file("P.TAV");
    const LockOwner self{"me", "ws-1", 100, 0};
    writeText(dir.file(".P.TAV.lock"), kAnnaText + std::string(1 << 20, 'x'));
    EXPECT_EQ(judgeLock(readLockText(patient), self), LockState::Unreadable);
    EXPECT_LE(readLockText(patient)->size(), 1025u) << "not read to its end";

    std::filesystem::remove(dir.file(".P.TAV.lock"));
    std::filesystem::create_directory(dir.file(".P.TAV.lock"));
    EXPECT_EQ(judgeLock(readLockText(patient), self), LockState::Unreadable);
}

TEST(FileLock, FolderThatRefusesTheLockSaysWhy) {
    TempDir dir;
    const std::string gone = dir.file("gone/P.TAV");
    for (const bool replace : {false, true}) {
        try {
            writeLock(gone, {"anna", "room-2", 4711, 0}, replace);
            ADD_FAILURE() << "no error";
        } catch (const FileError& error) {
            EXPECT_EQ(std::string(error.what()), "Cannot mark the file as open with \"" +
                                                     dir.file("gone/.P.TAV.lock") +
                                                     "\": No such file or directory");
        }
    }
}

TEST(FileLock, LockFilesAreNeverTakenForPatients) {
    TempDir dir;
    FittingRecord record{};
    resetFitting(record, "03/04/2025");
    writePatientFile(dir.file("SMITH.TAV"), record);
    writeLock(dir.file("SMITH.TAV"), {"anna", "room-2", 4711, 0}, false);
    writeText(dir.file(".SMITH.TAV.lock.a1B2c3"), kAnnaText); // a lock being written

    const std::vector<PatientListing> listed = listPatientFolder(dir.path().string());
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].fileName, "SMITH.TAV");
    const BatchFinding batch = findBatchInputs(dir.path().string());
    ASSERT_EQ(batch.inputs.size(), 1u);
    EXPECT_EQ(batch.inputs[0].relativePath, "SMITH.TAV");
}

TEST(DiskChange, NamesTheTimeOfAChangeToTheBytesLastKnown) {
    TempDir dir;
    const std::string path = dir.file("P.TAV");
    const std::vector<uint8_t> known = {7, 1, 9, 4};
    const auto writeAt = [&](const std::vector<uint8_t>& bytes, std::int64_t when) {
        writeBytes(path, bytes);
        const timespec times[2] = {{when, 0}, {when, 0}};
        ::utimensat(AT_FDCWD, path.c_str(), times, 0);
    };
    const std::vector<std::tuple<const char*, std::vector<uint8_t>, std::optional<std::int64_t>>>
        cases = {
            {"the same bytes, touched", {7, 1, 9, 4}, std::nullopt},
            {"one byte changed, same size", {7, 1, 9, 5}, 1796640000},
            {"the first byte changed", {8, 1, 9, 4}, 1796640000},
            {"longer", {7, 1, 9, 4, 0}, 1796640000},
            {"shorter", {7, 1, 9}, 1796640000},
            {"emptied", {}, 1796640000},
        };
    for (const auto& [name, bytes, expected] : cases) {
        writeAt(bytes, 1796640000);
        EXPECT_EQ(changedOnDisk(path, known), expected) << name;
    }
    std::filesystem::remove(path);
    EXPECT_EQ(changedOnDisk(path, known), std::nullopt) << "gone: a save only creates it";
}

} // namespace
