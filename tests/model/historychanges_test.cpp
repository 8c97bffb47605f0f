// What changed between two kept versions, in the words a clinician reads.
#include "model/patienthistory.h"
#include "model/textslot.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

FittingRecord base() {
    FittingRecord r;
    resetFitting(r, "01/06/2026");
    writeText(r.lastName, "Smith");
    r.showInHL = 0;
    return r;
}

void setAid(FittingRecord& r, int ear, int32_t aid) {
    for (AidSetting& s : r.aidSettings[ear])
        s.aidChoice = aid;
}

TEST(HistoryChanges, EachChangeIsOneItemInTheClinicianWords) {
    struct Case {
        const char* what;
        std::function<void(FittingRecord&)> edit;
        std::vector<std::string> items;
    };
    const std::vector<Case> cases = {
        {"nothing", [](FittingRecord&) {}, {}},
        {"name in Latin-1",
         [](FittingRecord& r) { writeText(r.lastName, "M\xFCller"); },
         {"Last name Smith → Müller"}},
        {"test date and empty clinician",
         [](FittingRecord& r) {
             writeText(r.testDate, "02/03/2026");
             writeText(r.clinician, "Dr. Ode");
         },
         {"Clinician (none) → Dr. Ode", "Test date 01/06/2026 → 02/03/2026"}},
        {"comments",
         [](FittingRecord& r) { writeText(r.comments, "feedback at 3 kHz"); },
         {"Comments changed"}},
        {"fitting",
         [](FittingRecord& r) { r.binauralFitting = 1; },
         {"Fitting Monaural → Binaural"}},
        {"left aid style",
         [](FittingRecord& r) { r.leftAidStyle = 3; },
         {"Left Ear aid style ITE → CIC"}},
        {"right level source",
         [](FittingRecord& r) { r.rightLevelSource = 2; },
         {"Right Ear levels measured → predicted from threshold and UCL"}},
        {"left graph frequencies",
         [](FittingRecord& r) { r.leftRangeHigh = 5; },
         {"Left Ear graph frequencies 500 Hz and 3 KHz → 500 Hz and 4 KHz"}},
        {"right 500 Hz threshold in dB SPL",
         [](FittingRecord& r) { r.rightLoudness[1][0] = 51; },
         {"Right Ear 500 Hz THR empty → 51 dB SPL"}},
        {"left 4 KHz UCL in dB HL, shown with the correction",
         [](FittingRecord& r) {
             r.showInHL = 1;
             r.leftLoudness[0][7] = 110; // 250 Hz: 15 dB between the units
             r.leftLoudness[5][7] = 120;
         },
         {"Unit dB SPL → dB HL", "Left Ear 250 Hz UCL empty → 95 dB HL",
          "Left Ear 4 KHz UCL empty → 120 dB HL"}},
        {"left aid, one for the ear",
         [](FittingRecord& r) { setAid(r, 1, 2); },
         {"Left Ear aid aid 1 → aid 3"}},
        {"right aid at one frequency",
         [](FittingRecord& r) { r.aidSettings[0][4].aidChoice = 5; },
         {"Right Ear 3 KHz aid aid 1 → aid 6"}},
        {"curve choice and user curve",
         [](FittingRecord& r) {
             r.aidSettings[1][2].curveChoice = 3;
             r.aidSettings[0][5].curve.ratio1 = 2.5f;
         },
         {"Right Ear 4 KHz user curve changed", "Left Ear 1 KHz curve No Curve → Curve C"}},
        {"curve choice outside the list",
         [](FittingRecord& r) { r.aidSettings[0][0].curveChoice = 9; },
         {"Right Ear 250 Hz curve No Curve → 9"}},
    };
    for (const Case& c : cases) {
        const FittingRecord before = base();
        FittingRecord after = before;
        c.edit(after);
        EXPECT_EQ(describeChanges(before, after), c.items) << c.what;
    }
}

TEST(HistoryChanges, LevelsComeInTheUnitOfTheLaterVersionAndAidsByTheirNames) {
    FittingRecord before = base(), after = base();
    before.rightLoudness[1][0] = 46; // 40 dB HL at 500 Hz
    after.rightLoudness[1][0] = 51;  // 45 dB HL
    after.showInHL = before.showInHL = 1;
    setAid(before, 1, 1);
    setAid(after, 1, 2);
    const AidNamer names = [](int32_t choice) { return "HA-" + std::to_string(choice + 1); };
    EXPECT_EQ(describeChanges(before, after, names),
              (std::vector<std::string>{"Right Ear 500 Hz THR 40 → 45 dB HL",
                                        "Left Ear aid HA-2 → HA-3"}));
}

} // namespace
