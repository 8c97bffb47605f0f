#include "curves/curvegrid.h"

CurveGrid::CurveGrid() {
    for (int row = 0; row < kGridRows; ++row)
        cell[0][row] = curveGridRowLabels[row];
}

bool curveCellSelectable(int column, int row) {
    return (column == 2 || column == 5) && row >= kRowGain && row <= kRowMaxOutput;
}

bool curveCellAccepts(int row, char32_t ch) {
    if (row < kRowGain || row > kRowMaxOutput)
        return false;
    if ((ch >= U'0' && ch <= U'9') || ch == U'.' || ch == U'\b')
        return true;
    switch (row) {
    case kRowGain:
        return ch == U'-';
    case kRowThreshold1:
        return ch == U'i' || ch == U'o';
    case kRowThreshold2:
        return ch == U'x' || ch == U'i' || ch == U'o';
    case kRowRatio2:
        return ch == U'x';
    default:
        return false;
    }
}
