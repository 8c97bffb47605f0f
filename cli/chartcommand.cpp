// tavik-cli chart: an ear's loudness map or gain chart, drawn by the Overview page's
// drawing, saved as a PNG image. Built into the tavik-cli executable only, which
// links Qt's drawing.
#include "cli/commands.h"
#include "cli/earoptions.h"
#include "cli/help.h"
#include "cli/offscreen.h"
#include "cli/optionvalues.h"
#include "overview/overviewdrawing.h"
#include "overview/overviewvisit.h"

#include <QImage>
#include <QPainter>

#include <ostream>

namespace {

const char* const kChartUsage = commandUsage("chart");
constexpr int kLargestScale = 8;
constexpr int kChartWidth = 640;
constexpr int kChartHeight = 400;

std::optional<OverviewChart> chartKind(const std::string& text) {
    if (text == "loudmap")
        return OverviewChart::LoudnessMap;
    if (text == "gain")
        return OverviewChart::Gain;
    return std::nullopt;
}

QByteArray renderChartPng(const OverviewSource& source, OverviewChart chart, int scale) {
    QImage image = screenImage(QSize(kChartWidth, kChartHeight), scale, Qt::white);
    QPainter painter(&image);
    drawOverviewChart(painter, QRect(0, 0, kChartWidth, kChartHeight), chart, source);
    painter.end();
    return pngBytes(image);
}

struct ChartOptions {
    OverviewChart chart = OverviewChart::LoudnessMap;
    int scale = 1;
    std::string output;
};

bool fail(std::ostream& err, const std::string& message) {
    err << "tavik-cli: " << message << '\n' << kChartUsage << '\n';
    return false;
}

bool parseChartOptions(const EarOptions& options, ChartOptions& chart, std::ostream& err) {
    if (!options.ear)
        return fail(err, "chart needs --ear right or --ear left");
    const auto kind = options.values.find("--kind");
    if (kind == options.values.end() || !chartKind(kind->second))
        return fail(err, "chart needs --kind loudmap or --kind gain");
    chart.chart = *chartKind(kind->second);
    const auto output = options.values.find("-o");
    if (output == options.values.end())
        return fail(err, "chart needs -o OUT.png");
    chart.output = output->second;
    if (const auto text = options.values.find("--scale"); text != options.values.end()) {
        const auto scale = parseWholeNumber(text->second, 1, kLargestScale);
        if (!scale)
            return fail(err,
                        "--scale takes a whole number from 1 to " + std::to_string(kLargestScale));
        chart.scale = *scale;
    }
    return true;
}

} // namespace

int runChart(const Args& args, std::ostream&, std::ostream& err) {
    EarOptions options;
    if (!parseEarOptions(args, {kChartUsage, true, {"--kind", "--scale", "-o"}}, options, err))
        return kExitFailure;
    ChartOptions chart;
    if (!parseChartOptions(options, chart, err))
        return kExitFailure;
    LoadedEar loaded;
    if (const int code = loadEarForCli(options, loaded, err); code != kExitOk)
        return code;

    const auto application = offscreenApplication();
    const MeasuredLevels measured = measuredFromRecord(loaded.record);
    // The loudness map with the previous visit, as the Overview page draws it.
    const std::optional<KeptVersion> previous = previousVisitOf(options.file, loaded.record);
    const OverviewSource source{loaded.record, loaded.database, measured.of(*options.ear),
                                *options.ear, previous ? &*previous : nullptr};
    const QByteArray png = renderChartPng(source, chart.chart, chart.scale);
    if (png.isEmpty()) {
        err << "tavik-cli: the chart could not be encoded as PNG\n";
        return kExitFailure;
    }
    return writeCommandOutput(chart.output, png, err);
}
