// The commands of tavik-cli in one table: each command's name, the function that runs
// it and its manual. The program runs a command through its entry, and `tavik-cli
// --help`, `tavik-cli COMMAND --help`, the usage line printed after a wrong argument and
// the manual page tavik-cli.1 are all made from the same entries, so a command cannot
// be run without a manual or described without being run.
#pragma once

#include "cli/commands.h"

#include <span>
#include <string>
#include <string_view>

struct OptionHelp {
    const char* name; // as typed, with its value: "--ear right|left"
    const char* text; // one paragraph
};

struct CliCommand {
    const char* name;        // "curves"
    CommandFunction run;     // takes the arguments after the name
    const char* synopsis;    // the arguments after the name
    const char* summary;     // one line for the list of commands
    const char* description; // paragraphs separated by "\n"
    std::span<const OptionHelp> options;
};

// Every command, in the order the manual lists them.
std::span<const CliCommand> cliCommands();
// The command of that name, or null.
const CliCommand* findCliCommand(std::string_view name);

// "usage: tavik-cli curves FILE [--ear right|left] [--db TAVIK.TDB]": what follows a
// complaint about the arguments. The text lives as long as the program.
const char* commandUsage(std::string_view name);

// The texts of --help, wrapped to fit a terminal of 80 columns.
std::string programHelpText();
std::string commandHelpText(const CliCommand& command);

// The manual page in the man(7) format, for the given program version.
std::string manPageText(std::string_view version);
