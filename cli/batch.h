// tavik-cli batch: the printed reports of every patient file under a folder as PDFs,
// one per patient and ear, and a summary table of them. Reading, naming, the summary
// and the running on several cores need no Qt and live here; the drawing is handed
// in by the tavik-cli executable, which links Qt.
#pragma once

#include "cli/batchfiles.h"
#include "cli/batchsummary.h"
#include "cli/commands.h"
#include "cli/earoptions.h"
#include "model/aiddatabase.h"
#include "report/reporttext.h"

#include <array>
#include <atomic>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

enum class PaperSize { A4, Letter };

struct BatchOptions {
    std::string folder;                   // DIR
    std::string outFolder;                // -o OUTDIR
    std::array<bool, 2> ears{true, true}; // right, left
    std::array<bool, kReportChoiceCount> kinds{true, true, true};
    PaperSize paper = PaperSize::A4;
    std::optional<std::string> database;
    int jobs = 0; // 0 until parsed: every core
    std::optional<std::string> summary;
    bool force = false;
};

// Parses the arguments after "batch". Returns false after telling err what is wrong.
bool parseBatchOptions(const Args& args, BatchOptions& options, std::ostream& err);

// Draws the PDF of one ear's reports for the options' kinds and paper; fileName is
// the patient file's name. Empty bytes, or an exception, when no PDF could be made.
using BatchRenderer = std::function<std::string(
    const LoadedEar& loaded, const std::string& fileName, Ear ear, const BatchOptions& options)>;

// Makes what was written to the file system of the descriptor's folder durable, as
// syncfs does; 0, or -1 with errno set.
using FileSystemSync = std::function<int(int fd)>;

struct BatchEnvironment {
    BatchRenderer render;
    bool showProgress = false; // a bar on err, redrawn in place: err is a terminal
    FileSystemSync syncOutput; // the output's sync at the end; syncfs unless given
    FolderLister listFolder;   // how DIR's folders are read; the system's unless given
};

// What became of one patient file.
struct FileResult {
    std::size_t index = 0;
    int ears = 0;                      // patient-ears it stood for, done or not
    bool failed = false;               // read, drawn or written wrongly
    std::vector<std::string> messages; // lines for standard error, without "\n"
    std::vector<SummaryRow> rows;
};

// Everything the files of one batch are handled with; the same in every worker.
struct BatchJob {
    BatchOptions options;
    AidDatabase database{};
    std::vector<BatchInput> inputs;
    BatchRenderer render;
};

// Reads patient file `index` of the job, writes its PDFs and says how it went.
FileResult processBatchFile(const BatchJob& job, std::size_t index);

// Where the workers take files from and learn that they are to stop; placed in
// memory that the worker processes share.
struct BatchControl {
    std::atomic<int> next{0};
    std::atomic<int> stop{0};
};

// Takes files from the control until none is left or a stop is asked for, and hands
// each result to the sink.
void runBatchWorker(const BatchJob& job, BatchControl& control,
                    const std::function<void(const FileResult&)>& sink);

struct BatchOutcome {
    std::vector<std::optional<FileResult>> results; // in file order; none: not done
    bool stopped = false;                           // a stop was asked for
};

// Runs every file of the job in `jobs` worker processes (in this one for 1). The
// results' messages and the progress go to err as they come.
BatchOutcome runBatchFiles(const BatchJob& job, int jobs, const BatchEnvironment& environment,
                           std::ostream& err);

// Asks the batch that runs to take no new file. Safe in a signal handler.
void requestBatchStop();
// Whether a stop was asked for since the last clearBatchStop.
bool batchStopRequested();
void clearBatchStop();

// The exit code of an interrupted batch, as a shell gives a program ended by Ctrl+C.
inline constexpr int kExitInterrupted = 130;

// Runs the command with the drawing and the terminal handed in.
int runBatchWith(const Args& args, std::ostream& out, std::ostream& err,
                 const BatchEnvironment& environment);
