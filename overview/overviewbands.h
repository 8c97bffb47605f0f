// The loudness bands of the overview's loudness map and its legend: the curve page's
// colours, a light tint under the hatching.
#pragma once

#include "curves/graphgeometry.h"

#include <QPolygonF>

class QPainter;

// Fills the outline with the band's tint and hatching, without antialiasing: its edges
// lie under the category lines drawn over it, and an antialiased fill of a large
// hatched area costs more than the rest of the chart together. Leaves the painter's
// brush set, its pen off, and its clip as it found it.
void fillBand(QPainter& painter, LoudnessBand band, const QPolygonF& outline);
