// The curve page's print command: the clinician ticks the curve pairs to print,
// picks a printer and a number of copies, and gets one report per ticked pair and
// copy, each its own print document.
#pragma once

#include "curves/curvetext.h"
#include "curves/targets.h"
#include "model/fittingrecord.h"

#include <QString>

#include <array>
#include <cstdint>

class TfmSelectPrint;
class QWidget;
struct DocumentState;

// What the curve page hands over, read after its grid was read back into curves.
struct PrintRequest {
    // Texts of the six controls above grid columns 1 to 6: left curve combo, left
    // user panel, left aid combo, then the same three on the right.
    std::array<QString, 6> controls;
    int32_t currentEar = 0;
    TargetState targets{};
    CurveParams curves[kCurveCount]{};
};

// Runs the print command over the program's forms and globals: the selection
// dialog (fmSelectPrint, centred over fmWinMain), the print dialog through the
// dialog service, then the reports in the order fitted, user, hearing-aid pair, each
// as many times as copies were asked for. Stops without a word when the selection
// is closed without OK or nothing is ticked, or the print dialog is cancelled; warns
// and stops when no printer is installed. A printer failure is raised as PrintError
// after the document it hit has been aborted.
void runPrintCommand(const PrintRequest& request);

// The same over explicit forms and data, for tests.
void runPrintCommand(const PrintRequest& request, TfmSelectPrint& dialog, QWidget* mainWindow,
                     const FittingRecord& record, const DocumentState& document);
