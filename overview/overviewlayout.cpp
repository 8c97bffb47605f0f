#include "overview/overviewlayout.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr const char* kFrequencyLabels[kFrequencyCount] = {"250", "500", "1k", "2k", "3k", "4k"};
// 250 Hz to 4000 Hz is four octaves.
constexpr double kOctaves = 4.0;
// A frame is never smaller than this, whatever the picture's size.
constexpr int kSmallestFrame = 40;

int legendColumns(int width) {
    return std::clamp(width / kLegendColumnWidth, 2, 4);
}

int legendRows(std::size_t entries, int columns) {
    return static_cast<int>((entries + static_cast<std::size_t>(columns) - 1) /
                            static_cast<std::size_t>(columns));
}

PixelRect frameFor(int width, int height, int legendRowCount) {
    const int left = kLevelLabelWidth;
    const int top = kTitleHeight;
    const int right = std::max(left + kSmallestFrame, width - kRightMargin);
    const int below = kFrequencyNumberHeight + legendRowCount * kLegendRowHeight + kBottomMargin;
    const int bottom = std::max(top + kSmallestFrame, height - below);
    return {left, top, right, bottom};
}

std::vector<LegendEntry> placeLegend(const PixelRect& frame, const std::vector<LegendItem>& items,
                                     int columns) {
    std::vector<LegendEntry> entries;
    const int columnWidth = (frame.right - frame.left) / columns;
    const int top = frame.bottom + kFrequencyNumberHeight;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const int column = static_cast<int>(i) % columns;
        const int row = static_cast<int>(i) / columns;
        const int left = frame.left + column * columnWidth;
        const int rowTop = top + row * kLegendRowHeight;
        const LegendItem& item = items[i];
        entries.push_back({{left, rowTop, left + columnWidth, rowTop + kLegendRowHeight},
                           item.series,
                           item.band,
                           item.extra,
                           item.text});
    }
    return entries;
}

} // namespace

double frequencyX(const PixelRect& frame, int frequency) {
    const double octaves = std::log2(frequencyHz[frequency] / 250.0);
    return frame.left + octaves / kOctaves * (frame.right - 1 - frame.left);
}

ChartPlan startPlan(OverviewChart chart, Ear ear, int width, int height,
                    const std::vector<LegendItem>& legend) {
    ChartPlan plan{};
    plan.chart = chart;
    plan.ear = ear;
    const int columns = legendColumns(width);
    plan.frame = frameFor(width, height, legendRows(legend.size(), columns));
    for (int f = 0; f < kFrequencyCount; ++f)
        plan.frequencyTicks.push_back({frequencyX(plan.frame, f), kFrequencyLabels[f]});
    plan.legend = placeLegend(plan.frame, legend, columns);
    return plan;
}

Marker seriesMarker(Series series, Ear ear) {
    const bool right = ear == Ear::Right;
    switch (series) {
    case Series::Thr:
        return right ? Marker::Circle : Marker::Cross;
    case Series::Ucl:
        return right ? Marker::LeftAngle : Marker::RightAngle;
    case Series::TargetSoft:
        return Marker::TriangleDown;
    case Series::TargetAverage:
        return Marker::Diamond;
    case Series::TargetLoud:
        return Marker::TriangleUp;
    case Series::Fitted:
        return Marker::Square;
    case Series::User:
        return Marker::Disc;
    case Series::Aid:
        return Marker::Plus;
    default:
        return right ? Marker::Disc : Marker::Square;
    }
}

Stroke seriesStroke(Series series) {
    switch (series) {
    case Series::Thr:
    case Series::Ucl:
    case Series::TargetSoft:
    case Series::TargetAverage:
    case Series::TargetLoud:
        return Stroke::Solid;
    case Series::Fitted:
        return Stroke::Dashed;
    case Series::User:
        return Stroke::DashDot;
    case Series::Aid:
        return Stroke::Dotted;
    default:
        return Stroke::Thin;
    }
}

std::string chartName(OverviewChart chart, Ear ear) {
    const std::string earText = ear == Ear::Right ? "right ear" : "left ear";
    return (chart == OverviewChart::LoudnessMap ? "Loudness map, " : "Gain, ") + earText;
}
