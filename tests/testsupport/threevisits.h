// A patient saved three times, with a history that the history tests list, show and
// restore: each save changes something else on each ear.
#pragma once

#include "model/patienthistory.h"
#include "model/textslot.h"

#include <string>

// Saves at firstSave (ann on room-1): test date 01/06/2030, right 500 Hz THR 40 dB HL;
// 90 s later (bob on room-2): THR 45 dB HL and aid 3 on the left ear; a day after the
// first (ann on room-1, program 1.0b): test date 02/03/2030 and left 4 KHz UCL 117 dB HL.
inline void saveThreeVisits(const std::string& path, int64_t firstSave) {
    FittingRecord r;
    resetFitting(r, "01/06/2030");
    writeText(r.lastName, "Smith");
    r.showInHL = 1;
    r.rightLoudness[1][0] = 46; // 40 dB HL at 500 Hz
    savePatientWithHistory(path, r, {firstSave, "ann", "room-1", "1.0a"});
    r.rightLoudness[1][0] = 51; // 45 dB HL
    for (AidSetting& s : r.aidSettings[1])
        s.aidChoice = 2;
    savePatientWithHistory(path, r, {firstSave + 90, "bob", "room-2", "1.0a"});
    writeText(r.testDate, "02/03/2030");
    r.leftLoudness[5][7] = 117;
    savePatientWithHistory(path, r, {firstSave + 86400, "ann", "room-1", "1.0b"});
}
