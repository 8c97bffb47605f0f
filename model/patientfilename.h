// The file name Save As proposes for a patient who has none yet: the last name, in
// capitals, with the patient-file extension ("SMITH.TAV").
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The name proposed for a last name (Latin-1, as the record holds it) in a folder that
// already holds `taken` (file names as the system lists them, UTF-8). Letters, digits,
// spaces, hyphens, apostrophes and underscores are kept, in capitals; any other
// character (a slash, a colon, a dot, a control character) parts words like a space.
// A name the folder already holds, in any case, or one a shared folder on another
// system could not hold (CON, NUL, COM1, ...), takes the first free number: SMITH-2.TAV,
// SMITH-3.TAV, and so on. The result is UTF-8; empty when no letter or digit is left,
// or when no number up to 999 is free, so that the clinician names the file.
std::string proposedPatientFileName(std::string_view lastName,
                                    const std::vector<std::string>& taken);
