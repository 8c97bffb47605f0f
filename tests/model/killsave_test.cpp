// Saves under kill -9: a child process saves two different records onto one path in
// turn, without end, and is killed at random moments. After every kill the file must
// be exactly one of the two images, and at most the temporary file of the one save
// that was cut short may be left; the next save clears it.
// The moments come from a fixed seed, which the test prints, so that a failing run
// can be repeated; TAVIK_KILLS sets how many kills (200 unless told).
#include "model/fileio.h"
#include "model/patientfile.h"
#include "model/patienthistory.h"
#include "model/textslot.h"
#include "testsupport/testfiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <random>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr unsigned kSeed = 20261207;

FittingRecord record(const char* name, int level) {
    FittingRecord r;
    resetFitting(r, "01/01/2000");
    writeText(r.lastName, name);
    for (auto& row : r.rightLoudness)
        for (int32_t& cell : row)
            cell = level;
    return r;
}

std::vector<uint8_t> imageOf(const FittingRecord& r) {
    const auto* p = reinterpret_cast<const uint8_t*>(&r);
    return {p, p + sizeof r};
}

int killCount() {
    const char* text = std::getenv("TAVIK_KILLS");
    const int count = text ? std::atoi(text) : 0;
    return count > 0 ? count : 200;
}

// Counts the temporary files a killed save left in the folder; anything else there
// but the named files fails the test.
int temporariesIn(const std::filesystem::path& folder, const std::vector<std::string>& named) {
    int temporaries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (std::ranges::find(named, name) != named.end() || name.ends_with(".tavh"))
            continue;
        EXPECT_TRUE(isSaveTemporaryName(name)) << name;
        ++temporaries;
    }
    return temporaries;
}

// Saves a and b in turn until killed, counting finished saves in shared memory.
[[noreturn]] void saveForever(const std::string& path, const FittingRecord& a,
                              const FittingRecord& b, std::atomic<long>* saved) {
    try {
        for (long n = 0;; ++n) {
            writePatientFile(path, n % 2 == 0 ? a : b);
            saved->fetch_add(1);
        }
    } catch (...) {
        ::_exit(3); // a save that failed: the parent sees an exit, not a kill
    }
}

[[noreturn]] void saveWithHistoryForever(const std::string& path, const FittingRecord& a,
                                         const FittingRecord& b) {
    try {
        for (long n = 0;; ++n) {
            if (!savePatientWithHistory(path, n % 2 == 0 ? a : b, stampNow()).empty())
                ::_exit(4);
        }
    } catch (...) {
        ::_exit(3);
    }
}

TEST(SaveUnderKill, TheFileIsAlwaysOneOfTheTwoWholeImages) {
    const int kills = killCount();
    TempDir dir;
    const std::string path = dir.file("P.TAV");
    const FittingRecord a = record("Alpha", 40), b = record("Bravo", 90);
    const std::vector<uint8_t> imageA = imageOf(a), imageB = imageOf(b);
    writePatientFile(path, a);

    auto* saved = static_cast<std::atomic<long>*>(::mmap(nullptr, sizeof(std::atomic<long>),
                                                         PROT_READ | PROT_WRITE,
                                                         MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(saved, MAP_FAILED);
    new (saved) std::atomic<long>(0);

    std::cout << "[ seed     ] " << kSeed << "\n";
    std::mt19937 random(kSeed);
    // Up to a few saves' time, so that kills fall into every step of a save.
    std::uniform_int_distribution<int> pause(0, 3000);
    int foundA = 0, foundB = 0, leftTemporary = 0;
    for (int kill = 0; kill < kills; ++kill) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            saveForever(path, a, b, saved);
        ::usleep(static_cast<useconds_t>(pause(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL)
            << "the saving child ended by itself (a save failed), kill " << kill;

        const std::vector<uint8_t> bytes = readBytes(path);
        ASSERT_TRUE(bytes == imageA || bytes == imageB)
            << "kill " << kill << " of seed " << kSeed << " left " << bytes.size() << " bytes";
        (bytes == imageA ? foundA : foundB)++;

        int temporaries = 0;
        for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
            const std::string name = entry.path().filename().string();
            if (name == "P.TAV")
                continue;
            ASSERT_TRUE(isSaveTemporaryName(name)) << name;
            ++temporaries;
        }
        ASSERT_LE(temporaries, 1) << "an earlier save's temporary file was not cleared";
        leftTemporary += temporaries;
    }

    writePatientFile(path, b);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1)
        << "the next save clears what the last kill left";
    std::cout << "[ figures  ] " << kills << " kills during " << saved->load()
              << " finished saves: file was A " << foundA << " times, B " << foundB
              << " times, never anything else; " << leftTemporary
              << " kills left a temporary file, each cleared by the next save\n";
    ::munmap(saved, sizeof(std::atomic<long>));
}

// The same with the history kept: after every kill the file is one of the two images,
// every version kept so far is still there and sound, and at most one temporary file
// is left in the folder and one in the history.
TEST(SaveUnderKill, TheHistoryKeepsEveryVersionItHeldAndNothingHalfWritten) {
    const int kills = killCount() / 4;
    TempDir dir;
    const std::string path = dir.file("P.TAV");
    const FittingRecord a = record("Alpha", 40), b = record("Bravo", 90);
    const std::vector<uint8_t> imageA = imageOf(a), imageB = imageOf(b);
    writePatientFile(path, a);

    std::mt19937 random(kSeed + 1);
    // A save with its history syncs three files: up to several saves' time.
    std::uniform_int_distribution<int> pause(0, 40000);
    std::size_t kept = 0;
    for (int kill = 0; kill < kills; ++kill) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            saveWithHistoryForever(path, a, b);
        ::usleep(static_cast<useconds_t>(pause(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "kill " << kill;

        const std::vector<uint8_t> bytes = readBytes(path);
        ASSERT_TRUE(bytes == imageA || bytes == imageB) << "kill " << kill;
        const HistoryRead history = readHistory(path);
        ASSERT_TRUE(history.problems.empty()) << "kill " << kill << ": " << history.problems[0];
        ASSERT_GE(history.versions.size(), kept) << "a kept version was lost, kill " << kill;
        for (const KeptVersion& version : history.versions)
            ASSERT_TRUE(imageOf(version.record) == imageA || imageOf(version.record) == imageB);
        kept = history.versions.size();
        // Each folder's next write clears what a kill left there.
        ASSERT_LE(temporariesIn(dir.path(), {"P.TAV", "P.TAV.history"}), 1) << "kill " << kill;
        if (std::filesystem::exists(historyPathFor(path))) {
            ASSERT_LE(temporariesIn(historyPathFor(path), {}), 1) << "kill " << kill;
        }
    }
    std::cout << "[ figures  ] " << kills << " kills left " << kept
              << " sound versions in the history, none damaged\n";
}

} // namespace
