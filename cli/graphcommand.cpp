// tavik-cli graph: an ear's graph panel, drawn as the curve page draws it, saved as
// a PNG image. Built into the tavik-cli executable only, which links Qt's drawing.
#include "cli/commands.h"
#include "cli/earoptions.h"
#include "cli/help.h"
#include "cli/offscreen.h"
#include "cli/optionvalues.h"
#include "curves/curvegraphs.h"

#include <QImage>
#include <QPainter>

#include <ostream>

namespace {

const char* const kGraphUsage = commandUsage("graph");
constexpr int kLargestScale = 8;

// The panel at scale times the page's pixels, encoded as PNG.
QByteArray renderPanelPng(const GraphScene& scene, int scale) {
    QImage image = screenImage(QSize(kGraphPanelWidth, kGraphPanelHeight), scale, Qt::black);
    QPainter painter(&image);
    drawGraphPanel(painter, scene);
    painter.end();
    return pngBytes(image);
}

} // namespace

int runGraph(const Args& args, std::ostream&, std::ostream& err) {
    EarOptions options;
    if (!parseEarOptions(args, {kGraphUsage, true, {"--scale", "-o"}}, options, err))
        return kExitFailure;
    if (!options.ear) {
        err << "tavik-cli: graph needs --ear right or --ear left\n" << kGraphUsage << '\n';
        return kExitFailure;
    }
    const auto output = options.values.find("-o");
    if (output == options.values.end()) {
        err << "tavik-cli: graph needs -o OUT.png\n" << kGraphUsage << '\n';
        return kExitFailure;
    }
    const auto scaleText = options.values.find("--scale");
    const std::optional<int> scale = scaleText == options.values.end()
                                         ? 1
                                         : parseWholeNumber(scaleText->second, 1, kLargestScale);
    if (!scale) {
        err << "tavik-cli: --scale takes a whole number from 1 to " << kLargestScale << '\n'
            << kGraphUsage << '\n';
        return kExitFailure;
    }
    LoadedEar loaded;
    if (const int code = loadEarForCli(options, loaded, err); code != kExitOk)
        return code;

    const auto application = offscreenApplication();
    const QByteArray png =
        renderPanelPng(graphScene(loaded.page, loaded.record, *options.ear), *scale);
    if (png.isEmpty()) {
        err << "tavik-cli: the graphs could not be encoded as PNG\n";
        return kExitFailure;
    }
    return writeCommandOutput(output->second, png, err);
}
