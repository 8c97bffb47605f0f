// Feeds arbitrary bytes to the patient-file and database readers, prints the result
// as tavik-cli does, and runs the prediction and the curve load of both ears on it:
// nothing may crash, read out of bounds, overflow or hang.
#include "cli/json.h"
#include "cli/recordjson.h"
#include "curves/curveload.h"
#include "model/aiddatabase.h"
#include "model/patientfile.h"
#include "pages/prediction.h"

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

    for (int ear = 0; ear < kEarCount; ++ear) {
        const EarCurves page = loadEarCurves(record, database, ear);
        (void)page;
        FittingRecord predicted = record;
        predictLevels(predicted, ear);
    }
    return 0;
}
