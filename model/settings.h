// The settings file "TAVIK.INI" in the start-up folder. It keeps between sessions
// the folder the Load dialog offers first, the folder the patient list shows, and in
// a section of its own the patient files used last.
#pragma once

#include "model/document.h"
#include "model/recentlist.h"

inline constexpr const char* kSettingsFileName = "TAVIK.INI";
inline constexpr const char* kSettingsSection = "Information";
inline constexpr const char* kDataPathKey = "DataPath";
inline constexpr const char* kPatientFolderKey = "PatientFolder";

// dataPath from the settings file in startDir; startDir when the file or key is
// missing. Nothing is reported.
void readSettings(DocumentState& state);
void readSettings();

// Writes dataPath into the settings file in startDir, creating file and section as
// needed. Raises FileError, naming the file and the reason, when it cannot.
void writeSettings(const DocumentState& state);
void writeSettings();

// The folder the patient list shows: PatientFolder from the settings file in
// startDir, or dataPath when the file or key is missing. Loading a patient moves
// dataPath to that patient's folder but leaves this one alone.
std::string readPatientFolder(const DocumentState& state);

// Writes folder as PatientFolder and dataPath as DataPath in one change of the
// settings file; every other line stays as it was. Raises FileError like
// writeSettings.
void writePatientFolder(const DocumentState& state, const std::string& folder);

// The patient files used last, from the settings file in startDir; an empty list
// when the file or section is missing.
RecentList readRecentFiles(const DocumentState& state);

// Writes the list into its section of the settings file in startDir; every other
// line stays as it was, and a file that needs no change is not written. Raises
// FileError like writeSettings.
void writeRecentFiles(const DocumentState& state, const RecentList& list);
