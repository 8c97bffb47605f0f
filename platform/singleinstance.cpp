#include "platform/singleinstance.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

SingleInstanceGuard::~SingleInstanceGuard() {
    if (fd_ >= 0)
        ::close(fd_);
}

std::string SingleInstanceGuard::lockFilePath() {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat info {};
    if (runtime && *runtime && ::stat(runtime, &info) == 0 && S_ISDIR(info.st_mode) &&
        ::access(runtime, W_OK | X_OK) == 0)
        return std::string(runtime) + "/TAVIKMutex";
    return "/tmp/TAVIKMutex-" + std::to_string(::getuid());
}

bool SingleInstanceGuard::acquire() {
    if (fd_ >= 0)
        return true;
    const std::string path = lockFilePath();
    // O_NOFOLLOW: in the shared /tmp a planted symbolic link must not redirect us.
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0)
        return false;
    int result;
    do {
        result = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}
