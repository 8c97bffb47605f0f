// The commands of tavik-cli. Each takes its arguments (after the command name),
// writes its result to out and problems to err, and returns the exit code.
#pragma once

#include "model/fittingrecord.h"
#include "model/patientfile.h"

#include <iosfwd>
#include <string>
#include <vector>

using Args = std::vector<std::string>;

// Exit codes: 0 done, 1 a file could not be read or the arguments are wrong,
// 2 a patient file of a kind that cannot be read.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUnsupported = 2;

// Reads a patient file the way the program loads one (older files converted). On
// failure the reason goes to err and the exit code is returned; 0 when it was read.
int readPatientForCli(const std::string& path, FittingRecord& record, std::ostream& err,
                      PatientFileKind* kind = nullptr);

int runShow(const Args& args, std::ostream& out, std::ostream& err);
int runShowDb(const Args& args, std::ostream& out, std::ostream& err);
int runCurves(const Args& args, std::ostream& out, std::ostream& err);
int runPredict(const Args& args, std::ostream& out, std::ostream& err);
int runList(const Args& args, std::ostream& out, std::ostream& err);    // cli/listcommand.cpp
int runHistory(const Args& args, std::ostream& out, std::ostream& err); // cli/historycommand.cpp

struct HistoryRead;
struct KeptVersion;
// Version `number` of the history, counted from 1 for the oldest; null after telling
// err that there is no such version.
const KeptVersion* keptVersionForCli(const HistoryRead& history, int number, std::ostream& err);

// tavik-cli graph draws with Qt, which only the tavik-cli executable of a build with
// the user interface links: its main sets this hook to runGraph. Without it the
// command says that this build cannot draw.
using CommandFunction = int (*)(const Args& args, std::ostream& out, std::ostream& err);
extern CommandFunction graphCommand;
int runGraph(const Args& args, std::ostream& out, std::ostream& err); // cli/graphcommand.cpp
// tavik-cli report writes PDF through the same drawing, with its own hook.
extern CommandFunction reportCommand;
int runReport(const Args& args, std::ostream& out, std::ostream& err); // cli/reportcommand.cpp
// report --overview: both ears' overview charts on one PDF page (cli/overviewreport.cpp).
int runOverviewReport(const Args& args, std::ostream& out, std::ostream& err);
// tavik-cli chart draws an overview chart into a PNG, with its own hook.
extern CommandFunction chartCommand;
int runChart(const Args& args, std::ostream& out, std::ostream& err); // cli/chartcommand.cpp
// tavik-cli batch writes the reports of a folder of patient files, with its own hook.
extern CommandFunction batchCommand;
int runBatch(const Args& args, std::ostream& out, std::ostream& err); // cli/batchcommand.cpp

// The drawing commands as the command table runs them: through their hook where this
// executable draws, otherwise saying that this build cannot draw.
int runGraphIfBuilt(const Args& args, std::ostream& out, std::ostream& err);
int runReportIfBuilt(const Args& args, std::ostream& out, std::ostream& err);
int runChartIfBuilt(const Args& args, std::ostream& out, std::ostream& err);
int runBatchIfBuilt(const Args& args, std::ostream& out, std::ostream& err);

// Runs tavik-cli with the arguments after the program name: the command of the table
// in cli/help.cpp that the first argument names.
int runCli(const Args& args, std::ostream& out, std::ostream& err);
