#include "curves/graphgeometry.h"

#include "curves/curvefit.h"
#include "model/numbers.h"

#include <algorithm>
#include <optional>

namespace {

enum BandLevel { kVs = 0, kCss = 1, kCsl = 2, kUcl = 3 };

constexpr const char* kSpeechWords[3] = {"soft", "average", "loud"};
// "average" stands higher than its neighbours so that the words do not collide.
constexpr int kSpeechWordRaisePercent[3] = {120, 190, 120};

bool present(int32_t level) {
    return level != kEmptyLevel;
}

// A level of the graph as a fraction of its 100 dB span, times a length in pixels.
// The 0.01 is the extended-precision constant, so whole levels land exactly on their
// pixels.
long double levelSpan(double level, int length) {
    return (static_cast<long double>(level) - kGraphLowestLevel) * length * 0.01L;
}

// An area cut at the frame's top and bottom lines: a band of a level far off the
// scale (a typed UCL of 1100, a VS of -50) ends at the frame line instead of covering
// the texts and tables around the graph. Nothing is left of an area wholly above or
// below the frame; an area inside it, even one whose levels do not rise, stays as it
// is.
std::optional<PixelRect> withinFrame(const GraphFrame& frame, const PixelRect& area) {
    const int below = clampToInt32(static_cast<long long>(frame.bottom) + 1);
    if (std::max(area.top, area.bottom) <= frame.top || std::min(area.top, area.bottom) >= below)
        return std::nullopt;
    return PixelRect{area.left, std::clamp(area.top, frame.top, below), area.right,
                     std::clamp(area.bottom, frame.top, below)};
}

} // namespace

GraphFrame graphFrame(GraphSide side) {
    const int left = kCurveBoxLeft[sideIndex(side)];
    return {left, kCurveBoxTop, left + kCurveBoxSize, kCurveBoxTop + kCurveBoxSize};
}

int backgroundX(const GraphFrame& frame, double inputLevel) {
    return truncToInt(levelSpan(inputLevel, frame.right - frame.left) + frame.left);
}

int backgroundY(const GraphFrame& frame, double outputLevel) {
    return truncToInt(frame.bottom - levelSpan(outputLevel, frame.bottom - frame.top));
}

int curveBoxX(int width, double inputLevel) {
    return roundHalfUp(levelSpan(inputLevel, width));
}

int curveBoxY(int height, double outputLevel) {
    return roundHalfUp(height - levelSpan(outputLevel, height));
}

ReadOut pointerReadOut(int x, int y, int width, int height) {
    // A box that has no size yet reads the lowest levels rather than dividing by 0.
    if (width <= 0 || height <= 0)
        return {kGraphLowestLevel, kGraphLowestLevel};
    const long double across = static_cast<long double>(x) * 100 / width;
    const long double up = (static_cast<long double>(height) - y) * 100 / height;
    return {clampToInt32(static_cast<long long>(roundHalfUp(across)) + kGraphLowestLevel),
            clampToInt32(static_cast<long long>(roundHalfUp(up)) + kGraphLowestLevel)};
}

std::string readOutText(const ReadOut& readOut) {
    return "I: " + formatInt(readOut.input) + "; O: " + formatInt(readOut.output);
}

std::string graphFrequencyText(int frequencyIndex) {
    return formatInt(frequencyHz[frequencyIndexOrFirst(frequencyIndex)]) + " Hz";
}

int percentOf(int pixels, int percent) {
    return clampToInt32(static_cast<long long>(pixels) * percent / 100);
}

int centredTextLeft(const GraphFrame& frame, int textWidth) {
    // Twice the position is whole, so its half cuts toward zero exactly.
    const long long twice = 2LL * frame.left + (static_cast<long long>(frame.right) - frame.left) -
                            2LL * percentOf(textWidth, 50);
    return clampToInt32(twice / 2);
}

GraphBackground planGraphBackground(const TargetState& targets, int32_t aidStyle, bool binaural,
                                    GraphSide side) {
    const int s = sideIndex(side);
    GraphBackground plan{};
    plan.frame = graphFrame(side);
    plan.frequencyIndex = frequencyIndexOrFirst(targets.graphFrequency[s]);
    plan.binaural = binaural;
    plan.cic = aidStyle == kCicStyle;

    // The graphs end at 130 dB: higher levels are drawn at the top. A UCL cut off
    // there is announced when the loud band below it is drawn.
    int32_t level[kBandCount];
    for (int b = 0; b < kBandCount; ++b) {
        level[b] = targets.bandLevels[s][b];
        if (level[b] > kGraphHighestLevel)
            level[b] = kGraphHighestLevel;
    }
    plan.uclExceeds = targets.bandLevels[s][kUcl] > kGraphHighestLevel && present(level[kCsl]);

    plan.bands = bandAreas(plan.frame, level);
    plan.speech = speechMarks(plan.frame, targets, side, aidStyle, TargetReading::Exact);
    return plan;
}

std::vector<BandArea> bandAreas(const GraphFrame& frame, const int32_t (&levels)[kBandCount]) {
    const struct {
        LoudnessBand band;
        BandLevel lower;
        BandLevel upper;
    } order[] = {
        {LoudnessBand::Loud, kCsl, kUcl},
        {LoudnessBand::Comfortable, kCss, kCsl},
        {LoudnessBand::Soft, kVs, kCss},
    };
    std::vector<BandArea> bands;
    for (const auto& b : order) {
        const int32_t lower = levels[b.lower];
        const int32_t upper = levels[b.upper];
        if (!present(lower) || !present(upper))
            continue;
        const long long below = static_cast<long long>(backgroundY(frame, lower)) + 1;
        const PixelRect area{frame.left + 1, backgroundY(frame, upper), frame.right - 1,
                             clampToInt32(below)};
        if (const auto inside = withinFrame(frame, area))
            bands.push_back({b.band, *inside});
    }
    return bands;
}

std::array<SpeechMark, 3> speechMarks(const GraphFrame& frame, const TargetState& targets,
                                      GraphSide side, int32_t aidStyle, TargetReading reading) {
    const int s = sideIndex(side);
    const int f = frequencyIndexOrFirst(targets.graphFrequency[s]);
    const int32_t(&inputs)[3] = speechInputLevels[aidStyleOrFirst(aidStyle)][f];
    std::array<SpeechMark, 3> marks{};
    for (int k = 0; k < 3; ++k) {
        SpeechMark& mark = marks[k];
        const float stored = targets.targetLevels[s][k];
        const double target = reading == TargetReading::WholeDb ? truncToInt(stored) : stored;
        mark.word = kSpeechWords[k];
        mark.wordRaisePercent = kSpeechWordRaisePercent[k];
        mark.input = inputs[k];
        mark.x = backgroundX(frame, inputs[k]);
        mark.hasTarget = target != 0.0;
        mark.targetY = mark.hasTarget ? backgroundY(frame, target) : 0;
    }
    return marks;
}

std::vector<CurveStep> curveSteps(const CurveParams& curve) {
    std::vector<CurveStep> steps;
    steps.reserve(kGraphHighestLevel - kGraphLowestLevel);
    for (int x = kGraphLowestLevel; x < kGraphHighestLevel; ++x) {
        const float from = curveOutput(curve, static_cast<float>(x));
        if (!(from >= kGraphLowestLevel))
            continue;
        steps.push_back({x, from, curveOutput(curve, static_cast<float>(x + 1))});
    }
    return steps;
}

std::vector<PixelSegment> curveSegments(const CurveParams& curve, int width, int height) {
    std::vector<PixelSegment> segments;
    for (const CurveStep& s : curveSteps(curve))
        segments.push_back({curveBoxX(width, s.input), curveBoxY(height, s.from),
                            curveBoxX(width, s.input + 1), curveBoxY(height, s.to)});
    return segments;
}
