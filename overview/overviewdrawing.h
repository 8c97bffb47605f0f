// The pictures of the whole patient: the loudness map of an ear (its levels across
// the six frequencies) and its gain across frequency (the targets against the
// chosen curves). One drawing for the Overview page, tavik-cli and the tests; every
// position, point and segment is worked out in overviewchart.h without Qt.
#pragma once

#include "model/fittingrecord.h"
#include "model/prediction.h"
#include "overview/overviewchart.h"
#include "platform/qtcolour.h"

#include <QColor>
#include <QRect>
#include <QString>

class QPainter;

// The ears' colours on the charts (model/palette.h). The shapes of the points tell
// the ears apart too (overviewchart.h).
inline const QColor kRightEarColour = qColor(chartEarColour(Ear::Right));
inline const QColor kLeftEarColour = qColor(chartEarColour(Ear::Left));

// What a chart is drawn from: the record and database as they stand, the ear, and
// which of its levels were measured (the others are drawn as predicted). The
// loudness map shows levels in the unit the loudness page shows (record.showInHL),
// and, where there is one, the previous visit's thresholds and UCLs as thin grey
// lines under this visit's, with its date in the legend.
struct OverviewSource {
    const FittingRecord& record;
    const AidDatabase& database;
    const LevelFlags& measured;
    Ear ear;
    const KeptVersion* previous = nullptr;
};

// How a chart is drawn: all as shapes (a PDF, an image file, the tests' recording
// device), or for the screen, which paints far more often, from pictures kept between
// paintings: the points (drawCachedMarker in overviewmarkers.h) and, one per chart and
// ear, the white ground with its grid, numbers, frames, titles and legend, made again
// whenever any of these would be drawn differently. Where the painter does not paint
// whole device pixels at whole-pixel places, both are drawn as shapes.
enum class MarkerDrawing { Shapes, CachedPictures };

// Draws one chart into the area, in the painter's logical units. Sets every pen,
// brush and font it uses and leaves the painter as it found it.
void drawOverviewChart(QPainter& painter, const QRect& area, OverviewChart chart,
                       const OverviewSource& source, MarkerDrawing markers = MarkerDrawing::Shapes);

// The chart's accessible name, "Loudness map, right ear" or "Gain, left ear", and a
// text description of what it shows, for a screen reader.
QString overviewChartName(OverviewChart chart, Ear ear);
QString overviewChartDescription(OverviewChart chart, const OverviewSource& source);
