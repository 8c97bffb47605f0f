#include "curves/earaids.h"
#include "overview/overviewchart.h"

#include "model/levelunits.h"
#include "model/predictioncheck.h"
#include "overview/overviewvisit.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr const char* kCurveNames[kGainCurveCount] = {"fitted curve", "user curve", "aid"};
constexpr const char* kLevelNames[kSpeechLevelCount] = {"soft", "average", "loud"};

bool present(int32_t level) {
    return level != kEmptyLevel;
}

std::string countOfSix(int count) {
    return std::to_string(count) + " of " + std::to_string(kFrequencyCount) + " frequencies";
}

// "threshold 40 to 65 dB HL", "UCL 100 dB SPL", "no UCL".
std::string levelRange(const char* name, const int32_t (&loudness)[kFrequencyCount][kCategoryCount],
                       int category, bool showInHL) {
    std::optional<int> lowest, highest;
    for (int f = 0; f < kFrequencyCount; ++f) {
        if (!present(loudness[f][category]))
            continue;
        const int level = chartLevel(loudness[f][category], f, showInHL);
        lowest = std::min(lowest.value_or(level), level);
        highest = std::max(highest.value_or(level), level);
    }
    if (!lowest)
        return std::string("no ") + name;
    const std::string unit = std::string(" ") + unitName(showInHL);
    if (*lowest == *highest)
        return std::string(name) + " " + std::to_string(*lowest) + unit;
    return std::string(name) + " " + std::to_string(*lowest) + " to " + std::to_string(*highest) +
           unit;
}

bool risesAt(const int32_t (&levels)[kCategoryCount]) {
    std::optional<int32_t> highestSoFar;
    for (const int32_t level : levels) {
        if (!present(level))
            continue;
        if (highestSoFar && level < *highestSoFar)
            return false;
        highestSoFar = std::max(highestSoFar.value_or(level), level);
    }
    return true;
}

// "fitted curve at 4 of 6 frequencies, within 3, 5 and 8 dB of the soft, average and
// loud targets": for each speech level, the furthest the curve's gain lies from the
// target's at a frequency where both are drawn.
std::string curveText(const GainTable& table, int kind, const std::string& name) {
    int drawn = 0;
    for (int f = 0; f < kFrequencyCount; ++f)
        drawn += table.curve[kind][1][f] ? 1 : 0;
    if (drawn == 0)
        return "no " + name;
    std::vector<std::string> distances, levels;
    for (int level = 0; level < kSpeechLevelCount; ++level) {
        std::optional<double> furthest;
        for (int f = 0; f < kFrequencyCount; ++f) {
            const auto& gain = table.curve[kind][level][f];
            const auto& target = table.target[level][f];
            if (gain && target)
                furthest = std::max(furthest.value_or(0.0), std::abs(*gain - *target));
        }
        if (!furthest)
            continue;
        distances.push_back(std::to_string(static_cast<int>(std::ceil(*furthest - 1e-6))));
        levels.push_back(kLevelNames[level]);
    }
    std::string text = name + " at " + countOfSix(drawn);
    if (!levels.empty())
        text += ", within " + listWithAnd(distances) + " dB of the " + listWithAnd(levels) +
                " target" + (levels.size() > 1 ? "s" : "");
    return text;
}

// The aid's text names the aid: "aid HA-2 at 6 of 6 frequencies, ...", "no curve of
// aid HA-1", or, where the ear holds several, "aid at ..." followed by each aid with
// its frequencies.
std::string aidText(const GainTable& table) {
    constexpr int kAid = kGainCurveCount - 1;
    if (!table.aidsByFrequency.empty())
        return curveText(table, kAid, kCurveNames[kAid]) + " (" + table.aidsByFrequency + ")";
    const std::string named = std::string(kCurveNames[kAid]) + " " + table.oneAid;
    const std::string text = curveText(table, kAid, named);
    return text == "no " + named ? "no curve of " + named : text;
}

} // namespace

std::string loudnessMapDescription(const FittingRecord& record, const LevelFlags& measured, Ear ear,
                                   const KeptVersion* previous) {
    const auto& loudness = earLoudness(record, ear);
    const bool hl = record.showInHL != 0;
    int predicted = 0;
    std::vector<int> empty, notRising;
    for (int f = 0; f < kFrequencyCount; ++f) {
        bool any = false, anyPredicted = false;
        for (int c = 0; c < kCategoryCount; ++c) {
            any = any || present(loudness[f][c]);
            anyPredicted = anyPredicted || (present(loudness[f][c]) && !measured[f][c]);
        }
        predicted += anyPredicted ? 1 : 0;
        if (!any)
            empty.push_back(f);
        if (!risesAt(loudness[f]))
            notRising.push_back(f);
    }
    std::string text = ear == Ear::Right ? "Right ear: " : "Left ear: ";
    text += levelRange("threshold", loudness, 0, hl) + ", " + levelRange("UCL", loudness, 7, hl);
    text +=
        predicted == 0 ? "; all levels measured" : "; levels predicted at " + countOfSix(predicted);
    if (!empty.empty())
        text += "; nothing entered at " + frequencyList(empty);
    if (!notRising.empty())
        text += "; levels do not rise from THR to UCL at " + frequencyList(notRising);
    const int32_t source = earLevelSource(record, ear);
    if (const std::vector<int> stale = outOfDateFrequencies(loudness, source); !stale.empty())
        text += "; levels at " + frequencyList(stale) + " " + notWhatItPredicts(source);
    if (previous)
        text += "; " + thresholdChange(record, *previous, ear);
    return text + ".";
}

std::string gainDescription(const GainTable& table, Ear ear) {
    int targets = 0;
    for (int f = 0; f < kFrequencyCount; ++f)
        targets += table.target[0][f] || table.target[1][f] || table.target[2][f] ? 1 : 0;
    std::string text = chartName(OverviewChart::Gain, ear) + ": targets at " + countOfSix(targets);
    for (int kind = 0; kind + 1 < kGainCurveCount; ++kind)
        text += "; " + curveText(table, kind, kCurveNames[kind]);
    text += "; " + aidText(table);
    return text + ".";
}
