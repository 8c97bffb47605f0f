// How tavik-cli's manual is laid out: paragraphs wrapped to a terminal of 80 columns,
// synopses broken only between their groups, and text escaped for the man(7) format.
// cli/help.cpp makes --help, the usage lines and the manual page with these.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// One paragraph broken into lines of at most 79 columns, each indented by `indent`
// blanks, the first by `firstIndent` when that is not negative.
void appendWrapped(std::string& out, std::string_view text, int indent, int firstIndent = -1);

// Each paragraph (separated by "\n") wrapped; a blank line between paragraphs.
void appendParagraphs(std::string& out, std::string_view text, int indent);

// The synopsis in groups that stay on one line: "[--db TAVIK.TDB]", "--ear right|left".
std::vector<std::string> synopsisGroups(std::string_view synopsis);

// "prefix name synopsis", broken between groups, continued under the name's end.
void appendSynopsis(std::string& out, std::string_view prefix, std::string_view name,
                    std::string_view synopsis);

// Text for the manual page: backslashes, minus signs and a leading dot or quote escaped.
std::string roff(std::string_view text);

// Paragraphs (separated by "\n") for the manual page, ".PP" between them.
void appendRoffParagraphs(std::string& out, std::string_view text);

// An option's name in bold and its value in italics: "--ear right|left".
std::string roffOptionName(std::string_view name);
