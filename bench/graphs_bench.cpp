// The curve graphs as the curve page draws them: a curve combo changed (one side
// refitted, the grid read back, the curves scored, both curve boxes painted), and a
// whole page load (one ear loaded, both graph backgrounds and curves painted), each
// into an image at 1 and 2 times the page's pixels.
#include "curves/curvegraphs.h"
#include "curves/curveload.h"
#include "model/aiddatabase.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

// Both ears measured at all six frequencies, the right ear shown at 1000 and 3000 Hz
// with Curve B and Curve C, a user curve and a database entry at both, fitted
// binaurally: all six curves complete, every band and target present.
FittingRecord benchRecord() {
    FittingRecord r;
    resetFitting(r, "01/01/2000");
    r.binauralFitting = 1;
    r.rightRangeLow = 2;
    r.rightRangeHigh = 4;
    r.leftRangeLow = 1;
    r.leftRangeHigh = 5;
    const int levels[8] = {40, 50, 58, 66, 74, 84, 94, 104};
    for (int f = 0; f < kFrequencyCount; ++f) {
        for (int c = 0; c < kCategoryCount; ++c) {
            r.rightLoudness[f][c] = levels[c] + f;
            r.leftLoudness[f][c] = levels[c] + 2 * f;
        }
        for (AidSetting* s : {&r.aidSettings[0][f], &r.aidSettings[1][f]}) {
            s->curveChoice = 2 + f % 2;
            s->aidChoice = 1;
            s->curve = CurveParams{20, 45, 1, 2, 75, 1, 2, 110, 0, 0, {}};
        }
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

QImage panelImage(int scale) {
    QImage image(kGraphPanelWidth * scale, kGraphPanelHeight * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::black);
    return image;
}

void curveComboChange(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    const FittingRecord record = benchRecord();
    EarCurves page = loadEarCurves(record, benchDatabase(), 0);
    GraphScene scene = graphScene(page, record, 0);
    QImage image = panelImage(scale);
    int shape = 1;
    for (auto _ : state) {
        shape = shape % 5 + 1;
        fitCurve(page.grid, 0, shape, page.fitPoints[0], maxOutputForFit(page.targets, 0));
        readCurves(page.grid, page.curves);
        scoreCompleteCurves(page.grid, page.curves, page.fitPoints);
        std::copy(std::begin(page.curves), std::end(page.curves), scene.curves);
        QPainter painter(&image);
        for (int side = 0; side < kSideCount; ++side) {
            painter.save();
            painter.translate(kCurveBoxLeft[side], kCurveBoxTop);
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
        const EarCurves page = loadEarCurves(record, database, 0);
        QPainter painter(&image);
        drawGraphPanel(painter, graphScene(page, record, 0));
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
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
