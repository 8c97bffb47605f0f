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

// Reads the file at path; when it cannot be opened or read, the defaults are used.
void loadAidDatabase(const std::string& path, AidDatabase& database);

// Writes the 1364 bytes atomically; raises FileError on failure, the old file intact.
void saveAidDatabase(const std::string& path, const AidDatabase& database);

// The global database and its file in the start-up folder. Before saving, the hook
// lets a visible database page store the entry it shows.
extern std::function<void()> beforeAidDatabaseSave;
void loadAidDatabase();
void saveAidDatabase();
