#include "cli/commands.h"

#include <ostream>

CommandFunction graphCommand = nullptr;
CommandFunction reportCommand = nullptr;

namespace {

struct Command {
    const char* name;
    const char* usage;
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

const Command commands[] = {
    {"show", "show FILE              print a patient file (*.TAV) as JSON", runShow},
    {"show-db", "show-db FILE           print a hearing-aid database file as JSON", runShowDb},
    {"curves",
     "curves FILE [--ear right|left] [--db TAVIK.TDB]\n"
     "                         print what the curve page holds for an ear as JSON",
     runCurves},
    {"predict",
     "predict FILE --ear right|left\n"
     "                         print an ear's loudness levels after prediction",
     runPredict},
    {"graph",
     "graph FILE --ear right|left [--db TAVIK.TDB] [--scale N] -o OUT.png\n"
     "                         draw an ear's graphs as the curve page shows them into a\n"
     "                         PNG image, N times the page's pixels (N 1 to 8, 1 unless told)",
     runGraphIfBuilt},
    {"report",
     "report FILE --ear right|left [--curves fitted,user,aid] [--copies N]\n"
     "                         [--page a4|letter] [--db TAVIK.TDB] -o OUT.pdf\n"
     "                         write the printed reports of an ear as PDF pages, one per\n"
     "                         report the print command would print, in the same order\n"
     "                         (all three curve kinds, one copy, A4 unless told)",
     runReportIfBuilt},
};

void printHelp(std::ostream& out) {
    out << "tavik-cli: read TAVIK patient and database files without the window.\n\n"
           "usage: tavik-cli COMMAND [ARGUMENTS]\n\ncommands:\n";
    for (const Command& c : commands)
        out << "  " << c.usage << '\n';
    out << "  --help                 show this text\n";
}

} // namespace

int runCli(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        printHelp(err);
        return kExitFailure;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printHelp(out);
        return kExitOk;
    }
    for (const Command& c : commands) {
        if (args[0] == c.name)
            return c.run(Args(args.begin() + 1, args.end()), out, err);
    }
    err << "tavik-cli: unknown command \"" << args[0] << "\" (see tavik-cli --help)\n";
    return kExitFailure;
}
