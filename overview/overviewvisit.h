// The previous visit beside this one on the Overview: its date as the legend and the
// descriptions name it, and how an ear's thresholds moved since, in a clinician's
// words. The visit itself comes from the patient file's history (model/patienthistory.h).
#pragma once

#include "model/ear.h"
#include "model/patienthistory.h"

#include <optional>
#include <string>

// The previous visit of the patient whose record was read from the file at the path:
// the newest version in the file's history with another test date than the record's.
// For tavik-cli, which reads the file once; the window keeps the history it read.
std::optional<KeptVersion> previousVisitOf(const std::string& patientPath,
                                           const FittingRecord& record);

// The previous visit's test date, "06/01/2026", or "the previous visit" where it has none.
std::string previousVisitDate(const KeptVersion& previous);

// The legend's entry: "Previous visit 06/01/2026", or "Previous visit" with no date.
std::string previousVisitLegend(const KeptVersion& previous);

// How the ear's thresholds moved from the previous visit to this record, frequency by
// frequency from 250 Hz up: neighbouring frequencies that moved the same way are named
// together, with the least and the most they moved, and a frequency missing in either
// visit breaks the run. "right threshold 10 dB lower than on 06/01/2026 at 250 Hz,
// unchanged at 500 Hz–1 KHz and 5 to 15 dB higher at 2–4 KHz".
std::string thresholdChange(const FittingRecord& now, const KeptVersion& previous, Ear ear);
