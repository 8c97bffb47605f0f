// The curve page's print command: the clinician ticks the curve pairs to print,
// picks a printer and a number of copies, and gets one report per ticked pair and
// copy, each its own print document.
#pragma once

#include "curves/printrequest.h"
#include "model/fittingrecord.h"

class TfmSelectPrint;
class QWidget;
struct DocumentState;

// Runs the print command: the selection dialog (centred over the main window), the
// print dialog through the dialog service, then the reports in the order fitted,
// user, hearing-aid pair, each as many times as copies were asked for. Stops without
// a word when the selection is closed without OK or nothing is ticked, or the print
// dialog is cancelled; warns and stops when no printer is installed. A printer
// failure is raised as PrintError after the document it hit has been aborted.
void runPrintCommand(const PrintRequest& request, TfmSelectPrint& dialog, QWidget* mainWindow,
                     const FittingRecord& record, const DocumentState& document);
