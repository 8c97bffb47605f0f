// tavik-cli report: the printed reports of an ear as PDF pages, one page for every
// document the print command would send to a printer, in the same order, drawn by
// the same code. For clinics without a printer and for batch use. Built into the
// tavik-cli executable only, which links Qt's drawing.
#include "cli/commands.h"
#include "cli/earoptions.h"
#include "cli/earprint.h"
#include "cli/help.h"
#include "cli/offscreen.h"
#include "cli/optionvalues.h"
#include "cli/reportrender.h"
#include "model/fileio.h"
#include "platform/printtarget.h"
#include "report/reportdrawing.h"

#include <algorithm>
#include <array>
#include <ostream>

namespace {

const char* const kReportUsage = commandUsage("report");
constexpr int kMostCopies = 99;

bool parseReportOptions(const EarOptions& options, ReportSelection& report, std::ostream& err) {
    if (const auto kinds = options.values.find("--curves"); kinds != options.values.end()) {
        const auto ticked = parseCurveKinds(kinds->second);
        if (!ticked) {
            err << "tavik-cli: --curves takes fitted, user and aid, separated by commas, each "
                   "once\n";
            return false;
        }
        report.ticked = *ticked;
    }
    if (const auto copies = options.values.find("--copies"); copies != options.values.end()) {
        const auto count = parseWholeNumber(copies->second, 1, kMostCopies);
        if (!count) {
            err << "tavik-cli: --copies takes a whole number from 1 to " << kMostCopies << '\n';
            return false;
        }
        report.copies = *count;
    }
    if (const auto page = options.values.find("--page"); page != options.values.end()) {
        if (page->second != "a4" && page->second != "letter") {
            err << "tavik-cli: --page takes a4 or letter\n";
            return false;
        }
        report.page = page->second == "a4" ? QPageSize::A4 : QPageSize::Letter;
    }
    return true;
}

// Says what the window would say before printing, then narrows the ticked pairs to
// those with a curve; false, with nothing to write, when none is left.
bool takePrintablePairs(const LoadedEar& loaded, Ear ear, const std::string& path,
                        ReportSelection& report, std::ostream& err) {
    const EarPrintCheck check = checkEarPrint(loaded, ear, report.ticked, path);
    for (const std::string& line : check.lines)
        err << line << '\n';
    if (check.nothingToPrint())
        return false;
    report.ticked = check.printable;
    return true;
}

} // namespace

int runReport(const Args& args, std::ostream& out, std::ostream& err) {
    if (std::ranges::find(args, "--overview") != args.end())
        return runOverviewReport(args, out, err);
    EarOptions options;
    if (!parseEarOptions(args, {kReportUsage, true, {"--curves", "--copies", "--page", "-o"}},
                         options, err))
        return kExitFailure;
    ReportSelection report;
    if (!parseReportOptions(options, report, err)) {
        err << kReportUsage << '\n';
        return kExitFailure;
    }
    if (!options.ear) {
        err << "tavik-cli: report needs --ear right or --ear left\n" << kReportUsage << '\n';
        return kExitFailure;
    }
    const auto output = options.values.find("-o");
    if (output == options.values.end()) {
        err << "tavik-cli: report needs -o OUT.pdf\n" << kReportUsage << '\n';
        return kExitFailure;
    }
    LoadedEar loaded;
    if (const int code = loadEarForCli(options, loaded, err); code != kExitOk)
        return code;
    if (!takePrintablePairs(loaded, *options.ear, options.file, report, err))
        return kExitFailure;

    return writeRenderedPdf(
        output->second,
        [&] {
            return renderReports(loaded, fileNameOf(options.file), *options.ear, report,
                                 printDateToday());
        },
        "the reports", err);
}
