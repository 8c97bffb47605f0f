// Patient files: the 1372-byte image of the fitting record, and the older
// 3118-byte kind, which is read and converted.
#pragma once

#include "model/document.h"
#include "model/fittingrecord.h"

#include <cstdint>
#include <span>
#include <string>

inline constexpr std::size_t kPatientFileSize = sizeof(FittingRecord);

enum class PatientFileKind { Current, Older, Unsupported };

inline constexpr const char* kUnsupportedFileMessage =
    "You are attempting to load a file created from an earlier version of TAVIK which is "
    "currently not supported.";

// Takes a file's bytes. Current: the bytes become the record unchanged. Older: the
// bytes go to legacyImage and are converted over a fresh record (New defaults with
// the given test date). Unsupported (any other size): nothing is touched.
PatientFileKind parsePatientImage(std::span<const uint8_t> bytes, FittingRecord& record,
                                  LegacyImage& legacyImage, std::string_view freshTestDate);

// Reads a patient file into the record. Raises FileError when the file cannot be
// read; the record is then unchanged.
PatientFileKind readPatientFile(const std::string& path, FittingRecord& record,
                                LegacyImage& legacyImage, std::string_view freshTestDate);
PatientFileKind readPatientFile(const std::string& path);

// Writes the 1372 bytes of the record atomically. Raises FileError on failure; the
// old file then stays intact.
void writePatientFile(const std::string& path, const FittingRecord& record);
void writePatientFile(const std::string& path);

// Converts an older file's image into the record, in place in the image.
void convertLegacy(LegacyImage& image, FittingRecord& record);
