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

// A drawing command runs only where the executable set its hook.
int runIfBuilt(CommandFunction hook, const char* what, const Args& args, std::ostream& out,
               std::ostream& err) {
    if (!hook) {
        err << "tavik-cli: this build has no graphics, so it cannot draw " << what << "\n";
        return kExitFailure;
    }
    return hook(args, out, err);
}

bool isHelpOption(const std::string& arg) {
    return arg == "--help" || arg == "-h";
}

} // namespace

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

int runCli(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << programHelpText();
        return kExitFailure;
    }
    if (isHelpOption(args[0]) || args[0] == "help") {
        const CliCommand* asked = args.size() == 2 ? findCliCommand(args[1]) : nullptr;
        out << (asked ? commandHelpText(*asked) : programHelpText());
        return kExitOk;
    }
    if (args[0] == "--version") {
        // The version TAVIK's title bar and About screen show.
        out << "tavik-cli (TAVIK) " << kProgramVersion << '\n';
        return kExitOk;
    }
    if (const CliCommand* command = findCliCommand(args[0])) {
        // "--help" anywhere among a command's arguments asks for its manual; a file of
        // that name is given as ./--help.
        if (std::ranges::any_of(args, isHelpOption)) {
            out << commandHelpText(*command);
            return kExitOk;
        }
        return command->run(Args(args.begin() + 1, args.end()), out, err);
    }
    err << "tavik-cli: unknown command " << quotedPath(args[0]) << " (see tavik-cli --help)\n";
    return kExitFailure;
}
