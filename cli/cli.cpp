#include "cli/commands.h"
#include "cli/help.h"
#include "model/safetext.h"
#include "model/version.h"

#include <algorithm>
#include <ostream>

CommandFunction graphCommand = nullptr;
CommandFunction reportCommand = nullptr;
CommandFunction chartCommand = nullptr;
CommandFunction batchCommand = nullptr;

namespace {

struct Command {
    const char* name;
    CommandFunction run;
};

// A drawing command runs only where the executable set its hook.
int runIfBuilt(CommandFunction hook, const char* what, const Args& args, std::ostream& out,
               std::ostream& err) {
    if (!hook) {
        err << "tavik-cli: this build has no graphics, so it cannot draw " << what << "\n";
        return kExitFailure;
    }
    return hook(args, out, err);
}

int runGraphIfBuilt(const Args& args, std::ostream& out, std::ostream& err) {
    return runIfBuilt(graphCommand, "graphs", args, out, err);
}

int runReportIfBuilt(const Args& args, std::ostream& out, std::ostream& err) {
    return runIfBuilt(reportCommand, "reports", args, out, err);
}

int runChartIfBuilt(const Args& args, std::ostream& out, std::ostream& err) {
    return runIfBuilt(chartCommand, "charts", args, out, err);
}

int runBatchIfBuilt(const Args& args, std::ostream& out, std::ostream& err) {
    return runIfBuilt(batchCommand, "reports", args, out, err);
}

const Command commands[] = {
    {"show", runShow},          {"show-db", runShowDb},     {"curves", runCurves},
    {"predict", runPredict},    {"graph", runGraphIfBuilt}, {"report", runReportIfBuilt},
    {"chart", runChartIfBuilt}, {"batch", runBatchIfBuilt}, {"list", runList},
};

bool isHelpOption(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}

} // namespace

int runCli(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << programHelpText();
        return kExitFailure;
    }
    if (isHelpOption(args[0]) || args[0] == "help") {
        if (args.size() == 2 && findCommandHelp(args[1])) {
            out << commandHelpText(*findCommandHelp(args[1]));
            return kExitOk;
        }
        out << programHelpText();
        return kExitOk;
    }
    if (args[0] == "--version") {
        // The version TAVIK's title bar and About screen show.
        out << "tavik-cli (TAVIK) " << kProgramVersion << '\n';
        return kExitOk;
    }
    for (const Command& c : commands) {
        if (args[0] != c.name)
            continue;
        // "--help" anywhere among a command's arguments asks for its manual; a file of
        // that name is given as ./--help.
        if (std::ranges::any_of(args, isHelpOption)) {
            out << commandHelpText(*findCommandHelp(c.name));
            return kExitOk;
        }
        return c.run(Args(args.begin() + 1, args.end()), out, err);
    }
    err << "tavik-cli: unknown command " << quotedPath(args[0]) << " (see tavik-cli --help)\n";
    return kExitFailure;
}
