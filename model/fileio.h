// Whole-file reading and atomic writing for the patient and database files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// A file that could not be read or written. The message names the file and the
// system's reason, ready to be shown to the clinician.
class FileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads at most maxBytes bytes from the start of the file. A file longer than that
// yields maxBytes + 1 bytes, so callers can tell "too long" without reading it all.
// Anything but a regular file (a folder, a pipe, a device) is refused.
std::vector<uint8_t> readFileHead(const std::string& path, std::size_t maxBytes);

// Writes the bytes to a temporary file in the target's folder, syncs it and renames
// it over the target. On any failure the old file stays as it was and FileError is
// raised. A link is followed to the file it names; a link that leads nowhere, a
// folder, a pipe or a device at the path, and a file nobody may write, are refused.
// The new file keeps the old one's permissions (never its set-user/group-id bits) and,
// where the system lets us, its owner and group.
// Temporary files that an interrupted save left in that folder are removed first,
// unless the options say that the caller has done so for the folder already.
struct WriteOptions {
    bool removeInterruptedSaves = true;
};
void writeFileAtomically(const std::string& path, std::span<const uint8_t> bytes,
                         WriteOptions options = {});

// Removes the temporary files that interrupted saves left in the folder ("" for the
// current one): a writer of many files into one folder does this once, before the
// first, rather than once for each file.
void removeInterruptedSaves(const std::string& folder);

// Whether a file name is that of one of our temporary files (".tavik-save-" and six
// letters or digits). A patient file never has such a name.
bool isSaveTemporaryName(std::string_view fileName);

// The call that makes written bytes durable, for the file and then its folder. Tests
// put a failing one in place to see a failed sync reported; returns the one before.
using SyncFunction = int (*)(int fd);
SyncFunction replaceFileSync(SyncFunction sync);

// Writes all the bytes to the descriptor, going on after interruptions. False with
// errno set when the system refuses.
bool writeAll(int fd, std::span<const uint8_t> bytes);

// Folder part of a path, with trailing separator ("" when there is none), and the
// file-name part.
std::string folderOf(const std::string& path);
std::string fileNameOf(const std::string& path);
