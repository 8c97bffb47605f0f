// tavik-cli batch with its drawing: the reports of each ear drawn by the code of
// tavik-cli report. Each process that draws makes its own application object when it
// draws first, so that the workers are forked before any Qt object exists.
#include "cli/batch.h"
#include "cli/offscreen.h"
#include "cli/reportrender.h"
#include "report/reportdrawing.h"

#include <memory>
#include <unistd.h>

namespace {

struct Drawing {
    std::unique_ptr<QGuiApplication> application;
    std::string printDate;
    bool started = false;
};

std::string drawEar(Drawing& drawing, const LoadedEar& loaded, const std::string& fileName, Ear ear,
                    const BatchOptions& options) {
    if (!drawing.started) {
        drawing.application = offscreenApplication();
        drawing.printDate = printDateToday();
        drawing.started = true;
    }
    ReportSelection selection;
    selection.ticked = options.kinds;
    selection.page = options.paper == PaperSize::A4 ? QPageSize::A4 : QPageSize::Letter;
    const QByteArray pdf = renderReports(loaded, fileName, ear, selection, drawing.printDate);
    return std::string(pdf.constData(), static_cast<std::size_t>(pdf.size()));
}

} // namespace

int runBatch(const Args& args, std::ostream& out, std::ostream& err) {
    const auto drawing = std::make_shared<Drawing>();
    BatchEnvironment environment;
    environment.showProgress = ::isatty(STDERR_FILENO) == 1;
    environment.render = [drawing](const LoadedEar& loaded, const std::string& fileName, Ear ear,
                                   const BatchOptions& options) {
        return drawEar(*drawing, loaded, fileName, ear, options);
    };
    return runBatchWith(args, out, err, environment);
}
