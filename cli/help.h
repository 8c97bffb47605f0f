// The manual of tavik-cli, kept in one place: `tavik-cli --help`, `tavik-cli COMMAND
// --help`, the usage line printed after a wrong argument and the manual page
// tavik-cli.1 are all made from these texts.
#pragma once

#include <span>
#include <string>
#include <string_view>

struct OptionHelp {
    const char* name; // as typed, with its value: "--ear right|left"
    const char* text; // one paragraph
};

struct CommandHelp {
    const char* name;        // "curves"
    const char* synopsis;    // the arguments after the name
    const char* summary;     // one line for the list of commands
    const char* description; // paragraphs separated by "\n"
    std::span<const OptionHelp> options;
};

// Every command, in the order the manual lists them.
std::span<const CommandHelp> commandHelps();
const CommandHelp* findCommandHelp(std::string_view name);

// "usage: tavik-cli curves FILE [--ear right|left] [--db TAVIK.TDB]": what follows a
// complaint about the arguments. The text lives as long as the program.
const char* commandUsage(std::string_view name);

// The texts of --help, wrapped to fit a terminal of 80 columns.
std::string programHelpText();
std::string commandHelpText(const CommandHelp& command);

// The manual page in the man(7) format, for the given program version.
std::string manPageText(std::string_view version);
