#include "curves/curvefit.h"
#include "curves/curveload.h"
#include "curves/earaids.h"
#include "curves/targets.h"
#include "model/textslot.h"
#include "overview/overviewchart.h"
#include "overview/overviewlayout.h"

#include <algorithm>
#include <cmath>

namespace {

// The gains a gain chart can show; a gain outside is left out of the picture.
constexpr double kWidestLowest = -40;
constexpr double kWidestHighest = 100;
constexpr int kGainStep = 10;
// Over a wider span only every second line is numbered.
constexpr int kNumberEveryLineUpTo = 80;

struct GainScale {
    int lowest;
    int highest;
};

bool inScale(double gain, const GainScale& scale) {
    return gain >= scale.lowest && gain <= scale.highest;
}

void widenFor(GainScale& scale, const std::optional<double>& gain) {
    if (!gain || *gain < kWidestLowest || *gain > kWidestHighest)
        return;
    scale.lowest =
        std::min(scale.lowest, static_cast<int>(std::floor(*gain / kGainStep)) * kGainStep);
    scale.highest =
        std::max(scale.highest, static_cast<int>(std::ceil(*gain / kGainStep)) * kGainStep);
}

// 0 to 40 dB, widened in 10 dB steps to take in every gain the plots show.
GainScale gainScale(const GainTable& table) {
    GainScale scale{0, 40};
    for (int level = 0; level < kSpeechLevelCount; ++level) {
        for (int f = 0; f < kFrequencyCount; ++f) {
            widenFor(scale, table.target[level][f]);
            for (const auto& curve : table.curve)
                widenFor(scale, curve[level][f]);
        }
    }
    return scale;
}

// Upwards-increasing.
double gainY(const PixelRect& frame, const GainScale& scale, double gain) {
    const double share = (gain - scale.lowest) / (scale.highest - scale.lowest);
    return frame.bottom - 1 - share * (frame.bottom - 1 - frame.top);
}

std::vector<ScaleTick> gainTicks(const PixelRect& frame, const GainScale& scale) {
    const int labelStep =
        scale.highest - scale.lowest <= kNumberEveryLineUpTo ? kGainStep : 2 * kGainStep;
    std::vector<ScaleTick> ticks;
    for (int v = scale.lowest; v <= scale.highest; v += kGainStep) {
        const bool labelled = v % labelStep == 0;
        ticks.push_back({gainY(frame, scale, v), labelled ? std::to_string(v) : std::string()});
    }
    return ticks;
}

// One series in one plot: a point at each frequency with a gain on the scale, a line
// between neighbouring points.
void addSeries(ChartPlan& plan, int panel, Series series,
               const std::optional<double> (&gains)[kFrequencyCount], const GainScale& scale) {
    const PixelRect& frame = plan.panels[static_cast<std::size_t>(panel)].frame;
    std::optional<ChartPoint> previous;
    for (int f = 0; f < kFrequencyCount; ++f) {
        const auto& gain = gains[f];
        if (!gain || !inScale(*gain, scale)) {
            previous.reset();
            continue;
        }
        const ChartPoint at{frequencyX(frame, f), gainY(frame, scale, *gain)};
        if (previous)
            plan.lines.push_back({series, panel, *previous, at, true});
        plan.markers.push_back({series, panel, f, at, true});
        previous = at;
    }
}

// Each speech level's plot: its target, then the curves over it.
void addGainSeries(ChartPlan& plan, const GainTable& table, const GainScale& scale) {
    for (int level = 0; level < kSpeechLevelCount; ++level) {
        addSeries(plan, level, targetSeries(level), table.target[level], scale);
        for (int curve = 0; curve < kGainCurveCount; ++curve)
            addSeries(plan, level, curveSeries(curve), table.curve[curve][level], scale);
    }
}

// The aid's entry names the ear's one aid, or says that the aids vary by frequency.
std::vector<LegendItem> gainLegend(const GainTable& table) {
    using Extra = LegendEntry::Extra;
    return {
        {Series::TargetSoft, std::nullopt, Extra::None, "Target soft"},
        {Series::TargetAverage, std::nullopt, Extra::None, "Target average"},
        {Series::TargetLoud, std::nullopt, Extra::None, "Target loud"},
        {Series::Fitted, std::nullopt, Extra::None, "Fitted curve"},
        {Series::User, std::nullopt, Extra::None, "User curve"},
        {Series::Aid, std::nullopt, Extra::None,
         table.oneAid.empty() ? "Aids vary" : "Aid " + table.oneAid},
        {std::nullopt, std::nullopt, Extra::DisplayFrequency, "Graph frequency"},
    };
}

const std::vector<std::string> kSpeechPanelTitles = {"Soft speech", "Average speech",
                                                     "Loud speech"};

int32_t& graphFrequencyOf(FittingRecord& record, Ear ear, GraphSide side) {
    if (ear == Ear::Right)
        return side == GraphSide::Left ? record.rightRangeLow : record.rightRangeHigh;
    return side == GraphSide::Left ? record.leftRangeLow : record.leftRangeHigh;
}

int32_t aidStyleOf(const FittingRecord& record, Ear ear) {
    return ear == Ear::Right ? record.rightAidStyle : record.leftAidStyle;
}

void addGainsAt(GainTable& table, const EarCurves& loaded, int style, int f) {
    const int32_t(&inputs)[kSpeechLevelCount] = speechInputLevels[style][f];
    for (int level = 0; level < kSpeechLevelCount; ++level) {
        const float target = loaded.targets.targetLevels[0][level];
        if (target != 0.0f)
            table.target[level][f] = static_cast<double>(target) - inputs[level];
    }
    for (int kind = 0; kind < kGainCurveCount; ++kind) {
        const CurveParams& curve = loaded.curves[kind];
        if (!curve.complete)
            continue;
        for (int level = 0; level < kSpeechLevelCount; ++level) {
            const float input = static_cast<float>(inputs[level]);
            table.curve[kind][level][f] =
                static_cast<double>(curveOutput(curve, input)) - inputs[level];
        }
    }
}

} // namespace

GainTable gainTable(const FittingRecord& record, const AidDatabase& database, Ear ear) {
    GainTable table{};
    table.aidsByFrequency = latin1ToUtf8(aidsByFrequency(record, database, ear));
    if (table.aidsByFrequency.empty())
        table.oneAid = latin1ToUtf8(
            aidChoiceName(record.aidSettings[recordIndex(ear)][0].aidChoice, database));
    const int style = aidStyleOrFirst(aidStyleOf(record, ear));
    for (int f = 0; f < kFrequencyCount; ++f) {
        // Both graphs of the curve page at this frequency: its targets and its three
        // curves there, fitted as the page fits them.
        FittingRecord atFrequency = record;
        graphFrequencyOf(atFrequency, ear, GraphSide::Left) = f;
        graphFrequencyOf(atFrequency, ear, GraphSide::Right) = f;
        addGainsAt(table, loadEarCurves(atFrequency, database, ear), style, f);
    }
    return table;
}

ChartPlan planGainChart(const FittingRecord& record, const AidDatabase& database, Ear ear,
                        int width, int height) {
    const GainTable table = gainTable(record, database, ear);
    ChartPlan plan =
        startPlan(OverviewChart::Gain, ear, width, height, gainLegend(table), kSpeechPanelTitles);
    plan.title = chartName(OverviewChart::Gain, ear) + " (dB)";
    const GainScale scale = gainScale(table);
    plan.levelTicks = gainTicks(plan.panels.front().frame, scale);
    FittingRecord copy = record;
    for (ChartPanel& panel : plan.panels) {
        for (const GraphSide side : kGraphSides) {
            const int f = frequencyIndexOrFirst(graphFrequencyOf(copy, ear, side));
            const double x = frequencyX(panel.frame, f);
            if (std::ranges::find(panel.displayFrequencyX, x) == panel.displayFrequencyX.end())
                panel.displayFrequencyX.push_back(x);
        }
    }
    addGainSeries(plan, table, scale);
    return plan;
}
