// Writes a clinic's worth of patient files for the batch benchmark:
//   tavik_make_patients DIR COUNT
// Each patient differs: levels per ear and frequency, graph frequencies, aid styles,
// measured or predicted levels, monaural or binaural, fitted curve shapes, user
// curves and aids at some frequencies, and a few frequencies left unmeasured. The
// files go into ten clinic folders under DIR. The same COUNT gives the same files.
#include "model/fittingrecord.h"
#include "model/patientfile.h"
#include "model/textslot.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

constexpr int kClinics = 10;

// A small generator of its own, so that the files are the same on every system.
class Dice {
  public:
    explicit Dice(uint32_t seed) : state_(seed * 2654435761u + 1u) {}
    int roll(int sides) {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<int>((state_ >> 8) % static_cast<uint32_t>(sides));
    }

  private:
    uint32_t state_;
};

const char* const kLastNames[] = {"Smith",  "Novak",  "O'Brien",  "Müller", "Lee",
                                  "García", "Jensen", "Kowalski", "Dubois", "Rossi"};
const char* const kFirstNames[] = {"Anna", "John", "Zoë", "Piotr", "Maria", "Lars", "Chloé"};

std::string latin1(std::string_view utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c == 0xC3 && i + 1 < utf8.size())
            out += static_cast<char>(static_cast<unsigned char>(utf8[++i]) + 0x40);
        else
            out += static_cast<char>(c);
    }
    return out;
}

void fillEar(FittingRecord& r, Ear ear, Dice& dice) {
    auto& levels = earLoudness(r, ear);
    const int base = 20 + dice.roll(40);
    for (int f = 0; f < kFrequencyCount; ++f) {
        if (dice.roll(8) == 0)
            continue; // not measured: left empty
        int level = base + f * (ear == Ear::Right ? 3 : 5) + dice.roll(6);
        for (int c = 0; c < kCategoryCount; ++c) {
            levels[f][c] = level;
            level += 5 + dice.roll(7);
        }
    }
    for (AidSetting& s : r.aidSettings[recordIndex(ear)]) {
        s.curveChoice = 1 + dice.roll(5);
        s.aidChoice = dice.roll(kAidCount);
        if (dice.roll(3) == 0)
            s.curve = CurveParams{static_cast<float>(10 + dice.roll(20)),  40, 0, 1.5f, 70, 1, 3,
                                  static_cast<float>(100 + dice.roll(20)), 0,  1, {}};
    }
}

FittingRecord patient(int number) {
    Dice dice(static_cast<uint32_t>(number));
    FittingRecord r;
    resetFitting(r, "12/07/2026");
    writeText(r.lastName, latin1(kLastNames[dice.roll(10)]));
    writeText(r.firstName, latin1(kFirstNames[dice.roll(7)]));
    writeText(r.patientId, "P-" + std::to_string(10000 + number));
    writeText(r.birthDate, "0" + std::to_string(1 + dice.roll(9)) + "/1" +
                               std::to_string(dice.roll(10)) + "/19" +
                               std::to_string(30 + dice.roll(60)));
    writeText(r.clinician, number % 3 == 0 ? "Dr. Ann Lee" : "J. Okafor, Au.D.");
    writeText(r.comments, "Generated patient " + std::to_string(number));
    r.rightAidStyle = dice.roll(4);
    r.leftAidStyle = dice.roll(4);
    r.binauralFitting = number % 2;
    r.rightLevelSource = dice.roll(3);
    r.leftLevelSource = dice.roll(3);
    r.rightRangeLow = dice.roll(3);
    r.rightRangeHigh = 3 + dice.roll(3);
    r.leftRangeLow = dice.roll(3);
    r.leftRangeHigh = 3 + dice.roll(3);
    fillEar(r, Ear::Right, dice);
    fillEar(r, Ear::Left, dice);
    return r;
}

} // namespace

int main(int argc, char** argv) {
    const int count = argc == 3 ? std::atoi(argv[2]) : 0;
    if (count <= 0) {
        std::fprintf(stderr, "usage: tavik_make_patients DIR COUNT\n");
        return 1;
    }
    const std::filesystem::path folder(argv[1]);
    for (int n = 0; n < count; ++n) {
        const auto clinic = folder / ("clinic" + std::to_string(n % kClinics));
        std::filesystem::create_directories(clinic);
        char name[32];
        std::snprintf(name, sizeof name, "P%05d.TAV", n);
        writePatientFile((clinic / name).string(), patient(n));
    }
    return 0;
}
