// The font names the layouts and reports were drawn with, mapped to the fonts this
// desktop has, so that the window, tavik-cli's pictures and the printed pages set
// their text in the same faces.
#pragma once

#include <QString>

// The faces the program asks for by name: the sans-serif of the graphs, the report's
// headings and the logo, and the fixed pitch of the report's tables.
inline constexpr const char* kSansFamily = "Arial";
// The face the windows' forms were laid out in; fontnames.cpp maps it to a free face.
inline constexpr const char* kFormFamily = "MS Sans Serif";
inline constexpr const char* kMonoFamily = "Courier";

// Call once after the application object exists.
void installFontSubstitutions();

// The free face that stands in for kFormFamily, named directly. A font asked for by
// the layouts' name first misses, and the miss makes Qt work out a list of fallback
// faces for a face that is not there, a few million instructions at start; by this
// name the face is found at once. Call after installFontSubstitutions().
QString formFace();
