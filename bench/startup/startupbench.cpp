// Start-up benchmark: starts a program again and again with the start probe loaded
// and reports, per program, the time from starting the process to the end of the
// main window's first painting (with the splash screen's own time taken off, and as
// it is), and the program's peak memory (resident set).
//   tavik_startup_bench PROBE_FOLDER RUNS PROGRAM...
// PROBE_FOLDER holds generic/libtavikstartprobe.so. Each run starts in an empty
// scratch folder (TAVIK reads and writes its files there) with a runtime folder of its
// own (so that no other running TAVIK counts as "already running"). Run it under a
// display, for example xvfb-run -a.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Run {
    double shownMs = 0;  // start to the main window's first painting done
    double splashMs = 0; // the splash screen's own time within that
    long peakKb = 0;
    std::string size; // of the main window, "WxH"
};

double nowMs() {
    timespec t{};
    ::clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

bool runOnce(const std::string& program, const std::string& probeFolder, Run& run) {
    char pattern[] = "/tmp/tavik-startup-XXXXXX";
    if (!::mkdtemp(pattern))
        return false;
    const std::string scratch = pattern;
    const std::string report = scratch + "/report";
    const double started = nowMs();
    const pid_t child = ::fork();
    if (child == 0) {
        ::chdir(scratch.c_str());
        ::setenv("QT_PLUGIN_PATH", probeFolder.c_str(), 1);
        ::setenv("QT_QPA_GENERIC_PLUGINS", "tavikstartprobe", 1);
        ::setenv("TAVIK_PROBE_START_MS", std::to_string(started).c_str(), 1);
        ::setenv("TAVIK_PROBE_REPORT", report.c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", scratch.c_str(), 1);
        ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    std::ifstream in(report);
    const bool ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
                    static_cast<bool>(in >> run.shownMs >> run.splashMs >> run.size);
    run.peakKb = usage.ru_maxrss;
    std::filesystem::remove_all(scratch);
    return ok;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: tavik_startup_bench PROBE_FOLDER RUNS PROGRAM...\n");
        return 1;
    }
    // Each run starts in its own folder: the paths must not depend on the current one.
    const std::string probeFolder = std::filesystem::absolute(argv[1]).string();
    const int runs = std::max(1, std::atoi(argv[2]));
    std::printf("%-28s %6s %12s %12s %12s %10s %10s\n", "program", "runs", "shown ms", "no splash",
                "splash ms", "peak MiB", "window");
    // The programs take turns, run by run, so that a change in the machine's load
    // falls on all of them alike.
    struct Series {
        std::string program;
        std::vector<double> shown, withoutSplash, splash, peak;
        std::string size;
    };
    std::vector<Series> series;
    for (int p = 3; p < argc; ++p) {
        series.push_back({std::filesystem::absolute(argv[p]).string(), {}, {}, {}, {}, {}});
        Run warm;
        runOnce(series.back().program, probeFolder, warm); // fills the file system's caches
    }
    for (int i = 0; i < runs; ++i) {
        for (Series& s : series) {
            Run run;
            if (!runOnce(s.program, probeFolder, run)) {
                std::fprintf(stderr, "%s: run %d gave no report\n", s.program.c_str(), i);
                return 1;
            }
            s.shown.push_back(run.shownMs);
            s.withoutSplash.push_back(run.shownMs - run.splashMs);
            s.splash.push_back(run.splashMs);
            s.peak.push_back(static_cast<double>(run.peakKb) / 1024.0);
            s.size = run.size;
        }
    }
    for (const Series& s : series) {
        std::printf("%-28s %6d %12.1f %12.1f %12.1f %10.1f %10s\n",
                    std::filesystem::path(s.program).filename().c_str(), runs, median(s.shown),
                    median(s.withoutSplash), median(s.splash), median(s.peak), s.size.c_str());
    }
    return 0;
}
