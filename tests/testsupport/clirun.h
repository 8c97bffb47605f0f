// Runs tavik-cli in-process and captures what it prints.
#pragma once

#include "cli/commands.h"

#include <sstream>
#include <string>

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
