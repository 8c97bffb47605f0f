// The two units of a loudness level. The record always holds dB SPL (HA-1 coupler);
// the loudness page, its status notes, the Overview and tavik-cli may show dB HL,
// what the audiometer showed. The correction between them, the conversions, the
// units' names and the levels a clinician may type live here and nowhere else.
#pragma once

#include "model/fittingrecord.h"

#include <cstdint>

// dB SPL (HA-1 coupler) = dB HL + hlToSplCorrection[frequency index].
inline constexpr int32_t hlToSplCorrection[kFrequencyCount] = {15, 6, 0, 3, 3, 0};

// The correction of frequency index `frequency`; 0 for an index outside the table.
int32_t splCorrection(int frequency);

// A stored level (dB SPL) in the unit shown, exact for every 32-bit level.
long long shownLevel(int32_t stored, int frequency, bool showInHL);
// A level given in the unit shown, as the record holds it (dB SPL).
long long storedLevel(long long shown, int frequency, bool showInHL);

// "dB HL" or "dB SPL", without blanks around it.
const char* unitName(bool showInHL);

// The levels a clinician may type, a plausibility guard against a slip of the finger:
// the widest range a clinical audiometer covers, -10 to 130 dB HL, and in dB SPL the
// same range raised by each frequency's correction (250 Hz: 5 to 145 dB SPL). Levels
// already in a file are shown and kept whatever they are. This is not the top level
// of the loudness test itself (audiometerLimit in curves/targets.h).
inline constexpr int32_t kLowestPlausibleLevelHL = -10;
inline constexpr int32_t kHighestPlausibleLevelHL = 130;
