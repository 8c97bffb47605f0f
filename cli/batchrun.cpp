#include "cli/batch.h"

#include "cli/earoptions.h"
#include "model/fileio.h"
#include "model/safetext.h"

#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <ostream>
#include <set>
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
// written to a temporary file and renamed, so none is ever seen half-written. The
// output folder is opened before the first PDF is written: the system reports a
// failed write-back to the sync of a descriptor opened before it happened.
class OutputSync {
  public:
    OutputSync(const std::string& folder, FileSystemSync sync)
        : folder_(folder), fd_(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)),
          openError_(errno), sync_(sync ? std::move(sync) : FileSystemSync(::syncfs)),
          previous_(replaceFileSync(noSync)) {}
    ~OutputSync() {
        replaceFileSync(previous_);
        if (fd_ >= 0)
            ::close(fd_);
    }
    OutputSync(const OutputSync&) = delete;
    OutputSync& operator=(const OutputSync&) = delete;

    // False after telling err when the folder could not be opened.
    bool opened(std::ostream& err) const {
        if (fd_ < 0)
            err << "tavik-cli: " << quotedPath(folder_)
                << ": cannot open the folder: " << std::strerror(openError_) << '\n';
        return fd_ >= 0;
    }

    // Syncs the output's file system; false after telling err when that failed.
    bool finish(std::ostream& err) {
        replaceFileSync(previous_);
        if (sync_(fd_) == 0)
            return true;
        err << "tavik-cli: " << quotedPath(folder_)
            << ": the PDFs may not be on the disk whole: " << std::strerror(errno) << '\n';
        return false;
    }

  private:
    std::string folder_;
    int fd_;
    int openError_;
    FileSystemSync sync_;
    SyncFunction previous_;
};

bool refuseSummary(const std::string& path, const std::string& why, std::ostream& err) {
    err << "tavik-cli: " << quotedPath(path) << ": " << why << '\n';
    return false;
}

bool namesPatientFile(const fs::path& path) {
    return foldedName(path.extension().string()) == ".tav";
}

// The summary is checked before anything is drawn: it never replaces a patient file,
// nor, without --force, any file, and its folder must be there.
bool checkSummaryPath(const BatchOptions& options, std::ostream& err) {
    if (!options.summary)
        return true;
    const std::string& path = *options.summary;
    std::error_code ec;
    const bool exists = fs::exists(fs::symlink_status(path, ec));
    if (namesPatientFile(path) || (exists && namesPatientFile(fs::canonical(path, ec))))
        return refuseSummary(path, "the summary would replace a patient file", err);
    const std::string folder = folderOf(path);
    if (!fs::is_directory(folder.empty() ? "." : folder, ec))
        return refuseSummary(path, "the summary's folder does not exist", err);
    if (fs::is_directory(path, ec))
        return refuseSummary(path, "the summary would replace a folder", err);
    if (exists && !options.force)
        return refuseSummary(path, "the summary is there already (--force replaces it)", err);
    return true;
}

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

// The rows in path order: a folder that could not be read comes before the files
// below it.
bool writeSummary(const BatchJob& job, const std::vector<FolderFailure>& folders,
                  const std::vector<std::optional<FileResult>>& results, std::ostream& err) {
    std::string csv = csvLine(summaryHeader());
    auto folder = folders.begin();
    for (std::size_t i = 0; i < results.size(); ++i) {
        const std::string& file = job.inputs[i].relativePath;
        for (; folder != folders.end() && folder->relativePath < file; ++folder)
            csv += csvLine(failedFileRow(folder->relativePath, folder->reason));
        for (const SummaryRow& row : results[i]->rows)
            csv += csvLine(row);
    }
    for (; folder != folders.end(); ++folder)
        csv += csvLine(failedFileRow(folder->relativePath, folder->reason));
    try {
        writeFileAtomically(*job.options.summary,
                            std::span(reinterpret_cast<const uint8_t*>(csv.data()), csv.size()));
    } catch (const FileError& e) {
        err << "tavik-cli: " << e.what() << '\n';
        return false;
    }
    return true;
}

void reportFolders(const BatchOptions& options, const std::vector<FolderFailure>& folders,
                   std::ostream& err) {
    for (const FolderFailure& folder : folders) {
        const fs::path path = folder.relativePath == "."
                                  ? fs::path(options.folder)
                                  : fs::path(options.folder) / folder.relativePath;
        err << "tavik-cli: " << quotedPath(path.string())
            << ": cannot read the folder: " << folder.reason << '\n';
    }
}

// Interrupted saves leave temporary files; each output folder there is already is
// cleaned of them once, before the first PDF, rather than once for every PDF.
void removeInterruptedSavesOnce(const BatchJob& job) {
    std::set<std::string> folders{job.options.outFolder};
    for (const BatchInput& input : job.inputs)
        folders.insert((fs::path(job.options.outFolder) / input.outputStem).parent_path().string());
    for (const std::string& folder : folders)
        removeInterruptedSaves(folder);
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

// What was found, the outputs' cleaning, the drawing and the sync, under the stop
// signals, which stay until the summary is written.
int runFound(BatchJob& job, const BatchFinding& found, const BatchEnvironment& environment,
             std::ostream& err) {
    const StopSignals signals;
    OutputSync sync(job.options.outFolder, environment.syncOutput);
    if (!sync.opened(err))
        return kExitFailure;
    removeInterruptedSavesOnce(job);
    BatchOutcome outcome = runBatchFiles(job, job.options.jobs, environment, err);
    const bool synced = sync.finish(err);
    if (outcome.stopped || batchStopRequested()) {
        err << "tavik-cli: stopped: " << patientFilesDone(outcome) << " of " << job.inputs.size()
            << " patient files done\n";
        return kExitInterrupted;
    }
    bool failed = !synced || !found.failures.empty();
    for (std::size_t i = 0; i < outcome.results.size(); ++i) {
        if (!outcome.results[i])
            outcome.results[i] = lostFile(job, i, err);
        failed = failed || outcome.results[i]->failed;
    }
    // A stop asked for from here on comes after every PDF is done: the summary is
    // finished and the batch ends as it would have without it.
    if (job.options.summary && !writeSummary(job, found.failures, outcome.results, err))
        return kExitFailure;
    return failed ? kExitFailure : kExitOk;
}

} // namespace

int runBatchWith(const Args& args, std::ostream&, std::ostream& err,
                 const BatchEnvironment& environment) {
    BatchJob job;
    if (!parseBatchOptions(args, job.options, err) || !checkSummaryPath(job.options, err) ||
        !prepareFolders(job.options, err))
        return kExitFailure;
    if (!readDatabaseForCli(job.options.database, job.database, err))
        return kExitFailure;
    clearBatchStop();
    BatchFinding found = findBatchInputs(job.options.folder, environment.listFolder);
    reportFolders(job.options, found.failures, err);
    job.inputs = std::move(found.inputs);
    job.render = environment.render;
    return runFound(job, found, environment, err);
}
