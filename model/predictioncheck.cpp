#include "model/predictioncheck.h"

#include "model/levelunits.h"

#include <algorithm>

namespace {

constexpr int kUcl = 7;

bool predicts(int32_t levelSource) {
    return levelSource == 1 || levelSource == 2;
}

void copyRow(const LoudnessRow& from, LoudnessRow& to) {
    std::copy(std::begin(from), std::end(from), std::begin(to));
}

bool anyPredictedLevel(const LoudnessRow& row, int32_t levelSource) {
    for (int c = 0; c < kCategoryCount; ++c) {
        if (isPredictedCategory(levelSource, c) && row[c] != kEmptyLevel)
            return true;
    }
    return false;
}

// Whether a prediction from this threshold and UCL (dB SPL) gives the row's predicted
// levels. A pair the prediction refuses gives nothing.
bool givesRow(const LoudnessRow& row, int frequency, int32_t levelSource, int32_t threshold,
              int32_t ucl) {
    LoudnessRow candidate;
    copyRow(row, candidate);
    candidate[0] = threshold;
    if (levelSource == 2)
        candidate[kUcl] = ucl;
    if (uclBelowThreshold(candidate, levelSource))
        return false;
    predictFrequency(candidate, frequency, levelSource);
    for (int c = 0; c < kCategoryCount; ++c) {
        if (isPredictedCategory(levelSource, c) && candidate[c] != row[c])
            return false;
    }
    return true;
}

// The inputs found so far: the first, and whether a second one turned up too.
struct Search {
    std::optional<PredictionInputs> found;
    bool ambiguous = false;
    void offer(int32_t threshold, int32_t ucl) {
        if (found)
            ambiguous = true;
        else
            found = PredictionInputs{threshold, ucl};
    }
    std::optional<PredictionInputs> result() const { return ambiguous ? std::nullopt : found; }
};

// The VS a prediction from this threshold (and UCL) gives, dB SPL.
int32_t predictedVs(const LoudnessRow& row, int frequency, int32_t levelSource, int32_t threshold,
                    int32_t ucl) {
    LoudnessRow candidate;
    copyRow(row, candidate);
    candidate[0] = threshold;
    candidate[kUcl] = levelSource == 2 ? ucl : row[kUcl];
    predictFrequency(candidate, frequency, levelSource);
    return candidate[1];
}

// Every threshold an audiometer gives, under one UCL (dB SPL; ignored with level
// source 1), and with level source 2 none above the UCL, from which nothing is
// predicted. The predicted VS rises with the threshold, so only the few thresholds
// that give the row's VS are tried in full.
Search searchThresholds(const LoudnessRow& row, int frequency, int32_t levelSource, int32_t ucl) {
    const int32_t correction = hlToSplCorrection[frequency];
    const long long uclHL = static_cast<long long>(ucl) - correction;
    const auto top = static_cast<int32_t>(
        levelSource == 2
            ? std::clamp<long long>(uclHL, kLowestPlausibleLevelHL - 1, kHighestPlausibleLevelHL)
            : kHighestPlausibleLevelHL);
    int32_t low = kLowestPlausibleLevelHL, high = top + 1;
    while (low < high) {
        const int32_t middle = low + (high - low) / 2;
        if (predictedVs(row, frequency, levelSource, middle + correction, ucl) < row[1])
            low = middle + 1;
        else
            high = middle;
    }
    Search search;
    for (int32_t hl = low; hl <= top && !search.ambiguous; ++hl) {
        if (predictedVs(row, frequency, levelSource, hl + correction, ucl) != row[1])
            break;
        if (givesRow(row, frequency, levelSource, hl + correction, ucl))
            search.offer(hl + correction, ucl);
    }
    return search;
}

std::optional<PredictionInputs> searchPairs(const LoudnessRow& row, int frequency) {
    const int32_t correction = hlToSplCorrection[frequency];
    Search search;
    for (int32_t ucl = kLowestPlausibleLevelHL;
         ucl <= kHighestPlausibleLevelHL && !search.ambiguous; ++ucl) {
        const Search under = searchThresholds(row, frequency, 2, ucl + correction);
        if (under.ambiguous)
            return std::nullopt;
        if (under.found)
            search.offer(under.found->threshold, under.found->ucl);
    }
    return search.result();
}

} // namespace

bool isOutOfDate(const LoudnessRow& row, int frequency, int32_t levelSource) {
    if (!predicts(levelSource))
        return false;
    if (uclBelowThreshold(row, levelSource))
        return anyPredictedLevel(row, levelSource);
    LoudnessRow predicted;
    copyRow(row, predicted);
    predictFrequency(predicted, frequency, levelSource);
    return !std::equal(std::begin(row), std::end(row), std::begin(predicted));
}

std::vector<int> outOfDateFrequencies(const LoudnessLevels& loudness, int32_t levelSource) {
    std::vector<int> frequencies;
    for (int f = 0; f < kFrequencyCount; ++f) {
        if (isOutOfDate(loudness[f], f, levelSource))
            frequencies.push_back(f);
    }
    return frequencies;
}

std::optional<PredictionInputs> predictedFrom(const LoudnessRow& row, int frequency,
                                              int32_t levelSource) {
    if (!predicts(levelSource) || !anyPredictedLevel(row, levelSource))
        return std::nullopt;
    if (levelSource == 1)
        return searchThresholds(row, frequency, 1, kEmptyLevel).result();
    if (row[kUcl] != kEmptyLevel) {
        const Search underOwnUcl = searchThresholds(row, frequency, 2, row[kUcl]);
        if (underOwnUcl.found)
            return underOwnUcl.result();
    }
    return searchPairs(row, frequency);
}

Reprediction predictFrequencyAgain(LoudnessLevels& loudness, int frequency, int32_t levelSource,
                                   const LevelFlags& measured) {
    LoudnessRow& row = loudness[frequency];
    if (uclBelowThreshold(row, levelSource))
        return Reprediction::Refused;
    LoudnessRow predicted;
    copyRow(row, predicted);
    predictFrequency(predicted, frequency, levelSource);
    bool changed = false;
    for (int c = 0; c < kCategoryCount; ++c) {
        if (predicted[c] == row[c])
            continue;
        if (measured[frequency][c])
            return Reprediction::MeasuredInTheWay;
        changed = true;
    }
    if (!changed)
        return Reprediction::Unchanged;
    copyRow(predicted, row);
    return Reprediction::Predicted;
}

std::string notWhatItPredicts(int32_t levelSource) {
    return levelSource == 2 ? "not what the threshold and UCL predict"
                            : "not what the threshold predicts";
}

std::string outOfDateDetail(Ear ear, const LoudnessLevels& loudness, int32_t levelSource) {
    std::vector<int> stale, refused;
    for (const int f : outOfDateFrequencies(loudness, levelSource))
        (uclBelowThreshold(loudness[f], levelSource) ? refused : stale).push_back(f);
    std::vector<std::string> parts;
    if (!stale.empty())
        parts.push_back("the levels at " + frequencyList(stale) + " are " +
                        notWhatItPredicts(levelSource) +
                        " (press \"Predict intermediate levels\" on the Loudmap Data page)");
    if (!refused.empty())
        parts.push_back("the levels at " + frequencyList(refused) +
                        " are not predicted again, as " +
                        (refused.size() == 1 ? "the UCL there is below the threshold"
                                             : "the UCLs there are below the thresholds"));
    if (parts.empty())
        return {};
    std::string text = earHeading(ear) + ": " + parts[0];
    if (parts.size() > 1)
        text += "; " + parts[1];
    return text + ".";
}

std::string outOfDateNote(Ear ear, const LoudnessLevels& loudness, int32_t levelSource) {
    const std::vector<int> stale = outOfDateFrequencies(loudness, levelSource);
    if (stale.empty())
        return {};
    return earHeading(ear) + ": the levels at " + frequencyList(stale) + " are " +
           notWhatItPredicts(levelSource) + "; see the Loudmap Data page.";
}

std::string outOfDateSummary(const FittingRecord& record) {
    std::vector<std::string> ears;
    for (const Ear ear : kEars) {
        const std::vector<int> stale =
            outOfDateFrequencies(earLoudness(record, ear), earLevelSource(record, ear));
        if (!stale.empty())
            ears.push_back(earHeading(ear) + " " + frequencyList(stale));
    }
    if (ears.empty())
        return {};
    std::string text = "Levels not what the thresholds predict: " + ears[0];
    if (ears.size() > 1)
        text += "; " + ears[1];
    return text + ". See the Loudmap Data page.";
}

std::string refusedPredictionNote(Ear ear, const std::vector<int>& frequencies) {
    if (frequencies.empty())
        return {};
    const bool one = frequencies.size() == 1;
    return earHeading(ear) + ", " + frequencyList(frequencies) +
           (one ? ": the UCL is below the threshold" : ": the UCLs are below the thresholds") +
           ", so no levels are predicted there.";
}
