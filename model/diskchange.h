// Whether a patient file was changed on disk behind the program's back: by another
// workstation sharing the folder, a copy, or a program that restored an older version.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// The time of the last change (seconds since 1970, UTC) when the file no longer
// holds exactly the bytes given, those last loaded from it or saved to it; nothing
// when it holds them, or when it is gone or cannot be read (a save then only
// creates it, or fails with the system's reason).
std::optional<std::int64_t> changedOnDisk(const std::string& path,
                                          std::span<const std::uint8_t> known);
