// Which hearing aid an ear holds. Choosing an aid on the curve page stores it at all
// six frequencies of the ear; a file written otherwise may hold several, and the
// curve page, the Overview and the batch summary name them frequency by frequency
// rather than show one aid as if it were all.
#pragma once

#include "model/ear.h"
#include "model/fittingrecord.h"

#include <cstdint>
#include <string>
#include <vector>

// Stores one aid at all six frequencies of the ear.
void storeEarAid(FittingRecord& record, Ear ear, int32_t aid);

// An aid choice as the lists show it: the aid's short name; a choice outside 0..5
// as itself and the entry shown for it, "7 (shown as HA-1)".
std::string aidChoiceName(int32_t choice, const AidDatabase& database);

// Each aid an ear holds with its frequencies, in the order of the frequencies:
// "HA-2 at 250 Hz and 500 Hz; HA-3 at 1 KHz, 2 KHz, 3 KHz and 4 KHz". Empty when
// all six frequencies hold one aid (as stored: 7 and 0 are two).
std::string aidsByFrequency(const FittingRecord& record, const AidDatabase& database, Ear ear);

// What the curve page says when it shows an ear: the choices at its two graph
// frequencies (left graph first) that lie outside the lists, then the aids of an ear
// that holds more than one. Empty when there is nothing to say.
std::string storedChoicesNote(const FittingRecord& record, const AidDatabase& database, Ear ear,
                              int leftFrequency, int rightFrequency);
