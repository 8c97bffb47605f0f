// The one CSV dialect of tavik-cli's outputs: RFC 4180, fields quoted where they
// hold a comma, a quote or a line break, lines ended by CRLF.
#pragma once

#include <string>
#include <string_view>

// A field as it stands in a CSV line: in quotes where it needs them, quotes doubled.
std::string csvField(std::string_view text);
