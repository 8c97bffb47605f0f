#include "report/reportlayout.h"

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

GraphFrame plotFrame(const PageSize& page, GraphSide side) {
    const int s = sideIndex(side);
    return {pageX(page, kPlotLeft[s]), pageY(page, kPlotTop), pageX(page, kPlotRight[s]),
            pageY(page, kPlotBottom)};
}

std::vector<BandArea> plotBands(const GraphFrame& frame, const int32_t (&bandLevels)[4]) {
    return bandAreas(frame, bandLevels);
}

std::vector<PixelSegment> plotCurveSegments(const GraphFrame& frame, const CurveParams& curve) {
    std::vector<PixelSegment> segments;
    if (curve.complete != 1)
        return segments;
    for (const CurveStep& s : curveSteps(curve))
        segments.push_back({backgroundX(frame, s.input), backgroundY(frame, s.from),
                            backgroundX(frame, s.input + 1), backgroundY(frame, s.to)});
    return segments;
}

GraphBackground planPlot(const PageSize& page, const TargetState& targets, int32_t aidStyle,
                         GraphSide side) {
    const int s = sideIndex(side);
    GraphBackground plan{};
    plan.frame = plotFrame(page, side);
    plan.frequencyIndex = frequencyIndexOrFirst(targets.graphFrequency[s]);
    plan.bands = plotBands(plan.frame, targets.bandLevels[s]);
    plan.cic = aidStyle == kCicStyle;
    plan.speech = speechMarks(plan.frame, targets, side, aidStyle, TargetReading::WholeDb);
    return plan;
}

int32_t curvePenWidth(const PageSize& page) {
    return page.height > 4000 ? 6 : 3;
}
