// The loudness grids' rules that are not widget work: reading a cell's text as a
// level, the dB HL / dB SPL conversion, which cells a level source greys out or
// locks, the characters a cell accepts, and the texts that describe a level source.
#pragma once

#include "model/fittingrecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A cell's text as a whole number: an optional leading "-" followed by one or more
// decimal digits, inside the 32-bit range. Anything else (an empty cell, a lone
// "-", a minus sign after digits, a number out of range) reads as kEmptyLevel.
int32_t parseCellLevel(std::string_view text);

// The text a cell shows for a stored level (dB SPL) of frequency index `frequency`:
// empty for kEmptyLevel, otherwise the plain decimal number, converted to dB HL when
// the grids show dB HL.
std::string cellTextFromStored(int32_t stored, int frequency, bool showInHL);

// The stored level (dB SPL) for a cell's text; the text is taken in dB HL when the
// grids show dB HL. A text that is not a whole number stores kEmptyLevel.
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
