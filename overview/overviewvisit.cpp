#include "overview/overviewvisit.h"

#include "model/prediction.h"
#include "model/textslot.h"

#include <algorithm>

#include <cstdlib>
#include <vector>

namespace {

enum class Move { Lower, Unchanged, Higher };

// A run of neighbouring frequencies whose thresholds moved the same way, and the
// least and the most they moved (dB).
struct Run {
    Move move;
    int first;
    int last;
    long long least;
    long long most;
};

Move moveOf(long long change) {
    return change > 0 ? Move::Higher : change < 0 ? Move::Lower : Move::Unchanged;
}

// Stored levels come from a file: the difference is taken wide, so that no pair overflows.
std::vector<Run> runsOfChange(const LoudnessLevels& now, const LoudnessLevels& before) {
    std::vector<Run> runs;
    bool joined = false;
    for (int f = 0; f < kFrequencyCount; ++f) {
        const int32_t a = now[f][0], b = before[f][0];
        if (a == kEmptyLevel || b == kEmptyLevel) {
            joined = false;
            continue;
        }
        const long long change = static_cast<long long>(a) - b;
        const long long size = std::llabs(change);
        if (joined && runs.back().move == moveOf(change)) {
            Run& run = runs.back();
            run.last = f;
            run.least = std::min(run.least, size);
            run.most = std::max(run.most, size);
        } else {
            runs.push_back({moveOf(change), f, f, size, size});
        }
        joined = true;
    }
    return runs;
}

// "250 Hz", "2–4 KHz" where both ends share their unit, "500 Hz–1 KHz" where not.
std::string frequencySpan(int first, int last) {
    const std::string low = frequencyCaptions[first], high = frequencyCaptions[last];
    if (first == last)
        return low;
    const std::size_t lowSpace = low.find(' '), highSpace = high.find(' ');
    if (low.substr(lowSpace) == high.substr(highSpace))
        return low.substr(0, lowSpace) + "–" + high;
    return low + "–" + high;
}

// "10 dB higher than on 06/01/2026 at 250 Hz", "unchanged at 2–4 KHz": the date
// only in the first run named.
std::string runText(const Run& run, const std::string& date, bool first) {
    std::string text;
    if (run.move == Move::Unchanged) {
        text = first ? "unchanged since " + date : "unchanged";
    } else {
        text = std::to_string(run.least) + " dB";
        if (run.most != run.least)
            text = std::to_string(run.least) + " to " + std::to_string(run.most) + " dB";
        text += run.move == Move::Higher ? " higher" : " lower";
        if (first)
            text += " than on " + date;
    }
    return text + " at " + frequencySpan(run.first, run.last);
}

} // namespace

std::optional<KeptVersion> previousVisitOf(const std::string& patientPath,
                                           const FittingRecord& record) {
    return previousVisit(readHistory(patientPath), readText(record.testDate));
}

std::string previousVisitDate(const KeptVersion& previous) {
    const std::string date = latin1ToUtf8(readText(previous.record.testDate));
    return date.empty() ? "the previous visit" : date;
}

std::string previousVisitLegend(const KeptVersion& previous) {
    const std::string date = latin1ToUtf8(readText(previous.record.testDate));
    return date.empty() ? "Previous visit" : "Previous visit " + date;
}

std::string thresholdChange(const FittingRecord& now, const KeptVersion& previous, Ear ear) {
    const std::string date = previousVisitDate(previous);
    const std::string name = ear == Ear::Right ? "right threshold" : "left threshold";
    const std::vector<Run> runs =
        runsOfChange(earLoudness(now, ear), earLoudness(previous.record, ear));
    if (runs.empty())
        return name + " not measured at the same frequencies as on " + date;
    std::vector<std::string> parts;
    for (const Run& run : runs)
        parts.push_back(runText(run, date, parts.empty()));
    return name + " " + listWithAnd(parts);
}
