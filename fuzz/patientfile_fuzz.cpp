// Feeds arbitrary bytes to the patient-file and database readers and prints the
// result as tavik-cli does: nothing may crash, read out of bounds or hang.
#include "cli/json.h"
#include "cli/recordjson.h"
#include "model/aiddatabase.h"
#include "model/patientfile.h"

#include <cstddef>
#include <cstdint>
#include <span>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::span<const uint8_t> bytes(data, size);

    FittingRecord record{};
    resetFitting(record, "01/01/2000");
    LegacyImage legacy{};
    if (parsePatientImage(bytes, record, legacy, "01/01/2000") != PatientFileKind::Unsupported) {
        JsonWriter json;
        writeRecordJson(json, record);
    }

    AidDatabase database{};
    defaultAidDatabase(database);
    applyAidDatabaseImage(bytes, database);
    JsonWriter json;
    writeDatabaseJson(json, database);
    return 0;
}
