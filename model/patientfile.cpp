#include "model/patientfile.h"

#include "model/fileio.h"
#include "model/safetext.h"
#include "model/textslot.h"

#include <algorithm>
#include <cstring>

namespace {

// Layout of the older file.
constexpr std::size_t kOldName = 0, kOldNameLength = 30;
constexpr std::size_t kOldBirthDate = 31, kOldDateLength = 8;
constexpr std::size_t kOldTestDate = 40;
constexpr std::size_t kOldUnused = 49, kOldUnusedLength = 11;
constexpr std::size_t kOldId = 61, kOldIdLength = 8;
constexpr std::size_t kOldClinician = 70, kOldClinicianLength = 5;
constexpr std::size_t kOldComments = 78, kOldCommentsLength = 244;
constexpr std::size_t kOldLeftStyle = 322, kOldRightStyle = 324;
constexpr std::size_t kOldLeftLoudness = 330, kOldRightLoudness = 414;
constexpr int kOldCategoryCount = 7;
constexpr int16_t kOldEmpty = -100;

// A counted string becomes NUL-terminated in place: its characters move down onto
// the length byte, and a NUL follows the last character position. The length byte
// itself is not consulted.
void uncountString(LegacyImage& image, std::size_t offset, std::size_t length) {
    std::memmove(&image[offset], &image[offset + 1], length);
    image[offset + length] = 0;
}

// Copies a NUL-terminated text of at most `area` bytes of the image into a slot.
template <std::size_t N>
void copyOldText(char (&slot)[N], const LegacyImage& image, std::size_t offset, std::size_t area) {
    const auto* start = reinterpret_cast<const char*>(&image[offset]);
    writeText(slot, readTextSlot(start, area));
}

int16_t oldInt16(const LegacyImage& image, std::size_t offset) {
    int16_t value;
    std::memcpy(&value, &image[offset], sizeof value);
    return value;
}

uint16_t oldUint16(const LegacyImage& image, std::size_t offset) {
    uint16_t value;
    std::memcpy(&value, &image[offset], sizeof value);
    return value;
}

} // namespace

void convertLegacy(LegacyImage& image, FittingRecord& record) {
    uncountString(image, kOldName, kOldNameLength);
    uncountString(image, kOldBirthDate, kOldDateLength);
    uncountString(image, kOldUnused, kOldUnusedLength);
    uncountString(image, kOldTestDate, kOldDateLength);
    uncountString(image, kOldId, kOldIdLength);
    uncountString(image, kOldClinician, kOldClinicianLength);

    // The old file has one name field. Its 30 bytes go unchanged to the start of
    // lastName and run on into the first 12 bytes of firstName, which follows it.
    static_assert(offsetof(FittingRecord, firstName) ==
                  offsetof(FittingRecord, lastName) + sizeof record.lastName);
    std::memcpy(record.lastName, &image[kOldName], sizeof record.lastName);
    std::memcpy(record.firstName, &image[kOldName + sizeof record.lastName],
                kOldNameLength - sizeof record.lastName);

    copyOldText(record.birthDate, image, kOldBirthDate, kOldDateLength + 1);
    copyOldText(record.clinician, image, kOldClinician, kOldClinicianLength + 1);
    copyOldText(record.testDate, image, kOldTestDate, kOldDateLength + 1);
    copyOldText(record.patientId, image, kOldId, kOldIdLength + 1);
    copyOldText(record.comments, image, kOldComments, kOldCommentsLength);

    for (char& ch : record.comments) {
        if (ch == '\0')
            break;
        if (ch == '\r' || ch == '\n')
            ch = ' ';
    }

    for (int f = 0; f < kFrequencyCount; ++f) {
        record.leftLoudness[f][0] = kEmptyLevel;
        record.rightLoudness[f][0] = kEmptyLevel;
        for (int k = 0; k < kOldCategoryCount; ++k) {
            const std::size_t cell = 2 * static_cast<std::size_t>(f * kOldCategoryCount + k);
            const int16_t left = oldInt16(image, kOldLeftLoudness + cell);
            const int16_t right = oldInt16(image, kOldRightLoudness + cell);
            record.leftLoudness[f][k + 1] = left == kOldEmpty ? kEmptyLevel : left;
            record.rightLoudness[f][k + 1] = right == kOldEmpty ? kEmptyLevel : right;
        }
    }

    record.rightAidStyle = oldUint16(image, kOldRightStyle) + 1;
    record.leftAidStyle = oldUint16(image, kOldLeftStyle) + 1;
    record.rightRangeLow = 1;
    record.rightRangeHigh = 4;
    record.leftRangeLow = 1;
    record.leftRangeHigh = 4;
    record.showInHL = 1;
}

std::string unsupportedFileReason(std::size_t bytesRead, std::string_view path) {
    std::string text = "Not a patient file";
    if (!path.empty())
        text += ' ' + quotedPath(path);
    text += ": it is ";
    if (bytesRead == 0)
        text += "empty";
    else if (bytesRead > kLegacyFileSize)
        text += "longer than " + std::to_string(kLegacyFileSize) + " bytes";
    else
        text += std::to_string(bytesRead) + (bytesRead == 1 ? " byte long" : " bytes long");
    return text + ", and TAVIK reads patient files of " + std::to_string(kPatientFileSize) +
           " bytes and older ones of " + std::to_string(kLegacyFileSize) + " bytes";
}

PatientFileKind parsePatientImage(std::span<const uint8_t> bytes, FittingRecord& record,
                                  LegacyImage& legacyImage, std::string_view freshTestDate) {
    if (bytes.size() == kPatientFileSize) {
        std::memcpy(&record, bytes.data(), kPatientFileSize);
        return PatientFileKind::Current;
    }
    if (bytes.size() == kLegacyFileSize) {
        std::copy(bytes.begin(), bytes.end(), legacyImage.begin());
        // Convert over a fresh record, so nothing of the previous patient carries over.
        resetFitting(record, freshTestDate);
        convertLegacy(legacyImage, record);
        return PatientFileKind::Older;
    }
    return PatientFileKind::Unsupported;
}

PatientFileKind readPatientFile(const std::string& path, FittingRecord& record,
                                LegacyImage& legacyImage, std::string_view freshTestDate,
                                std::size_t* bytesRead) {
    const std::vector<uint8_t> bytes = readFileHead(path, kLegacyFileSize);
    if (bytesRead)
        *bytesRead = bytes.size();
    return parsePatientImage(bytes, record, legacyImage, freshTestDate);
}

PatientFileKind readPatientFile(const std::string& path) {
    return readPatientFile(path, fitting, document.legacyImage,
                           todayTestDate(systemDateSeparator()));
}

void writePatientFile(const std::string& path, const FittingRecord& record) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&record);
    writeFileAtomically(path, std::span<const uint8_t>(bytes, sizeof record));
}

void writePatientFile(const std::string& path) {
    writePatientFile(path, fitting);
}
