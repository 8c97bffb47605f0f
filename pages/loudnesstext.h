// The loudness grids' rules that are not widget work: reading a cell's text as a
// level, the dB HL / dB SPL conversion, which cells a level source greys out or
// locks, the characters a cell accepts, and the texts that describe a level source.
#pragma once

#include "model/fittingrecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct LevelRange {
    int32_t lowest;
    int32_t highest;
};
// The range of frequency index `frequency` in the unit the grids show.
LevelRange typedLevelRange(int frequency, bool showInHL);
// Whether a stored level (dB SPL) lies in the range.
bool isPlausibleLevel(int32_t stored, int frequency);

// What a text the clinician typed into a cell holds: nothing (the cell clears the
// level), a level in the range, something that is no whole number, or a number
// outside the range. Only Empty and Level may be stored.
enum class TypedLevel { Empty, Level, NotANumber, OutOfRange };
struct TypedLevelCheck {
    TypedLevel kind;
    int32_t stored; // dB SPL; kEmptyLevel unless kind is Level
};
TypedLevelCheck checkTypedLevel(std::string_view text, int frequency, bool showInHL);

// A cell of an ear's grid, named as the status bar names it: "Right Ear, 1 KHz, UCL".
struct LoudnessCell {
    Ear ear;
    int frequency;
    int category;
};
std::string loudnessCellName(const LoudnessCell& cell);

// Why a typed text cannot be stored, and what may be typed instead.
std::string refusedLevelNote(const LoudnessCell& cell, std::string_view text, TypedLevel kind,
                             bool showInHL);

// Why a predicted (grey) cell cannot be typed into, for level source 1 or 2.
std::string predictedCellNote(const LoudnessCell& cell, int32_t levelSource);

// The question before a prediction would replace levels that count as measured at
// these frequency indices, named in order: "The levels at 500 Hz and 2 KHz are not what
// the threshold predicts. Replace them?". It is true both of levels the clinician
// typed and of levels a file holds that no prediction from its threshold gives.
std::string replaceMeasuredQuestion(const std::vector<int>& frequencies, int32_t levelSource);

// Why a committed threshold (or UCL) left the levels of its frequency as they were:
// levels that count as measured would change.
std::string measuredInTheWayNote(Ear ear, int frequency, int32_t levelSource);

// A cell's text as a whole number: an optional leading "-" followed by one or more
// decimal digits, inside the 32-bit range. Anything else (an empty cell, a lone
// "-", a minus sign after digits, a number out of range) reads as kEmptyLevel.
int32_t parseCellLevel(std::string_view text);

// The text a cell shows for a stored level (dB SPL) of frequency index `frequency`:
// empty for kEmptyLevel, otherwise the plain decimal number, converted to dB HL when
// the grids show dB HL. The conversion is exact for every 32-bit level.
std::string cellTextFromStored(int32_t stored, int frequency, bool showInHL);

// The stored level (dB SPL) for a cell's text; the text is taken in dB HL when the
// grids show dB HL. A text that is not a whole number, or whose level lies outside
// the 32-bit range, stores kEmptyLevel.
int32_t storedFromCellText(std::string_view text, int frequency, bool showInHL);

// How a cell of loudness category `column` is painted for an ear's level source:
// levels the program predicts are grey, levels the clinician enters white. A level
// source the program does not know paints no background.
enum class CellShade { White, Grey, Unpainted };
CellShade cellShade(int32_t levelSource, int column);

// Whether the clinician may move into a cell of that column: with predicted levels
// only the columns the prediction starts from (THR, and UCL for level source 2).
bool cellSelectable(int32_t levelSource, int column);

// The characters a grid cell accepts: digits, "-" and backspace.
bool isGridCharAccepted(char32_t ch);

// The longest text a grid cell holds. A 32-bit level needs at most 11 characters;
// the cell painter draws at most this many.
inline constexpr int kCellTextLimit = 19;

// The status line under an ear's grid; the right ear's texts say "using", the left
// ear's "from". Nothing for an unknown level source, where the
// line keeps what it showed.
std::optional<std::string> dataTypeLabel(Ear ear, int32_t levelSource);

// The hint of an ear's prediction button; nothing for level source 0 or an unknown
// one, where the button keeps the hint it had.
std::optional<std::string> predictionHint(int32_t levelSource);
