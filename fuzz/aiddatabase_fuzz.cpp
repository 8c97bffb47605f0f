// A hearing-aid database file of any bytes, fed apart from any patient file. Its bytes
// go over the database as TAVIK reads them (a shorter file fills only the start, the
// rest keeps the defaults); tavik-cli prints it as valid JSON; and an entry's texts
// on the database page, its curves through the curve grid, and the curve page of a
// fixed patient who has it chosen are made without a crash.
#include "cli/json.h"
#include "cli/recordjson.h"
#include "curves/curveload.h"
#include "fuzz/fuzzsupport.h"
#include "model/aiddatabase.h"
#include "pages/aidentrytext.h"

#include <algorithm>
#include <cstring>
#include <span>

namespace {

// Both ears measured at every frequency, graphs at 500 Hz and 3 kHz, a user curve and
// an aid chosen at each: the aids come from the fuzzed database. No fitted curve is
// chosen, as fitting takes most of the time and owes nothing to the database.
FittingRecord samplePatient() {
    FittingRecord r{};
    resetFitting(r, "01/01/2000");
    for (int f = 0; f < kFrequencyCount; ++f) {
        for (int c = 0; c < kCategoryCount; ++c) {
            r.rightLoudness[f][c] = 30 + 9 * c + f;
            r.leftLoudness[f][c] = 40 + 7 * c - f;
        }
    }
    r.rightRangeLow = r.leftRangeLow = 1;
    r.rightRangeHigh = r.leftRangeHigh = 4;
    for (int ear = 0; ear < kEarCount; ++ear) {
        for (int f = 0; f < kFrequencyCount; ++f) {
            AidSetting& s = r.aidSettings[ear][f];
            s.curveChoice = 0; // no fitted curve: its search does not depend on the file
            s.aidChoice = 0;   // the entry under test, set for each input
            s.curve = CurveParams{20, 45, 0, 2.0f, 70, 1, 3.0f, 110, 0, 0, {}};
        }
    }
    return r;
}

const FittingRecord kPatient = samplePatient();

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    AidDatabase defaults{};
    defaultAidDatabase(defaults);
    AidDatabase database = defaults;
    applyAidDatabaseImage(std::span<const uint8_t>(data, size), database);

    const auto* image = reinterpret_cast<const uint8_t*>(&database);
    const std::size_t taken = std::min(size, sizeof database);
    FUZZ_CHECK(std::memcmp(image, data, taken) == 0);
    FUZZ_CHECK(std::memcmp(image + taken, reinterpret_cast<const uint8_t*>(&defaults) + taken,
                           sizeof database - taken) == 0);

    JsonWriter json;
    writeDatabaseJson(json, database);
    FUZZ_CHECK(fuzz::isValidJson(json.text()));

    // One entry, a different one for inputs of different sizes (working out an
    // entry's texts takes a while, so not all six each time): the database page's
    // texts, its six frequencies through the curve grid, and the curve page of one
    // ear that has it chosen.
    const int aid = static_cast<int>(size % kAidCount);
    const AidEntryTexts texts = aidEntryTexts(database, aid);
    FUZZ_CHECK(texts.longName.size() <= sizeof database.aidLongNames[aid]);
    FUZZ_CHECK(texts.shortName.size() <= sizeof database.aidShortNames[aid]);
    CurveGrid grid;
    for (int f = 0; f < kFrequencyCount; ++f)
        showAid(grid, database, aid, 1 + f, f);
    CurveParams curves[kCurveCount]{};
    readCurves(grid, curves);

    FittingRecord patient = kPatient;
    for (auto& ear : patient.aidSettings)
        for (AidSetting& setting : ear)
            setting.aidChoice = aid;
    const EarCurves page =
        loadEarCurves(patient, database, earOfIndex(static_cast<int>(size / kAidCount % 2)));
    (void)page;
    return 0;
}
