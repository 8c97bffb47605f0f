#include "model/filelock.h"

#include "model/workstation.h"

#include "model/fileio.h"
#include "model/safetext.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::string_view kFirstLine = "TAVIK lock 1";
constexpr std::string_view kLastLine = "end";
constexpr std::size_t kNameLimit = 64;
// A lock text is well under this; a longer file is no lock of ours.
constexpr std::size_t kLockTextLimit = 1024;
constexpr std::string_view kLockPrefix = ".";
constexpr std::string_view kLockSuffix = ".lock";

// A name as a lock holds it: one line, at most kNameLimit bytes, not cut inside a
// UTF-8 character.
std::string cleanName(std::string_view name) {
    std::size_t length = std::min(name.size(), kNameLimit);
    while (length < name.size() && length > 0 && (name[length] & 0xC0) == 0x80)
        --length;
    std::string clean(name.substr(0, length));
    for (char& c : clean) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f)
            c = '?';
    }
    return clean;
}

// Takes the next whole line, ended by a line break, off the text.
bool nextLine(std::string_view& text, std::string_view& line) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos)
        return false;
    line = text.substr(0, end);
    text.remove_prefix(end + 1);
    return true;
}

// The value of the next line when it reads "key=value".
bool valueOf(std::string_view& text, std::string_view key, std::string_view& value) {
    std::string_view line;
    if (!nextLine(text, line) || !line.starts_with(key) || line.size() <= key.size() ||
        line[key.size()] != '=')
        return false;
    value = line.substr(key.size() + 1);
    return value.size() <= kNameLimit;
}

bool numberOf(std::string_view& text, std::string_view key, std::int64_t low, std::int64_t high,
              std::int64_t& number) {
    std::string_view value;
    if (!valueOf(text, key, value) || value.empty())
        return false;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    return error == std::errc() && end == value.data() + value.size() && number >= low &&
           number <= high;
}

std::string systemUser() {
    const std::string name = systemUserName();
    return name.empty() ? "user " + std::to_string(::getuid()) : name;
}

std::string systemHost() {
    const std::string name = systemHostName();
    return name.empty() ? "this computer" : name;
}

[[noreturn]] void failToMark(const std::string& lockPath, int error) {
    throw FileError("Cannot mark the file as open with " + quotedPath(lockPath) + ": " +
                    std::strerror(error));
}

// The lock text in a file of its own beside the lock, ready to be linked or renamed
// into place, so that no one ever reads half a lock.
std::string writeTemporaryLock(const std::string& lockPath, const std::string& text) {
    std::string temp = lockPath + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        failToMark(lockPath, errno);
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const bool written = writeAll(fd, {bytes, text.size()}) && ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    if (!written) {
        ::unlink(temp.c_str());
        failToMark(lockPath, error);
    }
    return temp;
}

// Folders on file systems without links (some network shares, memory sticks).
bool linksRefused(int error) {
    return error == EPERM || error == ENOTSUP || error == EOPNOTSUPP || error == EMLINK;
}

// Where links are refused the lock is made in place, only if none exists; a reader
// may then for a moment find it empty, and takes it as held by someone unnamed.
int createLockInPlace(const std::string& lockPath, const std::string& text) {
    const int fd = ::open(lockPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return errno;
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const bool written = writeAll(fd, {bytes, text.size()}) && ::fsync(fd) == 0;
    const int error = errno;
    ::close(fd);
    if (written)
        return 0;
    ::unlink(lockPath.c_str());
    return error;
}

} // namespace

std::string lockPathFor(const std::string& patientPath) {
    return folderOf(patientPath) + std::string(kLockPrefix) + fileNameOf(patientPath) +
           std::string(kLockSuffix);
}

std::string formatLock(const LockOwner& owner) {
    return std::string(kFirstLine) + "\nuser=" + cleanName(owner.user) +
           "\nhost=" + cleanName(owner.host) + "\npid=" + std::to_string(owner.processId) +
           "\nsince=" + std::to_string(owner.since) + "\n" + std::string(kLastLine) + "\n";
}

std::optional<LockOwner> parseLock(std::string_view text) {
    if (text.size() > kLockTextLimit)
        return std::nullopt;
    LockOwner owner;
    std::string_view line, user, host;
    const bool whole = nextLine(text, line) && line == kFirstLine && valueOf(text, "user", user) &&
                       valueOf(text, "host", host) && !host.empty() &&
                       numberOf(text, "pid", 1, INT_MAX, owner.processId) &&
                       numberOf(text, "since", 0, INT64_MAX, owner.since) && nextLine(text, line) &&
                       line == kLastLine && text.empty();
    if (!whole)
        return std::nullopt;
    owner.user = user;
    owner.host = host;
    return owner;
}

LockOwner thisWorkstation() {
    return {cleanName(systemUser()), cleanName(systemHost()), ::getpid(), std::time(nullptr)};
}

bool processRuns(std::int64_t processId) {
    if (processId <= 0 || processId > INT_MAX)
        return false;
    return ::kill(static_cast<pid_t>(processId), 0) == 0 || errno == EPERM;
}

LockState judgeLock(const std::optional<std::string>& text, const LockOwner& self,
                    ProcessCheck runs) {
    if (!text)
        return LockState::Free;
    const std::optional<LockOwner> owner = parseLock(*text);
    if (!owner)
        return LockState::Unreadable;
    if (owner->host != self.host)
        return LockState::Held;
    if (owner->processId == self.processId)
        return LockState::Ours;
    return runs(owner->processId) ? LockState::Held : LockState::Abandoned;
}

std::optional<std::string> readLockText(const std::string& patientPath) {
    try {
        const std::vector<uint8_t> bytes = readFileHead(lockPathFor(patientPath), kLockTextLimit);
        return std::string(bytes.begin(), bytes.end());
    } catch (const FileError&) {
        struct stat info {};
        // A lock that exists but cannot be read still marks the file as held.
        if (::lstat(lockPathFor(patientPath).c_str(), &info) == 0)
            return std::string();
        return std::nullopt;
    }
}

bool writeLock(const std::string& patientPath, const LockOwner& owner, bool replace) {
    const std::string lockPath = lockPathFor(patientPath);
    const std::string temp = writeTemporaryLock(lockPath, formatLock(owner));
    if (replace) {
        if (::rename(temp.c_str(), lockPath.c_str()) == 0)
            return true;
        const int error = errno;
        ::unlink(temp.c_str());
        failToMark(lockPath, error);
    }
    // A link is made only where no file of that name exists, on a network folder too.
    const int linked = ::link(temp.c_str(), lockPath.c_str()) == 0 ? 0 : errno;
    ::unlink(temp.c_str());
    const int error =
        linksRefused(linked) ? createLockInPlace(lockPath, formatLock(owner)) : linked;
    if (error == 0)
        return true;
    if (error == EEXIST)
        return false;
    failToMark(lockPath, error);
}

void removeLock(const std::string& patientPath, const LockOwner& owner) {
    const std::optional<std::string> text = readLockText(patientPath);
    const std::optional<LockOwner> named = text ? parseLock(*text) : std::nullopt;
    if (named && named->host == owner.host && named->processId == owner.processId)
        ::unlink(lockPathFor(patientPath).c_str());
}
