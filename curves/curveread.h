// Reading curve texts: the rules that turn a column of parameter texts into a
// curve, shared by the curve grid and the database page, including the letters that
// mark a threshold as an input or output level ("i", "o") or as the same as the first
// one ("x").
#pragma once

#include "curves/curvegrid.h"
#include "model/fittingrecord.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The levels a threshold or maximum output may be typed as, in dB.
inline constexpr float kLowestGridLevel = 30.0f;
inline constexpr float kHighestGridLevel = 130.0f;

// Threshold 2 given as an output level, as the input level on the first segment: the
// first whole input level, counted up from the integer part of threshold 1, whose
// output reaches the entered level. -99 when no level within reach gets there (the
// first segment does not rise, or rises too slowly to get there within 100000 dB).
float outputToInputThreshold(float threshold1, float gainAt50, float ratio1, float output);

// An output level as an input level: the level less the gain. A gain so large that
// the level is lost in the float (1e18 less 50 is 1e18) gives -99, as the level shown
// again would be another one.
float outputLessGain(float output, float gainAt50);

// Whether threshold 1 and ratio 1 make a first segment on which a threshold 2 given
// as an output level can be found: threshold 1 there and ratio 1 above 0.
bool hasFirstSegment(float threshold1, float ratio1);

// Whether a second-stage text (threshold 2 or ratio 2) means "the same as the first
// stage": "x" alone, or nothing once its letters and spaces are gone.
bool readsAsFirstStage(int row, std::string_view text);

// How a column of parameter texts is read where the curve grid and the database
// page differ: what a text that is no number does, and how a threshold 2 typed as an
// output level becomes an input level.
enum class NotANumber { Missing, Stops };
enum class OutputThreshold2 {
    OnFirstSegment, // the input level at which the curve's first segment reaches it
    LessGain        // the level less the gain, as threshold 1
};
// Whether thresholds in the wrong order are exchanged with their ratios as they are
// read, or left as typed for a caller that puts them right itself (the database page
// exchanges only stages the clinician typed).
enum class WrongOrder { Exchanged, AsTyped };
struct ParameterRules {
    NotANumber notANumber;
    OutputThreshold2 threshold2;
    WrongOrder wrongOrder = WrongOrder::Exchanged;
};

// The clinician's own curves: threshold 2 typed as an output level is found on the
// curve's first segment.
inline constexpr ParameterRules kCurveGridRules{NotANumber::Missing,
                                                OutputThreshold2::OnFirstSegment};
// The hearing-aid columns are read as the database page stores the entry: an output
// level less the gain. Their texts are the database page's, so the curve drawn is the
// aid's own.
inline constexpr ParameterRules kAidColumnRules{NotANumber::Missing, OutputThreshold2::LessGain};

// Reads the six parameter texts of one curve (rows gain to maximum output) by the
// rules both grids share. Spaces are ignored. The six values start missing; the two
// flags keep their values unless a row sets them. Gain: empty, a lone "-" or a "-"
// after the first character is missing. Thresholds: "i" is ignored, "o" marks an
// output level, which becomes an input level when the gain is there (threshold 2 of
// the clinician's own curve only on a first segment: see hasFirstSegment; without one
// it is missing); a level outside 30..130 dB as typed is missing. Ratios: 0 is missing. "x" alone
// or nothing as the second stage copies the first. Maximum output: outside 30..130 dB is missing.
// Thresholds in the wrong order are exchanged together with their ratios, unless the
// rules say WrongOrder::AsTyped. With NotANumber::Stops the read stops at the first
// text that is no number and returns its row; that row and the rows after it stay
// missing.
std::optional<int> readParameterRows(std::span<const std::string, kCurveParameterRows> cells,
                                     CurveParams& curve, ParameterRules rules);
std::optional<int> readParameterRows(std::span<const std::string, kCurveParameterRows> cells,
                                     AidFrequencyData& curve, ParameterRules rules);

// The gains and ratios a hearing aid can have, in dB and as ratios, both ends in. A
// value typed outside them is refused at entry: no one could mean it, and it is the
// way a typed curve would come to lie next to the missing mark (-99).
inline constexpr float kLowestTypedGain = -20.0f;
inline constexpr float kHighestTypedGain = 90.0f;
inline constexpr float kLowestTypedRatio = 0.1f;
inline constexpr float kHighestTypedRatio = 20.0f;

// What the reading makes of one typed parameter text (rows gain to maximum output):
// kept; dropped (read as missing: a level outside 30..130 dB, a gain with a minus
// sign not in front); no number where a number is read (the curve grid drops it, the
// database page stops its store there); or refused (a gain or a ratio outside the
// typed ranges above).
enum class EntryVerdict { Kept, Dropped, NoNumber, Refused };
struct EntryJudgement {
    EntryVerdict verdict = EntryVerdict::Kept;
    // What happened and why, for the status bar after the row and frequency:
    // "20 is outside 30 to 130 dB and is not used."
    std::string note;
};
EntryJudgement judgeParameterText(int row, std::string_view text);
// The same for a cell the clinician typed into on the curve page, where every text the
// reading would not use is refused at entry: a level outside 30..130 dB and a text
// that is no number as well ("-13.0.", "2..5", a gain of "5-"). The empty cell, "x" and
// the i/o marks keep their meaning.
EntryJudgement judgeTypedCurveText(int row, std::string_view text);

// The cells of a parameter column that are not kept as typed, top to bottom.
struct JudgedCell {
    int row = 0;
    EntryJudgement judgement;
};
std::vector<JudgedCell> cellsNotKept(std::span<const std::string, kCurveParameterRows> cells);

// Reads the six curve columns into curves[0..5]. The six parameters and `complete`
// are read afresh; the two flags keep their values unless a column sets them, and
// `rmsError` keeps its value.
void readCurves(const CurveGrid& grid, CurveParams (&curves)[kCurveCount]);
