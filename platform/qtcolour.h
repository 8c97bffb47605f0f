// A colour of the program's palette (model/palette.h) as Qt paints it.
#pragma once

#include "model/palette.h"

#include <QColor>

inline QColor qColor(RgbColour colour) {
    return QColor(colour.red, colour.green, colour.blue);
}
