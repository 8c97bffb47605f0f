// The atomic writer's guards: what it refuses to replace, what it keeps of the file it
// replaces, how a failed sync is reported, which leftovers of interrupted saves it
// clears, and how paths appear in its messages.
#include "model/fileio.h"
#include "model/patientfile.h"
#include "model/safetext.h"
#include "testsupport/testfiles.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <set>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::vector<uint8_t> kOld(7, 0x11);
const std::vector<uint8_t> kNew(9, 0x22);

void write(const std::string& path, const std::vector<uint8_t>& bytes) {
    writeFileAtomically(path, bytes);
}

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const FileError& e) {
        return e.what();
    }
    return "";
}

TEST(AtomicWriter, RefusesWhatIsNoRegularFileAndLeavesItAsItWas) {
    TempDir dir;
    ASSERT_EQ(::mkfifo(dir.file("pipe.TAV").c_str(), 0644), 0);
    fs::create_symlink("/dev/null", dir.path() / "device.TAV");
    fs::create_symlink(dir.path() / "gone.TAV", dir.path() / "dangling.TAV");
    fs::create_symlink(dir.path() / "loop.TAV", dir.path() / "loop.TAV");
    fs::create_directory(dir.path() / "folder.TAV");
    const std::set<std::string> before = namesIn(dir.path());

    const struct {
        const char* name;
        const char* reason;
    } cases[] = {
        {"pipe.TAV", "it is not a regular file"},
        {"device.TAV", "it is not a regular file"},
        {"dangling.TAV", "it is a link to a file that does not exist"},
        {"loop.TAV", "Too many levels of symbolic links"},
        {"folder.TAV", "Is a directory"},
    };
    for (const auto& c : cases) {
        const std::string path = dir.file(c.name);
        const std::string error = errorOf([&] { write(path, kNew); });
        EXPECT_NE(error.find("\"" + path + "\""), std::string::npos) << error;
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
    EXPECT_EQ(namesIn(dir.path()), before) << "nothing replaced, nothing left behind";
    EXPECT_TRUE(fs::is_fifo(dir.path() / "pipe.TAV"));
    EXPECT_EQ(fs::read_symlink(dir.path() / "dangling.TAV"), dir.path() / "gone.TAV");
    EXPECT_FALSE(fs::exists(dir.path() / "gone.TAV"));
    EXPECT_TRUE(fs::is_empty(dir.path() / "folder.TAV"));
}

// Root may write any file; a file without any write permission is refused all the
// same, so the protection holds for the account the clinic's machine may run as.
TEST(AtomicWriter, RefusesAReadOnlyFileForEveryAccount) {
    TempDir dir;
    const std::string path = dir.file("LOCKED.TAV");
    writeBytes(path, kOld);
    ::chmod(path.c_str(), 0444);
    const std::string error = errorOf([&] { write(path, kNew); });
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_NE(error.find("Permission denied"), std::string::npos) << error;
    EXPECT_EQ(readBytes(path), kOld);
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"LOCKED.TAV"});
}

TEST(AtomicWriter, KeepsPermissionsButNeverTheSetIdBits) {
    TempDir dir;
    const struct {
        mode_t before;
        mode_t after;
    } cases[] = {
        {0640, 0640}, {0604, 0604}, {04755, 0755}, {02775, 0775}, {01666, 0666}, {06777, 0777},
    };
    for (const auto& c : cases) {
        const std::string path = dir.file("P.TAV");
        writeBytes(path, kOld);
        ASSERT_EQ(::chmod(path.c_str(), c.before), 0);
        write(path, kNew);
        struct stat info {};
        ::stat(path.c_str(), &info);
        EXPECT_EQ(info.st_mode & 07777, c.after) << std::oct << c.before;
        EXPECT_EQ(readBytes(path), kNew);
    }
}

TEST(AtomicWriter, KeepsTheOwnerAndGroupItMayKeep) {
    TempDir dir;
    const std::string path = dir.file("P.TAV");
    writeBytes(path, kOld);
    // Root may give the file to anyone, and the new file must go back to them; any
    // other account keeps its own file.
    const uid_t owner = ::geteuid() == 0 ? 4321 : ::geteuid();
    const gid_t group = ::geteuid() == 0 ? 8765 : ::getegid();
    ASSERT_EQ(::chown(path.c_str(), owner, group), 0);
    ::chmod(path.c_str(), 0664);
    write(path, kNew);
    struct stat info {};
    ::stat(path.c_str(), &info);
    EXPECT_EQ(info.st_uid, owner);
    EXPECT_EQ(info.st_gid, group);
    EXPECT_EQ(info.st_mode & 0777, 0664u);
}

int failingSync(int) {
    errno = EIO;
    return -1;
}

int failingFolderSync(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        errno = EIO;
        return -1;
    }
    return ::fsync(fd);
}

int syncCalls = 0;
int countingSync(int fd) {
    ++syncCalls;
    return ::fsync(fd);
}

class SyncSeam {
  public:
    explicit SyncSeam(SyncFunction sync) : previous_(replaceFileSync(sync)) {}
    ~SyncSeam() { replaceFileSync(previous_); }

  private:
    SyncFunction previous_;
};

TEST(AtomicWriter, SyncsTheFileAndItsFolderAndReportsAFailedSync) {
    TempDir dir;
    const std::string path = dir.file("P.TAV");
    {
        syncCalls = 0;
        SyncSeam seam(countingSync);
        write(path, kOld);
        EXPECT_EQ(syncCalls, 2) << "the file before the rename, its folder after it";
    }
    {
        // A failed sync of the new file: the save fails and the old file stays.
        SyncSeam seam(failingSync);
        const std::string error = errorOf([&] { write(path, kNew); });
        EXPECT_NE(error.find(path), std::string::npos) << error;
        EXPECT_NE(error.find("Input/output error"), std::string::npos) << error;
        EXPECT_EQ(readBytes(path), kOld);
        EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"P.TAV"});
    }
    {
        // A failed sync of the folder: the rename may not last, so the save is
        // reported as failed too.
        SyncSeam seam(failingFolderSync);
        const std::string error = errorOf([&] { write(path, kNew); });
        EXPECT_NE(error.find("Input/output error"), std::string::npos) << error;
        EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"P.TAV"});
    }
}

TEST(AtomicWriter, ClearsOnlyItsOwnAbandonedTemporaryFiles) {
    TempDir dir;
    const auto make = [&](const std::string& name) { writeBytes(dir.file(name), kOld); };
    // Left by saves that were killed: ours, and no save holds them any more.
    make(".tavik-save-AbC123");
    make(".tavik-save-zzzzzz");
    // Not ours, or not abandoned: all stay.
    make(".tavik-save-AbC12");
    make(".tavik-save-AbC1234");
    make("tavik-save-AbC123");
    make(".tavik-save-AbC-23");
    make("P.TAV.AbC123");
    make("Q.TAV");
    fs::create_directory(dir.path() / ".tavik-save-Dir123");
    fs::create_symlink(dir.file("Q.TAV"), dir.path() / ".tavik-save-Lnk123");
    make(".tavik-save-Busy12");
    const int busy = ::open(dir.file(".tavik-save-Busy12").c_str(), O_RDONLY);
    ASSERT_EQ(::flock(busy, LOCK_EX), 0) << "a save in progress holds its file";

    write(dir.file("P.TAV"), kNew);
    ::close(busy);
    EXPECT_EQ(
        namesIn(dir.path()),
        (std::set<std::string>{".tavik-save-AbC12", ".tavik-save-AbC1234", "tavik-save-AbC123",
                               ".tavik-save-AbC-23", "P.TAV.AbC123", "Q.TAV", ".tavik-save-Dir123",
                               ".tavik-save-Lnk123", ".tavik-save-Busy12", "P.TAV"}));
    EXPECT_EQ(readBytes(dir.file("Q.TAV")), kOld);
}

// A writer of many files into one folder cleans it once and then writes without
// looking through it again.
TEST(AtomicWriter, CleaningCanBeLeftToTheCallerOnce) {
    TempDir dir;
    const std::string left = ".tavik-save-Left01";
    const struct {
        std::function<void()> action;
        bool leftoverStays;
    } cases[] = {
        {[&] { writeFileAtomically(dir.file("P.TAV"), kNew, {.removeInterruptedSaves = false}); },
         true},
        {[&] { writeFileAtomically(dir.file("P.TAV"), kNew, {}); }, false},
        {[&] { removeInterruptedSaves(dir.path().string() + "/"); }, false},
        {[&] { removeInterruptedSaves(dir.path().string()); }, false},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        writeBytes(dir.file(left), kOld);
        cases[i].action();
        EXPECT_EQ(fs::exists(dir.file(left)), cases[i].leftoverStays) << i;
    }
    EXPECT_EQ(readBytes(dir.file("P.TAV")), kNew);
}

TEST(AtomicWriter, PathsInMessagesCannotSteerTheTerminal) {
    const struct {
        std::string path;
        std::string shown;
    } cases[] = {
        {"/data/P.TAV", R"("/data/P.TAV")"},
        {"/data/\x1b[31mred.TAV", R"("/data/\x1b[31mred.TAV")"},
        {"a\nb\rc\td", R"("a\nb\rc\td")"},
        {std::string("nul\0x", 5), R"("nul\x00x")"},
        {"del\x7f", R"("del\x7f")"},
        {"back\\slash", R"("back\\slash")"},
        {"M\xc3\xbcller/caf\xc3\xa9", "\"M\xc3\xbcller/caf\xc3\xa9\""}, // UTF-8 stays
        {"csi\xc2\x9b"
         "31m",
         R"("csi\u009b31m")"},               // C1 control
        {"latin1 \xfc", R"("latin1 \xfc")"}, // no UTF-8
        {"cut \xe2\x82", R"("cut \xe2\x82")"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(quotedPath(c.path), c.shown) << c.shown;

    TempDir dir;
    const std::string error = errorOf([&] { readFileHead(dir.file("\x1b]0;title\x07.TAV"), 10); });
    EXPECT_EQ(error.find('\x1b'), std::string::npos) << error;
    EXPECT_NE(error.find("\\x1b]0;title\\x07.TAV"), std::string::npos) << error;
}

} // namespace
