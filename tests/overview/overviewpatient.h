// The patient the overview chart tests draw: the two ears differ at every frequency,
// the right ear has nothing at 2000 Hz, a soft level below very soft at 500 Hz and a
// UCL below LOK at 3000 Hz.
#pragma once

#include "model/aiddatabase.h"
#include "model/fittingrecord.h"
#include "model/patienthistory.h"
#include "model/prediction.h"

inline FittingRecord overviewPatient() {
    FittingRecord r;
    resetFitting(r, "03/14/2025");
    const int32_t right[kFrequencyCount][kCategoryCount] = {
        {55, 70, 80, 85, 90, 95, 100, 110}, {46, 60, 56, 76, 82, 90, 96, 106},
        {40, 50, 60, 70, 80, 90, 95, 100},  {-99, -99, -99, -99, -99, -99, -99, -99},
        {53, 63, 70, 78, 85, 92, 100, 98},  {65, -99, -99, -99, -99, -99, -99, 115},
    };
    const int32_t leftThr[kFrequencyCount] = {45, 36, 30, 38, 43, 50};
    for (int f = 0; f < kFrequencyCount; ++f) {
        for (int c = 0; c < kCategoryCount; ++c)
            r.rightLoudness[f][c] = right[f][c];
        r.leftLoudness[f][0] = leftThr[f];
    }
    const int32_t leftBands[2][3] = {{40, 60, 80}, {43, 63, 83}}; // VS, CSS, CSL at 1k, 2k
    for (int i = 0; i < 2; ++i) {
        r.leftLoudness[2 + i][1] = leftBands[i][0];
        r.leftLoudness[2 + i][3] = leftBands[i][1];
        r.leftLoudness[2 + i][5] = leftBands[i][2];
    }
    r.rightAidStyle = 1;                 // ITE
    r.leftAidStyle = 0;                  // BTE
    r.aidSettings[0][2].curveChoice = 2; // Curve B at 1000 Hz, right
    // The right ear's user curve at 1000 Hz: 20 dB of gain throughout.
    r.aidSettings[0][2].curve = {20, 40, 0, 1, 80, 0, 1, 120, 0, 1, {}};
    r.aidSettings[1][5].aidChoice = 1; // the second aid at 4000 Hz, left
    return r;
}

// The second aid has 30 dB of gain at 4000 Hz; the others no curves.
inline AidDatabase overviewDatabase() {
    AidDatabase d;
    defaultAidDatabase(d);
    d.aidData[1][5] = {30, 40, 0, 1, 80, 0, 1, 130};
    return d;
}

// Every level measured except the right ear's C at 500 Hz and VS to LOK at 3000 Hz.
inline LevelFlags overviewMeasured() {
    LevelFlags flags{};
    for (auto& frequency : flags)
        frequency.fill(true);
    flags[1][4] = false;
    for (int c = 1; c <= 6; ++c)
        flags[4][c] = false;
    return flags;
}

// The visit before overviewPatient(), on 06/01/2026. Right thresholds 45, 41, 40, -, 48
// and 55 dB SPL and UCLs at 500 Hz, 1000 Hz and 4000 Hz (100, 105, 135: the last beyond
// the map's usual 120 dB HL); left thresholds 50, 36, 38, 30, 43 and -, and no UCL.
// The levels between are set too: the map does not draw them.
inline KeptVersion overviewPreviousVisit() {
    KeptVersion previous;
    resetFitting(previous.record, "06/01/2026");
    const int32_t rightThr[kFrequencyCount] = {45, 41, 40, -99, 48, 55};
    const int32_t rightUcl[kFrequencyCount] = {-99, 100, 105, -99, -99, 135};
    const int32_t leftThr[kFrequencyCount] = {50, 36, 38, 30, 43, -99};
    for (int f = 0; f < kFrequencyCount; ++f) {
        previous.record.rightLoudness[f][0] = rightThr[f];
        previous.record.rightLoudness[f][3] = 150;
        previous.record.rightLoudness[f][7] = rightUcl[f];
        previous.record.leftLoudness[f][0] = leftThr[f];
    }
    previous.stamp.savedAt = 1780000000;
    return previous;
}
