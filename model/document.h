// The global state of the program: one fitting record, the database and the
// document state, alive from start to exit. Computations never reach for these;
// they take what they need as parameters and the pages pass the globals in.
#pragma once

#include "model/fittingrecord.h"
#include "model/patienthistory.h"
#include "model/prediction.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

inline constexpr std::size_t kLegacyFileSize = 3118;
using LegacyImage = std::array<uint8_t, kLegacyFileSize>;

struct DocumentState {
    bool modified = false;
    std::string currentFilePath;
    std::string currentFileName;
    std::string dataPath;
    std::string programDir;
    std::string startDir;
    std::string titleBase;
    // The file is open only to be looked at: the title says so and Save goes to Save
    // As. The reason says why, in a clinician's words ("it is open on ROOM-2 ...").
    bool readOnly = false;
    std::string readOnlyReason;
    LegacyImage legacyImage{};
    // The levels of each ear that count as measured; not part of the file. Cleared
    // by New, made from the record by Load, kept up by the loudness page.
    MeasuredLevels measuredLevels{};
    // Counts the patients opened: raised by New and by every Load, so that what
    // belongs to one patient and not to the file (the print selection's ticks) is
    // forgotten with them.
    unsigned patientNumber = 0;
    // The open file's kept versions, read at each Load and Save (empty after New), from
    // which the Overview picks the previous visit whenever it shows.
    HistoryRead history;
    // Told once when an unchanged document becomes changed; the main window posts
    // its status notification from here.
    std::function<void()> onFirstModification;
};

extern FittingRecord fitting;
extern AidDatabase aidDatabase;
extern DocumentState document;

// Marks the document changed. Only the first change after a save, New or Load
// notifies; later calls do nothing.
void markModified(DocumentState& state);
void markModified();

// The New defaults applied to the global record, with today's date in the user's
// date format.
void resetFitting();
