// The sample patients in docs/examples, which the README's examples open, are made
// here from recipes with the program's own record code, so that they are what TAVIK
// would save. The test holds the shipped files to the recipes; after a recipe changes,
//   TAVIK_WRITE_EXAMPLES=1 build/tests/tavik_core_tests --gtest_filter='ExamplePatients.*'
// writes them anew.
#include "curves/curveload.h"
#include "model/aiddatabase.h"
#include "model/levelunits.h"
#include "model/patientfile.h"
#include "model/prediction.h"
#include "model/textslot.h"
#include "testsupport/testfiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const std::string kExamples = std::string(TAVIK_SOURCE_DIR) + "/docs/examples/";

// One ear as an audiologist writes it down, in dB HL: the threshold and the UCL at
// each frequency (-99: not measured), and the level source.
struct EarRecipe {
    int threshold[kFrequencyCount];
    int ucl[kFrequencyCount];
    int32_t levelSource;
    int32_t aidStyle;
    int32_t graphLow, graphHigh; // frequency indices of the two curve graphs
    int32_t curveChoice;         // the fitted shape, 1 (Curve A) to 5 (Curve E)
    int32_t aidChoice;           // 0 (HA-1) to 5 (HA-6)
    bool userCurves;             // a user curve typed at both graph frequencies
};

// Where the categories VS to LOK lie between threshold and UCL in a measured ear: a
// little wider apart at the soft end, as loudness grows faster near the threshold.
constexpr double kCategoryShare[kCategoryCount] = {0, 0.12, 0.27, 0.42, 0.56, 0.7, 0.85, 1};

void measure(int32_t (&row)[kCategoryCount], int frequency, int thr, int ucl) {
    const int correction = hlToSplCorrection[frequency];
    for (int c = 0; c < kCategoryCount; ++c)
        row[c] = static_cast<int32_t>(thr + kCategoryShare[c] * (ucl - thr) + 0.5) + correction;
}

// Levels typed as the level source asks (every level, THR, or THR and UCL), then the
// rest predicted with "Predict intermediate levels".
void fillEar(FittingRecord& r, Ear ear, const EarRecipe& e) {
    auto& levels = earLoudness(r, ear);
    for (int f = 0; f < kFrequencyCount; ++f) {
        if (e.threshold[f] == kEmptyLevel)
            continue;
        if (e.levelSource == 0) {
            measure(levels[f], f, e.threshold[f], e.ucl[f]);
            continue;
        }
        levels[f][0] = e.threshold[f] + hlToSplCorrection[f];
        if (e.levelSource == 2)
            levels[f][kCategoryCount - 1] = e.ucl[f] + hlToSplCorrection[f];
    }
    (ear == Ear::Right ? r.rightLevelSource : r.leftLevelSource) = e.levelSource;
    (ear == Ear::Right ? r.rightAidStyle : r.leftAidStyle) = e.aidStyle;
    (ear == Ear::Right ? r.rightRangeLow : r.leftRangeLow) = e.graphLow;
    (ear == Ear::Right ? r.rightRangeHigh : r.leftRangeHigh) = e.graphHigh;
    predictLevels(r, ear);
    for (AidSetting& s : r.aidSettings[recordIndex(ear)]) {
        s.curveChoice = e.curveChoice;
        s.aidChoice = e.aidChoice;
    }
}

// A two-stage user curve at each graph frequency, typed with the second threshold as
// an output level at the higher one, and scored as TAVIK scores it when it saves.
void typeUserCurves(FittingRecord& r, Ear ear, const EarRecipe& e, const AidDatabase& db) {
    AidSetting(&settings)[kFrequencyCount] = r.aidSettings[recordIndex(ear)];
    settings[e.graphLow].curve = CurveParams{18, 45, 0, 1.8f, 70, 0, 2.5f, 112, 0, 1, {}};
    settings[e.graphHigh].curve = CurveParams{31, 50, 0, 2.2f, 95, 1, 3, 118, 0, 1, {}};
    const EarCurves shown = loadEarCurves(r, db, ear);
    settings[e.graphLow].curve.rmsError = shown.curves[1].rmsError;
    settings[e.graphHigh].curve.rmsError = shown.curves[4].rmsError;
}

struct PatientRecipe {
    const char* file;
    const char* last;  // Latin-1
    const char* first; // Latin-1
    const char* id;
    const char* birth;
    const char* test;
    const char* clinician;
    const char* comments;
    int32_t binaural;
    EarRecipe right, left;
};

constexpr int kNone = kEmptyLevel;

// One patient to a few lines, as a recipe reads.
// clang-format off
const PatientRecipe kPatients[] = {
    // A sloping high-frequency loss, every level measured in both ears.
    {"SMITH.TAV", "Smith", "Anna", "P-1001", "04/17/1951", "11/30/2026", "Dr. Ann Lee",
     "Sloping loss, right ear slightly worse. Trial with HA-1.", 0,
     {{20, 25, 35, 50, 60, 65}, {95, 98, 100, 105, 108, 110}, 0, 1, 2, 4, 2, 0, true},
     {{15, 20, 30, 45, 55, 55}, {96, 100, 102, 104, 106, 108}, 0, 1, 1, 3, 3, 0, false}},
    // Right ear measured, left ear's levels predicted from its threshold; binaural.
    {"NOVAK.TAV", "Novak", "Piotr", "P-1002", "09/02/1944", "12/01/2026", "J. Okafor, Au.D.",
     "Binaural BTE fitting. Left ear: threshold only, levels predicted.", 1,
     {{30, 35, 40, 55, 65, 70}, {100, 102, 105, 108, 110, 112}, 0, 0, 1, 5, 3, 1, false},
     {{35, 40, 50, 60, 70, kNone}, {}, 1, 0, 2, 4, 4, 1, true}},
    // Both ears predicted from threshold and UCL, a CIC and an ITC aid; binaural.
    {"MULLER.TAV", "M\xfcller", "Zo\xeb", "P-1003", "01/23/1962", "12/03/2026", "Dr. Ann Lee",
     "Mild loss, narrow dynamic range at 4 kHz on the left.", 1,
     {{10, 15, 20, 30, 40, 45}, {90, 92, 95, 95, 98, 100}, 2, 3, 1, 4, 2, 0, false},
     {{15, 15, 25, 35, 45, 60}, {92, 94, 96, 96, 96, 92}, 2, 2, 0, 3, 5, 1, false}},
};
// clang-format on

AidDatabase exampleDatabase() {
    AidDatabase db{};
    defaultAidDatabase(db);
    writeText(db.aidLongNames[0], "Demo BTE, two stages");
    writeText(db.aidShortNames[0], "BTE-2S");
    writeText(db.aidLongNames[1], "Demo ITE, one stage");
    writeText(db.aidShortNames[1], "ITE-1S");
    const float gain[kFrequencyCount] = {10, 15, 22, 28, 30, 26};
    for (int f = 0; f < kFrequencyCount; ++f) {
        db.aidData[0][f] = AidFrequencyData{gain[f], 45, 0, 1.6f, 75, 0, 3, 118};
        db.aidData[1][f] =
            AidFrequencyData{gain[f] - 4, 55, 0, 2, kEmptyValue, 0, kEmptyValue, 112};
    }
    return db;
}

FittingRecord patient(const PatientRecipe& p, const AidDatabase& db) {
    FittingRecord r{};
    resetFitting(r, p.test);
    writeText(r.lastName, p.last);
    writeText(r.firstName, p.first);
    writeText(r.patientId, p.id);
    writeText(r.birthDate, p.birth);
    writeText(r.clinician, p.clinician);
    writeText(r.comments, p.comments);
    r.binauralFitting = p.binaural;
    fillEar(r, Ear::Right, p.right);
    fillEar(r, Ear::Left, p.left);
    for (Ear ear : {Ear::Right, Ear::Left}) {
        const EarRecipe& e = ear == Ear::Right ? p.right : p.left;
        if (e.userCurves)
            typeUserCurves(r, ear, e, db);
    }
    return r;
}

std::vector<uint8_t> bytesOf(const FittingRecord& r) {
    std::vector<uint8_t> bytes(sizeof r);
    std::memcpy(bytes.data(), &r, sizeof r);
    return bytes;
}

std::vector<uint8_t> bytesOf(const AidDatabase& db) {
    std::vector<uint8_t> bytes(sizeof db);
    std::memcpy(bytes.data(), &db, sizeof db);
    return bytes;
}

bool writing() {
    return std::getenv("TAVIK_WRITE_EXAMPLES") != nullptr;
}

TEST(ExamplePatients, ShippedFilesAreWhatTheRecipesMake) {
    const AidDatabase db = exampleDatabase();
    if (writing())
        saveAidDatabase(kExamples + "TAVIK.TDB", db);
    EXPECT_EQ(readBytes(kExamples + "TAVIK.TDB"), bytesOf(db));
    for (const PatientRecipe& p : kPatients) {
        const FittingRecord r = patient(p, db);
        if (writing())
            writePatientFile(kExamples + p.file, r);
        EXPECT_EQ(readBytes(kExamples + p.file), bytesOf(r)) << p.file;
    }
}

// What the examples stand for, read back as TAVIK reads them: the levels typed and
// predicted where the recipes say, in dB SPL.
TEST(ExamplePatients, HoldTheLevelsTheirDescriptionsName) {
    struct Case {
        const char* file;
        Ear ear;
        int frequency;
        int32_t levels[kCategoryCount];
    };
    const Case cases[] = {
        {"SMITH.TAV", Ear::Right, 0, {35, 44, 55, 67, 77, 88, 99, 110}},
        {"SMITH.TAV", Ear::Left, 5, {55, 61, 69, 77, 85, 92, 100, 108}},
        {"NOVAK.TAV", Ear::Left, 5, {-99, -99, -99, -99, -99, -99, -99, -99}},
        {"MULLER.TAV", Ear::Left, 5, {60, 67, 73, 77, 81, 85, 88, 92}},
    };
    for (const Case& c : cases) {
        FittingRecord r{};
        LegacyImage legacy{};
        ASSERT_EQ(readPatientFile(kExamples + c.file, r, legacy, "01/01/2000"),
                  PatientFileKind::Current)
            << c.file;
        const auto& row = earLoudness(r, c.ear)[c.frequency];
        EXPECT_EQ(std::vector<int32_t>(row, row + kCategoryCount),
                  std::vector<int32_t>(c.levels, c.levels + kCategoryCount))
            << c.file << " " << frequencyCaptions[c.frequency];
    }
}

} // namespace
