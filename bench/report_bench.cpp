// One printed report page made into a PDF, as tavik-cli report makes it: the page
// drawn (header, tables, both plots, titles, legend) and the PDF finished with its
// fonts. Part of the graphics benchmark program, which provides the application.
#include "bench/benchdata.h"
#include "curves/curveload.h"
#include "platform/printtarget.h"
#include "report/reportdrawing.h"

#include <benchmark/benchmark.h>

namespace {

void reportPageToPdf(benchmark::State& state) {
    const FittingRecord record = benchRecord();
    const EarCurves page = loadEarCurves(record, benchDatabase(), Ear::Right);
    PrintData data =
        makePrintData(record, "BENCH.TAV", Ear::Right, page.targets, page.curves, "June 5, 2024");
    data.comments = "Tinnitus & recruitment in both ears; prefers a soft sound in quiet rooms. "
                    "Follow-up in six weeks to check the comfort of loud speech with the new "
                    "settings.";
    setPlotLabels(data, page.controls, kFittedReport);
    qint64 bytes = 0;
    for (auto _ : state) {
        PdfReportTarget target(QPageSize::A4);
        printReport(target, data, kFittedReport);
        bytes += target.finish().size();
    }
    benchmark::DoNotOptimize(bytes);
}
BENCHMARK(reportPageToPdf)->Unit(benchmark::kMillisecond);

} // namespace
