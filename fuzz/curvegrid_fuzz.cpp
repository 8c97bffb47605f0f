// The curve grid's columns read from arbitrary text, not only from text the program
// wrote: lines of the input fill the parameter cells of columns 1 to 6, column by
// column. Each column reads as complete exactly when all six values are there; and a
// complete user curve, stored and shown again in its column as the curve page does,
// reads as complete; once shown, it reads to a curve that writes the very same texts
// again, so that showing the page never changes the clinician's curve however often
// it is shown (see typeable below for curves from files).
#include "curves/curvetext.h"
#include "fuzz/fuzzsupport.h"

#include <cstring>

namespace {

bool present(float value) {
    return value != kEmptyValue;
}

bool within(float value, float lowest, float highest) {
    return value >= lowest && value <= highest;
}

// A curve the clinician can type: the page refuses a gain or a ratio no hearing aid
// has. Others come only from files, which the page shows as they are; with a gain of
// millions and a ratio of a thousandth a threshold's text may take one showing more
// to settle.
bool typeable(const CurveParams& curve) {
    return within(curve.gainAt50, kLowestTypedGain, kHighestTypedGain) &&
           within(curve.ratio1, kLowestTypedRatio, kHighestTypedRatio) &&
           within(curve.ratio2, kLowestTypedRatio, kHighestTypedRatio);
}

bool sameParameters(const CurveParams& a, const CurveParams& b) {
    return a.gainAt50 == b.gainAt50 && a.threshold1 == b.threshold1 &&
           a.threshold1IsOutput == b.threshold1IsOutput && a.ratio1 == b.ratio1 &&
           a.threshold2 == b.threshold2 && a.threshold2IsOutput == b.threshold2IsOutput &&
           a.ratio2 == b.ratio2 && a.maxOutput == b.maxOutput && a.complete == b.complete;
}

// A user curve as the page reads it after storing it and showing it again: written
// into its column (2 or 5) from the record, then read.
CurveParams shownAndRead(const CurveParams& curve, int column, CurveGrid& grid) {
    writeStoredCurve(grid, column, curve);
    CurveParams curves[kCurveCount]{};
    curves[column - 1] = curve; // the flags a column does not set are kept
    readCurves(grid, curves);
    return curves[column - 1];
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::vector<std::string> lines = fuzz::split(fuzz::asText(data, size), '\n');
    CurveGrid grid;
    std::size_t next = 0;
    for (int column = 1; column <= kCurveCount; ++column) {
        for (int row = 0; row < kCurveParameterRows && next < lines.size(); ++row)
            grid.cell[column][row] = lines[next++];
    }
    CurveParams typed[kCurveCount]{};
    readCurves(grid, typed);

    for (int column = 1; column <= kCurveCount; ++column) {
        const CurveParams& curve = typed[column - 1];
        const bool allThere = present(curve.gainAt50) && present(curve.threshold1) &&
                              present(curve.ratio1) && present(curve.threshold2) &&
                              present(curve.ratio2) && present(curve.maxOutput);
        FUZZ_CHECK(curve.complete == (allThere ? 1 : 0));
        // Only the user columns go round: stored into the record, shown from it. The
        // fitted and aid columns are written afresh from their sources at every showing.
        if (!curve.complete || (column != 2 && column != 5))
            continue;

        // Shown again: still complete. The first showing rounds what was typed (a gain
        // of 1.5 shows as 2); from the second on (the third for a curve nobody can
        // type), the same texts and the same curve.
        const int settled = typeable(curve) ? 2 : 3;
        CurveGrid shown[5];
        CurveParams read[5];
        read[0] = curve;
        for (int showing = 1; showing <= settled + 1; ++showing)
            read[showing] = shownAndRead(read[showing - 1], column, shown[showing]);
        for (int row = 0; row < kCurveParameterRows; ++row)
            FUZZ_CHECK(shown[settled].cell[column][row] == shown[settled + 1].cell[column][row]);
        FUZZ_CHECK(read[1].complete == 1);
        FUZZ_CHECK(sameParameters(read[settled], read[settled + 1]));
    }
    return 0;
}
