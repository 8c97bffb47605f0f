#include "model/aiddatabase.h"

#include "model/document.h"
#include "model/fileio.h"
#include "model/textslot.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

std::function<void()> beforeAidDatabaseSave;

namespace {

AidDatabaseLoad startLoad;
AidDatabase atStart{};
// The clinician's word on replacing a file that could not be read, once given.
std::optional<bool> replaceConsent;

// A path that names nothing: not even a link that leads nowhere, which a clinic may
// have set up to point at its shared file.
bool isMissing(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::symlink_status(path, error);
    return status.type() == std::filesystem::file_type::not_found;
}

} // namespace

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

AidDatabaseLoad loadAidDatabase(const std::string& path, AidDatabase& database) {
    try {
        const std::vector<uint8_t> bytes = readFileHead(path, kAidDatabaseFileSize);
        applyAidDatabaseImage(bytes, database);
        return {AidDatabaseSource::File, {}};
    } catch (const FileError& error) {
        defaultAidDatabase(database);
        if (isMissing(path))
            return {AidDatabaseSource::Missing, {}};
        return {AidDatabaseSource::Unreadable, error.what()};
    }
}

void saveAidDatabase(const std::string& path, const AidDatabase& database) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&database);
    writeFileAtomically(path, std::span<const uint8_t>(bytes, sizeof database));
}

AidDatabaseExit aidDatabaseExit(AidDatabaseSource source, const AidDatabase& atStart,
                                const AidDatabase& now) {
    if (source != AidDatabaseSource::Unreadable)
        return AidDatabaseExit::Write;
    return std::memcmp(&atStart, &now, sizeof now) == 0 ? AidDatabaseExit::Keep
                                                        : AidDatabaseExit::AskFirst;
}

std::string aidDatabasePath() {
    return document.startDir + kAidDatabaseFileName;
}

AidDatabaseLoad loadAidDatabase() {
    startLoad = loadAidDatabase(aidDatabasePath(), aidDatabase);
    atStart = aidDatabase;
    replaceConsent.reset();
    return startLoad;
}

const AidDatabaseLoad& aidDatabaseLoadResult() {
    return startLoad;
}

bool saveAidDatabase(const std::function<bool()>& confirmReplace) {
    if (beforeAidDatabaseSave)
        beforeAidDatabaseSave();
    return writeAidDatabaseNow(confirmReplace);
}

bool writeAidDatabaseNow(const std::function<bool()>& confirmReplace) {
    switch (aidDatabaseExit(startLoad.source, atStart, aidDatabase)) {
    case AidDatabaseExit::Keep:
        return false;
    case AidDatabaseExit::AskFirst:
        if (!replaceConsent)
            replaceConsent = confirmReplace && confirmReplace();
        if (!*replaceConsent)
            return false;
        break;
    case AidDatabaseExit::Write:
        break;
    }
    saveAidDatabase(aidDatabasePath(), aidDatabase);
    return true;
}
