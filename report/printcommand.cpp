#include "report/printcommand.h"

#include "model/document.h"
#include "platform/dialogservice.h"
#include "report/reportdrawing.h"
#include "report/selectprint.h"

namespace {

const char* const kNoPrinterCaption = "Print";
const char* const kNoPrinterText = "No printer is installed, so the report cannot be printed.\n\n"
                                   "Add a printer in the system settings and print again.";

// "Curve A\Curve C": the left control's text, a backslash, the right control's text.
std::array<QString, kReportChoiceCount> choiceCaptions(const PrintRequest& request) {
    std::array<QString, kReportChoiceCount> captions;
    for (std::size_t c = 0; c < captions.size(); ++c)
        captions[c] = request.controls[c] + QLatin1Char('\\') + request.controls[c + 3];
    return captions;
}

std::array<std::string, 6> controlTexts(const PrintRequest& request) {
    std::array<std::string, 6> texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = request.controls[i].toStdString();
    return texts;
}

bool anyTicked(const TfmSelectPrint& dialog) {
    for (int c = 0; c < kReportChoiceCount; ++c) {
        if (dialog.isTicked(c))
            return true;
    }
    return false;
}

} // namespace

void runPrintCommand(const PrintRequest& request, TfmSelectPrint& dialog, QWidget* mainWindow,
                     const FittingRecord& record, const DocumentState& state) {
    dialog.prepare(choiceCaptions(request));
    dialog.centreOver(mainWindow);
    if (!dialogs().showModal(dialog) || !anyTicked(dialog))
        return;
    if (!dialogs().printerInstalled()) {
        dialogs().warning(mainWindow, QString::fromLatin1(kNoPrinterCaption),
                          QString::fromLatin1(kNoPrinterText));
        return;
    }
    std::optional<PrintChoice> printer = dialogs().choosePrinter(mainWindow);
    if (!printer || !printer->target)
        return;

    PrintData data = makePrintData(record, state.currentFileName, request.currentEar,
                                   request.targets, request.curves, printDateToday());
    for (std::size_t side = 0; side < data.aidLongNames.size(); ++side)
        data.aidLongNames[side] = request.aidLongNames[side].toStdString();
    const std::array<std::string, 6> controls = controlTexts(request);
    for (int choice = 0; choice < kReportChoiceCount; ++choice) {
        if (!dialog.isTicked(choice))
            continue;
        setPlotLabels(data, controls, choice);
        for (int copy = 0; copy < printer->copies; ++copy) {
            printReport(*printer->target, data, choice);
            dialog.keepPrintData(data);
        }
    }
}
