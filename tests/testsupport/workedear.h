// The patient most tests of the curves, the graph and the report start from.
#pragma once

#include "model/fittingrecord.h"

// The right ear measured at 1000 Hz (VS 50, CSS 70, CSL 90, UCL 100; soft, average
// and loud targets 54.8, 67 and 83.4) with Curve B chosen there; its graphs show
// 1000 Hz and 4000 Hz, where nothing is measured. The rest as a new patient's.
inline FittingRecord workedRightEar() {
    FittingRecord r;
    resetFitting(r, "01/01/2000");
    r.rightRangeLow = 2;
    r.rightRangeHigh = 5;
    const int levels[8] = {30, 50, 60, 70, 80, 90, 95, 100};
    for (int c = 0; c < 8; ++c)
        r.rightLoudness[2][c] = levels[c];
    r.aidSettings[0][2].curveChoice = 2;
    return r;
}

// The worked right ear, and the left ear measured at 500 Hz (VS 35, CSS 55, CSL 75, UCL
// 92) with Curve C chosen there, where its left graph is: each ear has a curve to print.
inline FittingRecord workedBothEars() {
    FittingRecord r = workedRightEar();
    const int levels[8] = {20, 35, 45, 55, 65, 75, 85, 92};
    for (int c = 0; c < 8; ++c)
        r.leftLoudness[1][c] = levels[c];
    r.aidSettings[1][1].curveChoice = 3;
    return r;
}
