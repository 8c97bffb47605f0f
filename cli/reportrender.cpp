#include "cli/reportrender.h"

#include "cli/earprint.h"
#include "model/textslot.h"
#include "platform/printtarget.h"
#include "report/reportdrawing.h"

QByteArray renderReports(const LoadedEar& loaded, const std::string& fileName, Ear ear,
                         const ReportSelection& selection, const std::string& printDate) {
    PrintData data = makePrintData(loaded.record, fileName, ear, loaded.page.targets,
                                   loaded.page.curves, printDate);
    for (std::size_t side = 0; side < data.aidLongNames.size(); ++side)
        data.aidLongNames[side] = latin1ToUtf8(loaded.page.aidLongNames[side]);
    const std::array<std::string, 6> controls = controlTexts(loaded.page);
    PdfReportTarget target(selection.page);
    for (int choice = 0; choice < kReportChoiceCount; ++choice) {
        if (!selection.ticked[static_cast<std::size_t>(choice)])
            continue;
        setPlotLabels(data, controls, choice);
        for (int copy = 0; copy < selection.copies; ++copy)
            printReport(target, data, choice);
    }
    return target.finish();
}
