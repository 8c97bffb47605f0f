// The settings file "TAVIK.INI" in the start-up folder. It keeps one value between
// sessions: the folder the Load dialog offers first.
#pragma once

#include "model/document.h"

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
