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

// What Load says of a file of another size.
inline constexpr const char* kUnsupportedFileMessage =
    "You are attempting to load a file created from an earlier version of TAVIK which is "
    "currently not supported.";

// Why a file of that many bytes (as readPatientFile counts them) is no patient file,
// as tavik-cli and the patient list say it: its size and the sizes TAVIK reads.
// With a path it is named as a file error names it: 'Not a patient file "P.TAV": it
// is empty, ...'; without one the reason reads 'Not a patient file: it is empty, ...'.
std::string unsupportedFileReason(std::size_t bytesRead, std::string_view path = {});

// Takes a file's bytes. Current: the bytes become the record unchanged. Older: the
// bytes go to legacyImage and are converted over a fresh record (New defaults with
// the given test date). Unsupported (any other size): nothing is touched.
PatientFileKind parsePatientImage(std::span<const uint8_t> bytes, FittingRecord& record,
                                  LegacyImage& legacyImage, std::string_view freshTestDate);

// Reads a patient file into the record. Raises FileError when the file cannot be
// read; the record is then unchanged. `bytesRead`, when given, gets the number of
// bytes read: the file's size, or one more than the older kind's when it is longer.
PatientFileKind readPatientFile(const std::string& path, FittingRecord& record,
                                LegacyImage& legacyImage, std::string_view freshTestDate,
                                std::size_t* bytesRead = nullptr);
PatientFileKind readPatientFile(const std::string& path);

// Writes the 1372 bytes of the record atomically. Raises FileError on failure; the
// old file then stays intact.
void writePatientFile(const std::string& path, const FittingRecord& record);
void writePatientFile(const std::string& path);

// Converts an older file's image into the record, in place in the image.
void convertLegacy(LegacyImage& image, FittingRecord& record);
