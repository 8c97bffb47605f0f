// Texts from outside the program (file names, arguments) made safe to show in a
// message or a terminal.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Length of the valid UTF-8 sequence that starts at text[i] (2, 3 or 4 bytes; no
// overlong forms or surrogates), or 0 when none starts there.
std::size_t utf8Length(std::string_view text, std::size_t i);

// A file name as UTF-8 text: valid UTF-8 stays as it is, any other byte is taken as a
// Latin-1 character, as the patient files' own texts are.
std::string utf8FileName(std::string_view name);

// A path as it appears in a message, in double quotes: control characters, DEL, the
// C1 controls, bytes that are no UTF-8 and the backslash are written as escapes
// ("\n", "\x1b", "\u009b", "\\"), so that a file name cannot move the cursor or
// change the colours of the terminal the message is shown on.
std::string quotedPath(std::string_view path);
