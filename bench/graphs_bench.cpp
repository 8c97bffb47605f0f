// The curve graphs as the curve page draws them: a curve combo changed (one side
// refitted, the grid read back, the curves scored, both curve boxes painted), and a
// whole page load (one ear loaded, both graph backgrounds and curves painted), each
// into an image at 1 and 2 times the page's pixels.
#include "bench/benchdata.h"
#include "curves/curvegraphs.h"
#include "curves/curveload.h"
#include "platform/fontnames.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

QImage panelImage(int scale) {
    QImage image(kGraphPanelWidth * scale, kGraphPanelHeight * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::black);
    return image;
}

void curveComboChange(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    const FittingRecord record = benchRecord();
    EarCurves page = loadEarCurves(record, benchDatabase(), Ear::Right);
    GraphScene scene = graphScene(page, record, Ear::Right);
    QImage image = panelImage(scale);
    int shape = 1;
    for (auto _ : state) {
        shape = shape % 5 + 1;
        fitCurve(page.grid, GraphSide::Left, shape, page.fitPoints[0],
                 maxOutputForFit(page.targets, GraphSide::Left));
        readCurves(page.grid, page.curves);
        scoreCompleteCurves(page.grid, page.curves, page.fitPoints);
        std::copy(std::begin(page.curves), std::end(page.curves), scene.curves);
        QPainter painter(&image);
        for (const GraphSide side : kGraphSides) {
            painter.save();
            painter.translate(kCurveBoxLeft[sideIndex(side)], kCurveBoxTop);
            drawGraphCurves(painter, scene, side, QSize(kCurveBoxSize, kCurveBoxSize));
            painter.restore();
        }
    }
    benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(curveComboChange)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void pageLoad(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    const FittingRecord record = benchRecord();
    const AidDatabase database = benchDatabase();
    QImage image = panelImage(scale);
    for (auto _ : state) {
        const EarCurves page = loadEarCurves(record, database, Ear::Right);
        QPainter painter(&image);
        drawGraphPanel(painter, graphScene(page, record, Ear::Right));
    }
    benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(pageLoad)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // Text needs an application; the offscreen platform needs no display.
    char name[] = "tavik_graphs_bench";
    char platformOption[] = "-platform";
    char platform[] = "offscreen";
    char* qtArgv[] = {name, platformOption, platform, nullptr};
    int qtArgc = 3;
    QGuiApplication application(qtArgc, qtArgv);
    installFontSubstitutions();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
