// The patient files used last: opened or saved, newest first, at most eight, each
// path once. The list lives in the settings file in a section of its own, one key
// per entry ("File1" .. "File8"); what the file holds there is untrusted text, and a
// line that cannot name a patient file is passed over.
#pragma once

#include "model/inifile.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t kRecentFilesLimit = 8;
inline constexpr const char* kRecentSection = "Recent";

using RecentList = std::vector<std::string>;

// Whether a path may stand in the list: absolute, no longer than a path can be, and
// free of control characters (a line break could not be written back).
bool isUsableRecentPath(std::string_view path);

// The list with path first, written without "." and ".." steps or doubled slashes:
// an earlier entry of the same path goes, and so does the
// oldest one beyond the limit. A path that is not usable leaves the list as it was.
RecentList withRecentFile(RecentList list, const std::string& path);

// "File1" for the first entry.
std::string recentFileKey(std::size_t index);

// File1 .. File8 of the section in order, each path written as withRecentFile
// writes it; unusable and repeated paths are skipped.
RecentList recentFilesIn(const IniFile& file);

// Writes the list into the section, File1 first. Keys past the list's end are
// emptied where the file has them and not added where it has not, so an empty list
// leaves a file without the section unchanged. False when nothing was changed.
bool putRecentFiles(IniFile& file, const RecentList& list);
