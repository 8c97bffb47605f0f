// Running a batch on several cores. Qt's drawing of text and PDF does not run
// side by side in threads of one process as fast as in processes of their own, so
// each job is a worker process, forked before any Qt object exists. The workers take
// the next file from a counter in shared memory, so that a slow file holds up no
// other, and send each result back through a pipe of their own.
#include "cli/batch.h"
#include "cli/batchprogress.h"
#include "model/fileio.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::atomic<BatchControl*> currentControl{nullptr};
std::atomic<int> stopAsked{0}; // lock-free, as a signal handler needs it

// --- the results on the pipe: a 4-byte length, then counted strings ----------

void putText(std::string& out, std::string_view text) {
    const auto size = static_cast<uint32_t>(text.size());
    out.append(reinterpret_cast<const char*>(&size), sizeof size);
    out.append(text);
}

bool takeText(std::string_view& in, std::string& text) {
    uint32_t size = 0;
    if (in.size() < sizeof size)
        return false;
    std::memcpy(&size, in.data(), sizeof size);
    in.remove_prefix(sizeof size);
    if (in.size() < size)
        return false;
    text.assign(in.substr(0, size));
    in.remove_prefix(size);
    return true;
}

bool takeNumber(std::string_view& in, std::size_t& number) {
    std::string text;
    if (!takeText(in, text) || text.empty())
        return false;
    number = std::stoul(text);
    return true;
}

std::string encodeResult(const FileResult& result) {
    std::string payload;
    for (const std::size_t n : {result.index, static_cast<std::size_t>(result.ears),
                                static_cast<std::size_t>(result.failed), result.messages.size()})
        putText(payload, std::to_string(n));
    for (const std::string& message : result.messages)
        putText(payload, message);
    putText(payload, std::to_string(result.rows.size()));
    for (const SummaryRow& row : result.rows) {
        putText(payload, std::to_string(row.size()));
        for (const std::string& field : row)
            putText(payload, field);
    }
    std::string message;
    putText(message, payload);
    return message;
}

bool takeTexts(std::string_view& in, std::vector<std::string>& texts) {
    std::size_t count = 0;
    if (!takeNumber(in, count))
        return false;
    texts.resize(count);
    for (std::string& text : texts) {
        if (!takeText(in, text))
            return false;
    }
    return true;
}

bool decodeResult(std::string_view in, FileResult& result) {
    std::size_t ears = 0, failed = 0, rows = 0;
    if (!takeNumber(in, result.index) || !takeNumber(in, ears) || !takeNumber(in, failed) ||
        !takeTexts(in, result.messages) || !takeNumber(in, rows))
        return false;
    result.ears = static_cast<int>(ears);
    result.failed = failed != 0;
    result.rows.resize(rows);
    for (SummaryRow& row : result.rows) {
        if (!takeTexts(in, row))
            return false;
    }
    return true;
}

// --- the workers ----------------------------------------------------------------

struct Worker {
    pid_t pid = -1;
    int fd = -1;
    std::string received;
};

// The control in memory that forked workers share with this process.
BatchControl* sharedControl() {
    void* memory = ::mmap(nullptr, sizeof(BatchControl), PROT_READ | PROT_WRITE,
                          MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED)
        throw std::runtime_error(std::string("cannot share memory: ") + std::strerror(errno));
    return new (memory) BatchControl;
}

// The tests of the batch make the worker that draws a named patient file crash, to
// see the file reported as lost: TAVIK_BATCH_TEST_CRASH=FILE-NAME. Not for use.
void crashOnTestFile(BatchJob& job) {
    const char* name = std::getenv("TAVIK_BATCH_TEST_CRASH");
    if (!name || *name == '\0')
        return;
    job.render = [crashOn = std::string(name),
                  render = job.render](const LoadedEar& loaded, const std::string& fileName,
                                       Ear ear, const BatchOptions& options) {
        if (fileName == crashOn) {
            ::signal(SIGSEGV, SIG_DFL);
            ::raise(SIGSEGV);
        }
        return render(loaded, fileName, ear, options);
    };
}

// A worker never returns into the code that forked it: whatever happens, it ends
// here, without the exit work of the process it was copied from.
[[noreturn]] void runChild(const BatchJob& job, BatchControl& control, int fd) {
    try {
        BatchJob ownJob = job;
        crashOnTestFile(ownJob);
        runBatchWorker(ownJob, control, [fd](const FileResult& result) {
            const std::string message = encodeResult(result);
            if (!writeAll(fd, std::span(reinterpret_cast<const uint8_t*>(message.data()),
                                        message.size())))
                ::_exit(1);
        });
    } catch (...) {
        ::_exit(1);
    }
    ::_exit(0);
}

std::vector<Worker> startWorkers(const BatchJob& job, int count, BatchControl& control) {
    std::vector<Worker> workers;
    for (int w = 0; w < count; ++w) {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0)
            break;
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::close(fds[0]);
            for (const Worker& other : workers)
                ::close(other.fd);
            runChild(job, control, fds[1]);
        }
        ::close(fds[1]);
        if (pid < 0) {
            ::close(fds[0]);
            break;
        }
        workers.push_back({pid, fds[0], {}});
    }
    return workers;
}

// Takes the whole messages a worker sent so far.
void takeMessages(Worker& worker, const std::function<void(const FileResult&)>& sink) {
    std::string_view in(worker.received);
    std::string payload;
    while (takeText(in, payload)) {
        FileResult result;
        if (decodeResult(payload, result))
            sink(result);
    }
    worker.received.erase(0, worker.received.size() - in.size());
}

// Reads the workers' results until every worker has ended.
void collect(std::vector<Worker>& workers, const std::function<void(const FileResult&)>& sink,
             BatchProgress& progress) {
    std::vector<pollfd> polls;
    for (const Worker& worker : workers)
        polls.push_back({worker.fd, POLLIN, 0});
    std::size_t open = workers.size();
    char buffer[65536];
    while (open > 0) {
        if (::poll(polls.data(), polls.size(), 100) < 0 && errno != EINTR)
            break;
        progress.add(0);
        for (std::size_t w = 0; w < workers.size(); ++w) {
            if (polls[w].fd < 0 || polls[w].revents == 0)
                continue;
            const ssize_t got = ::read(polls[w].fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0) {
                ::close(polls[w].fd);
                polls[w].fd = -1;
                --open;
                continue;
            }
            workers[w].received.append(buffer, static_cast<std::size_t>(got));
            takeMessages(workers[w], sink);
        }
    }
    for (const Worker& worker : workers) {
        int status = 0;
        while (::waitpid(worker.pid, &status, 0) < 0 && errno == EINTR) {
        }
    }
}

void runInWorkers(const BatchJob& job, int jobs, BatchControl& control,
                  const std::function<void(const FileResult&)>& sink, BatchProgress& progress) {
    std::vector<Worker> workers =
        jobs > 1 ? startWorkers(job, jobs, control) : std::vector<Worker>{};
    if (workers.empty()) {
        runBatchWorker(job, control, sink);
        return;
    }
    collect(workers, sink, progress);
}

} // namespace

void requestBatchStop() {
    stopAsked.store(1);
    if (BatchControl* control = currentControl.load())
        control->stop.store(1);
}

bool batchStopRequested() {
    return stopAsked.load() != 0;
}

void clearBatchStop() {
    stopAsked.store(0);
}

void runBatchWorker(const BatchJob& job, BatchControl& control,
                    const std::function<void(const FileResult&)>& sink) {
    const auto count = static_cast<int>(job.inputs.size());
    while (control.stop.load() == 0) {
        const int index = control.next.fetch_add(1);
        if (index >= count)
            return;
        sink(processBatchFile(job, static_cast<std::size_t>(index)));
    }
}

BatchOutcome runBatchFiles(const BatchJob& job, int jobs, const BatchEnvironment& environment,
                           std::ostream& err) {
    BatchOutcome outcome;
    outcome.results.resize(job.inputs.size());
    int totalEars = 0;
    for (std::size_t i = 0; i < job.inputs.size(); ++i)
        totalEars += static_cast<int>(job.options.ears[0]) + static_cast<int>(job.options.ears[1]);
    BatchControl* control = sharedControl();
    currentControl.store(control);
    if (batchStopRequested()) // asked for before the control was there
        control->stop.store(1);
    {
        BatchProgress progress(err, environment.showProgress, totalEars);
        const auto sink = [&](const FileResult& result) {
            for (const std::string& message : result.messages)
                progress.message(message);
            progress.add(result.ears);
            if (result.index < outcome.results.size())
                outcome.results[result.index] = result;
        };
        const int workers = std::min(jobs, static_cast<int>(job.inputs.size()));
        runInWorkers(job, workers, *control, sink, progress);
    }
    currentControl.store(nullptr);
    outcome.stopped = control->stop.load() != 0;
    control->~BatchControl();
    ::munmap(control, sizeof(BatchControl));
    return outcome;
}
