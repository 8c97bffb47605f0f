// The history of a patient file is a folder beside it, "SMITH.TAV.history", with one
// small file per kept version. Each version file is written whole and atomically under
// a name of its own (the save's UTC time, host, process and a counter), so two
// workstations saving into one shared folder never write the same file, and a kill at
// any moment leaves at most a temporary file that no reader takes for a version. Each
// file carries a checksum, so one damaged file costs that version only.
#include "model/patienthistory.h"

#include "model/workstation.h"

#include "model/fileio.h"
#include "model/patientfile.h"
#include "model/safetext.h"
#include "model/textslot.h"
#include "model/version.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <memory>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The byte image of a version file, all little-endian.
constexpr std::array<char, 8> kMagic = {'T', 'A', 'V', 'I', 'K', 'H', 'I', 'S'};
constexpr uint32_t kFormat = 1;
constexpr std::size_t kFormatAt = 8;
constexpr std::size_t kSavedAtAt = 16;
constexpr std::size_t kUserAt = 24, kUserWidth = 64;
constexpr std::size_t kHostAt = 88, kHostWidth = 64;
constexpr std::size_t kProgramAt = 152, kProgramWidth = 16;
constexpr std::size_t kRecordAt = 168;
constexpr std::size_t kChecksumAt = kRecordAt + sizeof(FittingRecord);
constexpr std::size_t kVersionFileSize = kChecksumAt + 4;
static_assert(kVersionFileSize == 1544);

constexpr std::string_view kVersionExtension = ".tavh";
constexpr const char* kUnknown = "unknown";

// CRC-32 (the polynomial of zip and PNG), table-driven.
constexpr std::array<uint32_t, 256> makeCrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}
constexpr std::array<uint32_t, 256> kCrcTable = makeCrcTable();

uint32_t checksum(const uint8_t* bytes, std::size_t size) {
    uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i)
        c = kCrcTable[(c ^ bytes[i]) & 0xFFu] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

void putText(std::vector<uint8_t>& bytes, std::size_t at, std::size_t width,
             std::string_view text) {
    writeTextSlot(reinterpret_cast<char*>(bytes.data() + at), width, text);
}

std::vector<uint8_t> versionImage(const KeptVersion& version) {
    std::vector<uint8_t> bytes(kVersionFileSize, 0);
    std::memcpy(bytes.data(), kMagic.data(), kMagic.size());
    std::memcpy(bytes.data() + kFormatAt, &kFormat, sizeof kFormat);
    std::memcpy(bytes.data() + kSavedAtAt, &version.stamp.savedAt, sizeof(int64_t));
    putText(bytes, kUserAt, kUserWidth, version.stamp.user);
    putText(bytes, kHostAt, kHostWidth, version.stamp.host);
    putText(bytes, kProgramAt, kProgramWidth, version.stamp.programVersion);
    std::memcpy(bytes.data() + kRecordAt, &version.record, sizeof(FittingRecord));
    const uint32_t sum = checksum(bytes.data(), kChecksumAt);
    std::memcpy(bytes.data() + kChecksumAt, &sum, sizeof sum);
    return bytes;
}

// Why the bytes are no sound version, "" when they are one; `version` gets it.
std::string parseVersion(const std::vector<uint8_t>& bytes, KeptVersion& version) {
    if (bytes.size() < kMagic.size() || !std::equal(kMagic.begin(), kMagic.end(), bytes.begin()))
        return "it is no kept version of a patient file";
    uint32_t format = 0;
    if (bytes.size() >= kFormatAt + 4)
        std::memcpy(&format, bytes.data() + kFormatAt, sizeof format);
    if (format != kFormat)
        return "it was written in a form this program does not read (" + std::to_string(format) +
               ")";
    if (bytes.size() != kVersionFileSize)
        return bytes.size() < kVersionFileSize
                   ? "it is cut short (" + std::to_string(bytes.size()) + " bytes)"
                   : "it is longer than a kept version";
    uint32_t sum = 0;
    std::memcpy(&sum, bytes.data() + kChecksumAt, sizeof sum);
    if (sum != checksum(bytes.data(), kChecksumAt))
        return "its checksum does not match (the file is damaged)";
    const auto text = [&](std::size_t at, std::size_t width) {
        return readTextSlot(reinterpret_cast<const char*>(bytes.data() + at), width);
    };
    std::memcpy(&version.stamp.savedAt, bytes.data() + kSavedAtAt, sizeof(int64_t));
    version.stamp.user = text(kUserAt, kUserWidth);
    version.stamp.host = text(kHostAt, kHostWidth);
    version.stamp.programVersion = text(kProgramAt, kProgramWidth);
    std::memcpy(&version.record, bytes.data() + kRecordAt, sizeof(FittingRecord));
    return "";
}

bool isVersionFileName(std::string_view name) {
    return name.size() > kVersionExtension.size() && name.front() != '.' &&
           name.ends_with(kVersionExtension);
}

std::string folderPath(const std::string& patientPath) {
    return historyPathFor(patientPath) + "/";
}

// The version files' names, oldest first: a name starts with the UTC time of the save.
// Raises FileError when the folder exists but cannot be read; none when it is absent.
std::vector<std::string> versionFileNames(const std::string& patientPath) {
    const std::string folder = historyPathFor(patientPath);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) {
        if (errno == ENOENT)
            return {};
        throw FileError("Cannot read the history " + quotedPath(folder) + ": " +
                        std::strerror(errno));
    }
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
        if (isVersionFileName(entry->d_name))
            names.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    std::ranges::sort(names);
    return names;
}

// "20261208T104051.123456789Z": the stamp's second and the sub-second of the clock,
// so that two saves within one second keep their order.
std::string timePart(int64_t savedAt, long nanoseconds) {
    const std::time_t seconds = static_cast<std::time_t>(savedAt);
    std::tm utc{};
    ::gmtime_r(&seconds, &utc);
    char text[96];
    std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d%02d.%09ldZ", utc.tm_year + 1900,
                  utc.tm_mon + 1, utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec,
                  nanoseconds % 1000000000L);
    return text;
}

// The host as a file name may hold it: letters, digits, '-' and '.', at most 40.
std::string hostPart(std::string_view host) {
    std::string part;
    for (const char c : host.substr(0, 40)) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                           (c >= '0' && c <= '9') || c == '-' || c == '.';
        part += plain ? c : '-';
    }
    return part.empty() ? kUnknown : part;
}

std::string versionFileName(const SaveStamp& stamp, long nanoseconds) {
    static std::atomic<unsigned> counter{0};
    return timePart(stamp.savedAt, nanoseconds) + "_" + hostPart(stamp.host) + "_" +
           std::to_string(::getpid()) + "_" + std::to_string(counter.fetch_add(1)) +
           std::string(kVersionExtension);
}

void makeFolder(const std::string& patientPath) {
    const std::string folder = historyPathFor(patientPath);
    if (::mkdir(folder.c_str(), 0777) == 0 || errno == EEXIST) {
        struct stat info {};
        if (::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
            return;
        throw FileError("Cannot create the history " + quotedPath(folder) +
                        ": something else of that name is in the way");
    }
    throw FileError("Cannot create the history " + quotedPath(folder) + ": " +
                    std::strerror(errno));
}

void keepVersion(const std::string& patientPath, const KeptVersion& version, long nanoseconds) {
    makeFolder(patientPath);
    const std::vector<uint8_t> bytes = versionImage(version);
    writeFileAtomically(folderPath(patientPath) + versionFileName(version.stamp, nanoseconds),
                        bytes);
}

bool sameRecord(const FittingRecord& a, const FittingRecord& b) {
    return std::memcmp(&a, &b, sizeof(FittingRecord)) == 0;
}

// Whether one of the newest versions holds the record. Versions sort by the clock of
// the workstation that saved them, so with clocks a little apart the version saved
// last need not sort last: a few are looked at, not one.
constexpr std::size_t kNewestLookedAt = 16;
bool newestHold(const std::string& patientPath, const FittingRecord& record) {
    const std::vector<std::string> names = versionFileNames(patientPath);
    const std::size_t first = names.size() > kNewestLookedAt ? names.size() - kNewestLookedAt : 0;
    for (std::size_t i = names.size(); i-- > first;) {
        KeptVersion version;
        try {
            const auto bytes = readFileHead(folderPath(patientPath) + names[i], kVersionFileSize);
            if (parseVersion(bytes, version).empty() && sameRecord(version.record, record))
                return true;
        } catch (const FileError&) {
        }
    }
    return false;
}

// The record the patient file holds now, with the time it was last changed; none when
// there is no file. An older-kind file is kept as Load converts it.
struct OnDisk {
    FittingRecord record{};
    struct timespec modified {};
};
std::optional<OnDisk> currentFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    OnDisk onDisk;
    onDisk.modified = info.st_mtim;
    auto legacy = std::make_unique<LegacyImage>();
    const std::vector<uint8_t> bytes = readFileHead(path, kLegacyFileSize);
    if (parsePatientImage(bytes, onDisk.record, *legacy, "") == PatientFileKind::Unsupported)
        throw FileError("The file it replaces, " + unsupportedFileReason(bytes.size(), path) +
                        ", was not kept");
    return onDisk;
}

// Keeps what the patient file holds now when the history does not hold it yet: a file
// from before the history, or one another program or workstation wrote.
void keepReplaced(const std::string& path) {
    const std::optional<OnDisk> onDisk = currentFile(path);
    if (!onDisk)
        return;
    if (newestHold(path, onDisk->record))
        return;
    const SaveStamp unknown{onDisk->modified.tv_sec, kUnknown, kUnknown, ""};
    keepVersion(path, {unknown, onDisk->record, {}}, onDisk->modified.tv_nsec);
}

std::string notKept(const std::string& path, const FileError& error) {
    return "The history of " + quotedPath(path) + " could not keep this save. " + error.what();
}

long clockNanoseconds() {
    struct timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return now.tv_nsec;
}

std::string systemUser() {
    const std::string name = systemUserName();
    return name.empty() ? kUnknown : name;
}

std::string systemHost() {
    const std::string name = systemHostName();
    return name.empty() ? kUnknown : name;
}

} // namespace

std::string historyPathFor(const std::string& patientPath) {
    return patientPath + ".history";
}

bool isHistoryFolderName(std::string_view name) {
    constexpr std::string_view suffix = ".tav.history";
    if (name.size() <= suffix.size())
        return false;
    const std::string_view end = name.substr(name.size() - suffix.size());
    return std::equal(end.begin(), end.end(), suffix.begin(), [](char a, char b) {
        return (a >= 'A' && a <= 'Z' ? char(a - 'A' + 'a') : a) == b;
    });
}

HistoryRead readHistory(const std::string& patientPath) {
    HistoryRead history;
    std::vector<std::string> names;
    try {
        names = versionFileNames(patientPath);
    } catch (const FileError& error) {
        history.problems.emplace_back(error.what());
        return history;
    }
    for (const std::string& name : names) {
        const std::string path = folderPath(patientPath) + name;
        KeptVersion version;
        version.fileName = name;
        std::string problem;
        try {
            problem = parseVersion(readFileHead(path, kVersionFileSize), version);
        } catch (const FileError& error) {
            problem = error.what();
        }
        if (problem.empty())
            history.versions.push_back(std::move(version));
        else
            history.problems.push_back("Kept version " + quotedPath(name) + ": " + problem);
    }
    return history;
}

SaveStamp stampNow() {
    return {static_cast<int64_t>(std::time(nullptr)), systemUser(), systemHost(), kProgramVersion};
}

std::string savePatientWithHistory(const std::string& path, const FittingRecord& record,
                                   const SaveStamp& stamp) {
    std::string reason;
    try {
        keepReplaced(path);
    } catch (const FileError& error) {
        reason = notKept(path, error);
    }
    writePatientFile(path, record);
    try {
        keepVersion(path, {stamp, record, {}}, clockNanoseconds());
    } catch (const FileError& error) {
        if (reason.empty())
            reason = notKept(path, error);
    }
    return reason;
}

std::optional<KeptVersion> previousVisit(const HistoryRead& history, std::string_view testDate) {
    for (auto version = history.versions.rbegin(); version != history.versions.rend(); ++version) {
        if (readText(version->record.testDate) != testDate)
            return *version;
    }
    return std::nullopt;
}
