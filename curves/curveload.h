// What the curve page holds for one ear once it has loaded the ear and painted both
// graphs: targets and fit points, the texts of the six controls above the grid, the
// grid itself and the six curves read from it, scored.
#pragma once

#include "curves/curvefit.h"
#include "curves/curvetext.h"
#include "curves/targets.h"
#include "model/fittingrecord.h"

#include <array>
#include <string>

// The controls above grid columns 1 to 6, in that order.
enum CurveControl : int {
    kLeftSideCurveCombo = 0,
    kLeftCurveUserPanel = 1,
    kLeftSideHAidCombo = 2,
    kRightSideCurveCombo = 3,
    kRightCurveUserPanel = 4,
    kRightSideHAidCombo = 5,
};
inline constexpr int kCurveControlCount = 6;

struct EarCurves {
    TargetState targets{};
    EarFitPoints fitPoints{};
    // Texts of the six controls (Latin-1, as the database holds the aid names).
    std::array<std::string, kCurveControlCount> controls;
    // The long names of the aids of the left and the right graph (Latin-1).
    std::array<std::string, 2> aidLongNames;
    CurveGrid grid;
    CurveParams curves[kCurveCount]{};
};

// The caption of a user panel: "500 Hz (user)" for frequency index 1.
std::string userPanelCaption(int frequencyIndex);

// Writes a database entry's curve at a frequency into a grid column (3 or 6). An aid
// index outside 0..5 means the first aid.
void showAid(CurveGrid& grid, const AidDatabase& database, int aid, int column, int frequencyIndex);

// Scores every complete curve, in the order 0 to 5, as painting the graphs does. An
// incomplete curve is neither drawn nor scored; its RMS cell is emptied, so the grid
// never shows the score of a curve that is no longer there.
void scoreCompleteCurves(CurveGrid& grid, CurveParams (&curves)[kCurveCount],
                         const EarFitPoints& points);

// Loads one ear the way the curve page does when it is shown:
// targets, the stored choices at the two graph frequencies (a choice outside 0..5
// counts as 0), the stored user curves in columns 2 and 5, the fitted curves in
// columns 1 and 4, the chosen aids in columns 3 and 6, the grid read into six zeroed
// curves, and every complete curve scored.
EarCurves loadEarCurves(const FittingRecord& record, const AidDatabase& database, Ear ear);
