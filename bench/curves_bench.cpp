// One ear's full load of the curve page: targets, the two fits, the six columns
// read back and the six curves scored.
#include "curves/curveload.h"
#include "model/aiddatabase.h"

#include <benchmark/benchmark.h>

namespace {

// A right ear measured at 1000 and 3000 Hz, Curve B and Curve C chosen, a user
// curve and a database entry at both frequencies, so that all six curves are
// complete and scored.
FittingRecord benchRecord() {
    FittingRecord r;
    resetFitting(r, "01/01/2000");
    r.rightAidStyle = 0;
    r.rightRangeLow = 2;
    r.rightRangeHigh = 4;
    const int at1000[8] = {30, 50, 60, 70, 80, 90, 95, 100};
    const int at3000[8] = {45, 55, 63, 70, 78, 86, 94, 105};
    for (int c = 0; c < 8; ++c) {
        r.rightLoudness[2][c] = at1000[c];
        r.rightLoudness[4][c] = at3000[c];
    }
    for (const int f : {2, 4}) {
        AidSetting& s = r.aidSettings[0][f];
        s.curveChoice = f == 2 ? 2 : 3;
        s.aidChoice = 1;
        s.curve = CurveParams{20, 45, 1, 2, 75, 1, 2, 110, 0, 0, {}};
    }
    return r;
}

AidDatabase benchDatabase() {
    AidDatabase db;
    defaultAidDatabase(db);
    for (AidFrequencyData& d : db.aidData[1])
        d = AidFrequencyData{15, 40, 0, 1.5f, 65, 0, 3, 118};
    return db;
}

void loadOneEar(benchmark::State& state) {
    const FittingRecord record = benchRecord();
    const AidDatabase database = benchDatabase();
    for (auto _ : state) {
        EarCurves page = loadEarCurves(record, database, 0);
        benchmark::DoNotOptimize(page);
    }
}
BENCHMARK(loadOneEar);

} // namespace
