// Where everything on a printed report goes. Every position is a share of the
// printable page, so a report keeps its proportions on any printer: the page's
// device units times a fraction, cut toward zero, and every product of a text's
// width or height with a factor cut on its own before it is added. The graph
// arithmetic (level to page point, bands, curve segments) lives here too, so that
// the drawing only adds pens, brushes and fonts.
#pragma once

#include "curves/graphgeometry.h"
#include "model/fittingrecord.h"

#include <cstdint>
#include <stdexcept>
#include <vector>

// A fraction of the page or a factor for a text size, given as a decimal literal with
// at most three decimals (0.088, 1.5). It is held in thousandths, so that a product
// that is whole in decimals (1000 x 0.29) is never cut to the unit below by the
// binary form of the fraction. A literal with more decimals does not compile.
class PageFraction {
  public:
    consteval PageFraction(double fraction)
        : thousandths_(static_cast<int32_t>(fraction * 1000.0 + (fraction < 0 ? -0.5 : 0.5))) {
        const double rest = fraction * 1000.0 - thousandths_;
        if (rest > 1e-6 || rest < -1e-6)
            throw std::logic_error("a page fraction has at most three decimals");
    }
    constexpr int32_t thousandths() const { return thousandths_; }

  private:
    int32_t thousandths_;
};

// The printable area in device units, its top-left corner the origin.
struct PageSize {
    int32_t width;
    int32_t height;
};

// length x factor, cut toward zero.
int32_t truncShare(int32_t length, PageFraction factor);

// The page point of a fraction of the printable width or height.
int32_t pageX(const PageSize& page, PageFraction fx);
int32_t pageY(const PageSize& page, PageFraction fy);

// The left edge of a text of the given width centred on a fraction of the width:
// pageX(fx) minus half the width, each cut on its own.
int32_t centredTextX(const PageSize& page, PageFraction fx, int32_t textWidth);

// A rectangle of the report given by its two corners (PixelRect: the right and
// bottom corner are the first units outside it).
PixelRect pageRect(const PageSize& page, PageFraction left, PageFraction top, PageFraction right,
                   PageFraction bottom);

// --- graphs ------------------------------------------------------------------

// The frame of the left or the right plot in page units. A level (dB, fractional
// levels allowed) lands on it as on the screen's graphs (backgroundX, backgroundY:
// cut toward zero); levels outside 30..130 land outside the frame.
GraphFrame plotFrame(const PageSize& page, GraphSide side);

// The bands of a side that have both edge levels, in drawing order loud,
// comfortable, soft: inside the frame's width, from the upper edge's level down to
// one unit below the lower edge's level, cut at the frame's top and bottom lines. A
// level above 130 (an estimated UCL of 131, a typed 1100) ends its band at the top
// line, so that no hatch reaches the header or the tables; a band wholly outside the
// frame is left out.
std::vector<BandArea> plotBands(const GraphFrame& frame, const int32_t (&bandLevels)[4]);

// The 1-dB steps of a curve from input 30 to 130, each from (V, output at V) to
// (V + 1, output at V + 1), left out where the output at V is below 30 dB. An
// incomplete curve has none.
std::vector<PixelSegment> plotCurveSegments(const GraphFrame& frame, const CurveParams& curve);

// Everything of a printed graph that is not a pen, brush or font: its frame, the
// bands as plotBands places them, the speech marks with targets cut to whole dB, and
// whether the ear's aid style (0..3 as stored, 3 CIC) calls for the CIC note. The
// screen's messages about the UCL and a binaural fitting are not printed.
GraphBackground planPlot(const PageSize& page, const TargetState& targets, int32_t aidStyle,
                         GraphSide side);

// The curve's pen width: 6 units on a page more than 4000 units high, else 3.
int32_t curvePenWidth(const PageSize& page);
