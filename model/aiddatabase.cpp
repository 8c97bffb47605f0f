#include "model/aiddatabase.h"

#include "model/document.h"
#include "model/fileio.h"
#include "model/textslot.h"

#include <algorithm>
#include <cstring>

std::function<void()> beforeAidDatabaseSave;

void defaultAidDatabase(AidDatabase& database) {
    for (int n = 0; n < kAidCount; ++n) {
        writeText(database.aidLongNames[n], "HALongName" + std::to_string(n + 1));
        writeText(database.aidShortNames[n], "HA-" + std::to_string(n + 1));
        for (AidFrequencyData& d : database.aidData[n]) {
            d = AidFrequencyData{kEmptyValue, kEmptyValue, 0,           kEmptyValue,
                                 kEmptyValue, 0,           kEmptyValue, kEmptyValue};
        }
    }
}

void applyAidDatabaseImage(std::span<const uint8_t> bytes, AidDatabase& database) {
    const std::size_t n = std::min(bytes.size(), kAidDatabaseFileSize);
    std::memcpy(&database, bytes.data(), n);
}

void loadAidDatabase(const std::string& path, AidDatabase& database) {
    try {
        const std::vector<uint8_t> bytes = readFileHead(path, kAidDatabaseFileSize);
        applyAidDatabaseImage(bytes, database);
    } catch (const FileError&) {
        defaultAidDatabase(database);
    }
}

void saveAidDatabase(const std::string& path, const AidDatabase& database) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&database);
    writeFileAtomically(path, std::span<const uint8_t>(bytes, sizeof database));
}

void loadAidDatabase() {
    loadAidDatabase(document.startDir + kAidDatabaseFileName, aidDatabase);
}

void saveAidDatabase() {
    if (beforeAidDatabaseSave)
        beforeAidDatabaseSave();
    saveAidDatabase(document.startDir + kAidDatabaseFileName, aidDatabase);
}
