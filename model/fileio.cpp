#include "model/fileio.h"

#include "model/safetext.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

SyncFunction syncFile = ::fsync;

[[noreturn]] void fail(const std::string& action, const std::string& path,
                       const std::string& reason) {
    throw FileError(action + " " + quotedPath(path) + ": " + reason);
}

[[noreturn]] void fail(const std::string& action, const std::string& path, int error) {
    fail(action, path, std::strerror(error));
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    void reset(int fd) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

  private:
    int fd_;
};

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

constexpr std::string_view kTempPrefix = ".tavik-save-";
constexpr std::size_t kTempRandomLength = 6; // mkstemp's XXXXXX

// The file a save replaces: the path itself, or the file a link at it names.
struct SaveTarget {
    std::string path; // where the new file goes
    bool exists = false;
    struct stat info {}; // of the file being replaced
};

SaveTarget resolveTarget(const std::string& requested) {
    SaveTarget target;
    target.path = requested;
    struct stat link {};
    if (::lstat(requested.c_str(), &link) != 0) {
        if (errno == ENOENT)
            return target; // a new file; a missing folder is reported when it is made
        fail("Cannot create file", requested, errno);
    }
    if (S_ISLNK(link.st_mode)) {
        // The file the link names is replaced, and the link stays. A link to nothing
        // (or to itself) is refused rather than replaced by a file of its own.
        char* real = ::realpath(requested.c_str(), nullptr);
        if (!real) {
            if (errno == ENOENT)
                fail("Cannot create file", requested, "it is a link to a file that does not exist");
            fail("Cannot create file", requested, errno);
        }
        target.path = real;
        std::free(real);
        if (::stat(target.path.c_str(), &target.info) != 0)
            fail("Cannot create file", requested, errno);
    } else {
        target.info = link;
    }
    target.exists = true;
    if (S_ISDIR(target.info.st_mode))
        fail("Cannot create file", requested, EISDIR);
    if (!S_ISREG(target.info.st_mode))
        fail("Cannot create file", requested, "it is not a regular file");
    // A file that may not be written is refused, as it would be if it were written in
    // place; a file without any write permission is read-only for root too.
    if (::access(target.path.c_str(), W_OK) != 0)
        fail("Cannot create file", requested, errno);
    if ((target.info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        fail("Cannot create file", requested, EACCES);
    return target;
}

// Takes the lock a save holds on its temporary file. A file system without locks
// (an old network share) gives none: that save's file is then never taken for
// abandoned, and the cleaning finds nothing it may take either.
bool lockForSave(int fd) {
    while (::flock(fd, LOCK_EX) != 0) {
        if (errno != EINTR)
            return false;
    }
    return true;
}

// A new temporary file in the folder, locked for as long as the save runs. The lock
// is taken before anything else may see the file as abandoned: a cleaner that got in
// between has removed the name, and then another name is made.
int createLockedTemp(const std::string& folder, const std::string& requested, std::string& temp) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        temp = folder + std::string(kTempPrefix) + std::string(kTempRandomLength, 'X');
        const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
        if (fd < 0)
            fail("Cannot create file", requested, errno);
        struct stat info {};
        if (!lockForSave(fd) || ::fstat(fd, &info) != 0 || info.st_nlink > 0)
            return fd;
        ::close(fd);
    }
    fail("Cannot create file", requested, "no temporary file could be kept in its folder");
}

// Owner, group and permissions of the file being replaced, as far as we may: the
// group only when we could keep it, so that no other group gets what the old file
// did not give it; never the set-user-id, set-group-id or sticky bits.
int takeOverAccess(int fd, const SaveTarget& target) {
    if (!target.exists)
        return ::fchmod(fd, 0666 & ~currentUmask());
    mode_t mode = target.info.st_mode & 0777;
    if (::fchown(fd, target.info.st_uid, target.info.st_gid) != 0 &&
        ::fchown(fd, static_cast<uid_t>(-1), target.info.st_gid) != 0) {
        struct stat own {};
        if (::fstat(fd, &own) != 0)
            return -1;
        if (own.st_gid != target.info.st_gid)
            mode &= ~mode_t(070);
    }
    return ::fchmod(fd, mode);
}

// Makes the rename itself durable. A folder that cannot be opened for reading, or a
// file system that cannot sync folders, gives nothing to check.
void syncFolder(const std::string& folder, const std::string& requested) {
    FileDescriptor dir(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() < 0)
        return;
    if (syncFile(dir.get()) != 0 && errno != EINVAL && errno != ENOTSUP)
        fail("Cannot write file", requested, errno);
}

} // namespace

std::vector<uint8_t> readFileHead(const std::string& path, std::size_t maxBytes) {
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0)
        fail("Cannot open file", path, errno);
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0)
        fail("Cannot read file", path, errno);
    if (S_ISDIR(info.st_mode))
        fail("Cannot read file", path, EISDIR);
    if (!S_ISREG(info.st_mode))
        fail("Cannot read file", path, "it is not a regular file");

    std::vector<uint8_t> bytes(maxBytes + 1);
    std::size_t total = 0;
    while (total < bytes.size()) {
        const ssize_t n = ::read(fd.get(), bytes.data() + total, bytes.size() - total);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail("Cannot read file", path, errno);
        }
        if (n == 0)
            break;
        total += static_cast<std::size_t>(n);
    }
    bytes.resize(total);
    return bytes;
}

void writeFileAtomically(const std::string& requestedPath, std::span<const uint8_t> bytes,
                         WriteOptions options) {
    const SaveTarget target = resolveTarget(requestedPath);
    const std::string folder = folderOf(target.path);
    if (options.removeInterruptedSaves)
        removeInterruptedSaves(folder);

    std::string temp;
    FileDescriptor fd(createLockedTemp(folder, requestedPath, temp));
    // Gives up the temporary file: the target is never touched.
    const auto abandon = [&](int error) {
        fd.reset(-1);
        ::unlink(temp.c_str());
        fail("Cannot write file", requestedPath, error);
    };
    if (takeOverAccess(fd.get(), target) != 0)
        abandon(errno);
    if (!writeAll(fd.get(), bytes) || syncFile(fd.get()) != 0)
        abandon(errno);
    // The lock goes with the last descriptor of the file; a duplicate keeps it while
    // the first one is closed and checked.
    FileDescriptor lock(::dup(fd.get()));
    if (lock.get() < 0)
        abandon(errno);
    if (::close(fd.release()) != 0)
        abandon(errno);
    if (::rename(temp.c_str(), target.path.c_str()) != 0)
        abandon(errno);
    syncFolder(folder, requestedPath);
}

// Removes the temporary files of saves into this folder that were interrupted (the
// program was killed or the machine stopped). A save in progress holds a lock on its
// temporary file, which the system releases when the process ends, so only files of
// saves that can no longer finish are taken; only our own files, by their name.
void removeInterruptedSaves(const std::string& folder) {
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    while (const dirent* entry = ::readdir(dir)) {
        if (!isSaveTemporaryName(entry->d_name))
            continue;
        FileDescriptor fd(
            ::openat(dirFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        struct stat opened {
        }, named{};
        if (fd.get() < 0 || ::fstat(fd.get(), &opened) != 0 || !S_ISREG(opened.st_mode) ||
            opened.st_uid != ::geteuid() || ::flock(fd.get(), LOCK_EX | LOCK_NB) != 0)
            continue;
        // Still the same file under that name, and no live save holds it.
        if (::fstatat(dirFd, entry->d_name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            named.st_dev == opened.st_dev && named.st_ino == opened.st_ino)
            ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(dir);
}

bool writeAll(int fd, std::span<const uint8_t> bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

bool isSaveTemporaryName(std::string_view name) {
    if (name.size() != kTempPrefix.size() + kTempRandomLength || !name.starts_with(kTempPrefix))
        return false;
    for (const char c : name.substr(kTempPrefix.size())) {
        const bool letterOrDigit =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!letterOrDigit)
            return false;
    }
    return true;
}

SyncFunction replaceFileSync(SyncFunction sync) {
    const SyncFunction previous = syncFile;
    syncFile = sync ? sync : ::fsync;
    return previous;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
