// The curve page's print command: the clinician ticks the curve pairs and gets one
// report page per ticked pair on a printer (per copy, each its own print document),
// in a preview from which they can be printed, or in a PDF file.
#pragma once

#include "curves/printrequest.h"
#include "model/fittingrecord.h"

class TfmSelectPrint;
class QWidget;
struct DocumentState;

// Runs the print command. An ear whose levels are out of date (see outOfDateDetail) is
// named in a question first, and only Yes goes on. Then the selection dialog (centred
// over the main window), with the ticks of the last selection while the patient and
// the ear are the same and a pair without a curve greyed; then by the button that
// closed it:
// - Ok: the print dialog, then the reports in the order fitted, user, hearing-aid
//   pair, each as many times as copies were asked for. Without a printer it says so
//   and offers the PDF instead.
// - Preview: the reports' pages, one per ticked pair, in the preview window; closing
//   it returns to the selection.
// - Save as PDF: a file name ("SMITH-right.pdf" beside SMITH.TAV), then one PDF with
//   a page per ticked pair, written atomically; a failed write is shown, naming the
//   file and the reason, and leaves any old file as it was.
// Stops without a word when the selection is cancelled or closed, or a print or save
// dialog is cancelled; the selection itself says when nothing is ticked. A printer failure is
// raised as PrintError after the document it hit has been aborted.
void runPrintCommand(const PrintRequest& request, TfmSelectPrint& dialog, QWidget* mainWindow,
                     const FittingRecord& record, const DocumentState& document);
