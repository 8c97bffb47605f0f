// A patient file of any bytes. The reader takes exactly the two sizes TAVIK knows and
// leaves the record alone for every other; a current file becomes the record byte for
// byte; an older one is converted as its layout says (no line breaks left in the
// comments, THR empty, the other levels one category up, styles one step on, the
// display settings fixed); the record reads back unchanged once written; tavik-cli
// prints it as valid JSON; and prediction and the curve page's load of both ears
// neither crash nor read out of bounds.
#include "cli/json.h"
#include "cli/recordjson.h"
#include "curves/curveload.h"
#include "fuzz/fuzzsupport.h"
#include "model/aiddatabase.h"
#include "model/patientfile.h"
#include "model/prediction.h"
#include "model/textslot.h"

#include <cstring>
#include <span>

namespace {

constexpr const char* kFreshDate = "01/01/2000";

int16_t oldLevel(std::span<const uint8_t> bytes, std::size_t offset, int f, int k) {
    int16_t value;
    std::memcpy(&value, &bytes[offset + 2 * (7 * f + k)], sizeof value);
    return value;
}

uint16_t oldStyle(std::span<const uint8_t> bytes, std::size_t offset) {
    uint16_t value;
    std::memcpy(&value, &bytes[offset], sizeof value);
    return value;
}

void checkConversion(std::span<const uint8_t> bytes, const FittingRecord& r) {
    const std::string comments = readText(r.comments);
    FUZZ_CHECK(comments.find_first_of("\r\n") == std::string::npos);
    FUZZ_CHECK(readText(r.fileTag) == "TAVIKWIN1");
    for (int f = 0; f < kFrequencyCount; ++f) {
        FUZZ_CHECK(r.leftLoudness[f][0] == kEmptyLevel && r.rightLoudness[f][0] == kEmptyLevel);
        for (int k = 0; k < 7; ++k) {
            const int16_t left = oldLevel(bytes, 330, f, k), right = oldLevel(bytes, 414, f, k);
            FUZZ_CHECK(r.leftLoudness[f][k + 1] == (left == -100 ? kEmptyLevel : left));
            FUZZ_CHECK(r.rightLoudness[f][k + 1] == (right == -100 ? kEmptyLevel : right));
        }
    }
    FUZZ_CHECK(r.leftAidStyle == oldStyle(bytes, 322) + 1);
    FUZZ_CHECK(r.rightAidStyle == oldStyle(bytes, 324) + 1);
    FUZZ_CHECK(r.rightRangeLow == 1 && r.rightRangeHigh == 4 && r.leftRangeLow == 1 &&
               r.leftRangeHigh == 4 && r.showInHL == 1);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::span<const uint8_t> bytes(data, size);

    FittingRecord record{};
    resetFitting(record, kFreshDate);
    const FittingRecord before = record;
    LegacyImage legacy{};
    const PatientFileKind kind = parsePatientImage(bytes, record, legacy, kFreshDate);
    if (kind == PatientFileKind::Unsupported) {
        FUZZ_CHECK(size != kPatientFileSize && size != kLegacyFileSize);
        FUZZ_CHECK(std::memcmp(&record, &before, sizeof record) == 0);
        return 0;
    }
    if (kind == PatientFileKind::Current)
        FUZZ_CHECK(size == kPatientFileSize && std::memcmp(&record, data, size) == 0);
    else
        checkConversion(bytes, record);

    // Written (the file is the record's image) and read again: the same record.
    FittingRecord reread{};
    const std::span<const uint8_t> image(reinterpret_cast<const uint8_t*>(&record), sizeof record);
    FUZZ_CHECK(parsePatientImage(image, reread, legacy, kFreshDate) == PatientFileKind::Current);
    FUZZ_CHECK(std::memcmp(&reread, &record, sizeof record) == 0);

    JsonWriter json;
    writeRecordJson(json, record);
    FUZZ_CHECK(fuzz::isValidJson(json.text()));

    AidDatabase database{};
    defaultAidDatabase(database);
    for (const Ear ear : kEars) {
        const EarCurves page = loadEarCurves(record, database, ear);
        (void)page;
        FittingRecord predicted = record;
        predictLevels(predicted, ear);
    }
    return 0;
}
