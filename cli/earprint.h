// What tavik-cli says of an ear before it prints its reports, in the words of the
// window: levels that are not what the threshold predicts (the window asks before
// printing them; a command line cannot be asked, so it says so and prints), and the
// pairs asked for that have no curve (the window does not offer them; a command line
// skips them, so that no blank page is printed).
#pragma once

#include "cli/earoptions.h"
#include "report/reporttext.h"

#include <array>
#include <iosfwd>
#include <string>
#include <vector>

struct EarPrintCheck {
    // The pairs asked for that have a curve: those that are printed.
    std::array<bool, kReportChoiceCount> printable{};
    // The lines to say, each naming the patient file and the ear, without "\n": the
    // out-of-date levels, "No curve to print in HA-3\HA-3." for the pairs asked for
    // without a curve, and when none is left, that no PDF is written.
    std::vector<std::string> lines;

    bool nothingToPrint() const;
};

// The texts of the six controls above the curve page's grid, in UTF-8: the plots'
// labels and the pairs' captions.
std::array<std::string, 6> controlTexts(const EarCurves& page);

// Checks the ear of a loaded patient file (named path in the lines) for the pairs
// asked for (fitted, user, hearing aid).
EarPrintCheck checkEarPrint(const LoadedEar& loaded, Ear ear,
                            const std::array<bool, kReportChoiceCount>& asked,
                            const std::string& path);

// The line on an ear's out-of-date levels ("" when they are up to date):
// tavik-cli: "P.TAV": Right Ear: the levels at 500 Hz are not what the threshold
// predicts; see the Loudmap Data page.
std::string outOfDateLine(const FittingRecord& record, Ear ear, const std::string& path);

// Why an ear gets no PDF when no pair asked for has a curve (a summary's error).
inline constexpr const char* kNoPdfWithoutCurves = "no PDF written: no pair asked for has a curve";
