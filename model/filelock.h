// The mark a workstation leaves beside a patient file while it has the file open, so
// that another workstation sharing the folder learns who has it and since when. The
// mark is a small text file, ".SMITH.TAV.lock" beside "SMITH.TAV": hidden, and never
// ending in .TAV, so that Load, the patient list, `list` and `batch` never take it
// for a patient.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Who holds a patient file open: the system user, the computer, the process of TAVIK
// there and the time the file was opened (seconds since 1970, UTC).
struct LockOwner {
    std::string user;
    std::string host;
    std::int64_t processId = 0;
    std::int64_t since = 0;

    bool operator==(const LockOwner&) const = default;
};

// The lock file of a patient file: "/data/.SMITH.TAV.lock" for "/data/SMITH.TAV".
std::string lockPathFor(const std::string& patientPath);

// The lock text: a first line naming the kind of file, one "key=value" line each
// for user, host, pid and since, and a last line "end", without which the text
// counts as cut short. Line breaks and other control characters in a name become
// '?', and a name is cut to 64 bytes.
std::string formatLock(const LockOwner& owner);

// The owner a lock text names; nothing for a text that is not one whole lock text
// (garbage, cut short, too long, a number out of range).
std::optional<LockOwner> parseLock(std::string_view text);

// This process on this computer, now.
LockOwner thisWorkstation();

// Whether a process of that id runs on this computer.
using ProcessCheck = bool (*)(std::int64_t processId);
bool processRuns(std::int64_t processId);

// What a lock found beside a file means for us.
enum class LockState {
    Free,       // no lock file
    Ours,       // this process holds it
    Abandoned,  // left by a program on this computer that has ended
    Held,       // another process or another computer holds it
    Unreadable, // a lock file that is no lock text: held by someone we cannot name
};

// Judges a lock file's text (nothing: no lock file) for the process `self`.
LockState judgeLock(const std::optional<std::string>& text, const LockOwner& self,
                    ProcessCheck runs = processRuns);

// The text of the lock file beside the patient file, at most a few kilobytes (a
// longer file reads as one that is too long to be a lock); nothing when there is
// none or it cannot be read.
std::optional<std::string> readLockText(const std::string& patientPath);

// Writes the owner's lock beside the patient file. Without `replace` it is written
// only where no lock file exists, and false means another one appeared meanwhile;
// with it an existing lock is replaced. Raises FileError when the folder refuses.
bool writeLock(const std::string& patientPath, const LockOwner& owner, bool replace);

// Removes the lock beside the patient file when it still names this owner's process
// on this computer; a lock someone else took over stays. Never raises.
void removeLock(const std::string& patientPath, const LockOwner& owner);
