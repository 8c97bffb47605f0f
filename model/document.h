// The global state of the program: one fitting record, the database and the
// document state, alive from start to exit. Computations never reach for these;
// they take what they need as parameters and the pages pass the globals in.
#pragma once

#include "model/fittingrecord.h"
#include "model/patienthistory.h"
#include "model/prediction.h"
#include "model/undohistory.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

inline constexpr std::size_t kLegacyFileSize = 3118;
using LegacyImage = std::array<uint8_t, kLegacyFileSize>;

struct DocumentState {
    // Whether the record differs from the file: from the record's bytes, and while the
    // clinician types into a cell not yet stored.
    bool modified = false;
    // The record's bytes as last loaded or saved (New: as New made them).
    FittingRecord fileImage{};
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
    // The open file's kept versions, from which the Overview picks the previous visit
    // whenever it shows: none until openFileHistory() reads them, which it does once
    // after each Load and Save, when they are first needed.
    std::optional<HistoryRead> history;
    // Told when an unchanged document becomes changed, and when an undo or a change
    // back makes it the file's again; the main window posts its status notification
    // from here.
    std::function<void()> onModifiedChanged;
    // Told when the undo history changed: a step recorded, undone or done again, or a
    // fresh history.
    std::function<void()> onUndoStepsChanged;
};

extern FittingRecord fitting;
extern AidDatabase aidDatabase;
extern DocumentState document;
extern UndoHistory undoHistory;

// Marks the document changed while the clinician types what is not stored yet. Only
// the first change after a save, New or Load notifies; later calls do nothing.
void markModified(DocumentState& state);
void markModified();

// The document as it stands: the record and the levels that count as measured.
DocumentImage currentImage();
// Sets `modified` from whether the record differs from the file image; tells the
// change, either way.
void refreshModified(DocumentState& state, const FittingRecord& record);
void refreshModified();
// A page has stored a change into the record: one undo step when the document now
// holds other bytes than after the last step (retyping a value records nothing), and
// the modified mark from the file image.
void commitChange(const std::string& label, const ChangePlace& place);
// The record as it stands is the file's, as after Load, New and Save.
void markSaved();
// New and Load: the history starts afresh from the document as it stands.
void startHistory();

// The open file's kept versions (see DocumentState::history), read from disk the first
// time they are asked for after a Load or Save; none for a patient not saved yet or a
// history that cannot be read.
const HistoryRead& openFileHistory();

// The New defaults applied to the global record, with today's date in the user's
// date format.
void resetFitting();
