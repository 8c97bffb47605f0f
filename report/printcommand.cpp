#include "report/printcommand.h"

#include "controls/statusnote.h"
#include "model/document.h"
#include "model/fileio.h"
#include "model/predictioncheck.h"
#include "platform/dialogservice.h"
#include "report/reportdrawing.h"
#include "report/selectprint.h"

#include <QFileInfo>

#include <algorithm>
#include <functional>
#include <span>
#include <vector>

namespace {

const char* const kNoPrinterCaption = "Print";
const char* const kNoPrinterText = "No printer is installed, so the report cannot be printed.\n\n"
                                   "Add a printer in the system settings and print again.";
const char* const kOfferPdfText = "Save the report as a PDF instead?";
const char* const kPdfCaption = "Save as PDF";

std::array<std::string, 6> controlTexts(const PrintRequest& request) {
    std::array<std::string, 6> texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = request.controls[i].toStdString();
    return texts;
}

// "Curve A\Curve C": the left control's text, a backslash, the right control's text.
std::array<QString, kReportChoiceCount> choiceCaptions(const PrintRequest& request) {
    const std::array<std::string, 6> controls = controlTexts(request);
    std::array<QString, kReportChoiceCount> captions;
    for (std::size_t c = 0; c < captions.size(); ++c)
        captions[c] = QString::fromStdString(pairCaption(controls, static_cast<int>(c)));
    return captions;
}

// The pairs with a curve to print.
PairFlags offeredPairs(const PrintRequest& request) {
    PairFlags offered{};
    for (int c = 0; c < kReportChoiceCount; ++c)
        offered[static_cast<std::size_t>(c)] = reportHasCurve(request.curves, c);
    return offered;
}

// The last ticks while the patient and the ear are the same; none otherwise.
PairFlags ticksToRestore(const TfmSelectPrint& dialog, const DocumentState& state, Ear ear) {
    const std::optional<KeptTicks>& kept = dialog.keptTicks();
    if (!kept || kept->patient != state.patientNumber || kept->ear != ear)
        return {};
    return kept->ticks;
}

// Shows the selection; true when the clinician confirmed a choice of pairs, which
// the dialog keeps for the next print command.
bool runSelection(const PrintRequest& request, TfmSelectPrint& dialog, QWidget* mainWindow,
                  const DocumentState& state) {
    dialog.prepare(choiceCaptions(request), offeredPairs(request),
                   ticksToRestore(dialog, state, request.currentEar));
    dialog.centreOver(mainWindow);
    if (!dialogs().showModal(dialog) || !std::ranges::any_of(dialog.ticks(), std::identity{}))
        return false;
    dialog.keepTicks({state.patientNumber, request.currentEar, dialog.ticks()});
    return true;
}

// The curve kinds ticked, in the order of the boxes: one report page each.
std::vector<int> tickedChoices(const TfmSelectPrint& dialog) {
    std::vector<int> ticked;
    for (int c = 0; c < kReportChoiceCount; ++c) {
        if (dialog.isTicked(c))
            ticked.push_back(c);
    }
    return ticked;
}

// The reports of one command: what they are drawn from and which curve kinds.
class ReportJob {
  public:
    ReportJob(const PrintRequest& request, TfmSelectPrint& dialog, const FittingRecord& record,
              const DocumentState& state)
        : dialog_(dialog), controls_(controlTexts(request)), choices_(tickedChoices(dialog)),
          data_(makePrintData(record, state.currentFileName, request.currentEar, request.targets,
                              request.curves, printDateToday())) {
        for (std::size_t side = 0; side < data_.aidLongNames.size(); ++side)
            data_.aidLongNames[side] = request.aidLongNames[side].toStdString();
    }

    int pageCount() const { return static_cast<int>(choices_.size()); }

    // Prints the report of the page-th ticked kind as one document on the target.
    void printPage(PrintTarget& target, int page) {
        const int choice = choices_[static_cast<std::size_t>(page)];
        setPlotLabels(data_, controls_, choice);
        printReport(target, data_, choice);
        dialog_.keepPrintData(data_);
    }

  private:
    TfmSelectPrint& dialog_;
    std::array<std::string, 6> controls_;
    std::vector<int> choices_;
    PrintData data_;
};

void printOnPrinter(ReportJob& job, QWidget* mainWindow) {
    std::optional<PrintChoice> printer = dialogs().choosePrinter(mainWindow);
    if (!printer || !printer->target)
        return;
    for (int page = 0; page < job.pageCount(); ++page) {
        for (int copy = 0; copy < printer->copies; ++copy)
            job.printPage(*printer->target, page);
    }
}

void showPreview(ReportJob& job, QWidget* mainWindow) {
    dialogs().previewReports(mainWindow, job.pageCount(), [&job](PrintTarget& target, int page) {
        job.printPage(target, page);
    });
}

// The save dialog's first offer: the patient file's name with the ear, in its folder;
// "Untitled" in the patient files' folder for a document never saved.
FileDialogRequest pdfRequest(const DocumentState& state, Ear ear) {
    const bool untitled = state.currentFilePath.empty();
    const QString folder =
        QString::fromStdString(untitled ? state.dataPath : folderOf(state.currentFilePath));
    const QString stem =
        untitled ? QStringLiteral("Untitled")
                 : QFileInfo(QString::fromStdString(state.currentFileName)).completeBaseName();
    const QString earName = ear == Ear::Right ? QStringLiteral("right") : QStringLiteral("left");
    return {QStringLiteral("Save the report as PDF"), folder, stem + '-' + earName + ".pdf",
            QStringLiteral("PDF files (*.pdf)"), QStringLiteral("pdf")};
}

// One PDF page per ticked kind, written over the chosen file only once it is whole.
void saveAsPdf(ReportJob& job, QWidget* mainWindow, const DocumentState& state, Ear ear) {
    const std::optional<QString> path = dialogs().saveFileName(mainWindow, pdfRequest(state, ear));
    if (!path)
        return;
    PdfReportTarget target(localePaperSize());
    for (int page = 0; page < job.pageCount(); ++page)
        job.printPage(target, page);
    const QByteArray pdf = target.finish();
    if (pdf.isEmpty()) {
        // Never an empty file in place of the reports asked for.
        dialogs().error(mainWindow, QString::fromLatin1(kPdfCaption),
                        QStringLiteral("The reports could not be made into a PDF, so %1 was "
                                       "not written.")
                            .arg(QFileInfo(*path).fileName()));
        return;
    }
    try {
        writeFileAtomically(path->toStdString(),
                            std::span(reinterpret_cast<const uint8_t*>(pdf.constData()),
                                      static_cast<std::size_t>(pdf.size())));
    } catch (const FileError& error) {
        dialogs().error(mainWindow, QString::fromLatin1(kPdfCaption),
                        QString::fromStdString(error.what()));
        return;
    }
    statusNote(mainWindow, QStringLiteral("Report saved as %1").arg(QFileInfo(*path).fileName()));
}

// Without a printer the clinician may have the pages as a PDF instead.
bool offerPdfInstead(QWidget* mainWindow) {
    const QString text = QString::fromLatin1(kNoPrinterText) + QStringLiteral("\n\n") +
                         QString::fromLatin1(kOfferPdfText);
    return dialogs().question(mainWindow, QString::fromLatin1(kNoPrinterCaption), text) ==
           DialogAnswer::Yes;
}

// A report whose bands and targets rest on levels that are not what the thresholds
// predict now prints only when the clinician says so; No goes back to the page.
bool mayPrintOutOfDateLevels(QWidget* mainWindow, const FittingRecord& record, Ear ear) {
    const std::string note =
        outOfDateDetail(ear, earLoudness(record, ear), earLevelSource(record, ear));
    if (note.empty())
        return true;
    return dialogs().question(mainWindow, QString::fromLatin1(kNoPrinterCaption),
                              QString::fromStdString(note) + QStringLiteral("\n\nPrint anyway?")) ==
           DialogAnswer::Yes;
}

// The reports of a confirmed selection on a printer or in a PDF file.
void printSelection(const PrintRequest& request, TfmSelectPrint& dialog, QWidget* mainWindow,
                    const FittingRecord& record, const DocumentState& state) {
    SelectPrintEnding ending = dialog.ending();
    if (ending == SelectPrintEnding::Print && !dialogs().printerInstalled()) {
        if (!offerPdfInstead(mainWindow))
            return;
        ending = SelectPrintEnding::SavePdf;
    }
    ReportJob job(request, dialog, record, state);
    switch (ending) {
    case SelectPrintEnding::Print:
        printOnPrinter(job, mainWindow);
        return;
    case SelectPrintEnding::SavePdf:
        saveAsPdf(job, mainWindow, state, request.currentEar);
        return;
    case SelectPrintEnding::Preview: // shown by the selection's loop
    case SelectPrintEnding::Cancel:
        return;
    }
}

} // namespace

void runPrintCommand(const PrintRequest& request, TfmSelectPrint& dialog, QWidget* mainWindow,
                     const FittingRecord& record, const DocumentState& state) {
    if (!mayPrintOutOfDateLevels(mainWindow, record, request.currentEar))
        return;
    while (runSelection(request, dialog, mainWindow, state)) {
        if (dialog.ending() != SelectPrintEnding::Preview)
            return printSelection(request, dialog, mainWindow, record, state);
        ReportJob job(request, dialog, record, state);
        showPreview(job, mainWindow);
    }
}
