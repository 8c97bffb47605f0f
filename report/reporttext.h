// What a printed report says: the data one report is printed from, the header
// lines, and every text of the input/output table and the parameter table. Pure
// text, so the numbers a clinician reads on paper are tested without a printer.
#pragma once

#include "curves/curvetext.h"
#include "curves/targets.h"
#include "model/fittingrecord.h"
#include "model/recordtexts.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The three kinds of curve a report can show; a report shows curve record `choice`
// in the left plot and `choice` + 3 in the right plot.
enum ReportChoice : int { kFittedReport = 0, kUserReport = 1, kAidReport = 2 };
inline constexpr int kReportChoiceCount = 3;

// Everything one report is drawn from, copied from the curve page and the fitting
// record when the clinician confirms the print dialog, so that drawing never reads
// a window. Texts are UTF-8.
struct PrintData {
    Ear printEar = Ear::Right;
    int32_t pageWidth = 0; // printable area in device units, set for every document
    int32_t pageHeight = 0;
    std::string leftPlotLabel;
    std::string rightPlotLabel;
    TargetState printTargets{}; // the left plot first, then the right plot
    CurveParams printCurves[kCurveCount]{};
    // From the fitting record and the document.
    std::string lastName;
    std::string firstName;
    std::string middleInitial;
    std::string comments;
    int32_t rightAidStyle = 0;
    int32_t leftAidStyle = 0;
    std::string currentFileName; // "" for an untitled document
    std::string printDate;       // "June 5, 2024"
    // What identifies the patient and the fitting on every page.
    std::string patientId;
    std::string birthDate;
    std::string testDate;
    std::string clinician;
    int32_t binauralFitting = 0; // 1 binaural, anything else monaural
    int32_t levelSource = 0;     // of the printed ear: 0 measured, 1 and 2 predicted
    // The long names of the aids chosen for the left and the right plot; a report of
    // the hearing-aid pair names them. Set by the caller, which holds the database.
    std::array<std::string, 2> aidLongNames;
};

// The print data of an ear as the curve page holds it, with the record's texts and
// styles and the document's file name (UTF-8). The plot labels are left empty.
PrintData makePrintData(const FittingRecord& record, const std::string& currentFileName, Ear ear,
                        const TargetState& targets, const CurveParams (&curves)[kCurveCount],
                        const std::string& printDate);

// Whether a report of a kind has a curve to show: a complete curve in its left or its
// right plot. A report of a pair with neither would print only empty tables and plots,
// so the print selection does not let it be ticked.
bool reportHasCurve(const CurveParams (&curves)[kCurveCount], int choice);

// The name of a pair wherever it is offered or refused: control `choice`'s text, a
// backslash, control `choice` + 3's text ("Curve A\Curve C").
std::string pairCaption(const std::array<std::string, 6>& controls, int choice);

// What is said of the pairs that have no curve to print, by their captions: "No curve
// to print in HA-3\HA-3." or "No curve to print in A\B or C\D."; "" for none.
std::string noCurveToPrintNote(const std::vector<std::string>& captions);

// The texts of the six controls above the grid columns give the labels of the two
// plots: control `choice` for the left plot, `choice` + 3 for the right one.
void setPlotLabels(PrintData& data, const std::array<std::string, 6>& controls, int choice);

// "mmmm d, yyyy" with the month's full name from the list (January first); a month
// outside 1..12 is written as its number.
std::string formatPrintDate(int year, int month, int day,
                            const std::array<std::string, 12>& monthNames);

// The name this report carries in the printer queue. A queue may be shared, so it
// names no patient: "TAVIK report, right ear, Curve A\Curve C".
std::string reportDocumentName(const PrintData& data);

// --- header ------------------------------------------------------------------

inline constexpr const char* kReportTitle = "Loudness-Based Hearing Aid Fitting (TAVIK)";

struct HeaderTexts {
    std::string title;
    std::string printed;   // "Printed: June 5, 2024"
    std::string name;      // "Name: Smith, John Q" or "Name: John Q"
    std::string fileName;  // "Filename: SMITH.TAV"
    std::string ear;       // "Ear: Right"
    std::string aidType;   // "Hearing Aid Type: BTE"
    std::string leftPlot;  // "Left Plot: Curve A"
    std::string rightPlot; // "Right Plot: Curve C"
    std::string comments;
};
// A hearing-aid style outside 0..3 is named as the first style, BTE.
HeaderTexts headerTexts(const PrintData& data);

// The lines above the title that let a misfiled page be traced back: patient ID,
// birth date, test date and clinician; the fitting type (with the lowered targets
// of a binaural fitting) and how the ear's levels were obtained; and on a report of
// the hearing-aid pair, the long names of its two aids.
struct IdentityTexts {
    std::string patientId; // "Patient ID: 40-1172"
    std::string birthDate; // "Birth Date: 03/14/1941"
    std::string testDate;  // "Test Date: 12/07/2026"
    std::string clinician; // "Clinician: Dr. Ann Lee"
    std::string fitting;   // "Fitting: Monaural" or "Fitting: Binaural (targets 5 dB lower)"
    std::string levels;    // "Levels: predicted from threshold"
    // "Aids: Clinic Aid One\Clinic Aid Two", the left plot's first as in the print
    // selection's captions; "" unless the report shows the hearing-aid pair.
    std::string aids;
};
IdentityTexts identityTexts(const PrintData& data, int choice);

// --- tables ------------------------------------------------------------------

// printf's "%Nd" of a value cut toward zero, and "%N.1f" with the value rounded
// half away from zero on its exact binary value, as the curve page's texts are.
std::string paddedInt(double value, int width);
std::string paddedOneDecimal(double value, int width);

// The no-value mark of a gain at 60 dB.
inline constexpr float kNoGainAt60 = -100.0f;

// Output at 60 dB input minus 60; -100 for a curve that is not complete.
float gainAt60(const CurveParams& curve);

// Octaves from the left plot frequency to the right one (Hz): log2(right / left),
// held as a float.
float octaveDistance(int leftHz, int rightHz);

inline constexpr int kInputOutputRows = 9;
struct InputOutputRow {
    std::string input; // "50" .. "90"
    std::string left;  // "%3d" of the left curve's output; "" when it is not complete
    std::string right;
};
std::array<InputOutputRow, kInputOutputRows> inputOutputRows(const CurveParams& left,
                                                             const CurveParams& right);

inline constexpr int kParameterRows = 9;
inline constexpr const char* parameterRowLabels[kParameterRows] = {
    "Gain at 50 dB",  "Comp. Threshold 1", "Comp. Ratio 1", "Comp. Threshold 2", "Comp. Ratio 2",
    "Maximum Output", "Gain at 60 dB",     "RMS Error",     "Slope (dB/oct)",
};

struct ParameterTableTexts {
    // Rows 1 to 8 of each plot's column; all empty for a curve that is not complete,
    // row 7 empty when there is no gain at 60 dB, row 8 "Error" for a failed RMS.
    std::array<std::string, 8> left;
    std::array<std::string, 8> right;
    // Row 9, one value for both plots: empty when either gain at 60 dB is missing,
    // "ERROR" when both plots are at the same frequency, else "%5.1f" of the slope.
    std::string slope;
    bool slopeIsValue = false; // a number stands a little further left than the rest
};
ParameterTableTexts parameterTable(const CurveParams& left, const CurveParams& right,
                                   int32_t leftFrequencyIndex, int32_t rightFrequencyIndex);
