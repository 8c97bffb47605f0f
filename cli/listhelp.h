// The manual of tavik-cli list, one entry of the table in cli/help.cpp.
#pragma once

#include "cli/help.h"

inline constexpr const char* kListSynopsis = "DIR [--csv]";
inline constexpr const char* kListSummary =
    "list the patient files under a folder with their names, IDs and dates";
inline constexpr const char* kListDescription =
    "Lists every patient file under the folder DIR, at any depth (names ending in .TAV in any "
    "case; links to folders are not followed), read as TAVIK loads it, in the order of their "
    "folders and names. Each file gives its last and first name, patient ID, birth date, test "
    "date, clinician, the aid style of the right and the left ear, its file name, its folder "
    "(from DIR, empty for DIR itself) and its last change (UTC, as 2026-12-07T09:30:00Z). A "
    "file that is no patient file or cannot be read gives its name, folder, last change and "
    "the reason as error instead of the patient's data.\n"
    "The list is a JSON array with one object per file, or with --csv a table after RFC 4180 "
    "(a header line, CRLF line ends, quoted where needed), both in UTF-8. A file name that is "
    "no UTF-8 is read as Latin-1. A folder DIR that cannot be read is an error; a file that "
    "cannot be read is not. A folder under DIR that cannot be read (or not to its end) gives "
    "an entry of its own, with an empty file name, its folder and the reason as error; the "
    "search goes on past it, the whole list is written, and the exit code is then 1.";
inline constexpr OptionHelp kListOptions[] = {
    {"--csv", "Writes the list as CSV instead of JSON."},
    {"--help", "Shows this text."},
};
