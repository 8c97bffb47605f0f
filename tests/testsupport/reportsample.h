// The report data the report tests start from.
#pragma once

#include "report/reporttext.h"

#include <algorithm>

// A complete curve of slope 1 with the given gain up to its maximum output; its RMS
// error lies exactly half-way between two tenths.
inline CurveParams linearCurve(float gain, float maxOutput = 130) {
    CurveParams c{};
    c.gainAt50 = gain;
    c.threshold1 = 50;
    c.ratio1 = 1;
    c.threshold2 = 50;
    c.ratio2 = 1;
    c.maxOutput = maxOutput;
    c.rmsError = 1.25f;
    c.complete = 1;
    return c;
}

// The right ear of a BTE wearer with measured levels, fitted monaurally, printed
// with the fitted curves: the left plot at
// 1000 Hz with every band and a soft target of 54.8, the right plot at 4000 Hz with
// no loudness data; complete fitted curves on both plots.
inline PrintData samplePrintData() {
    PrintData d;
    d.lastName = "Smith";
    d.firstName = "Anna";
    d.middleInitial = "Q";
    d.comments = "Tinnitus & recruitment";
    d.currentFileName = "SMITH.TAV";
    d.printDate = "June 5, 2024";
    d.patientId = "40-1172";
    d.birthDate = "03/14/1941";
    d.testDate = "12/07/2026";
    d.clinician = "Dr. Lee";
    d.aidLongNames = {"Clinic Aid One", "Clinic Aid Two"};
    d.leftPlotLabel = "Curve B";
    d.rightPlotLabel = "Curve D";
    d.printTargets.graphFrequency[0] = 2;
    d.printTargets.graphFrequency[1] = 5;
    const int32_t bands[2][4] = {{50, 70, 90, 100}, {-99, -99, -99, -99}};
    std::copy(&bands[0][0], &bands[0][0] + 8, &d.printTargets.bandLevels[0][0]);
    d.printTargets.targetLevels[0][0] = 54.8f;
    d.printCurves[0] = linearCurve(-15);
    d.printCurves[3] = linearCurve(10);
    return d;
}
