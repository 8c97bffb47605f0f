// Lets only one copy of the program run per user. The running copy holds an
// exclusive lock on the file "TAVIKMutex" in the user's runtime folder; the system
// drops the lock when that process ends, however it ends.
#pragma once

#include <string>

class SingleInstanceGuard {
  public:
    SingleInstanceGuard() = default;
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    // Takes the lock. False when another process holds it, or when the lock file
    // cannot be opened at all (then another copy may be running and we do not start).
    bool acquire();

    // $XDG_RUNTIME_DIR/TAVIKMutex, or /tmp/TAVIKMutex-<user id> where the session
    // has no usable runtime folder.
    static std::string lockFilePath();

  private:
    int fd_ = -1;
};
