#include "curves/usercurvestore.h"

#include "curves/curveread.h"
#include "curves/gridnumber.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace {

// The typed cells are read row by row, each stage where it was typed: the store
// decides about the exchange itself.
constexpr ParameterRules kTypedCellRules{NotANumber::Missing, OutputThreshold2::OnFirstSegment,
                                         WrongOrder::AsTyped};

bool present(float value) {
    return value != kEmptyValue;
}

// A threshold text's number, its letters and spaces aside: -99 when there is none or
// it lies outside 30..130 dB, as the grid reads it.
float levelOf(std::string_view text, std::string_view letters) {
    std::string number(text);
    std::erase_if(number,
                  [letters](char ch) { return letters.find(ch) != std::string_view::npos; });
    const std::optional<float> level = parseGridNumber(number);
    if (!level || *level < kLowestGridLevel || *level > kHighestGridLevel)
        return kEmptyValue;
    return *level;
}

// A threshold shown as an output level: a number with the letter "o" ("65o").
bool shownAsOutput(const std::string& text) {
    return text.find('o') != std::string::npos &&
           text.find_first_of("0123456789") != std::string::npos;
}

class ColumnStore {
  public:
    ColumnStore(const CurveParams& stored, std::span<const std::string, kCurveParameterRows> shown,
                const TypedCells& typed)
        : stored_(stored), shown_(shown), typed_(typed), read_(stored) {
        readParameterRows(shown_, read_, kTypedCellRules);
    }

    CurveParams merge() const {
        CurveParams merged = stored_;
        if (typed_[kRowGain])
            merged.gainAt50 = read_.gainAt50;
        const bool threshold1Moved = threshold1(merged);
        if (typed_[kRowRatio1])
            merged.ratio1 = read_.ratio1;
        threshold2(merged, threshold1Moved);
        ratio2(merged);
        if (typed_[kRowMaxOutput])
            merged.maxOutput = read_.maxOutput;
        exchangeTypedStages(merged);
        const bool complete = present(merged.gainAt50) && present(merged.threshold1) &&
                              present(merged.ratio1) && present(merged.threshold2) &&
                              present(merged.ratio2) && present(merged.maxOutput);
        merged.complete = complete ? 1 : 0;
        return merged;
    }

  private:
    // Typed, as read, an output level less the gain as now stored; untouched and shown
    // as an output level, that output level kept over a typed gain. Says whether the
    // threshold changed.
    bool threshold1(CurveParams& merged) const {
        if (typed_[kRowThreshold1]) {
            merged.threshold1IsOutput = read_.threshold1IsOutput;
            const float level = levelOf(shown_[kRowThreshold1], " io");
            const bool asOutput =
                merged.threshold1IsOutput == 1 && present(level) && present(merged.gainAt50);
            merged.threshold1 = asOutput ? outputLessGain(level, merged.gainAt50) : level;
            return true;
        }
        if (!typed_[kRowGain] || !shownAsOutput(shown_[kRowThreshold1]) ||
            !present(stored_.threshold1) || !present(stored_.gainAt50) || !present(merged.gainAt50))
            return false;
        merged.threshold1 = static_cast<float>(static_cast<long double>(stored_.threshold1) +
                                               stored_.gainAt50 - merged.gainAt50);
        return true;
    }

    // An input level as it is stored for a threshold 2 entered as an output level: on
    // the curve's first segment as stored, and missing while the grid shows none (a
    // threshold 1 of 135 from a file reads as missing). Without a gain the number is
    // taken as it is, as the grid reads it.
    float threshold2Level(float level, int32_t isOutput, const CurveParams& merged) const {
        if (isOutput != 1 || !present(level) || !present(merged.gainAt50))
            return level;
        if (!hasFirstSegment(merged.threshold1, merged.ratio1) ||
            !hasFirstSegment(read_.threshold1, read_.ratio1))
            return kEmptyValue;
        return outputToInputThreshold(merged.threshold1, merged.gainAt50, merged.ratio1, level);
    }

    void threshold2(CurveParams& merged, bool threshold1Moved) const {
        const std::string& text = shown_[kRowThreshold2];
        const bool sameAsFirst = readsAsFirstStage(kRowThreshold2, text);
        if (typed_[kRowThreshold2]) {
            merged.threshold2IsOutput = read_.threshold2IsOutput;
            merged.threshold2 = sameAsFirst ? merged.threshold1
                                            : threshold2Level(levelOf(text, " xio"),
                                                              read_.threshold2IsOutput, merged);
            return;
        }
        if (sameAsFirst) {
            if (threshold1Moved)
                merged.threshold2 = merged.threshold1;
            return;
        }
        const bool segmentMoved = typed_[kRowGain] || typed_[kRowThreshold1] || typed_[kRowRatio1];
        if (!segmentMoved || !shownAsOutput(text))
            return;
        const float level = threshold2Level(levelOf(text, " xio"), 1, merged);
        if (present(level))
            merged.threshold2 = level;
    }

    void ratio2(CurveParams& merged) const {
        const bool sameAsFirst = readsAsFirstStage(kRowRatio2, shown_[kRowRatio2]);
        if (typed_[kRowRatio2])
            merged.ratio2 = sameAsFirst ? merged.ratio1 : read_.ratio2;
        else if (typed_[kRowRatio1] && sameAsFirst)
            merged.ratio2 = merged.ratio1;
    }

    void exchangeTypedStages(CurveParams& merged) const {
        const bool thresholdTyped = typed_[kRowThreshold1] || typed_[kRowThreshold2];
        if (!thresholdTyped || !present(merged.threshold2) ||
            !(merged.threshold1 > merged.threshold2))
            return;
        std::swap(merged.threshold1, merged.threshold2);
        std::swap(merged.ratio1, merged.ratio2);
    }

    const CurveParams& stored_;
    std::span<const std::string, kCurveParameterRows> shown_;
    const TypedCells& typed_;
    CurveParams read_;
};

} // namespace

CurveParams storeTypedCells(const CurveParams& stored,
                            std::span<const std::string, kCurveParameterRows> shown,
                            const TypedCells& typed) {
    if (std::none_of(typed.begin(), typed.end(), [](bool cell) { return cell; }))
        return stored;
    return ColumnStore(stored, shown, typed).merge();
}

std::string threshold2Note(std::span<const std::string, kCurveParameterRows> shown) {
    const std::string& text = shown[kRowThreshold2];
    if (readsAsFirstStage(kRowThreshold2, text) || !shownAsOutput(text) ||
        !present(levelOf(text, " xio")))
        return "";
    CurveParams read{};
    readParameterRows(shown, read, kTypedCellRules);
    if (!present(read.gainAt50) || hasFirstSegment(read.threshold1, read.ratio1))
        return "";
    if (present(read.threshold1))
        return "an output level needs Comp. Ratio 1.";
    return read.ratio1 > 0.0f ? "an output level needs Comp. Threshold 1."
                              : "an output level needs Comp. Threshold 1 and Comp. Ratio 1.";
}
