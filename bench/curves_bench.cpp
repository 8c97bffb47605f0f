// One ear's full load of the curve page: targets, the two fits, the six columns
// read back and the six curves scored.
#include "bench/benchdata.h"
#include "curves/curveload.h"

#include <benchmark/benchmark.h>

namespace {

void loadOneEar(benchmark::State& state) {
    const FittingRecord record = benchRecord();
    const AidDatabase database = benchDatabase();
    for (auto _ : state) {
        EarCurves page = loadEarCurves(record, database, Ear::Right);
        benchmark::DoNotOptimize(page);
    }
}
BENCHMARK(loadOneEar);

} // namespace
