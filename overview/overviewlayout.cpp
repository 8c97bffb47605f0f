#include "overview/overviewlayout.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr const char* kFrequencyLabels[kFrequencyCount] = {"250", "500", "1k", "2k", "3k", "4k"};
// 250 Hz to 4000 Hz is four octaves.
constexpr double kOctaves = 4.0;
// A plot is never narrower or lower than this, whatever the picture's size.
constexpr int kSmallestFrame = 40;
// The frequency numbers' widths in the 11-pixel sans-serif font, and the least room
// between two of them.
constexpr double kLabelWidths[kFrequencyCount] = {19, 19, 12, 12, 12, 12};
constexpr double kLeastLabelGap = 4;

int legendColumns(int width) {
    return std::clamp(width / kLegendColumnWidth, 2, 4);
}

// Where each legend entry starts, counted in cells left to right, row by row.
std::vector<int> legendSlots(const std::vector<LegendItem>& items, int columns) {
    std::vector<int> slots;
    int next = 0;
    for (const LegendItem& item : items) {
        const int wide = std::clamp(item.columns, 1, columns);
        if (next % columns + wide > columns)
            next += columns - next % columns;
        slots.push_back(next);
        next += wide;
    }
    return slots;
}

int legendRows(const std::vector<LegendItem>& items, int columns) {
    const std::vector<int> slots = legendSlots(items, columns);
    if (slots.empty())
        return 0;
    return slots.back() / columns + 1;
}

// The plots' frames, equally wide, side by side; the room they share all of them.
std::vector<PixelRect> framesFor(int width, int height, int legendRowCount, int count,
                                 bool titled) {
    const int left = kLevelLabelWidth;
    const int top = kTitleHeight + (titled ? kPanelTitleHeight : 0);
    const int gaps = (count - 1) * kPanelGap;
    const int right = std::max(left + count * kSmallestFrame + gaps, width - kRightMargin);
    const int below = kFrequencyNumberHeight + legendRowCount * kLegendRowHeight + kBottomMargin;
    const int bottom = std::max(top + kSmallestFrame, height - below);
    const int each = (right - left - gaps) / count;
    std::vector<PixelRect> frames;
    for (int i = 0; i < count; ++i) {
        const int panelLeft = left + i * (each + kPanelGap);
        frames.push_back({panelLeft, top, panelLeft + each, bottom});
    }
    return frames;
}

// Where a frequency's number lies across: 250 starts at its line, inside the frame and
// clear of the level numbers; the others are centred on theirs (4k reaching into the
// margin or the gap beside the frame).
struct LabelSpan {
    double from;
    double to;
};

LabelSpan labelSpan(const PixelRect& frame, int f) {
    const double x = frequencyX(frame, f);
    const double width = kLabelWidths[f];
    if (f == 0)
        return {x, x + width};
    return {x - width / 2, x + width / 2};
}

// The frequency numbers that fit: 250 and 4k always, each other one where it stays
// clear of the last number kept and of 4k.
std::vector<ScaleTick> frequencyTicksFor(const PixelRect& frame) {
    std::vector<ScaleTick> ticks;
    const LabelSpan highest = labelSpan(frame, kFrequencyCount - 1);
    double lastEnd = frame.left;
    for (int f = 0; f < kFrequencyCount; ++f) {
        const LabelSpan span = labelSpan(frame, f);
        const bool end = f == 0 || f == kFrequencyCount - 1;
        const bool fits =
            span.from >= lastEnd + kLeastLabelGap && span.to + kLeastLabelGap <= highest.from;
        const bool numbered = end || fits;
        ticks.push_back({frequencyX(frame, f), numbered ? kFrequencyLabels[f] : ""});
        if (numbered)
            lastEnd = span.to;
    }
    return ticks;
}

std::vector<LegendEntry> placeLegend(int spanLeft, int spanRight, int top,
                                     const std::vector<LegendItem>& items, int columns) {
    std::vector<LegendEntry> entries;
    const int columnWidth = (spanRight - spanLeft) / columns;
    const std::vector<int> slots = legendSlots(items, columns);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const LegendItem& item = items[i];
        const int left = spanLeft + slots[i] % columns * columnWidth;
        const int rowTop = top + slots[i] / columns * kLegendRowHeight;
        const int width = std::clamp(item.columns, 1, columns) * columnWidth;
        entries.push_back({{left, rowTop, left + width, rowTop + kLegendRowHeight},
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
                    const std::vector<LegendItem>& legend,
                    const std::vector<std::string>& panelTitles) {
    ChartPlan plan{};
    plan.chart = chart;
    plan.ear = ear;
    const int columns = legendColumns(width);
    const bool titled = std::ranges::any_of(panelTitles, [](const auto& t) { return !t.empty(); });
    const std::vector<PixelRect> frames =
        framesFor(width, height, legendRows(legend, columns),
                  std::max(1, static_cast<int>(panelTitles.size())), titled);
    for (std::size_t i = 0; i < frames.size(); ++i)
        plan.panels.push_back({frames[i],
                               i < panelTitles.size() ? panelTitles[i] : std::string(),
                               frequencyTicksFor(frames[i]),
                               {}});
    plan.legend = placeLegend(frames.front().left, frames.back().right,
                              frames.front().bottom + kFrequencyNumberHeight, legend, columns);
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
