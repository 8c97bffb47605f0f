#include "overview/overviewchart.h"

#include "model/levelunits.h"
#include "overview/overviewlayout.h"
#include "overview/overviewvisit.h"

#include <algorithm>
#include <cmath>

namespace {

// The levels a loudness map can show, in the shown unit.
constexpr int kWidestLowest = -30;
constexpr int kWidestHighest = 160;
constexpr int kLevelStep = 10;
constexpr int kLevelLabelStep = 20;

bool present(int32_t level) {
    return level != kEmptyLevel;
}

int floorToStep(int value) {
    return static_cast<int>(std::floor(value / static_cast<double>(kLevelStep))) * kLevelStep;
}

int ceilToStep(int value) {
    return static_cast<int>(std::ceil(value / static_cast<double>(kLevelStep))) * kLevelStep;
}

bool inScale(int level, const LevelScale& scale) {
    return level >= scale.lowest && level <= scale.highest;
}

// Downwards-increasing, as on an audiogram.
double levelY(const PixelRect& frame, const LevelScale& scale, int level) {
    const double share = static_cast<double>(level - scale.lowest) / (scale.highest - scale.lowest);
    return frame.top + share * (frame.bottom - 1 - frame.top);
}

std::vector<ScaleTick> loudnessTicks(const PixelRect& frame, const LevelScale& scale) {
    std::vector<ScaleTick> ticks;
    for (int v = scale.lowest; v <= scale.highest; v += kLevelStep) {
        const bool labelled = v % kLevelLabelStep == 0;
        ticks.push_back({levelY(frame, scale, v), labelled ? std::to_string(v) : std::string()});
    }
    return ticks;
}

// Where a level of the ear is drawn, if it is drawn at all.
struct PlacedLevels {
    std::optional<ChartPoint> at[kFrequencyCount][kCategoryCount];
};

PlacedLevels placeLevels(const int32_t (&loudness)[kFrequencyCount][kCategoryCount],
                         const PixelRect& frame, const LevelScale& scale, bool showInHL) {
    PlacedLevels placed;
    for (int f = 0; f < kFrequencyCount; ++f) {
        for (int c = 0; c < kCategoryCount; ++c) {
            if (!present(loudness[f][c]))
                continue;
            const int level = chartLevel(loudness[f][c], f, showInHL);
            if (inScale(level, scale))
                placed.at[f][c] = ChartPoint{frequencyX(frame, f), levelY(frame, scale, level)};
        }
    }
    return placed;
}

void addLevelMarkersAndLines(ChartPlan& plan, const PlacedLevels& placed,
                             const LevelFlags& measured) {
    for (int c = 0; c < kCategoryCount; ++c) {
        const Series series = categorySeries(c);
        for (int f = 0; f < kFrequencyCount; ++f) {
            const auto& here = placed.at[f][c];
            if (!here)
                continue;
            plan.markers.push_back({series, 0, f, *here, measured[f][c]});
            if (f + 1 < kFrequencyCount && placed.at[f + 1][c])
                plan.lines.push_back(
                    {series, 0, *here, *placed.at[f + 1][c], measured[f][c] && measured[f + 1][c]});
        }
    }
}

// The categories that bound each band: soft VS..CSS, comfortable CSS..CSL, loud
// CSL..UCL, drawn loud first so the softer bands lie on top where they overlap.
struct BandEdges {
    LoudnessBand band;
    int lower;
    int upper;
};
constexpr BandEdges kBandEdges[] = {
    {LoudnessBand::Loud, 5, 7},
    {LoudnessBand::Comfortable, 3, 5},
    {LoudnessBand::Soft, 1, 3},
};

ChartBand bandOverRun(const PlacedLevels& placed, const BandEdges& edges, int first, int last) {
    ChartBand band{edges.band, {}};
    if (first == last) {
        const ChartPoint upper = *placed.at[first][edges.upper];
        const ChartPoint lower = *placed.at[first][edges.lower];
        const double half = kBandColumnWidth / 2;
        band.outline = {{upper.x - half, upper.y},
                        {upper.x + half, upper.y},
                        {lower.x + half, lower.y},
                        {lower.x - half, lower.y}};
        return band;
    }
    for (int f = first; f <= last; ++f)
        band.outline.push_back(*placed.at[f][edges.upper]);
    for (int f = last; f >= first; --f)
        band.outline.push_back(*placed.at[f][edges.lower]);
    return band;
}

void addBands(ChartPlan& plan, const PlacedLevels& placed) {
    for (const BandEdges& edges : kBandEdges) {
        int f = 0;
        while (f < kFrequencyCount) {
            const auto both = [&](int g) {
                return placed.at[g][edges.lower].has_value() &&
                       placed.at[g][edges.upper].has_value();
            };
            if (!both(f)) {
                ++f;
                continue;
            }
            int last = f;
            while (last + 1 < kFrequencyCount && both(last + 1))
                ++last;
            plan.bands.push_back(bandOverRun(placed, edges, f, last));
            f = last + 1;
        }
    }
}

void addOrderMarks(ChartPlan& plan, const PlacedLevels& placed,
                   const int32_t (&loudness)[kFrequencyCount][kCategoryCount]) {
    for (int f = 0; f < kFrequencyCount; ++f) {
        std::optional<int32_t> highestSoFar;
        for (int c = 0; c < kCategoryCount; ++c) {
            const int32_t level = loudness[f][c];
            if (!present(level))
                continue;
            if (highestSoFar && level < *highestSoFar && placed.at[f][c])
                plan.orderMarks.push_back({f, c, *placed.at[f][c]});
            highestSoFar = std::max(highestSoFar.value_or(level), level);
        }
    }
}

// The previous visit's thresholds and UCLs alone: what the map draws of it.
struct EarLevels {
    LoudnessLevels levels;
};

EarLevels thresholdsAndUcls(const FittingRecord& record, Ear ear) {
    constexpr int kThr = 0, kUcl = kCategoryCount - 1;
    const auto& all = earLoudness(record, ear);
    EarLevels kept{};
    for (int f = 0; f < kFrequencyCount; ++f) {
        for (int c = 0; c < kCategoryCount; ++c)
            kept.levels[f][c] = c == kThr || c == kUcl ? all[f][c] : kEmptyLevel;
    }
    return kept;
}

// Lines between neighbouring frequencies; a level with neither neighbour is a short
// stroke, so that it shows at all.
void addPreviousLines(ChartPlan& plan, const PlacedLevels& placed) {
    for (const Series series : {Series::Thr, Series::Ucl}) {
        const int c = static_cast<int>(series);
        for (int f = 0; f < kFrequencyCount; ++f) {
            const auto& here = placed.at[f][c];
            if (!here)
                continue;
            const bool before = f > 0 && placed.at[f - 1][c];
            const bool after = f + 1 < kFrequencyCount && placed.at[f + 1][c];
            const double half = kBandColumnWidth / 2;
            if (after)
                plan.previousLines.push_back({series, 0, *here, *placed.at[f + 1][c], true});
            else if (!before)
                plan.previousLines.push_back(
                    {series, 0, {here->x - half, here->y}, {here->x + half, here->y}, true});
        }
    }
}

std::vector<LegendItem> loudnessLegend() {
    return {
        {Series::Thr, std::nullopt, LegendEntry::Extra::None, "Threshold"},
        {Series::Ucl, std::nullopt, LegendEntry::Extra::None, "UCL"},
        {std::nullopt, std::nullopt, LegendEntry::Extra::Predicted, "Predicted"},
        {std::nullopt, LoudnessBand::Soft, LegendEntry::Extra::None, "Soft"},
        {std::nullopt, LoudnessBand::Comfortable, LegendEntry::Extra::None, "Comfortable"},
        {std::nullopt, LoudnessBand::Loud, LegendEntry::Extra::None, "Loud"},
        {std::nullopt, std::nullopt, LegendEntry::Extra::OrderMark, "Not rising"},
    };
}

} // namespace

Series categorySeries(int category) {
    return static_cast<Series>(std::clamp(category, 0, kCategoryCount - 1));
}

Series targetSeries(int level) {
    return static_cast<Series>(static_cast<int>(Series::TargetSoft) +
                               std::clamp(level, 0, kSpeechLevelCount - 1));
}

Series curveSeries(int curve) {
    return static_cast<Series>(static_cast<int>(Series::Fitted) +
                               std::clamp(curve, 0, kGainCurveCount - 1));
}

int chartLevel(int32_t stored, int frequency, bool showInHL) {
    const long long level = shownLevel(stored, frequency, showInHL);
    return static_cast<int>(std::clamp<long long>(level, INT32_MIN, INT32_MAX));
}

LevelScale loudnessScale(const int32_t (&loudness)[kFrequencyCount][kCategoryCount],
                         bool showInHL) {
    LevelScale scale = showInHL ? LevelScale{-10, 120} : LevelScale{0, 130};
    for (int f = 0; f < kFrequencyCount; ++f) {
        for (int c = 0; c < kCategoryCount; ++c) {
            if (!present(loudness[f][c]))
                continue;
            const int level = chartLevel(loudness[f][c], f, showInHL);
            if (level < kWidestLowest || level > kWidestHighest)
                continue;
            scale.lowest = std::min(scale.lowest, floorToStep(level));
            scale.highest = std::max(scale.highest, ceilToStep(level));
        }
    }
    return scale;
}

ChartPlan planLoudnessMap(const FittingRecord& record, const LevelFlags& measured, Ear ear,
                          int width, int height, const KeptVersion* previous) {
    const auto& loudness = earLoudness(record, ear);
    const bool hl = record.showInHL != 0;
    std::vector<LegendItem> legend = loudnessLegend();
    std::optional<EarLevels> before;
    if (previous) {
        before = thresholdsAndUcls(previous->record, ear);
        // Two columns: the date never runs out of its cell.
        legend.push_back({std::nullopt, std::nullopt, LegendEntry::Extra::PreviousVisit,
                          previousVisitLegend(*previous), 2});
    }
    ChartPlan plan = startPlan(OverviewChart::LoudnessMap, ear, width, height, legend, {""});
    plan.title = chartName(OverviewChart::LoudnessMap, ear) + " (" + unitName(hl) + ")";
    LevelScale scale = loudnessScale(loudness, hl);
    if (before) {
        const LevelScale also = loudnessScale(before->levels, hl);
        scale = {std::min(scale.lowest, also.lowest), std::max(scale.highest, also.highest)};
    }
    const PixelRect& frame = plan.panels.front().frame;
    plan.levelTicks = loudnessTicks(frame, scale);
    const PlacedLevels placed = placeLevels(loudness, frame, scale, hl);
    if (before)
        addPreviousLines(plan, placeLevels(before->levels, frame, scale, hl));
    addBands(plan, placed);
    addLevelMarkersAndLines(plan, placed, measured);
    addOrderMarks(plan, placed, loudness);
    return plan;
}
