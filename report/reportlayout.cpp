#include "report/reportlayout.h"

#include "curves/curvefit.h"
#include "model/numbers.h"

namespace {

// Integer division cuts toward zero, as the page arithmetic does.
int32_t share(int32_t length, int32_t thousandths) {
    return clampToInt32(static_cast<long long>(length) * thousandths / 1000);
}

constexpr PageFraction kPlotLeft[2] = {0.078, 0.5};
constexpr PageFraction kPlotRight[2] = {0.484, 0.906};
constexpr PageFraction kPlotTop = 0.53;
constexpr PageFraction kPlotBottom = 0.855;

constexpr int kBandVs = 0, kBandCss = 1, kBandCsl = 2, kBandUcl = 3;

} // namespace

int32_t truncShare(int32_t length, PageFraction factor) {
    return share(length, factor.thousandths());
}

int32_t pageX(const PageSize& page, PageFraction fx) {
    return share(page.width, fx.thousandths());
}

int32_t pageY(const PageSize& page, PageFraction fy) {
    return share(page.height, fy.thousandths());
}

int32_t centredTextX(const PageSize& page, PageFraction fx, int32_t textWidth) {
    return pageX(page, fx) - truncShare(textWidth, 0.5);
}

PageRect pageRect(const PageSize& page, PageFraction left, PageFraction top, PageFraction right,
                  PageFraction bottom) {
    return {pageX(page, left), pageY(page, top), pageX(page, right), pageY(page, bottom)};
}

PlotFrame plotFrame(const PageSize& page, int side) {
    const int s = side == 0 ? 0 : 1;
    return {pageX(page, kPlotLeft[s]), pageY(page, kPlotTop), pageX(page, kPlotRight[s]),
            pageY(page, kPlotBottom)};
}

// A level's share of the 100 dB axis, taken in extended precision and divided by 100
// rather than multiplied by 0.01, so that whole levels land exactly.
int32_t plotX(const PlotFrame& frame, double level) {
    const long double span = static_cast<long double>(frame.right) - frame.left;
    return truncToInt(frame.left + (level - kPlotLowestLevel) * span / 100.0L);
}

int32_t plotY(const PlotFrame& frame, double level) {
    const long double span = static_cast<long double>(frame.bottom) - frame.top;
    return truncToInt(frame.bottom - (level - kPlotLowestLevel) * span / 100.0L);
}

std::vector<PlotBandArea> plotBands(const PlotFrame& frame, const int32_t (&bandLevels)[4]) {
    struct Edges {
        PlotBand band;
        int lower;
        int upper;
    };
    constexpr Edges order[] = {{PlotBand::Loud, kBandCsl, kBandUcl},
                               {PlotBand::Comfortable, kBandCss, kBandCsl},
                               {PlotBand::Soft, kBandVs, kBandCss}};
    std::vector<PlotBandArea> bands;
    for (const Edges& e : order) {
        const int32_t lower = bandLevels[e.lower];
        const int32_t upper = bandLevels[e.upper];
        if (lower == kEmptyLevel || upper == kEmptyLevel)
            continue;
        bands.push_back(
            {e.band,
             {frame.left + 1, plotY(frame, upper), frame.right - 1, plotY(frame, lower) + 1}});
    }
    return bands;
}

std::vector<PlotSegment> plotCurveSegments(const PlotFrame& frame, const CurveParams& curve) {
    std::vector<PlotSegment> segments;
    if (curve.complete != 1)
        return segments;
    for (int input = kPlotLowestLevel; input < kPlotHighestLevel; ++input) {
        const float from = curveOutput(curve, static_cast<float>(input));
        if (!(from >= kPlotLowestLevel))
            continue;
        const float to = curveOutput(curve, static_cast<float>(input + 1));
        segments.push_back(
            {plotX(frame, input), plotY(frame, from), plotX(frame, input + 1), plotY(frame, to)});
    }
    return segments;
}

int32_t curvePenWidth(const PageSize& page) {
    return page.height > 4000 ? 6 : 3;
}
