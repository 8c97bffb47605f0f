// Runs tavik-cli in-process and captures what it prints.
#pragma once

#include "cli/commands.h"
#include "testsupport/testfiles.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

struct CliResult {
    int code;
    std::string out;
    std::string err;
};

inline CliResult runTool(const Args& args) {
    std::ostringstream out, err;
    const int code = runCli(args, out, err);
    return {code, out.str(), err.str()};
}

inline bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The text a shell reads as exactly this one word.
inline std::string shellQuoted(const std::string& text) {
    std::string result = "'";
    for (const char c : text)
        result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

inline std::string readTextFile(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs a program with its arguments; what it prints goes through two files in the
// scratch folder. The exit code is -1 when it did not end normally.
inline CliResult runProgram(const std::string& program, const Args& args, const TempDir& scratch) {
    std::string command = shellQuoted(program);
    for (const std::string& arg : args)
        command += " " + shellQuoted(arg);
    const std::string out = scratch.file("stdout"), err = scratch.file("stderr");
    command += " >" + shellQuoted(out) + " 2>" + shellQuoted(err);
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readTextFile(out), readTextFile(err)};
}

// What tavik-cli says on standard error when the current folder holds no database.
inline std::string noDatabaseLine(const TempDir& folder) {
    return "tavik-cli: no aid database \"" + folder.file("TAVIK.TDB") +
           "\"; using the default aids HA-1 to HA-6, without curves\n";
}
