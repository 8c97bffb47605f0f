// The Overview page's charts as the page paints them, into an image of the page at a
// device pixel ratio of 2 (a 1280 x 1024 screen, the window maximised): switching to
// the page (both ears' loudness map and gain chart described, worked out and painted) and
// redrawing one chart after a change.
#include "bench/benchdata.h"
#include "overview/overviewdrawing.h"
#include "overview/overviewplaces.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

// The page area of the maximised window on a 1280 x 1024 screen.
constexpr QSize kPageSize(1280, 930);
constexpr OverviewChart kCharts[2] = {OverviewChart::LoudnessMap, OverviewChart::Gain};

// Every level measured except the left ear's above 2000 Hz, drawn as predicted.
LevelFlags measuredFlags(Ear ear) {
    LevelFlags flags{};
    for (auto& frequency : flags)
        frequency.fill(true);
    if (ear == Ear::Left)
        for (int f = 4; f < kFrequencyCount; ++f)
            flags[f].fill(false);
    return flags;
}

QImage pageImage() {
    QImage image(kPageSize * 2, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    image.fill(Qt::black);
    return image;
}

// Arg 0: every part drawn as shapes, as tavik-cli and a PDF draw it (and the page did
// before it kept pictures); 1: as the page draws it, from pictures kept between
// paintings.
void switchToPage(benchmark::State& state) {
    const MarkerDrawing how =
        state.range(0) ? MarkerDrawing::CachedPictures : MarkerDrawing::Shapes;
    const FittingRecord record = benchRecord();
    const AidDatabase database = benchDatabase();
    const LevelFlags measured[2] = {measuredFlags(Ear::Right), measuredFlags(Ear::Left)};
    const OverviewPlaces places = overviewPlaces(kPageSize);
    QImage image = pageImage();
    for (auto _ : state) {
        QPainter painter(&image);
        for (int column = 0; column < 2; ++column) {
            const Ear ear = column == 0 ? Ear::Right : Ear::Left;
            for (int kind = 0; kind < 2; ++kind) {
                const OverviewSource source{record, database, measured[column], ear};
                // What the page tells a screen reader on each showing, then the painting.
                benchmark::DoNotOptimize(overviewChartDescription(kCharts[kind], source));
                drawOverviewChart(painter, places.charts[column][kind], kCharts[kind], source, how);
            }
        }
    }
    benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(switchToPage)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Arg 0: the loudness map, 1: the gain chart, of the right ear.
void redrawOneChart(benchmark::State& state) {
    const OverviewChart chart = kCharts[state.range(0)];
    const FittingRecord record = benchRecord();
    const AidDatabase database = benchDatabase();
    const LevelFlags measured = measuredFlags(Ear::Right);
    const QRect place = overviewPlaces(kPageSize).charts[0][state.range(0)];
    QImage image = pageImage();
    for (auto _ : state) {
        QPainter painter(&image);
        drawOverviewChart(painter, place, chart, {record, database, measured, Ear::Right},
                          MarkerDrawing::CachedPictures);
    }
    benchmark::DoNotOptimize(image.constBits());
}
BENCHMARK(redrawOneChart)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
