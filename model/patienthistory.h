// The history of a patient file: every version of the record that TAVIK saved or
// replaced, kept beside the file so that a later visit can be compared with an
// earlier one and nothing a save replaces is lost.
#pragma once

#include "model/fittingrecord.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Who saved, where and when: the stamp each kept version carries.
struct SaveStamp {
    std::int64_t savedAt = 0; // seconds since 1970-01-01 UTC
    std::string user;
    std::string host;
    std::string programVersion;
};

// One kept version: its stamp and the record as the patient file held it.
struct KeptVersion {
    SaveStamp stamp;
    FittingRecord record{};
    std::string fileName; // its file in the history folder, as readHistory found it
};

// What could be read of a history: the sound versions, oldest first, and one line
// for each part that could not be read (the rest is still read).
struct HistoryRead {
    std::vector<KeptVersion> versions;
    std::vector<std::string> problems;
};

// The place beside the patient file where its history lives.
std::string historyPathFor(const std::string& patientPath);

// Whether a folder's name is that of a patient file's history ("SMITH.TAV.history",
// in any case): the search for patient files does not go into it.
bool isHistoryFolderName(std::string_view name);

// Reads the history of the patient file; an absent history reads as empty.
HistoryRead readHistory(const std::string& patientPath);

// The stamp of a save made now by this user on this host with this program.
SaveStamp stampNow();

// Writes the record to the patient file atomically, keeping the history: the
// version on disk that the save replaces, when the history does not hold it yet,
// and the new one. Raises FileError as writePatientFile does, and the old file then
// stays intact. A history that could not be written does not stop the save: the
// reason is returned, "" when everything was kept.
std::string savePatientWithHistory(const std::string& path, const FittingRecord& record,
                                   const SaveStamp& stamp);

// What changed from one version to the next, in a clinician's words, one item per
// change, as UTF-8: "Right Ear 500 Hz THR 40 → 45 dB HL", "Left Ear aid HA-2 → HA-3".
// Levels are given in the unit `after` shows. Aids are named by `aidName` (the
// database's short names where the caller has them; "aid 3" for choice 2 without).
using AidNamer = std::function<std::string(int32_t choice)>;
std::vector<std::string> describeChanges(const FittingRecord& before, const FittingRecord& after,
                                         const AidNamer& aidName = {});

// The previous visit: the newest kept version whose test date differs from the
// given one; none when there is none.
std::optional<KeptVersion> previousVisit(const HistoryRead& history, std::string_view testDate);
