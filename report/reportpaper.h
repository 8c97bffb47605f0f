// What the report's drawing files share: the paper medium of the graph painter and
// texts placed at shares of the page. Used by reportdrawing.cpp and reportgraphs.cpp
// only.
#pragma once

#include "curves/graphpainter.h"
#include "report/reportlayout.h"
#include "report/reporttext.h"

#include <QString>

#include <string>

class QPainter;

// The point size of the report's texts and tables.
inline constexpr int kTextPointSize = 10;

// Black strokes and texts in "Arial" on the device's own units, with hatches at the
// screen's pitch.
GraphMedium paperMedium(const QPainter& painter);

PageSize pageOf(const PrintData& data);
QString qtext(const std::string& utf8);

// The ear's aid style as stored: the right ear's or the left ear's.
int32_t reportStyle(const PrintData& data);

// Text is black and never paints a background; areas drawn after this have no fill
// until a routine sets one.
void clearBrush(QPainter& painter);

// A text with the top-left corner of its cell at (fx, fy) of the page, or centred on
// fx.
void textLeft(GraphPainter& g, const PageSize& page, PageFraction fx, PageFraction fy,
              const QString& text);
void textCentred(GraphPainter& g, const PageSize& page, PageFraction fx, PageFraction fy,
                 const QString& text);
