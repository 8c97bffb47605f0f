// Whole-file reading and atomic writing for the patient and database files.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

// A file that could not be read or written. The message names the file and the
// system's reason, ready to be shown to the clinician.
class FileError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Reads at most maxBytes bytes from the start of the file. A file longer than that
// yields maxBytes + 1 bytes, so callers can tell "too long" without reading it all.
std::vector<uint8_t> readFileHead(const std::string& path, std::size_t maxBytes);

// Writes the bytes to a temporary file in the target's folder, syncs it and renames
// it over the target. On any failure the old file stays as it was and FileError is
// raised.
void writeFileAtomically(const std::string& path, std::span<const uint8_t> bytes);

// Folder part of a path, with trailing separator ("" when there is none), and the
// file-name part.
std::string folderOf(const std::string& path);
std::string fileNameOf(const std::string& path);
