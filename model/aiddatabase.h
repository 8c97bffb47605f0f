// The hearing-aid database file "TAVIK.TDB": the 1364-byte image of AidDatabase.
#pragma once

#include "model/fittingrecord.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>

inline constexpr std::size_t kAidDatabaseFileSize = sizeof(AidDatabase);
inline constexpr const char* kAidDatabaseFileName = "TAVIK.TDB";

// HALongName1..6, HA-1..6 and empty curves; the padding bytes are left alone.
void defaultAidDatabase(AidDatabase& database);

// Copies the start of a file's bytes over the database: a shorter file fills only
// the start, the rest keeps what it held.
void applyAidDatabaseImage(std::span<const uint8_t> bytes, AidDatabase& database);

// Where the database came from. Only a missing file gives the defaults without a
// word; a file that is there but cannot be read gives them too, with the reason, so
// that the clinic's file is neither shown as empty nor replaced unasked.
enum class AidDatabaseSource { File, Missing, Unreadable };
struct AidDatabaseLoad {
    AidDatabaseSource source = AidDatabaseSource::Missing;
    std::string reason; // for an unreadable file: the file and the system's reason
};

// Reads the file at path; when it is missing or cannot be read, the defaults are used.
AidDatabaseLoad loadAidDatabase(const std::string& path, AidDatabase& database);

// Writes the 1364 bytes atomically; raises FileError on failure, the old file intact.
void saveAidDatabase(const std::string& path, const AidDatabase& database);

// What the exit does with the file: a file that was read, or was missing, is written
// (the defaults create it); a file that could not be read is left alone while the
// database holds what it held at start, and replaced only on the clinician's word
// once an entry has changed.
enum class AidDatabaseExit { Write, Keep, AskFirst };
AidDatabaseExit aidDatabaseExit(AidDatabaseSource source, const AidDatabase& atStart,
                                const AidDatabase& now);

// The global database and its file in the start-up folder. The load remembers how
// it went and what it gave, for the exit rule.
AidDatabaseLoad loadAidDatabase();
const AidDatabaseLoad& aidDatabaseLoadResult();
std::string aidDatabasePath();

// Before saving, the hook lets a visible database page store the entry it shows.
// The file is then written as the exit rule says; for AskFirst, confirmReplace
// decides. True when the file was written; raises FileError when it could not be.
extern std::function<void()> beforeAidDatabaseSave;
bool saveAidDatabase(const std::function<bool()>& confirmReplace);

// Writes the database now, as each stored change of an entry does, so that a crash
// or a kill loses no edit; by the exit rule, without the hook. The clinician is asked
// about replacing a file that could not be read at most once per run: the answer
// stands for every later write, the one at exit included (No keeps the file as it is
// until the program ends). True when the file was written; raises FileError when it
// could not be, the database in memory as it was.
bool writeAidDatabaseNow(const std::function<bool()>& confirmReplace);
