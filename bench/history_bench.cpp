// A save with its history against a plain save of the same record, and the reading of
// a history of 1,000 kept versions (what File > History and tavik-cli history do).
#include "bench/benchdata.h"
#include "model/patientfile.h"
#include "model/patienthistory.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;

// A scratch folder beside the other temporary files, removed at the end.
struct Scratch {
    Scratch() {
        std::string name = (fs::temp_directory_path() / "tavik-bench-XXXXXX").string();
        path = ::mkdtemp(name.data());
    }
    ~Scratch() { fs::remove_all(path); }
    fs::path path;
};

void plainSave(benchmark::State& state) {
    Scratch scratch;
    const std::string file = (scratch.path / "P.TAV").string();
    const FittingRecord record = benchRecord();
    for (auto _ : state)
        writePatientFile(file, record);
}
BENCHMARK(plainSave)->Unit(benchmark::kMillisecond);

void saveWithHistory(benchmark::State& state) {
    Scratch scratch;
    const std::string file = (scratch.path / "P.TAV").string();
    const FittingRecord record = benchRecord();
    const SaveStamp stamp = stampNow();
    for (auto _ : state)
        benchmark::DoNotOptimize(savePatientWithHistory(file, record, stamp));
}
BENCHMARK(saveWithHistory)->Unit(benchmark::kMillisecond);

void readThousandVersions(benchmark::State& state) {
    Scratch scratch;
    const std::string file = (scratch.path / "P.TAV").string();
    FittingRecord record = benchRecord();
    SaveStamp stamp = stampNow();
    for (int i = 0; i < 1000; ++i) {
        record.rightLoudness[1][0] = 20 + i % 50;
        ++stamp.savedAt;
        savePatientWithHistory(file, record, stamp);
    }
    for (auto _ : state) {
        const HistoryRead history = readHistory(file);
        benchmark::DoNotOptimize(history.versions.data());
    }
}
BENCHMARK(readThousandVersions)->Unit(benchmark::kMillisecond);

} // namespace
