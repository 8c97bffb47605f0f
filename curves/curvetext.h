// The curve parameters as text: the 7 x 7 data entry grid of the curve page, the
// text written for a stored curve, and the rules that read the grid back into
// curves, including the letters that mark a threshold as an input or output level
// ("i", "o") or as the same as the first one ("x").
#pragma once

#include "curves/curvegrid.h"
#include "curves/curveread.h"
#include "curves/curvewrite.h"
#include "curves/gridnumber.h"
