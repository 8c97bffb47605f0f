#include "cli/batch.h"

#include "cli/earoptions.h"
#include "model/fileio.h"
#include "model/safetext.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <ostream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

extern "C" void stopOnSignal(int) {
    requestBatchStop();
}

// Ctrl+C and SIGTERM ask the batch to stop, for as long as it runs; the workers it
// forks inherit this.
class StopSignals {
  public:
    StopSignals() {
        struct sigaction action {};
        action.sa_handler = stopOnSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(SIGINT, &action, &previousInterrupt_);
        ::sigaction(SIGTERM, &action, &previousTerminate_);
    }
    ~StopSignals() {
        ::sigaction(SIGINT, &previousInterrupt_, nullptr);
        ::sigaction(SIGTERM, &previousTerminate_, nullptr);
    }
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

  private:
    struct sigaction previousInterrupt_ {};
    struct sigaction previousTerminate_ {};
};

int noSync(int) {
    return 0;
}

// Each PDF is made durable by one sync of the output's file system at the end rather
// than by two syncs of its own, which cost more than its drawing: a batch writes
// thousands of files, and the disk would otherwise wait on each. Every file is still
// written to a temporary file and renamed, so none is ever seen half-written.
class DeferredSync {
  public:
    explicit DeferredSync(std::string folder)
        : folder_(std::move(folder)), previous_(replaceFileSync(noSync)) {}
    ~DeferredSync() {
        replaceFileSync(previous_);
        const int fd = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return;
        ::syncfs(fd);
        ::close(fd);
    }
    DeferredSync(const DeferredSync&) = delete;
    DeferredSync& operator=(const DeferredSync&) = delete;

  private:
    std::string folder_;
    SyncFunction previous_;
};

bool prepareFolders(const BatchOptions& options, std::ostream& err) {
    std::error_code ec;
    if (!fs::is_directory(options.folder, ec)) {
        err << "tavik-cli: " << quotedPath(options.folder) << ": no such folder\n";
        return false;
    }
    fs::create_directories(options.outFolder, ec);
    if (ec || !fs::is_directory(options.outFolder, ec)) {
        err << "tavik-cli: " << quotedPath(options.outFolder) << ": cannot make the folder"
            << (ec ? ": " + ec.message() : std::string()) << '\n';
        return false;
    }
    return true;
}

bool writeSummary(const std::string& path, const std::vector<std::optional<FileResult>>& results,
                  std::ostream& err) {
    std::string csv = csvLine(summaryHeader());
    for (const auto& result : results) {
        for (const SummaryRow& row : result->rows)
            csv += csvLine(row);
    }
    try {
        writeFileAtomically(path,
                            std::span(reinterpret_cast<const uint8_t*>(csv.data()), csv.size()));
    } catch (const FileError& e) {
        err << "tavik-cli: " << e.what() << '\n';
        return false;
    }
    return true;
}

// A file whose worker ended before it reported it, which only a crash does.
FileResult lostFile(const BatchJob& job, std::size_t index, std::ostream& err) {
    const std::string reason = "the worker drawing it ended unexpectedly";
    const std::string& file = job.inputs[index].relativePath;
    err << "tavik-cli: " << quotedPath((fs::path(job.options.folder) / file).string()) << ": "
        << reason << '\n';
    FileResult result;
    result.index = index;
    result.failed = true;
    result.rows.push_back(failedFileRow(file, reason));
    return result;
}

int patientFilesDone(const BatchOutcome& outcome) {
    int done = 0;
    for (const auto& result : outcome.results)
        done += result ? 1 : 0;
    return done;
}

} // namespace

int runBatchWith(const Args& args, std::ostream&, std::ostream& err,
                 const BatchEnvironment& environment) {
    BatchJob job;
    if (!parseBatchOptions(args, job.options, err) || !prepareFolders(job.options, err))
        return kExitFailure;
    if (!readDatabaseForCli(job.options.database, job.database, err))
        return kExitFailure;
    job.inputs = findBatchInputs(job.options.folder);
    job.render = environment.render;
    BatchOutcome outcome;
    {
        const StopSignals signals;
        const DeferredSync sync(job.options.outFolder);
        outcome = runBatchFiles(job, job.options.jobs, environment, err);
    }
    if (outcome.stopped) {
        err << "tavik-cli: stopped: " << patientFilesDone(outcome) << " of " << job.inputs.size()
            << " patient files done\n";
        return kExitInterrupted;
    }
    bool failed = false;
    for (std::size_t i = 0; i < outcome.results.size(); ++i) {
        if (!outcome.results[i])
            outcome.results[i] = lostFile(job, i, err);
        failed = failed || outcome.results[i]->failed;
    }
    if (job.options.summary && !writeSummary(*job.options.summary, outcome.results, err))
        return kExitFailure;
    return failed ? kExitFailure : kExitOk;
}
