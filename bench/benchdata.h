// The patient record and the database the benchmarks load: a fully measured patient,
// so that every band, target and curve is present and every computation runs.
#pragma once

#include "model/aiddatabase.h"
#include "model/fittingrecord.h"

// Both ears measured at all six frequencies and fitted binaurally. The right ear's
// graphs show 1000 and 3000 Hz, the left ear's 500 and 4000 Hz; Curve B is chosen
// below 2000 Hz and Curve C above, with a user curve and database entry 1 at every
// frequency, so that all six curves of either ear are complete and scored.
inline FittingRecord benchRecord() {
    FittingRecord r;
    resetFitting(r, "01/01/2000");
    r.binauralFitting = 1;
    r.rightRangeLow = 2;
    r.rightRangeHigh = 4;
    r.leftRangeLow = 1;
    r.leftRangeHigh = 5;
    const int levels[kCategoryCount] = {40, 50, 58, 66, 74, 84, 94, 104};
    for (int f = 0; f < kFrequencyCount; ++f) {
        for (int c = 0; c < kCategoryCount; ++c) {
            r.rightLoudness[f][c] = levels[c] + f;
            r.leftLoudness[f][c] = levels[c] + 2 * f;
        }
        for (AidSetting* s : {&r.aidSettings[0][f], &r.aidSettings[1][f]}) {
            s->curveChoice = f < 3 ? 2 : 3;
            s->aidChoice = 1;
            s->curve = CurveParams{20, 45, 1, 2, 75, 1, 2, 110, 0, 0, {}};
        }
    }
    return r;
}

// The default database with a two-kneepoint aid as entry 1.
inline AidDatabase benchDatabase() {
    AidDatabase db;
    defaultAidDatabase(db);
    for (AidFrequencyData& d : db.aidData[1])
        d = AidFrequencyData{15, 40, 0, 1.5f, 65, 0, 3, 118};
    return db;
}
