#include "model/fileio.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void fail(const std::string& action, const std::string& path, int error) {
    throw FileError(action + " \"" + path + "\": " + std::strerror(error));
}

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

  private:
    int fd_;
};

// Gives up a half-written temporary file: the target is never touched.
[[noreturn]] void abandonTemp(int fd, const std::string& temp, const std::string& path, int error) {
    ::close(fd);
    ::unlink(temp.c_str());
    fail("Cannot write file", path, error);
}

mode_t currentUmask() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
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
        throw FileError("Cannot read file \"" + path + "\": it is not a regular file");

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

void writeFileAtomically(const std::string& requestedPath, std::span<const uint8_t> bytes) {
    // A link is followed, so the file it points to is the one replaced. A file that
    // may not be written is refused, as it would be if it were overwritten in place.
    std::string path = requestedPath;
    struct stat existing {};
    const bool exists = ::stat(requestedPath.c_str(), &existing) == 0;
    if (exists) {
        if (char* real = ::realpath(requestedPath.c_str(), nullptr)) {
            path = real;
            std::free(real);
        }
        if (::access(path.c_str(), W_OK) != 0)
            fail("Cannot create file", requestedPath, errno);
    }

    std::string temp = path + ".XXXXXX";
    FileDescriptor fd(::mkstemp(temp.data()));
    if (fd.get() < 0)
        fail("Cannot create file", requestedPath, errno);

    // Keep the permissions of a file being replaced; a new file gets the ones the
    // user's file-creation mask allows.
    const mode_t mode = exists ? (existing.st_mode & 07777) : (0666 & ~currentUmask());
    if (::fchmod(fd.get(), mode) != 0)
        abandonTemp(fd.release(), temp, requestedPath, errno);

    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd.get(), bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            abandonTemp(fd.release(), temp, requestedPath, errno);
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd.get()) != 0)
        abandonTemp(fd.release(), temp, requestedPath, errno);
    if (::close(fd.release()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        fail("Cannot write file", requestedPath, error);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(temp.c_str());
        fail("Cannot write file", requestedPath, error);
    }
    // Make the rename itself durable.
    const std::string folder = folderOf(path);
    FileDescriptor dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string fileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
