// Writing curve texts: the text a stored curve (a user curve or a hearing-aid entry)
// is shown as in a column of the curve grid, chosen so that reading the column back
// gives the same curve.
#pragma once

#include "curves/curvegrid.h"
#include "model/fittingrecord.h"

// Writes a stored curve (a user curve or a hearing-aid entry) into rows 0 to 6 of a
// grid column (1..6). A threshold entered as an output level is shown as output
// (threshold + gain) followed by "o", except threshold 2 of a user curve: that one
// is shown as the output the curve's first segment gives at it, so that reading the
// column back gives the same curve.
void writeStoredCurve(CurveGrid& grid, int column, const CurveParams& curve);
void writeStoredCurve(CurveGrid& grid, int column, const AidFrequencyData& curve);
