// The summary table of a batch: one row per patient and ear, as CSV after RFC 4180
// (CRLF line ends; a field with a comma, a quote, CR or LF in double quotes, its
// quotes doubled) in UTF-8.
#pragma once

#include "cli/csv.h"
#include "model/safetext.h"

#include "curves/curveload.h"
#include "model/fittingrecord.h"

#include <string>
#include <string_view>
#include <vector>

using SummaryRow = std::vector<std::string>;

// The column names, in the order of every row.
const SummaryRow& summaryHeader();

// One ear of a patient file that was read: where it came from and went ("" when no
// PDF was written), who the patient is, and what the curve page holds for the ear.
// error says why there is no PDF ("" when there is one). The last column names the
// aid of each frequency when the ear holds more than one (a file not written by this
// program); it is empty when the ear holds one aid, which the aid columns name.
struct EarSummary {
    std::string file; // relative to the batch's folder
    std::string pdf;  // relative to the output folder, or ""
    std::string error;
};
SummaryRow earSummaryRow(const EarSummary& where, const FittingRecord& record,
                         const AidDatabase& database, Ear ear, const EarCurves& page);
// A file that gave no patient: its name and the reason, the rest empty.
SummaryRow failedFileRow(const std::string& file, const std::string& error);

// The fields joined by commas, ended by CRLF.
std::string csvLine(const SummaryRow& row);
