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

PixelRect pageRect(const PageSize& page, PageFraction left, PageFraction top, PageFraction right,
                   PageFraction bottom) {
    return {pageX(page, left), pageY(page, top), pageX(page, right), pageY(page, bottom)};
}

GraphFrame plotFrame(const PageSize& page, int side) {
    const int s = side == 0 ? 0 : 1;
    return {pageX(page, kPlotLeft[s]), pageY(page, kPlotTop), pageX(page, kPlotRight[s]),
            pageY(page, kPlotBottom)};
}

std::vector<BandArea> plotBands(const GraphFrame& frame, const int32_t (&bandLevels)[4]) {
    struct Edges {
        LoudnessBand band;
        int lower;
        int upper;
    };
    constexpr Edges order[] = {{LoudnessBand::Loud, kBandCsl, kBandUcl},
                               {LoudnessBand::Comfortable, kBandCss, kBandCsl},
                               {LoudnessBand::Soft, kBandVs, kBandCss}};
    std::vector<BandArea> bands;
    for (const Edges& e : order) {
        const int32_t lower = bandLevels[e.lower];
        const int32_t upper = bandLevels[e.upper];
        if (lower == kEmptyLevel || upper == kEmptyLevel)
            continue;
        const long long below = static_cast<long long>(backgroundY(frame, lower)) + 1;
        bands.push_back(
            {e.band,
             {frame.left + 1, backgroundY(frame, upper), frame.right - 1, clampToInt32(below)}});
    }
    return bands;
}

std::vector<PixelSegment> plotCurveSegments(const GraphFrame& frame, const CurveParams& curve) {
    std::vector<PixelSegment> segments;
    if (curve.complete != 1)
        return segments;
    for (int input = kGraphLowestLevel; input < kGraphHighestLevel; ++input) {
        const float from = curveOutput(curve, static_cast<float>(input));
        if (!(from >= kGraphLowestLevel))
            continue;
        const float to = curveOutput(curve, static_cast<float>(input + 1));
        segments.push_back({backgroundX(frame, input), backgroundY(frame, from),
                            backgroundX(frame, input + 1), backgroundY(frame, to)});
    }
    return segments;
}

int32_t curvePenWidth(const PageSize& page) {
    return page.height > 4000 ? 6 : 3;
}
