// The settings file "TAVIK.INI" in the start-up folder. It keeps one value between
// sessions: the folder the Load dialog offers first, and in a section of its own
// the patient files used last.
#pragma once

#include "model/document.h"
#include "model/recentlist.h"

inline constexpr const char* kSettingsFileName = "TAVIK.INI";
inline constexpr const char* kSettingsSection = "Information";
inline constexpr const char* kDataPathKey = "DataPath";

// dataPath from the settings file in startDir; startDir when the file or key is
// missing. Nothing is reported.
void readSettings(DocumentState& state);
void readSettings();

// Writes dataPath into the settings file in startDir, creating file and section as
// needed. Raises FileError, naming the file and the reason, when it cannot.
void writeSettings(const DocumentState& state);
void writeSettings();

// The patient files used last, from the settings file in startDir; an empty list
// when the file or section is missing.
RecentList readRecentFiles(const DocumentState& state);

// Writes the list into its section of the settings file in startDir; every other
// line stays as it was, and a file that needs no change is not written. Raises
// FileError like writeSettings.
void writeRecentFiles(const DocumentState& state, const RecentList& list);
