// The name TAVIK as the logo draws it: the letter outlines of a bold sans-serif face
// at 100 pixels, kept as a fixed shape so that drawing the logo never loads a face.
#pragma once

#include <QPainterPath>

#include <span>

// One element of the outline: 'M' starts a letter's contour, 'L' draws a line to the
// point, 'C' is the first control point of a cubic curve, followed by two 'D' rows,
// the second control point and the curve's end.
struct OutlinePoint {
    char kind;
    double x;
    double y;
};

// The stored outline, in the face's pixels with the baseline at y = 0.
std::span<const OutlinePoint> logoNamePoints();

// The outline as a path (odd-even fill, as the face's outlines are made), built once.
const QPainterPath& logoNameOutline();
